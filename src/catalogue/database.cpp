// SPDX-License-Identifier: GPL-3.0-or-later
#include "database.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/legacyimport.h"
#include "common/fileio.h"

namespace tunedex {
namespace {

constexpr std::size_t kHeaderSize = kDatabaseMagic.size() + 1;
constexpr std::size_t kChunkRecords = 1024;  // records read from disk at a time

bool StartsWith(std::span<const std::uint8_t> bytes, std::string_view magic) {
  return bytes.size() >= magic.size() && std::memcmp(bytes.data(), magic.data(), magic.size()) == 0;
}

// Records in a file of the given size after a header of headerSize bytes, a short last one
// counted.
std::uint64_t RecordsInFile(std::uint64_t fileSize, std::uint64_t headerSize,
                            std::uint64_t recordSize) {
  return fileSize <= headerSize ? 0 : (fileSize - headerSize + recordSize - 1) / recordSize;
}

// Collects songs from a stream of file bytes in any piece sizes.
class DatabaseReader {
 public:
  DatabaseReader(tSongList& list, UserInteraction& user, std::string path)
      : m_list(list), m_user(user), m_path(std::move(path)), m_legacy(list, user) {}

  void SizeKnown(std::uint64_t size) { m_fileSize = size; }

  // Takes the next bytes of the file; false once the rest of the file no longer matters (it
  // is not a catalogue, or its import was cancelled), so that reading stops there. Throws
  // FileError when the catalogue is larger than the program reads.
  bool Consume(const std::uint8_t* data, std::size_t size) {
    if (m_state == State::Header) {
      const std::size_t take = std::min(size, kHeaderSize - m_header.size());
      m_header.insert(m_header.end(), data, data + take);
      data += take;
      size -= take;
      if (m_header.size() < kHeaderSize && size == 0) return true;
      DecideFormat();
    }
    if (m_state == State::Legacy) {
      m_legacy.Consume(data, size);
      CheckSongCount(m_legacy.RecordCount());
      return true;
    }
    if (m_state != State::Records) return false;
    while (size > 0) {
      if (m_partial.empty() && size >= tSongRecord::kSize) {
        TakeRecord(std::span<const std::uint8_t, tSongRecord::kSize>(data, tSongRecord::kSize));
        data += tSongRecord::kSize;
        size -= tSongRecord::kSize;
        continue;
      }
      const std::size_t take = std::min(size, tSongRecord::kSize - m_partial.size());
      m_partial.insert(m_partial.end(), data, data + take);
      data += take;
      size -= take;
      if (m_partial.size() == tSongRecord::kSize) TakePartialRecord();
    }
    return true;
  }

  LoadResult Finish() {
    if (m_state == State::Header) DecideFormat();
    if (m_state == State::Records && !m_partial.empty()) TakePartialRecord();
    if (m_state == State::Legacy) {
      m_legacy.Finish();
      CheckSongCount(m_legacy.RecordCount());
    }
    return m_result;
  }

 private:
  enum class State { Header, Records, Legacy, Done };

  void DecideFormat() {
    m_state = State::Done;
    if (StartsWith(m_header, kDatabaseMagic) && m_header.size() == kHeaderSize) {
      CheckSongCount(RecordsInFile(m_fileSize, kHeaderSize, tSongRecord::kSize));
      m_list.SetSortOrder(static_cast<std::int8_t>(m_header[kDatabaseMagic.size()]));
      m_list.Reserve(
          static_cast<std::size_t>(RecordsInFile(m_fileSize, kHeaderSize, tSongRecord::kSize)));
      m_state = State::Records;
      m_result = LoadResult::Loaded;
    } else if (StartsWith(m_header, kDatabaseMagic)) {
      // Only the magic, no sort byte: an empty catalogue; the sort code stays as it was.
      m_result = LoadResult::Loaded;
    } else if (StartsWith(m_header, kLegacyDatabaseMagic)) {
      // The byte after the magic (the sort code) is the first of the version-1.0 part.
      CheckSongCount(RecordsInFile(m_fileSize, kHeaderSize, kVersion1RecordSize));
      if (!m_legacy.Ask()) {
        m_result = LoadResult::NotImported;
        return;
      }
      m_state = State::Legacy;
      m_result = LoadResult::Loaded;
      m_legacy.Consume(m_header.data() + kLegacyDatabaseMagic.size(),
                       m_header.size() - kLegacyDatabaseMagic.size());
    } else {
      m_user.ShowError(kInvalidDataFileMessage);
      m_result = LoadResult::InvalidFile;
    }
  }

