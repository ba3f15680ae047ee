// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "common/inifile.h"

namespace tunedex {

// No coordinate, size or divider of a window on any desktop reaches this: a stored value beyond
// it is damage.
inline constexpr int kLargestWindowValue = 100000;

// A window's stored place and size: the keys "Top", "Left", "Width" and "Height" of its section.
struct WindowKeys {
  int top = 0;
  int left = 0;
  int width = 0;
  int height = 0;
};

// Each key within what any desktop allows (width and height at least 1); a value beyond that is
// damage, not choice, and reads as the default.
WindowKeys ReadWindowKeys(const tIniFile& ini, std::string_view section,
                          const WindowKeys& defaults);
void WriteWindowKeys(tIniFile& ini, std::string_view section, const WindowKeys& keys);

}  // namespace tunedex
