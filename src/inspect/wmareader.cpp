// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/wmareader.h"

#include <array>
#include <charconv>

#include "song/songtype.h"

namespace tunedex {
namespace {

using Guid = std::array<std::uint8_t, 16>;

// ASF object GUIDs as stored: the first three fields little-endian.
constexpr Guid kHeaderObject = {0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                                0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};
constexpr Guid kFileProperties = {0xA1, 0xDC, 0xAB, 0x8C, 0x47, 0xA9, 0xCF, 0x11,
                                  0x8E, 0xE4, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65};
constexpr Guid kStreamProperties = {0x91, 0x07, 0xDC, 0xB7, 0xB7, 0xA9, 0xCF, 0x11,
                                    0x8E, 0xE6, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65};
constexpr Guid kContentDescription = {0x33, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                                      0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};
constexpr Guid kExtendedContentDescription = {0x40, 0xA4, 0xD0, 0xD2, 0x07, 0xE3, 0xD2, 0x11,
                                              0x97, 0xF0, 0x00, 0xA0, 0xC9, 0x5E, 0xA8, 0x50};

// The smallest ASF object: its GUID and its 64-bit size. A smaller size would walk in place.
constexpr std::uint32_t kMinimumObjectSize = 24;
constexpr std::size_t kMaximumTextCharacters = 250;

bool IsGuid(Bytes bytes, const Guid& guid) {
  return bytes.size() == guid.size() && std::equal(guid.begin(), guid.end(), bytes.begin());
}

// A UTF-16LE field: at most 250 characters, each kept as its low byte, zero bytes removed.
std::string ReadTextField(ByteReader& reader, std::size_t length) {
  const Bytes field = reader.Read(length);
  std::string text;
  for (std::size_t i = 0; i < field.size() && i / 2 < kMaximumTextCharacters; i += 2) {
    if (field[i] != 0) text.push_back(static_cast<char>(field[i]));
  }
  return text;
}

std::string Upper(std::string text) {
  for (char& ch : text) {
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 32);
  }
  return text;
}

int TagIndexOfDescriptor(const std::string& name) {
  static const char* const kNames[] = {"WM/TITLE", "WM/AUTHOR", "WM/ALBUMTITLE", "WM/TRACK",
                                       "WM/YEAR",  "WM/GENRE",  "WM/DESCRIPTION"};
  const std::string key = Upper(TrimControls(name));
  for (int i = 0; i < 7; ++i) {
    if (key == kNames[i]) return i + 1;
  }
  return 0;
}

struct WorkingRecord {
  std::uint32_t maxBitRate = 0;
  std::uint16_t channels = 0;
  std::uint32_t sampleRate = 0;
  std::uint32_t bytesPerSecond = 0;
  std::array<std::string, 8> tags;  // 1 title, 2 artist, 3 album, 4 track, 5 year, 6 genre,
                                    // 7 comment
};

void ReadContentDescription(ByteReader& reader, WorkingRecord& work) {
  reader.Skip(4);  // the high half of the object size
  std::uint16_t lengths[5];
  for (std::uint16_t& length : lengths) length = reader.ReadU16();
  static constexpr int kTagOf[5] = {1, 2, 0, 7, 0};  // title, author, copyright, description,
                                                     // rating
  for (int i = 0; i < 5; ++i) {
    if (lengths[i] == 0) continue;
    const std::string text = ReadTextField(reader, lengths[i]);
    if (kTagOf[i] != 0) work.tags[static_cast<std::size_t>(kTagOf[i])] = text;
  }
}

void ReadExtendedContentDescription(ByteReader& reader, WorkingRecord& work) {
  reader.Skip(4);
  const std::uint16_t count = reader.ReadU16();
  for (std::uint16_t i = 0; i < count && !reader.Failed(); ++i) {
    const std::string name = ReadTextField(reader, reader.ReadU16());
    const std::uint16_t type = reader.ReadU16();
    const std::uint16_t length = reader.ReadU16();
    if (type == 0) {
      const std::string value = ReadTextField(reader, length);
      if (const int tag = TagIndexOfDescriptor(name))
        work.tags[static_cast<std::size_t>(tag)] = value;
    } else {
      reader.Skip(length);
    }
  }
}

bool PassesValidityTest(const WorkingRecord& work) {
  return work.maxBitRate >= 1 && work.maxBitRate < 320000 &&
         (work.channels == 1 || work.channels == 2) && work.sampleRate >= 8000 &&
         work.sampleRate <= 96000 && work.bytesPerSecond >= 1 && work.bytesPerSecond < 40000;
}

}  // namespace

