// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>
#include <vector>

#include "players/desktop.h"

namespace tunedex::test {

// A desktop of scripted windows and programs. A started program's windows appear after a number
// of pauses; everything done to windows is written to a log.
class FakeDesktop : public Desktop, public ProgramStarter, public Sleeper {
 public:
  struct Window {
    std::string windowClass;
    std::string caption;
    WindowHandle owner = 0;     // set to a window of the same program by its index + 1
    bool closesProgram = true;  // closing it closes every window of its program
    bool ignoresClose = false;
    bool visible = true;
    bool minimised = false;
  };
  struct Program {
    std::vector<Window> windows;  // the first one comes to the front when they appear
    int appearAfterPauses = 2;
    bool startable = true;
  };

  void AddProgram(const std::string& path, Program program) {
    m_programs[path] = std::move(program);
  }
  void SetAssociation(const std::string& extension, const std::string& program) {
    m_associations[extension] = program;
  }
  // A window that exists from the start (Tunedex's own windows).
  WindowHandle AddWindow(const Window& window);

  const std::vector<std::string>& Log() const { return m_log; }
  std::vector<std::string> LogOf(const std::string& kind) const;  // entries starting so
  int Pauses() const { return m_pauses; }
  WindowHandle WindowOf(const std::string& windowClass) const;  // an existing one, or 0

  // Desktop
  std::vector<WindowHandle> TopLevelWindows() override;
  std::string WindowClass(WindowHandle window) override;
  std::string WindowCaption(WindowHandle window) override;
  bool WindowExists(WindowHandle window) override;
  bool IsVisible(WindowHandle window) override;
  bool IsMinimised(WindowHandle window) override;
  WindowHandle OwnerOf(WindowHandle window) override;
  WindowHandle ForegroundWindow() override { return m_foreground; }
  void BringToFront(WindowHandle window) override;
  void CloseWindow(WindowHandle window) override;
  bool DropFile(WindowHandle window, const std::string& path) override;
  void PostSwitchBack(WindowHandle window) override;
  // ProgramStarter
  bool StartProgram(const std::string& program, const std::string& argument) override;
  std::string AssociatedProgram(const std::string& extension) override;
  // Sleeper
  void Pause(int milliseconds) override;

 private:
  struct Live {
    WindowHandle id;
    Window window;
    int program;  // 0 for windows added directly
    bool exists;
  };
  struct Pending {
    int program;
    std::string path;
    int pausesLeft;
  };
  Live* Find(WindowHandle window);

  std::map<std::string, Program> m_programs;
  std::map<std::string, std::string> m_associations;
  std::vector<Live> m_windows;
  std::vector<Pending> m_pending;
  std::vector<std::string> m_log;
  WindowHandle m_foreground = 0;
  WindowHandle m_nextId = 100;
  int m_nextProgram = 1;
  int m_pauses = 0;
};

}  // namespace tunedex::test
