// SPDX-License-Identifier: GPL-3.0-or-later
#include "song/unknownnames.h"

namespace tunedex {

void FillUnknownTitleAndArtist(tSongRecord& record, std::string_view name) {
  if (record.RawText(TextField::Title).empty()) record.SetRawText(TextField::Title, "?");
  if (record.RawText(TextField::Artist).empty()) record.SetRawText(TextField::Artist, "?");
  if (record.RawText(TextField::Artist) == "?" && record.RawText(TextField::Title) == "?") {
    record.SetRawText(TextField::Title, name);
  }
}

}  // namespace tunedex
