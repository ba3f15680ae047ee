// SPDX-License-Identifier: GPL-3.0-or-later
#include "filenameindex.h"

#include <algorithm>
#include <functional>

#include "catalogue/song.h"
#include "common/textcase.h"

namespace tunedex {
namespace {

void DetachOnce(std::vector<FileNameIndex*>& indexes, FileNameIndex* index) {
  const auto it = std::find(indexes.begin(), indexes.end(), index);
  if (it != indexes.end()) indexes.erase(it);
}

}  // namespace

FileNameIndex::~FileNameIndex() {
  Clear();
}

void FileNameIndex::Add(tSong* song) {
  m_songs.emplace(song->FileNameKey(), song);
  song->m_indexes.push_back(this);
}

void FileNameIndex::Remove(tSong* song) {
  Erase(song->FileNameKey(), song);
  DetachOnce(song->m_indexes, this);
}

void FileNameIndex::Clear() {
  for (auto& [key, song] : m_songs) DetachOnce(song->m_indexes, this);
  m_songs.clear();
}

template <typename Visit>
bool FileNameIndex::VisitMatches(std::string_view path, Visit&& visit) const {
  if (m_songs.empty()) return false;
  const std::string folded = FoldCase(path);
  const auto [first, last] = m_songs.equal_range(std::hash<std::string>{}(folded));
  for (auto it = first; it != last; ++it) {
    // Equal hashes are checked against the names themselves.
    if (FoldCase(it->second->Record().FileName()) == folded && visit(it->second)) return true;
  }
  return false;
}

std::vector<tSong*> FileNameIndex::Find(std::string_view path) const {
  std::vector<tSong*> found;
  VisitMatches(path, [&found](tSong* song) {
    found.push_back(song);
    return false;  // every match
  });
  return found;
}

bool FileNameIndex::Contains(std::string_view path) const {
  return VisitMatches(path, [](tSong*) { return true; });  // the first match is enough
}

void FileNameIndex::Refile(tSong* song, std::uint64_t oldKey) {
  const auto [first, last] = m_songs.equal_range(oldKey);
  std::size_t moved = 0;
  for (auto it = first; it != last;) {
    if (it->second == song) {
      it = m_songs.erase(it);
      ++moved;
    } else {
      ++it;
    }
  }
  for (; moved > 0; --moved) m_songs.emplace(song->FileNameKey(), song);
}

void FileNameIndex::ForgetSong(tSong* song) {
  const std::uint64_t key = song->FileNameKey();
  const auto [first, last] = m_songs.equal_range(key);
  for (auto it = first; it != last;) {
    it = (it->second == song) ? m_songs.erase(it) : std::next(it);
  }
  song->m_indexes.erase(std::remove(song->m_indexes.begin(), song->m_indexes.end(), this),
                        song->m_indexes.end());
}

void FileNameIndex::Erase(std::uint64_t key, tSong* song) {
  const auto [first, last] = m_songs.equal_range(key);
  for (auto it = first; it != last; ++it) {
    if (it->second == song) {
      m_songs.erase(it);
      return;
    }
  }
}

}  // namespace tunedex
