// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tunedex {

// The texts that name a view (modes 16 to 21) in the catalogue window.
enum class ViewTextKind {
  Menu,       // the View menu item
  Selection,  // the grid menu's "Selection" item
  Hint,       // the menu item's and toolbar button's hint
  Status,     // after "Showing: " in the status bar
  LogoHint,   // the hint of the logo picture
};

// The views in the order of the grid menu's "Selection" items: the custom language third.
inline constexpr int kSelectionMenuModes[] = {16, 18, 17, 19, 20, 21};

// The text of a view; the custom-language view's texts carry the custom language's name.
std::string ViewText(int mode, ViewTextKind kind, std::string_view customLanguageName);

}  // namespace tunedex
