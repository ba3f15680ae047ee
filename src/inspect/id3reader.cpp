// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/id3reader.h"

#include <algorithm>
#include <charconv>

#include "common/textcase.h"
#include "song/songtype.h"

namespace tunedex {
namespace {

constexpr std::size_t kId3v1Size = kId3v1TagSize;

Bytes Id3v1Tag(Bytes file) {
  return file.size() <= kId3v1Size ? file : file.subspan(file.size() - kId3v1Size);
}

// 1-based field positions within the ID3v1 tag.
struct Id3v1Field {
  std::size_t first;
  std::size_t length;
  const char* label;
};

constexpr Id3v1Field kTitle{4, 30, "Title"};
constexpr Id3v1Field kArtist{34, 30, "Artist"};
constexpr Id3v1Field kFields[] = {
    kTitle, kArtist, {64, 30, "Album"}, {94, 4, "Year"}, {98, 30, "Comments"}};

std::string FieldText(Bytes tag, const Id3v1Field& field) {
  return AsText(Slice(tag, field.first - 1, field.length));
}

std::string Id3v1RecordText(Bytes tag, const Id3v1Field& field) {
  return TrimControls(ProperCase(UpToZero(FieldText(tag, field))));
}

std::string TrimZeroBytes(std::string_view text) {
  const std::size_t first = text.find_first_not_of('\0');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of('\0') - first + 1));
}

// The TCON text as a genre name: the text after the first ")" or, for "(n)", the name of n.
std::string GenreText(const std::string& text) {
  const std::size_t close = text.find(')');
  if (close == std::string::npos || close + 1 < text.size()) {
    return close == std::string::npos ? text : text.substr(close + 1);
  }
  int code = -1;
  const std::string number = close >= 1 ? text.substr(1, close - 1) : std::string();
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), code);
  if (error != std::errc() || end != number.data() + number.size()) code = -1;
  return (code >= 0 && code < 148) ? std::string(GenreName(static_cast<unsigned>(code))) : "";
}

}  // namespace

bool ReadId3v1Info(Bytes file, InfoLines& lines) {
  const Bytes tag = Id3v1Tag(file);
  if (!StartsWith(tag, "TAG")) return false;
  lines.push_back("MP3 (ID3v1) MUSIC FILE");
  for (const Id3v1Field& field : kFields) {
    const std::string text = TrimControls(FieldText(tag, field));
    if (!text.empty()) lines.push_back(std::string(field.label) + ": " + UpToZero(text));
  }
  if (!tag.empty() && tag.back() < 148) {
    lines.push_back("Genre: " + std::string(GenreName(tag.back())));
  }
  return true;
}

bool ReadId3v1Record(Bytes file, tSongRecord& record) {
  record.SetInternalFormat(kSongTypeMp3);
  const Bytes tag = Id3v1Tag(file);
  if (!StartsWith(tag, "TAG")) return false;
  record.SetRawText(TextField::Title, Id3v1RecordText(tag, kTitle));
  record.SetRawText(TextField::Artist, Id3v1RecordText(tag, kArtist));
  return true;
}

std::uint64_t Id3v2TagEnd(Bytes file) {
  // The size bytes count as base-128 digits, top bits not masked.
  std::uint64_t size = 0;
  for (std::size_t i = 6; i < 10; ++i) size = size * 128 + (i < file.size() ? file[i] : 0);
  return 10 + size;
}

Bytes Id3v2TagArea(Bytes file) {
  // Whether the tag fits the first 4096 bytes read or is read again from the file, the area is
  // the bytes from offset 10 on, as far as the file goes.
  return Slice(file, 10, Id3v2TagEnd(file) - 10);
}

std::string FindFrameText(Bytes area, std::string_view frameId) {
  const auto found =
      std::search(area.begin(), area.end(), frameId.begin(), frameId.end(),
                  [](std::uint8_t byte, char ch) { return byte == static_cast<std::uint8_t>(ch); });
  if (found == area.end()) return {};
  const std::size_t at = static_cast<std::size_t>(found - area.begin());
  const std::size_t length = at + 7 < area.size() ? area[at + 7] : 0;  // the last size byte
  if (length < 2) return {};
  std::string text = TrimZeroBytes(AsText(Slice(area, at + 11, length - 1)));
  if (text.size() >= 2 &&
      ((text[0] == '\xFF' && text[1] == '\xFE') || (text[0] == '\xFE' && text[1] == '\xFF'))) {
    text.erase(0, 2);
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
  }
  return text;
}

bool ReadId3v2Info(Bytes file, InfoLines& lines) {
  const std::size_t firstLine = lines.size();
  const unsigned major = file.size() > 3 ? file[3] : 0;
  const unsigned revision = file.size() > 4 ? file[4] : 0;
  lines.push_back("MP3 (ID3v2." + std::to_string(major) + "." + std::to_string(revision) +
                  ") MUSIC FILE");
  const Bytes area = Id3v2TagArea(file);
  const auto add = [&](const char* label, const std::string& text) {
    if (!text.empty()) lines.push_back(label + text);
  };
  add("Title: ", FindFrameText(area, "TIT2"));
  add("Artist: ", FindFrameText(area, "TPE1"));
  add("Encoder: ", FindFrameText(area, "TENC"));
  add("Link to: ", UpToZero(FindFrameText(area, "WXXX")));
  add("Copyright: ", UpToZero(FindFrameText(area, "TCOP")));
  add("Original Artist: ", UpToZero(FindFrameText(area, "TOPE")));
  add("Composer: ", UpToZero(FindFrameText(area, "TCOM")));
  const std::string genre = UpToZero(FindFrameText(area, "TCON"));
  if (!genre.empty()) add("Genre: ", GenreText(genre));
  const std::string comment = FindFrameText(area, "COMM");
  const std::size_t cut = comment.find_last_of(std::string_view("\0\n", 2));
  add("Comments: ", cut == std::string::npos ? comment : comment.substr(cut + 1));
  add("Year: ", FindFrameText(area, "TYER"));
  if (!FindFrameText(area, "USLT").empty()) lines[firstLine] += " with Lyrics";
  return true;
}

void ReadId3v2Record(Bytes file, tSongRecord& record) {
  record.SetInternalFormat(kSongTypeMp3);
  const Bytes area = Id3v2TagArea(file);
  const auto field = [&](std::string_view frameId) {
    const std::string text = TrimControls(ProperCase(FindFrameText(area, frameId)));
    return text.empty() ? std::string("?") : text;
  };
  record.SetRawText(TextField::Title, field("TIT2"));
  record.SetRawText(TextField::Artist, field("TPE1"));
}

}  // namespace tunedex
