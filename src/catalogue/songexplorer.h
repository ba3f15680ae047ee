// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/songgridlayout.h"
#include "common/filesystem.h"
#include "common/userinteraction.h"
#include "inspect/songfilereader.h"
#include "players/playercontrol.h"
#include "players/playeroptions.h"
#include "song/songrecord.h"

namespace tunedex {

// The names the Song Explorer lists, matched ignoring case.
const std::vector<std::string>& ExplorerSongPatterns();

// The picture of a listed file: its type's picture for an existing file, or the in-catalogue
// variant beside it (slots 1, 3, 5, 7, 9, 11, 20, 23). Unknown types get the unknown picture.
int ExplorerPicture(const tSongRecord& record, bool inCatalogue);
bool IsInCataloguePicture(int picture);

// One song file of the listed folder.
struct tExplorerItem {
  std::string caption;  // the file name without its folder
  std::string title;
  std::string artist;
  tSongRecord record;      // as read when the folder was listed
  bool hasRecord = false;  // false for a file that could not be read
  int picture = kUnknownTypePicture;
  bool selected = false;

  bool InCatalogue() const { return IsInCataloguePicture(picture); }
  bool Importable() const { return hasRecord && !InCatalogue(); }
};

// Which commands are enabled.
struct tExplorerCommands {
  bool import = false;
  bool deleteFiles = false;
  bool trash = false;
  bool rename = false;
  bool cut = false;
  bool copy = false;
  bool paste = false;
  bool play = false;
  bool selectAll = false;

  friend bool operator==(const tExplorerCommands&, const tExplorerCommands&) = default;
};

// The Song Explorer's rules for its list: listing a folder's song files and reading their
// records a slice at a time (so the window answers events between slices), the status texts,
// the in-catalogue marks, selection and command enabling, sorting by column, importing the
// selected files into the catalogue, playing one and the "Player in Front" choice.
class tSongExplorer : private CatalogueObserver {
 public:
  // Builds a record from a song file; the real one reads the disk (ReadSongRecord).
  using RecordReader = std::function<SongReadStatus(const std::string& path, tSongRecord& record)>;

  struct Services {
    tCatalogue& catalogue;
    FileSystem& files;
    UserInteraction& user;
    tLivePlayerOptions& playerOptions;
    RecordReader readRecord;            // empty: ReadSongRecord over the disk
    tPlayerControl* players = nullptr;  // null: Play does nothing
    // How long listing a folder may take before the folder counts as not answering (a dead
    // network mount); zero waits for ever. The file system must then outlive the program's
    // last call, which may never return.
    std::chrono::milliseconds listBound = {};
  };

  explicit tSongExplorer(Services services);
  ~tSongExplorer() override;
  tSongExplorer(const tSongExplorer&) = delete;
  tSongExplorer& operator=(const tSongExplorer&) = delete;

  // Lists folder (empty for a tree node without a path: the list stays empty) and starts
  // reading its records; a load still running is dropped. A folder that cannot be listed
  // tells the user "Cannot access this folder" and leaves the list empty.
  void ChooseFolder(const std::string& folder);
  // Lists the current folder again, then reselects the remembered position (or the last item).
  void Refresh();
  // Reads up to maxItems further records and adds their items; true while more remain.
  bool LoadSlice(std::size_t maxItems);
  // Reads every remaining record.
  void LoadAll();
  bool Loading() const { return m_next < m_pending.size(); }

  const std::string& Folder() const { return m_folder; }
  std::string PathOf(std::size_t index) const;
  const std::vector<tExplorerItem>& Items() const { return m_items; }
  // Status panel 1 (the folder or file) and panel 2 (position or running number).
  const std::string& StatusText() const { return m_status; }
  const std::string& CountText() const { return m_count; }

  // Selection as the list reports it. MoveTo is the selection moving to another item: it
  // remembers the position and shows the item's path and position.
  void SetSelected(std::size_t index, bool selected);
  void MoveTo(std::size_t index);
  void SelectOnly(std::size_t index);
  void SelectAll();
  std::optional<std::size_t> Position() const { return m_position; }
  std::size_t SelectedCount() const { return m_selected; }
  std::size_t ImportableCount() const { return m_importable; }
  std::size_t SelectedImportableCount() const { return m_selectedImportable; }

  // Whether Paste has something to paste; the clipboard lives with the file operations.
  void SetPasteAvailable(bool available) { m_pasteAvailable = available; }
  tExplorerCommands Commands() const;

  // A click on column 0 (file name), 1 (title) or 2 (artist): the current column again
  // reverses the direction, another keeps it.
  void SortByColumn(int column);
  int SortColumn() const { return m_sortColumn; }
  bool Descending() const { return m_descending; }

  // The question, then the selected importable files appended to the catalogue (which re-sorts
  // and gives them ID codes); returns how many were added.
  std::size_t Import();
  // The file of the item at index was renamed to newName in the same folder: the item takes
  // the name and the record read from the renamed file, and the status shows its path.
  void ItemRenamed(std::size_t index, const std::string& newName);
  // Re-reads every item's in-catalogue mark; done by itself when songs are added to or
  // removed from the catalogue, or a file name changes, anywhere.
  void UpdateMarks();

  void Play(WindowHandle owner);
  bool PlayerInFront() const;
  void SetPlayerInFront(bool inFront);

 private:
  void CatalogueChanged(const CatalogueNotice& notice) override;
  void ResetList();
  void FinishLoad();
  void AddItem(const std::string& name);
  // Reads the item's record from its file; false when the file is gone.
  bool ReadItem(tExplorerItem& item);
  bool InCatalogue(const tSongRecord& record) const;
  bool Before(const tExplorerItem& a, const tExplorerItem& b) const;
  void CountSelection();
  void ShowPosition();

  Services m_services;
  std::string m_folder;
  std::vector<std::string> m_pending;  // the listed names, in order
  std::size_t m_next = 0;              // the next name to read
  std::vector<tExplorerItem> m_items;
  std::string m_status = "Directory";
  std::string m_count = "0/0";
  std::optional<std::size_t> m_position;
  std::optional<std::size_t> m_reselect;  // a position to select when the load ends
  std::size_t m_selected = 0, m_importable = 0, m_selectedImportable = 0;
  bool m_pasteAvailable = false;
  int m_sortColumn = 0;
  bool m_descending = false;
};

}  // namespace tunedex
