// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/inifile.h"

namespace tunedex {

// A rectangle in desktop coordinates; right and bottom lie just outside it.
struct ScreenRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int Right() const { return left + width; }
  int Bottom() const { return top + height; }
  bool Contains(int x, int y) const { return x >= left && x < Right() && y >= top && y < Bottom(); }
  friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// A connected screen as the desktop reports it. The work area is the screen less its panels.
struct ScreenInfo {
  std::string name;  // the connector's name, such as "HDMI-1"
  std::string model;
  ScreenRect geometry;
  ScreenRect workArea;
  bool primary = false;
  friend bool operator==(const ScreenInfo&, const ScreenInfo&) = default;
};

// The screen a window was put on by the host, as its settings keep it: the name, and the
// model as a second check (another device on the same connector is another screen).
struct RememberedScreen {
  std::string name;
  std::string model;
  bool Empty() const { return name.empty(); }
  friend bool operator==(const RememberedScreen&, const RememberedScreen&) = default;
};

inline constexpr std::string_view kScreenKey = "Screen";
inline constexpr std::string_view kScreenModelKey = "Screen model";

RememberedScreen ReadRememberedScreen(const tIniFile& ini, std::string_view section);
void WriteRememberedScreen(tIniFile& ini, std::string_view section, const RememberedScreen& screen);

// True when the screen is the remembered one: the same name, and the same model when both
// models are known.
bool IsRememberedScreen(const ScreenInfo& screen, const RememberedScreen& remembered);

// The rectangle moved from one screen to another at the same distance from the top left corner
// of the target's work area as from the source's screen, then pulled inside the work area (a
// rectangle larger than the area goes to its top left corner).
ScreenRect MoveToScreen(const ScreenRect& rect, const ScreenRect& from, const ScreenRect& toArea);
// The rectangle pulled inside the area, keeping its size where it fits.
ScreenRect KeepInside(const ScreenRect& rect, const ScreenRect& area);

// Which screen a window of the room belongs on, as screens come and go: the remembered screen
// while it is connected, else the primary screen (else the first one). When the window's
// screen is unplugged it goes to the primary screen, and back when its screen returns; a
// screen the host chooses (or moves the window to) becomes the remembered one.
class tScreenChoice {
 public:
  explicit tScreenChoice(RememberedScreen remembered = {}) : m_remembered(std::move(remembered)) {}

  // A move the window has to make: from the screen it was on (absent when none was known) to
  // another.
  struct Move {
    std::optional<ScreenInfo> from;
    ScreenInfo to;
  };

  // The connected screens when the window opens. Returns the screen it opens on (none when no
  // screen is connected).
  std::optional<ScreenInfo> Open(std::vector<ScreenInfo> screens);

  // The connected screens after one was plugged in or unplugged (or changed its geometry).
  // Returns the move the window makes, if any.
  std::optional<Move> ScreensChanged(std::vector<ScreenInfo> screens);

  // The host chose a screen from the menu (by name). Returns the move, if the screen is
  // connected and not the one the window is on already.
  std::optional<Move> Choose(std::string_view name);

  // The window was moved by the host and now lies mostly on the named screen.
  void WindowMovedTo(std::string_view name);

  const std::vector<ScreenInfo>& Screens() const { return m_screens; }
  // The screen the window is on, as far as this class decides; none without screens.
  std::optional<ScreenInfo> Current() const;
  // The work area that fitting and docking use: the current screen's (empty without screens).
  ScreenRect WorkArea() const;
  // What the settings keep. While the window stands in for an unplugged screen on the
  // primary, that screen stays remembered.
  const RememberedScreen& Remembered() const { return m_remembered; }
  // True while the remembered screen is missing and the window waits on another one.
  bool Displaced() const { return m_displaced; }

 private:
  const ScreenInfo* Find(std::string_view name) const;
  const ScreenInfo* FindRemembered() const;
  const ScreenInfo* Fallback() const;

  RememberedScreen m_remembered;
  std::vector<ScreenInfo> m_screens;
  std::string m_current;  // the name of the window's screen
  bool m_displaced = false;
};

}  // namespace tunedex
