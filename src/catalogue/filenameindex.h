// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tunedex {

class tSong;

// The songs of one list filed under their case-folded file names, so that the duplicate test
// does not walk the list. Songs tell the indexes that hold them when their file name changes
// or when they are destroyed.
class FileNameIndex {
 public:
  FileNameIndex() = default;
  ~FileNameIndex();
  FileNameIndex(const FileNameIndex&) = delete;
  FileNameIndex& operator=(const FileNameIndex&) = delete;

  void Add(tSong* song);
  void Remove(tSong* song);  // one entry of the song
  void Clear();

  // The songs whose file name equals path ignoring case, in no particular order.
  std::vector<tSong*> Find(std::string_view path) const;
  // Whether any song's file name equals path ignoring case (a scan asks this of every file).
  bool Contains(std::string_view path) const;

  // Called by tSong.
  void Refile(tSong* song, std::uint64_t oldKey);
  void ForgetSong(tSong* song);

 private:
  // Calls visit(song) for each song whose file name equals path ignoring case, until it returns
  // true; returns whether it did.
  template <typename Visit>
  bool VisitMatches(std::string_view path, Visit&& visit) const;
  void Erase(std::uint64_t key, tSong* song);

  std::unordered_multimap<std::uint64_t, tSong*> m_songs;
};

}  // namespace tunedex
