// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/legacyimport.h"

#include <algorithm>
#include <array>
#include <memory>

#include "catalogue/songviews.h"
#include "common/fileio.h"
#include "inspect/songfilereader.h"
#include "song/songtype.h"
#include "song/unknownnames.h"

namespace tunedex {
namespace {

struct Version1Field {
  std::size_t offset;
  std::size_t maxLength;
};

constexpr Version1Field kTitle{0, 80}, kArtist{81, 40}, kLanguage{122, 3}, kFileName{126, 123},
    kSecondCode{250, 11}, kIdCode{262, 11}, kNotes{274, 255};

std::string_view TextOf(const std::array<std::uint8_t, kVersion1RecordSize>& record,
                        const Version1Field& field) {
  const std::size_t length = std::min<std::size_t>(record[field.offset], field.maxLength);
  return {reinterpret_cast<const char*>(record.data() + field.offset + 1), length};
}

bool IsEmptyVersion1(const std::array<std::uint8_t, kVersion1RecordSize>& record) {
  for (const Version1Field& field : {kTitle, kArtist, kLanguage, kFileName, kSecondCode, kNotes}) {
    if (record[field.offset] != 0) return false;
  }
  return true;
}

}  // namespace

bool tVersion1Import::Ask() {
  return m_user.ShowMessage(MessageKind::Information, kVersion1ImportQuestion,
                            {Button::Ok, Button::Cancel}) == Button::Ok;
}

void tVersion1Import::Consume(const std::uint8_t* data, std::size_t size) {
  if (size > 0 && !m_sortCodeRead) {
    // Without this byte (a file of the magic alone) the sort code stays as it was.
    m_list.SetSortOrder(static_cast<std::int8_t>(data[0]));
    m_sortCodeRead = true;
    ++data;
    --size;
  }
  while (size > 0) {
    const std::size_t take = std::min(size, kVersion1RecordSize - m_partialSize);
    std::copy(data, data + take, m_partial.begin() + static_cast<std::ptrdiff_t>(m_partialSize));
    m_partialSize += take;
    data += take;
    size -= take;
    if (m_partialSize == kVersion1RecordSize) {
      TakeRecord(m_partial);
      m_partialSize = 0;
    }
  }
}

void tVersion1Import::Finish() {
  if (m_partialSize == 0) return;
  std::fill(m_partial.begin() + static_cast<std::ptrdiff_t>(m_partialSize), m_partial.end(), 0);
  TakeRecord(m_partial);
  m_partialSize = 0;
}

void tVersion1Import::TakeRecord(const std::array<std::uint8_t, kVersion1RecordSize>& buffer) {
  ++m_records;
  if (IsEmptyVersion1(buffer)) return;

  tSongRecord record;
  record.SetRawText(TextField::IdCode, TextOf(buffer, kIdCode));
  record.SetRawText(TextField::Title, TextOf(buffer, kTitle));
  record.SetRawText(TextField::Artist, TextOf(buffer, kArtist));
  record.SetRawText(TextField::Language, TextOf(buffer, kLanguage));
  record.SetRawText(TextField::FileName, TextOf(buffer, kFileName));
  record.SetRawText(TextField::Notes, TextOf(buffer, kNotes));
  record.SetFileType(ExtToSongType(record.FileName()));
  // Version 1.0 catalogues come from Windows: the name follows the last "\" or ":".
  const std::string_view fileName = record.FileName();
  const std::size_t cut = fileName.find_last_of("\\:");
  FillUnknownTitleAndArtist(record,
                            cut == std::string_view::npos ? fileName : fileName.substr(cut + 1));
  const std::string path(record.FileName());
  if (FileExists(path)) {
    tSongRecord scratch;
    ReadSongRecord(path, scratch, m_user);
    record.SetInternalFormat(scratch.InternalFormat());
    record.SetHasLyrics(scratch.HasLyrics());
  }
  m_list.Add(std::make_unique<tSong>(record));
  m_user.Progress(++m_done, path);
}

bool ImportVersion1(tSongList& list, Bytes afterMagic, UserInteraction& user) {
  tVersion1Import import(list, user);
  if (!import.Ask()) return false;
  import.Consume(afterMagic.data(), afterMagic.size());
  import.Finish();
  return true;
}

}  // namespace tunedex
