// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/catalogue.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <unordered_set>

#include "catalogue/database.h"
#include "common/fileio.h"

namespace tunedex {

tCatalogue::~tCatalogue() {
  m_observers.clear();
}

void tCatalogue::AddObserver(CatalogueObserver& observer) {
  m_observers.push_back(&observer);
}

void tCatalogue::RemoveObserver(CatalogueObserver& observer) {
  std::erase(m_observers, &observer);
}

void tCatalogue::Notify(CatalogueChange change, const tSong* song, std::size_t count) {
  const CatalogueNotice notice{change, song, count};
  // A copy: an observer may remove itself while it is told.
  const std::vector<CatalogueObserver*> observers = m_observers;
  for (CatalogueObserver* observer : observers) {
    if (std::find(m_observers.begin(), m_observers.end(), observer) != m_observers.end()) {
      observer->CatalogueChanged(notice);
    }
  }
}

void tCatalogue::SetModified(bool modified) {
  if (m_modified == modified) return;
  m_modified = modified;
  Notify(CatalogueChange::Modified);
}

// ---------------------------------------------------------------------------------------------
// The file

void tCatalogue::ReplaceSongs(tSongList& songs) {
  Notify(CatalogueChange::Replacing);
  m_songs.DestroySongs();
  m_songs.Reserve(songs.Count());
  for (tSong* song : songs) m_songs.Add(song);
  songs.Clear();
  m_songs.SetSortOrder(songs.SortOrder());
  Notify(CatalogueChange::Replaced);
}

bool tCatalogue::Open(const std::string& path, UserInteraction& user) {
  // Read into a list of its own first, so that a file that cannot be read or is not a
  // catalogue leaves the open one as it was.
  tSongList loaded(tSongList::Ownership::OwnsSongs);
  try {
    if (LoadDatabase(loaded, path, user) != LoadResult::Loaded) return false;
  } catch (const FileError& error) {
    user.ShowError(error.what());
    return false;
  }
  m_sortCode = loaded.SortOrder();
  ReplaceSongs(loaded);
  m_ids.FillFrom(m_songs);
  SetPath(path, false);
  SetModified(false);
  return true;
}

void tCatalogue::SetPath(const std::string& path, bool isNew) {
  if (m_path == path && m_new == isNew) return;
  m_path = path;
  m_new = isNew;
  Notify(CatalogueChange::PathChanged);
}

void tCatalogue::New() {
  tSongList none(tSongList::Ownership::OwnsSongs);
  none.SetSortOrder(m_songs.SortOrder());
  ReplaceSongs(none);
  SetPath(m_path, true);
  SetModified(false);
}

void tCatalogue::SaveAs(const std::string& path) {
  SaveDatabase(m_songs, path);
  SetPath(path, false);
  SetModified(false);
}

// ---------------------------------------------------------------------------------------------
// Songs

tSong* tCatalogue::Add(const tSongRecord& record) {
  if (m_songs.ContainsFileName(record)) return nullptr;
  m_ids.Reserve(record.IdCode());
  tSong* song = m_songs.Add(std::make_unique<tSong>(record));
  SortSongs();
  Notify(CatalogueChange::Added, song, 1);
  SetModified(true);
  return song;
}

std::size_t tCatalogue::Import(const std::vector<tSongRecord>& records) {
  std::size_t added = 0;
  for (const tSongRecord& record : records) {
    if (record.IsEmpty() || m_songs.ContainsFileName(record)) continue;
    m_ids.Reserve(record.IdCode());
    m_songs.Add(std::make_unique<tSong>(record));
    ++added;
  }
  SortSongs();
  if (added > 0) {
    Notify(CatalogueChange::Added, nullptr, added);
    SetModified(true);
  }
  FillMissingIdCodes();
  return added;
}

void tCatalogue::Remove(const tSong* song) {
  const auto found = std::find(m_songs.begin(), m_songs.end(), song);
  if (found == m_songs.end()) return;
  const auto index = static_cast<std::size_t>(found - m_songs.begin());
  Notify(CatalogueChange::Removing, song);
  m_songs.DestroyAt(index);
  Notify(CatalogueChange::Removed);
  SetModified(true);
}

void tCatalogue::Remove(const std::vector<const tSong*>& songs) {
  const std::unordered_set<const tSong*> leaving(songs.begin(), songs.end());
  std::vector<std::size_t> indexes;
  for (std::size_t i = 0; i < m_songs.Count(); ++i) {
    if (leaving.contains(m_songs[i])) indexes.push_back(i);
  }
  if (indexes.empty()) return;
  for (auto it = indexes.rbegin(); it != indexes.rend(); ++it) {
    Notify(CatalogueChange::Removing, m_songs[*it]);
  }
  for (auto it = indexes.rbegin(); it != indexes.rend(); ++it) m_songs.DestroyAt(*it);
  Notify(CatalogueChange::Removed, nullptr, indexes.size());
  SetModified(true);
}

void tCatalogue::RemoveAll() {
  tSongList none(tSongList::Ownership::OwnsSongs);
  none.SetSortOrder(m_songs.SortOrder());
  ReplaceSongs(none);
  SetModified(true);
}

void tCatalogue::ChangeRecord(tSong& song, const tSongRecord& record) {
  if (song.Record() == record) return;
  song.SetRecord(record);
  m_ids.Reserve(record.IdCode());
  Notify(CatalogueChange::RecordChanged, &song);
  SetModified(true);
}

std::size_t tCatalogue::FillMissingIdCodes() {
  const std::size_t filled = ::tunedex::FillMissingIdCodes(m_songs, m_ids);
  if (filled > 0) SetModified(true);
  return filled;
}

// ---------------------------------------------------------------------------------------------
// Order

void tCatalogue::SortSongs() {
  m_songs.SortBy(m_previousSort);
  m_songs.SortBy(m_sortCode);
}

void tCatalogue::SortBy(int code) {
  if (code != 0) m_previousSort = m_sortCode;
  m_sortCode = std::abs(m_sortCode) != code ? code : -m_sortCode;
  m_songs.SortBy(m_sortCode);
  m_songs.SetSortOrder(static_cast<std::int8_t>(m_sortCode));
  Notify(CatalogueChange::Reordered);
  SetModified(true);
}

void tCatalogue::Resort() {
  SortSongs();
  Notify(CatalogueChange::Reordered);
}

}  // namespace tunedex
