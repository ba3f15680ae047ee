// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/st3reader.h"

#include "common/textcase.h"
#include "song/songtype.h"

namespace tunedex {
namespace {

struct St3Field {
  std::size_t offset;
  std::size_t length;
  const char* label;
};

constexpr St3Field kLabelledFields[] = {{20, 48, "Song Title"},      {68, 32, "Lyrics by"},
                                        {132, 32, "Singer"},         {164, 32, "Midi by"},
                                        {196, 32, "Lyric synch by"}, {228, 32, "Description"}};

// A field holds texts separated by runs of zero bytes: the first is the labelled line, each
// further one a line of its own after a tab.
void AddFieldLines(Bytes field, const char* label, InfoLines& lines) {
  std::size_t pos = 1;  // 1-based, as the field is walked
  bool first = true;
  while (field.size() > pos) {
    std::size_t end = pos;
    while (end <= field.size() && field[end - 1] != 0) ++end;
    const std::string text = AsText(field.subspan(pos - 1, end - pos));
    if (first) {
      lines.push_back(std::string(label) + ": " + ProperCase(text));
      first = false;
    } else {
      lines.push_back("\t" + text);
    }
    pos = end;
    while (pos < field.size() && field[pos - 1] == 0) ++pos;
  }
}

std::string TextUpToZero(Bytes file, std::size_t offset, std::size_t length) {
  return UpToZero(AsText(Slice(file, offset, length)));
}

}  // namespace

bool ReadSt3Info(Bytes head, InfoLines& lines) {
  const std::string type = TrimControls(AsText(Slice(head, 0, 16)));
  if (!type.empty()) lines.push_back("Filetype: " + type);
  for (const St3Field& field : kLabelledFields) {
    const Bytes bytes = Slice(head, field.offset, field.length);
    if (!bytes.empty()) AddFieldLines(bytes, field.label, lines);
  }
  return true;
}

bool ReadSt3Record(Bytes file, tSongRecord& record) {
  if (file.size() <= kMinimumStarDataSize) return false;
  const Bytes header = Slice(file, 0, kMinimumStarDataSize);
  const std::string title = TextUpToZero(header, 20, 48);
  const std::string singer = TextUpToZero(header, 132, 32);
  if (!title.empty()) record.SetRawText(TextField::Title, ProperCase(title));
  if (!singer.empty()) record.SetRawText(TextField::Artist, ProperCase(singer));
  record.SetHasLyrics(true);
  record.SetInternalFormat(kSongTypeSt3);
  return !record.RawText(TextField::Title).empty() || !record.RawText(TextField::Artist).empty();
}

}  // namespace tunedex
