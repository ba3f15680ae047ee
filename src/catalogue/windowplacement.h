// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "catalogue/mainsettings.h"

namespace tunedex {

struct WindowRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// Where the catalogue window opens. Position and size are the frame's position and the inside
// size, the same things RememberWindowPlacement stores, so a window that is opened and closed
// stays where it was.
struct WindowPlacement {
  WindowRect rect;
  bool move = false;  // false: the system places the window
};

// The stored position and size over the window's current one; a window that would lie outside
// every screen's available area (screens: the primary first) comes back centred on the primary
// screen, no larger than it.
WindowPlacement PlaceWindow(const tMainSettings& settings, const WindowRect& current,
                            const std::vector<WindowRect>& screens);

// What closing stores: the state, and the position and size only for a normal window.
void RememberWindowPlacement(tMainSettings& settings, int state, const WindowRect& normal);

}  // namespace tunedex
