// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tunedex {

// The song grid's columns, which are also its header sections, left to right.
enum class GridColumn : int { Pointer = 0, TypePicture = 1, IdCode = 2, Title = 3, Artist = 4 };
inline constexpr int kGridColumnCount = 5;

}  // namespace tunedex
