// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/screenchoice.h"

#include <algorithm>
#include <utility>

namespace tunedex {

RememberedScreen ReadRememberedScreen(const tIniFile& ini, std::string_view section) {
  return {ini.ReadString(section, kScreenKey, ""), ini.ReadString(section, kScreenModelKey, "")};
}

void WriteRememberedScreen(tIniFile& ini, std::string_view section,
                           const RememberedScreen& screen) {
  ini.WriteString(section, kScreenKey, screen.name);
  ini.WriteString(section, kScreenModelKey, screen.model);
}

bool IsRememberedScreen(const ScreenInfo& screen, const RememberedScreen& remembered) {
  if (remembered.Empty() || screen.name != remembered.name) return false;
  return remembered.model.empty() || screen.model.empty() || screen.model == remembered.model;
}

ScreenRect KeepInside(const ScreenRect& rect, const ScreenRect& area) {
  ScreenRect inside = rect;
  inside.left = std::max(area.left, std::min(rect.left, area.Right() - rect.width));
  inside.top = std::max(area.top, std::min(rect.top, area.Bottom() - rect.height));
  return inside;
}

ScreenRect MoveToScreen(const ScreenRect& rect, const ScreenRect& from, const ScreenRect& toArea) {
  ScreenRect moved = rect;
  moved.left = toArea.left + (rect.left - from.left);
  moved.top = toArea.top + (rect.top - from.top);
  return KeepInside(moved, toArea);
}

const ScreenInfo* tScreenChoice::Find(std::string_view name) const {
  const auto found = std::find_if(m_screens.begin(), m_screens.end(),
                                  [name](const ScreenInfo& screen) { return screen.name == name; });
  return found == m_screens.end() ? nullptr : &*found;
}

const ScreenInfo* tScreenChoice::FindRemembered() const {
  const auto found = std::find_if(
      m_screens.begin(), m_screens.end(),
      [this](const ScreenInfo& screen) { return IsRememberedScreen(screen, m_remembered); });
  return found == m_screens.end() ? nullptr : &*found;
}

const ScreenInfo* tScreenChoice::Fallback() const {
  const auto primary = std::find_if(m_screens.begin(), m_screens.end(),
                                    [](const ScreenInfo& screen) { return screen.primary; });
  if (primary != m_screens.end()) return &*primary;
  return m_screens.empty() ? nullptr : &m_screens.front();
}

std::optional<ScreenInfo> tScreenChoice::Current() const {
  const ScreenInfo* current = Find(m_current);
  if (current == nullptr) return std::nullopt;
  return *current;
}

ScreenRect tScreenChoice::WorkArea() const {
  const ScreenInfo* current = Find(m_current);
  return current ? current->workArea : ScreenRect{};
}

std::optional<ScreenInfo> tScreenChoice::Open(std::vector<ScreenInfo> screens) {
  m_screens = std::move(screens);
  const ScreenInfo* target = FindRemembered();
  m_displaced = target == nullptr && !m_remembered.Empty();
  if (target == nullptr) target = Fallback();
  m_current = target ? target->name : std::string();
  if (target == nullptr) return std::nullopt;
  return *target;
}

std::optional<tScreenChoice::Move> tScreenChoice::ScreensChanged(std::vector<ScreenInfo> screens) {
  const std::optional<ScreenInfo> before = Current();
  m_screens = std::move(screens);
  const ScreenInfo* target = nullptr;
  if (const ScreenInfo* remembered = FindRemembered(); m_displaced && remembered) {
    // The remembered screen is back.
    target = remembered;
    m_displaced = false;
  } else if (const ScreenInfo* same = Find(m_current)) {
    // The window's screen is still there; it may have changed its size.
    if (before && same->geometry == before->geometry && same->workArea == before->workArea) {
      return std::nullopt;
    }
    target = same;
  } else {
    // The window's screen went: the primary stands in for it.
    target = Fallback();
    if (!m_remembered.Empty()) m_displaced = true;
  }
  if (target == nullptr) {
    m_current.clear();
    return std::nullopt;
  }
  m_current = target->name;
  return Move{before, *target};
}

std::optional<tScreenChoice::Move> tScreenChoice::Choose(std::string_view name) {
  const ScreenInfo* chosen = Find(name);
  if (chosen == nullptr) return std::nullopt;
  m_remembered = {chosen->name, chosen->model};
  m_displaced = false;
  if (chosen->name == m_current) return std::nullopt;
  const std::optional<ScreenInfo> before = Current();
  m_current = chosen->name;
  return Move{before, *chosen};
}

void tScreenChoice::WindowMovedTo(std::string_view name) {
  if (name == m_current) return;
  const ScreenInfo* screen = Find(name);
  if (screen == nullptr) return;
  m_current = screen->name;
  m_remembered = {screen->name, screen->model};
  m_displaced = false;
}

}  // namespace tunedex
