// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/viewtexts.h"

#include <algorithm>
#include <array>

#include "catalogue/songviews.h"

namespace tunedex {

namespace {

// The texts of each view, 16 to 21, in the order of ViewTextKind; "%" stands for the custom
// language's name.
constexpr std::array<std::string_view, 5> kViewTexts[] = {
    {"&All Songs", "All songs", "Show all songs", "All Songs", "Showing all songs"},
    {"% songs", "% songs", "Show songs in %", "% songs", "Showing songs in %"},
    {"&English Songs", "Songs in English ", "Show songs in English", "English songs",
     "Showing songs in English"},
    {"&Other Languages", "Songs in other languages", "Show songs in other languages", "Other songs",
     "Showing songs in other languages"},
    {"&New Songs", "New songs", "Show newly imported songs", "New songs",
     "Showing newly-imported songs"},
    {"&Filter...", "Filter...", "Filter songs by text", "Custom-filtered list", ""},
};

}  // namespace

std::string ViewText(ViewMode mode, ViewTextKind kind, std::string_view customLanguageName) {
  const auto index = static_cast<int>(mode) - static_cast<int>(ViewMode::All);
  std::string filled(kViewTexts[static_cast<std::size_t>(index)][static_cast<std::size_t>(kind)]);
  if (const std::size_t name = filled.find('%'); name != std::string::npos) {
    filled.replace(name, 1, customLanguageName);
  }
  return filled;
}

}  // namespace tunedex
