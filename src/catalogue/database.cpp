// SPDX-License-Identifier: GPL-3.0-or-later
#include "database.h"

#include <algorithm>
#include <cstring>
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

// Collects songs from a stream of file bytes in any piece sizes.
class DatabaseReader {
 public:
  DatabaseReader(tSongList& list, UserInteraction& user) : m_list(list), m_user(user) {}

  // Takes the next bytes of the file; false once the rest of the file no longer matters (it
  // is not a catalogue), so that reading stops there.
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
      m_legacy.insert(m_legacy.end(), data, data + size);
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
      m_result =
          ImportVersion1(m_list, m_legacy, m_user) ? LoadResult::Loaded : LoadResult::NotImported;
      if (m_result == LoadResult::NotImported) m_list.DestroySongs();
    }
    return m_result;
  }

 private:
  enum class State { Header, Records, Legacy, Done };

  void DecideFormat() {
    m_state = State::Done;
    if (StartsWith(m_header, kDatabaseMagic) && m_header.size() == kHeaderSize) {
      m_list.SetSortOrder(static_cast<std::int8_t>(m_header[kDatabaseMagic.size()]));
      m_state = State::Records;
      m_result = LoadResult::Loaded;
    } else if (StartsWith(m_header, kDatabaseMagic)) {
      // Only the magic, no sort byte: an empty catalogue; the sort code stays as it was.
      m_result = LoadResult::Loaded;
    } else if (StartsWith(m_header, kLegacyDatabaseMagic)) {
      // The byte after the magic is the first of the version-1.0 part.
      m_state = State::Legacy;
      m_legacy.assign(m_header.begin() + kLegacyDatabaseMagic.size(), m_header.end());
    } else {
      m_user.ShowError(kInvalidDataFileMessage);
      m_result = LoadResult::InvalidFile;
    }
  }

  void TakeRecord(std::span<const std::uint8_t, tSongRecord::kSize> bytes) {
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
  State m_state = State::Header;
  LoadResult m_result = LoadResult::InvalidFile;
  std::vector<std::uint8_t> m_header;
  std::vector<std::uint8_t> m_partial;
  std::vector<std::uint8_t> m_legacy;
};

}  // namespace

LoadResult LoadDatabase(tSongList& list, const std::string& path, UserInteraction& user) {
  list.DestroySongs();
  DatabaseReader reader(list, user);
  try {
    ReadFileInChunks(
        path, kChunkRecords * tSongRecord::kSize,
        [&](const std::uint8_t* data, std::size_t size) { return reader.Consume(data, size); },
        [&](std::uint64_t size) { list.Reserve(size / tSongRecord::kSize + 1); });
  } catch (const FileError&) {
    list.DestroySongs();
    throw;
  }
  return reader.Finish();
}

LoadResult LoadDatabaseBytes(tSongList& list, std::span<const std::uint8_t> bytes,
                             UserInteraction& user) {
  list.DestroySongs();
  DatabaseReader reader(list, user);
  reader.Consume(bytes.data(), bytes.size());
  return reader.Finish();
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