  // Refuses a catalogue of more songs than the program reads, whether its size said so at
  // the start or it grew while being read.
  void CheckSongCount(std::uint64_t records) const {
    if (records <= kMaxCatalogueSongs) return;
    throw FileError("Cannot open", m_path,
                    "the file is too large for a catalogue (" + std::to_string(records) +
                        " songs; at most " + std::to_string(kMaxCatalogueSongs) + ")",
                    EFBIG);
  }

  void TakeRecord(std::span<const std::uint8_t, tSongRecord::kSize> bytes) {
    CheckSongCount(++m_records);
    if (!tSongRecord::IsEmptyRecord(bytes)) m_list.Add(std::make_unique<tSong>(bytes));
  }

  // The record gathered across pieces; a short last one is padded with zero bytes.
  void TakePartialRecord() {
    m_partial.resize(tSongRecord::kSize, 0);
    TakeRecord(
        std::span<const std::uint8_t, tSongRecord::kSize>(m_partial.data(), tSongRecord::kSize));
    m_partial.clear();
  }

  tSongList& m_list;
  UserInteraction& m_user;
  std::string m_path;
  std::uint64_t m_fileSize = 0;  // as the file system told it before reading; 0 when not told
  std::uint64_t m_records = 0;
  State m_state = State::Header;
  LoadResult m_result = LoadResult::InvalidFile;
  std::vector<std::uint8_t> m_header;
  std::vector<std::uint8_t> m_partial;
  tVersion1Import m_legacy;
};

}  // namespace

LoadResult LoadDatabase(tSongList& list, const std::string& path, UserInteraction& user) {
  list.DestroySongs();
  DatabaseReader reader(list, user, path);
  try {
    ReadFileInChunks(
        path, kChunkRecords * tSongRecord::kSize,
        [&](const std::uint8_t* data, std::size_t size) { return reader.Consume(data, size); },
        [&](std::uint64_t size) { reader.SizeKnown(size); });
    const LoadResult result = reader.Finish();
    if (result != LoadResult::Loaded) list.DestroySongs();
    return result;
  } catch (const FileError&) {
    list.DestroySongs();
    throw;
  } catch (const std::bad_alloc&) {
    list.DestroySongs();
    throw FileError("Cannot open", path, std::strerror(ENOMEM), ENOMEM);
  }
}

LoadResult LoadDatabaseBytes(tSongList& list, std::span<const std::uint8_t> bytes,
                             UserInteraction& user) {
  list.DestroySongs();
  DatabaseReader reader(list, user, "");
  reader.SizeKnown(bytes.size());
  reader.Consume(bytes.data(), bytes.size());
  const LoadResult result = reader.Finish();
  if (result != LoadResult::Loaded) list.DestroySongs();
  return result;
}

std::string DatabaseBytes(const tSongList& list) {
  std::string bytes;
  bytes.reserve(kHeaderSize + list.Count() * tSongRecord::kSize);
  bytes.append(kDatabaseMagic);
  bytes.push_back(static_cast<char>(list.SortOrder()));
  for (const tSong* song : list) {
    const tSongRecord::Bytes& record = song->Record().RawBytes();
    bytes.append(reinterpret_cast<const char*>(record.data()), record.size());
  }
  return bytes;
}

void SaveDatabase(const tSongList& list, const std::string& path) {
  WriteFileAtomically(path, DatabaseBytes(list));
}

}  // namespace tunedex
