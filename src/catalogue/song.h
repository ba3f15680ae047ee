// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "catalogue/sortkeys.h"
#include "song/songrecord.h"

namespace tunedex {

class FileNameIndex;

// One song: exactly one song record, plus caches derived from it (sort keys, the file-name
// look-up key) that are dropped whenever the record changes.
class tSong {
 public:
  tSong() = default;
  explicit tSong(const tSongRecord& record) : m_record(record) {}
  explicit tSong(std::span<const std::uint8_t, tSongRecord::kSize> bytes) : m_record(bytes) {}
  ~tSong();

  tSong(const tSong&) = delete;
  tSong& operator=(const tSong&) = delete;

  // Songs come from a pool: a catalogue makes and destroys them by the hundred thousand.
  static void* operator new(std::size_t size);
  static void operator delete(void* song, std::size_t size);

  const tSongRecord& Record() const { return m_record; }
  void SetRecord(const tSongRecord& record);

  // Changes the record through a callable taking tSongRecord&, keeping every cache in step.
  template <typename Edit>
  void Modify(Edit&& edit) {
    tSongRecord record = m_record;
    edit(record);
    SetRecord(record);
  }

  // Changes with every edit of any song's record, so caches over many songs can tell that they
  // are stale without watching each song.
  static std::uint64_t EditStamp();

  // The collation key of a field, computed once per field and locale.
  const std::string& CollationKey(SortKey field) const;
  // The hash of the case-folded file name that file-name indexes file the song under.
  std::uint64_t FileNameKey() const;

 private:
  friend class FileNameIndex;

  struct CachedKey {
    std::string key;
    std::uint32_t generation = 0;  // 0: not computed
  };

  tSongRecord m_record;
  mutable std::array<CachedKey, 3> m_sortKeys;
  mutable std::uint64_t m_fileNameKey = 0;
  mutable bool m_fileNameKeyValid = false;
  std::vector<FileNameIndex*> m_indexes;  // indexes that hold this song
};

}  // namespace tunedex
