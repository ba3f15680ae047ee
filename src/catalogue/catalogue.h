// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "catalogue/idlist.h"
#include "catalogue/songlist.h"
#include "common/userinteraction.h"

namespace tunedex {

// What changed in the open catalogue.
enum class CatalogueChange {
  Replacing,      // every song is about to be destroyed: drop references to them now
  Replaced,       // the catalogue holds another set of songs (opened, new, emptied)
  Removing,       // notice.song is about to be destroyed: drop references to it now
  Removed,        // a song was removed
  Added,          // notice.count songs were appended (and the songs re-sorted)
  RecordChanged,  // notice.song's record changed; its place in the order did not
  Reordered,      // the songs' order changed
  Modified,       // the unsaved-changes flag changed
  PathChanged,    // the file, or whether it was ever saved, changed
};

struct CatalogueNotice {
  CatalogueChange change;
  const tSong* song = nullptr;
  std::size_t count = 0;
};

// Something that follows the open catalogue: a window's view, a list of playlist items.
class CatalogueObserver {
 public:
  virtual ~CatalogueObserver() = default;
  virtual void CatalogueChanged(const CatalogueNotice& notice) = 0;
};

// The open catalogue, shared by every window: the master song list (which owns the songs), the
// ID codes in use, the catalogue file's path and whether it was ever saved, the unsaved-changes
// flag and the current and previous sort codes. Every change goes through here and is told to
// the observers, in the order they were added, before the call returns.
class tCatalogue {
 public:
  tCatalogue() = default;
  ~tCatalogue();
  tCatalogue(const tCatalogue&) = delete;
  tCatalogue& operator=(const tCatalogue&) = delete;

  void AddObserver(CatalogueObserver& observer);
  void RemoveObserver(CatalogueObserver& observer);

  const tSongList& Songs() const { return m_songs; }
  bool Empty() const { return m_songs.Empty(); }
  tIDList& Ids() { return m_ids; }
  const tIDList& Ids() const { return m_ids; }
  const std::string& Path() const { return m_path; }
  // Never saved under its path: Save asks for a name.
  bool IsNew() const { return m_new; }
  bool Modified() const { return m_modified; }
  int SortCode() const { return m_sortCode; }
  int PreviousSortCode() const { return m_previousSort; }

  // Replaces the songs with the file's and takes its path and sort code; not modified. A file
  // that cannot be read or is not a catalogue leaves everything as it was and returns false; the
  // messages and the question of a version-1.0 import go to user.
  bool Open(const std::string& path, UserInteraction& user);
  // Names the file without reading it; isNew marks one that Save must not write to unasked.
  void SetPath(const std::string& path, bool isNew);
  // An empty catalogue that was never saved. The ID codes stay reserved, as after RemoveAll:
  // songs saved elsewhere may still carry them.
  void New();
  // Writes the songs to path, which becomes the catalogue's file; not modified afterwards.
  // Throws FileError, changing nothing.
  void SaveAs(const std::string& path);

  // Appends a song for the record and re-sorts; null when its file is catalogued already.
  tSong* Add(const tSongRecord& record);
  // Appends a song for each record that is not empty and whose file is not catalogued yet, then
  // re-sorts and gives every song without an ID code one. Returns the number of songs added;
  // they have no language.
  std::size_t Import(const std::vector<tSongRecord>& records);
  void Remove(const tSong* song);
  // Removes many songs at once, the last first: each is told as Removing, then one Removed
  // follows, so that a view is rebuilt once rather than once per song.
  void Remove(const std::vector<const tSong*>& songs);
  void RemoveAll();
  void ChangeRecord(tSong& song, const tSongRecord& record);

  // A sort command for key code (32 to 34): the same key again reverses the direction. The
  // songs are sorted stably, the code becomes the catalogue's sort order, and the previous code
  // is remembered.
  void SortBy(int code);
  // Sorts by the previous and then the current code, so that equal keys keep the previous
  // order (after songs were added or records changed).
  void Resort();
  // Gives every song without an ID code one; returns how many got one.
  std::size_t FillMissingIdCodes();

  void SetModified(bool modified);

 private:
  void Notify(CatalogueChange change, const tSong* song = nullptr, std::size_t count = 0);
  void ReplaceSongs(tSongList& songs);
  void SortSongs();

  tSongList m_songs{tSongList::Ownership::OwnsSongs};
  tIDList m_ids;
  std::string m_path;
  bool m_new = false;
  bool m_modified = false;
  int m_sortCode = 0;
  int m_previousSort = 0;
  std::vector<CatalogueObserver*> m_observers;
};

}  // namespace tunedex