std::uint64_t TWMAfile::HeaderExtent(Bytes start) {
  if (!IsGuid(Slice(start, 0, 16), kHeaderObject)) return 0;
  return ReadLE32(start, 16) + (static_cast<std::uint64_t>(ReadLE32(start, 20)) << 32);
}

TWMAfile::ReadResult TWMAfile::ReadFromFile(Bytes file, std::uint64_t fileSize) {
  *this = TWMAfile();
  if (!IsGuid(Slice(file, 0, 16), kHeaderObject)) return ReadResult::NotAsf;

  WorkingRecord work;
  ByteReader reader(file, 16);
  reader.Skip(8);  // header size
  const std::uint32_t objects = reader.ReadU32();
  reader.Skip(2);
  for (std::uint32_t i = 0; i < objects && !reader.Failed(); ++i) {
    const std::size_t start = reader.Position();
    const Bytes guid = reader.Read(16);
    const std::uint32_t size = reader.ReadU32();
    if (reader.Failed()) break;
    if (size < kMinimumObjectSize) return ReadResult::ReadFailure;
    if (IsGuid(guid, kFileProperties)) {
      reader.Skip(80);
      work.maxBitRate = reader.ReadU32();
    } else if (IsGuid(guid, kStreamProperties)) {
      reader.Skip(60);
      work.channels = reader.ReadU16();
      work.sampleRate = reader.ReadU32();
      work.bytesPerSecond = reader.ReadU32();
    } else if (IsGuid(guid, kContentDescription)) {
      ReadContentDescription(reader, work);
    } else if (IsGuid(guid, kExtendedContentDescription)) {
      ReadExtendedContentDescription(reader, work);
    }
    reader.Seek(start + size);
  }
  if (reader.Failed()) return ReadResult::ReadFailure;

  if (PassesValidityTest(work)) {
    Valid = true;
    FileSize = static_cast<std::int32_t>(fileSize);
    Channels = work.channels;
    SampleRate = static_cast<std::int32_t>(work.sampleRate);
    Duration = static_cast<double>(fileSize) * 8 / work.maxBitRate;
    BitRate = static_cast<std::int32_t>(work.bytesPerSecond * 8 / 1000);
    Title = TrimControls(work.tags[1]);
    Artist = TrimControls(work.tags[2]);
    Album = TrimControls(work.tags[3]);
    const std::string track = TrimControls(work.tags[4]);
    const auto [end, error] = std::from_chars(track.data(), track.data() + track.size(), Track);
    if (error != std::errc() || end != track.data() + track.size()) Track = 0;
    Year = TrimControls(work.tags[5]);
    Genre = TrimControls(work.tags[6]);
    Comment = TrimControls(work.tags[7]);
  }
  return ReadResult::Completed;
}

bool ReadWmaInfo(const TWMAfile& wma, InfoLines& lines) {
  lines.push_back("WMA (WINDOWS MEDIA AUDIO) file");
  const auto add = [&](const char* label, const std::string& text) {
    if (!text.empty()) lines.push_back(label + text);
  };
  add("Title: ", wma.Title);
  add("Artist: ", wma.Artist);
  add("Album: ", wma.Album);
  if (wma.Track > 0) add("Track: ", std::to_string(wma.Track));
  add("Year: ", wma.Year);
  add("Comment: ", wma.Comment);
  add("Genre: ", wma.Genre);
  return true;
}

void ReadWmaRecord(const TWMAfile& wma, tSongRecord& record) {
  record.SetInternalFormat(kSongTypeWma);
  record.SetRawText(TextField::Title, wma.Title);
  record.SetRawText(TextField::Artist, wma.Artist);
}

}  // namespace tunedex
