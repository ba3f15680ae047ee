// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/kfnreader.h"

#include <algorithm>

#include "common/textcase.h"
#include "inspect/id3reader.h"
#include "song/songtype.h"

namespace tunedex {

tKFunHeader::tKFunHeader(Bytes file, int version) {
  std::size_t start = 0;
  if (version == 2) {
    const std::size_t back = ReadLE16(file, file.size() >= 2 ? file.size() - 2 : file.size());
    start = back <= file.size() ? file.size() - back : 0;
  }
  const Bytes block = Slice(file, start, kSize);
  std::copy(block.begin(), block.end(), m_block.begin());
}

std::string tKFunHeader::Text(std::size_t offset) const {
  const auto begin = m_block.begin() + static_cast<std::ptrdiff_t>(offset);
  return std::string(begin, std::find(begin, m_block.end(), std::uint8_t{0}));
}

std::string tKFunHeader::Genre() const {
  const std::uint32_t code = ReadLE32(m_block, 752);
  return code < 148 ? std::string(GenreName(code)) : "Unknown";
}

bool ReadKfnInfo(Bytes file, int version, InfoLines& lines) {
  const tKFunHeader header(file, version);
  lines.push_back(version == 1 ? "KFUN v0.9 karaoke file" : "KFUN v0.92 karaoke file");
  const auto add = [&](const char* label, const std::string& text) {
    if (!text.empty()) lines.push_back(label + text);
  };
  add("Title: ", header.Title());
  add("Artist: ", header.Artist());
  add("Album: ", header.Album());
  add("Track: ", header.Track());
  add("Year: ", header.Year());
  add("Karaoke version: ", header.KaraokeVersion());
  add("Comment: ", header.Comment());
  add("Genre: ", header.Genre());
  add("Language: ", header.Language());
  return true;
}

bool ReadKfnRecord(Bytes file, int version, tSongRecord& record) {
  const tKFunHeader header(file, version);
  if (!header.Title().empty()) record.SetRawText(TextField::Title, ProperCase(header.Title()));
  if (!header.Artist().empty()) record.SetRawText(TextField::Artist, ProperCase(header.Artist()));
  record.SetHasLyrics(true);
  record.SetInternalFormat(kSongTypeKfn);
  return !record.RawText(TextField::Title).empty() || !record.RawText(TextField::Artist).empty();
}

}  // namespace tunedex
