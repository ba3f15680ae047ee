// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/songexplorer.h"
#include "common/userinteraction.h"

namespace tunedex {

// The rules of a list of song files that the Song Explorer and the scan wizard share: the
// texts of a read item, its picture, sorting by a column, the selection counts and importing.

struct tListSelectionCounts {
  std::size_t selected = 0;
  std::size_t importable = 0;  // in the whole list
  std::size_t selectedImportable = 0;
};
tListSelectionCounts CountListSelection(const std::vector<tExplorerItem>& items);

// Fills an item from the record read from its file: an empty title or artist shows as "?",
// and when both are unknown the title is the file's name; the picture tells the type and
// whether the catalogue holds the file.
void FillReadItem(tExplorerItem& item, bool inCatalogue);

// Whether a comes before b when sorted by column 0 (file name), 1 (title) or 2 (artist),
// ignoring case by the user's collation.
bool ExplorerItemBefore(const tExplorerItem& a, const tExplorerItem& b, int column,
                        bool descending);
// Sorts stably; returns where the item at position went.
std::optional<std::size_t> SortExplorerItems(std::vector<tExplorerItem>& items, int column,
                                             bool descending, std::optional<std::size_t> position);

// "Add n songs to the database?", followed by how many of the selected songs cannot be added
// when some cannot.
std::string ImportQuestion(std::size_t selectedImportable, std::size_t selected);

// Asks the import question and on Yes appends the records of the selected importable items
// whose files the catalogue does not hold yet; the catalogue re-sorts and gives them ID codes.
// countText shows the running count. Returns the number of songs added; nothing when no
// selected item was importable or the answer was No.
std::optional<std::size_t> ImportSelectedItems(const std::vector<tExplorerItem>& items,
                                               tCatalogue& catalogue, UserInteraction& user,
                                               std::string& countText);

// The item Play plays: the one at position when it is selected, else the first selected one;
// null when that has no record or nothing is selected.
const tExplorerItem* ItemToPlay(const std::vector<tExplorerItem>& items,
                                std::optional<std::size_t> position);

// Gives every item with a record the picture that tells whether the catalogue holds its file
// now: the in-catalogue variant for one it holds, the plain one for one it does not.
void MarkCatalogueItems(std::vector<tExplorerItem>& items, const tCatalogue& catalogue);

}  // namespace tunedex
