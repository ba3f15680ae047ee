// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "catalogue/songviews.h"

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
inline constexpr ViewMode kSelectionMenuModes[] = {
    ViewMode::All,      ViewMode::English,       ViewMode::CustomLanguage, ViewMode::OtherLanguages,
    ViewMode::NewSongs, ViewMode::CustomFiltered};

// The text of a view; the custom-language view's texts carry the custom language's name.
std::string ViewText(ViewMode mode, ViewTextKind kind, std::string_view customLanguageName);

}  // namespace tunedex
