// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include "common/inifile.h"

namespace tunedex {

// The Song Explorer's size when nothing is stored.
inline constexpr int kExplorerDesignedWidth = 800;
inline constexpr int kExplorerDesignedHeight = 560;

// The "Explorer" section of the settings file: the window's placement and state, the two
// dividers and the list's column widths.
struct tExplorerSettings {
  int top = 1;
  int left = 1;
  int width = kExplorerDesignedWidth;
  int height = kExplorerDesignedHeight;
  int state = 0;                 // 0 normal, 1 minimised, 2 maximised
  int verticalDivision = 377;    // the list's width in pixels
  int horizontalDivision = 200;  // the information box's height in pixels
  std::array<int, 3> columns = {150, 150, 150};

  friend bool operator==(const tExplorerSettings&, const tExplorerSettings&) = default;
};

// Values out of any sensible range (damage, not choice) read as the defaults.
tExplorerSettings ReadExplorerSettings(const tIniFile& ini);
// The placement is written only for a window in the normal state; the rest always.
void WriteExplorerSettings(tIniFile& ini, const tExplorerSettings& settings);

// No pane is dragged narrower or lower than this.
inline constexpr int kSmallestPane = 64;

// The list's width when the right-hand pane is resized: between 64 pixels and the window's
// width - 76.
int ListWidthWithin(int width, int windowWidth);

// The column widths after the list's client width changed from oldWidth to newWidth: each
// scaled by the ratio and rounded, then raised to a third of the room a vertical scroll bar
// leaves.
std::array<int, 3> ScaleColumns(const std::array<int, 3>& columns, int oldWidth, int newWidth,
                                int scrollBarWidth);

}  // namespace tunedex
