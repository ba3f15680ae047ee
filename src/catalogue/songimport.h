// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "catalogue/idlist.h"
#include "catalogue/songlist.h"

namespace tunedex {

// An empty Title or Artist becomes "?"; when both were empty the Title becomes name (the file's
// name without its folder), as songs found by a scan or an import are shown.
void FillUnknownTitleAndArtist(tSongRecord& record, std::string_view name);

// The catalogue's current and previous sort codes, and its unsaved-changes flag, as an import
// sees them.
struct CatalogueState {
  int previousSort = 0;
  int currentSort = 0;
  bool modified = false;
};

// Appends to the master list a song for each record that is not empty and whose file the list
// does not hold yet; then sorts by the previous and then the current sort code (so equal keys
// keep the previous order), sets the modified flag when a song was added, and gives every song
// without an ID code one. Returns the number of songs added; they have no language.
std::size_t ImportSongs(tSongList& master, const std::vector<tSongRecord>& records, tIDList& idList,
                        CatalogueState& state);

}  // namespace tunedex
