// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "catalogue/song.h"
#include "catalogue/sortkeys.h"

namespace tunedex {

class FileNameIndex;

// An ordered list of song references. The catalogue's master list owns its songs; a view list
// only refers to songs that the master list owns.
class tSongList {
 public:
  enum class Ownership { References, OwnsSongs };

  explicit tSongList(Ownership ownership = Ownership::References);
  ~tSongList();
  tSongList(const tSongList&) = delete;
  tSongList& operator=(const tSongList&) = delete;

  // Appends a song; an owning list takes ownership of it.
  void Add(tSong* song);
  tSong* Add(std::unique_ptr<tSong> song);
  // Drops the reference at index; the song of an owning list is then the caller's.
  void RemoveAt(std::size_t index);
  // Drops the reference at index and destroys the song (owning lists).
  void DestroyAt(std::size_t index);
  // Drops every reference.
  void Clear();
  // Destroys every song, last to first, and empties the list (owning lists).
  void DestroySongs();

  std::size_t Count() const { return m_items.size(); }
  bool Empty() const { return m_items.empty(); }
  tSong* Item(std::size_t index) const { return m_items.at(index); }
  tSong* operator[](std::size_t index) const { return m_items[index]; }
  auto begin() const { return m_items.begin(); }
  auto end() const { return m_items.end(); }
  void Reserve(std::size_t count) { m_items.reserve(count); }

  // Changes whenever songs are added, removed or reordered.
  std::uint64_t Version() const { return m_version; }

  std::int8_t SortOrder() const { return m_sortOrder; }
  void SetSortOrder(std::int8_t code) { m_sortOrder = code; }

  // Look-ups by file name, ignoring case. They consult an index kept in step with the list.
  int IndexOfFileName(const tSongRecord& record) const;
  bool ContainsFileName(const tSongRecord& record) const;
  tSong* FindByFileName(const tSongRecord& record) const;
  // An empty path finds none.
  tSong* FindByFileName(std::string_view path) const;

  // Orders the list by a sort code, stably: songs with equal keys keep their relative order, in
  // both directions. Codes other than +-32..34 and lists of fewer than two songs stay as they are.
  // SortOrder is left unchanged.
  void SortBy(int code);

 private:
  const FileNameIndex& Index() const;
  std::vector<tSong*> Matches(std::string_view path) const;
  int FirstPositionOf(const std::vector<tSong*>& songs) const;

  std::vector<tSong*> m_items;
  Ownership m_ownership;
  std::int8_t m_sortOrder = 0;
  std::uint64_t m_version = 0;
  mutable std::unique_ptr<FileNameIndex> m_index;  // built at the first look-up
};

}  // namespace tunedex
