// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/songimport.h"

#include <memory>

namespace tunedex {

void FillUnknownTitleAndArtist(tSongRecord& record, std::string_view name) {
  if (record.RawText(TextField::Title).empty()) record.SetRawText(TextField::Title, "?");
  if (record.RawText(TextField::Artist).empty()) record.SetRawText(TextField::Artist, "?");
  if (record.RawText(TextField::Artist) == "?" && record.RawText(TextField::Title) == "?") {
    record.SetRawText(TextField::Title, name);
  }
}

std::size_t ImportSongs(tSongList& master, const std::vector<tSongRecord>& records, tIDList& idList,
                        CatalogueState& state) {
  std::size_t added = 0;
  for (const tSongRecord& record : records) {
    if (record.IsEmpty() || master.ContainsFileName(record)) continue;
    master.Add(std::make_unique<tSong>(record));
    ++added;
  }
  master.SortBy(state.previousSort);
  master.SortBy(state.currentSort);
  if (added > 0) state.modified = true;
  if (FillMissingIdCodes(master, idList) > 0) state.modified = true;
  return added;
}

}  // namespace tunedex
