// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/windowplacement.h"

#include <algorithm>

namespace tunedex {

namespace {

// At least this much of the window must lie on a screen.
constexpr int kVisibleMargin = 40;

bool Intersects(const WindowRect& a, const WindowRect& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

}  // namespace

WindowPlacement PlaceWindow(const tMainSettings& settings, const WindowRect& current,
                            const std::vector<WindowRect>& screens) {
  WindowPlacement placement{current, settings.left.has_value() || settings.top.has_value()};
  WindowRect& rect = placement.rect;
  if (settings.width) rect.width = *settings.width;
  if (settings.height) rect.height = *settings.height;
  if (settings.left) rect.left = *settings.left;
  if (settings.top) rect.top = *settings.top;
  if (screens.empty()) return placement;
  const WindowRect core{rect.left, rect.top, std::max(1, rect.width - kVisibleMargin),
                        std::max(1, rect.height - kVisibleMargin)};
  const bool onScreen =
      std::any_of(screens.begin(), screens.end(),
                  [&core](const WindowRect& area) { return Intersects(area, core); });
  if (!onScreen) {
    const WindowRect& area = screens.front();
    rect.width = std::min(rect.width, area.width);
    rect.height = std::min(rect.height, area.height);
    rect.left = area.left + (area.width - rect.width) / 2;
    rect.top = area.top + (area.height - rect.height) / 2;
    placement.move = true;
  }
  return placement;
}

void RememberWindowPlacement(tMainSettings& settings, int state, const WindowRect& normal) {
  settings.state = state;
  if (state != kWindowNormal) return;
  settings.left = normal.left;
  settings.top = normal.top;
  settings.width = normal.width;
  settings.height = normal.height;
}

}  // namespace tunedex
