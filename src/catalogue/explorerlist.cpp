// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/explorerlist.h"

#include <algorithm>
#include <numeric>

#include "common/collation.h"

namespace tunedex {

tListSelectionCounts CountListSelection(const std::vector<tExplorerItem>& items) {
  tListSelectionCounts counts;
  for (const tExplorerItem& item : items) {
    if (item.selected) ++counts.selected;
    if (!item.Importable()) continue;
    ++counts.importable;
    if (item.selected) ++counts.selectedImportable;
  }
  return counts;
}

void FillReadItem(tExplorerItem& item, bool inCatalogue) {
  tSongRecord& record = item.record;
  if (record.Title().empty()) record.SetTitle("?");
  if (record.Artist().empty()) record.SetArtist("?");
  if (record.Artist() + record.Title() == "??") record.SetTitle(item.caption);  // cut to fit
  item.hasRecord = true;
  item.picture = ExplorerPicture(item.record, inCatalogue);
  item.title = item.record.Title();
  item.artist = item.record.Artist();
}

bool ExplorerItemBefore(const tExplorerItem& a, const tExplorerItem& b, int column,
                        bool descending) {
  int order = 0;
  switch (column) {
    case 1:
      order = CompareUserText(a.title, b.title);
      break;
    case 2:
      order = CompareUserText(a.artist, b.artist);
      break;
    default:
      order = CompareUserText(a.caption, b.caption);
      break;
  }
  return descending ? order > 0 : order < 0;
}

std::optional<std::size_t> SortExplorerItems(std::vector<tExplorerItem>& items, int column,
                                             bool descending, std::optional<std::size_t> position) {
  std::vector<std::size_t> order(items.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return ExplorerItemBefore(items[a], items[b], column, descending);
  });
  std::vector<tExplorerItem> sorted;
  sorted.reserve(items.size());
  std::optional<std::size_t> moved;
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (position == order[i]) moved = i;
    sorted.push_back(std::move(items[order[i]]));
  }
  items = std::move(sorted);
  return moved;
}

std::string ImportQuestion(std::size_t selectedImportable, std::size_t selected) {
  std::string question = "Add " + std::to_string(selectedImportable) + " songs to the database?";
  if (selected > selectedImportable) {
    question += "\r\n" + std::to_string(selected - selectedImportable) +
                " of the selected songs cannot be added.";
  }
  return question;
}

std::optional<std::size_t> ImportSelectedItems(const std::vector<tExplorerItem>& items,
                                               tCatalogue& catalogue, UserInteraction& user,
                                               std::string& countText) {
  const tListSelectionCounts counts = CountListSelection(items);
  if (counts.selectedImportable == 0) return std::nullopt;
  if (user.ShowMessage(MessageKind::Information,
                       ImportQuestion(counts.selectedImportable, counts.selected),
                       {Button::Yes, Button::No}) != Button::Yes) {
    return std::nullopt;
  }
  std::vector<tSongRecord> records;
  for (const tExplorerItem& item : items) {
    if (!item.selected || !item.Importable() || item.record.IsEmpty()) continue;
    if (catalogue.Songs().ContainsFileName(item.record)) continue;
    records.push_back(item.record);
    countText = std::to_string(records.size());
    if (!user.Progress(static_cast<std::int64_t>(records.size()), countText)) break;
  }
  // The catalogue re-sorts, sets the modified flag only when a song was added (never clears
  // it) and gives every song without an ID code one.
  return catalogue.Import(records);
}

const tExplorerItem* ItemToPlay(const std::vector<tExplorerItem>& items,
                                std::optional<std::size_t> position) {
  const tExplorerItem* item = nullptr;
  if (position && *position < items.size() && items[*position].selected) {
    item = &items[*position];
  } else {
    const auto found =
        std::find_if(items.begin(), items.end(), [](const tExplorerItem& i) { return i.selected; });
    if (found != items.end()) item = &*found;
  }
  return item != nullptr && item->hasRecord ? item : nullptr;
}

void MarkCatalogueItems(std::vector<tExplorerItem>& items, const tCatalogue& catalogue) {
  for (tExplorerItem& item : items) {
    if (item.hasRecord) {
      item.picture = ExplorerPicture(item.record, catalogue.Songs().ContainsFileName(item.record));
    }
  }
}

}  // namespace tunedex
