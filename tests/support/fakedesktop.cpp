// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fakedesktop.h"

namespace tunedex::test {

WindowHandle FakeDesktop::AddWindow(const Window& window) {
  m_windows.push_back({m_nextId++, window, 0, true});
  return m_windows.back().id;
}

FakeDesktop::Live* FakeDesktop::Find(WindowHandle window) {
  for (Live& live : m_windows) {
    if (live.id == window) return &live;
  }
  return nullptr;
}

std::vector<std::string> FakeDesktop::LogOf(const std::string& kind) const {
  std::vector<std::string> entries;
  for (const std::string& entry : m_log) {
    if (entry.rfind(kind, 0) == 0) entries.push_back(entry);
  }
  return entries;
}

WindowHandle FakeDesktop::WindowOf(const std::string& windowClass) const {
  for (const Live& live : m_windows) {
    if (live.exists && live.window.windowClass == windowClass) return live.id;
  }
  return 0;
}

std::vector<WindowHandle> FakeDesktop::TopLevelWindows() {
  std::vector<WindowHandle> windows;
  for (const Live& live : m_windows) {
    if (live.exists) windows.push_back(live.id);
  }
  return windows;
}

std::string FakeDesktop::WindowClass(WindowHandle window) {
  Live* live = Find(window);
  return live && live->exists ? live->window.windowClass : std::string();
}

std::string FakeDesktop::WindowCaption(WindowHandle window) {
  Live* live = Find(window);
  return live && live->exists ? live->window.caption : std::string();
}

bool FakeDesktop::WindowExists(WindowHandle window) {
  Live* live = Find(window);
  return live && live->exists;
}

bool FakeDesktop::IsVisible(WindowHandle window) {
  Live* live = Find(window);
  return live && live->exists && live->window.visible;
}

bool FakeDesktop::IsMinimised(WindowHandle window) {
  Live* live = Find(window);
  return live && live->window.minimised;
}

WindowHandle FakeDesktop::OwnerOf(WindowHandle window) {
  Live* live = Find(window);
  return live ? live->window.owner : 0;
}

void FakeDesktop::BringToFront(WindowHandle window) {
  m_log.push_back("front " + WindowClass(window));
  if (WindowExists(window)) m_foreground = window;
}

void FakeDesktop::CloseWindow(WindowHandle window) {
  Live* live = Find(window);
  m_log.push_back("close " + (live ? live->window.windowClass : std::string("?")));
  if (!live || !live->exists || live->window.ignoresClose) return;
  live->exists = false;
  if (live->window.closesProgram && live->program != 0) {
    for (Live& other : m_windows) {
      if (other.program == live->program) other.exists = false;
    }
  }
  if (m_foreground == window) m_foreground = 0;
}

bool FakeDesktop::DropFile(WindowHandle window, const std::string& path) {
  m_log.push_back("drop " + WindowClass(window) + " " + path);
  return true;
}

void FakeDesktop::PostSwitchBack(WindowHandle window) {
  m_log.push_back("switchback " + WindowClass(window));
}

bool FakeDesktop::StartProgram(const std::string& program, const std::string& argument) {
  m_log.push_back("start " + program + " [" + argument + "]");
  const auto it = m_programs.find(program);
  if (it == m_programs.end() || !it->second.startable) return false;
  m_pending.push_back({m_nextProgram++, program, it->second.appearAfterPauses});
  return true;
}

std::string FakeDesktop::AssociatedProgram(const std::string& extension) {
  const auto it = m_associations.find(extension);
  return it == m_associations.end() ? std::string() : it->second;
}

void FakeDesktop::Pause(int) {
  ++m_pauses;
  for (auto it = m_pending.begin(); it != m_pending.end();) {
    if (--it->pausesLeft > 0) {
      ++it;
      continue;
    }
    const Program& program = m_programs[it->path];
    const WindowHandle first = m_nextId;
    for (Window window : program.windows) {
      if (window.owner != 0) window.owner = first + window.owner - 1;
      m_windows.push_back({m_nextId++, window, it->program, true});
    }
    if (!program.windows.empty()) m_foreground = first;
    it = m_pending.erase(it);
  }
}

}  // namespace tunedex::test
