// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "catalogue/catalogue.h"
#include "common/clock.h"
#include "common/filesystem.h"
#include "common/userinteraction.h"
#include "players/desktop.h"
#include "players/playeroptions.h"
#include "playlist/playlistfile.h"
#include "playlist/playlistitem.h"
#include "playlist/playlistviews.h"

namespace tunedex {

// The item editor's mode for adding; a row index opens it for changing that row.
inline constexpr int kAddMode = -2;

// What the window's controls show: enabled, checked. Each toolbar button and its menu item
// share one flag.
struct PlaylistControls {
  bool open = true;
  bool saveListAs = true;
  bool saveList = false;
  bool clearList = false;
  bool changeItem = false;
  bool addItem = false;
  bool deleteItem = false;
  bool correctSinger = false;
  bool checkAvailability = false;
  bool playOne = false;
  bool songDetails = false;
  bool activate = false;
  bool setStarting = false;
  bool run = false;
  bool quickStart = false;
  bool showFullList = false;
  bool restoreFullList = false;
  bool reset = false;
  bool moveUp = false;
  bool selectPrevious = false;
  bool moveDown = false;
  bool selectNext = false;
  bool showAudience = false;
  bool restoreAudience = false;
  bool playerInFront = true;
  bool playerInFrontChecked = false;
  friend bool operator==(const PlaylistControls&, const PlaylistControls&) = default;
};

// One displayed row: number (from 1), the song's title, the singer or "?"; mark 0 blank, 1 the
// starting item not yet played, 2 the current item otherwise.
struct PlaylistRow {
  std::string number;
  std::string title;
  std::string singer;
  int mark = 0;
  friend bool operator==(const PlaylistRow&, const PlaylistRow&) = default;
};

// Who asked to play: Playlist Central itself, or the audience view's play command.
enum class PlayRequester { Central, Audience };

// Playlist Central's logic: the item list in running order, the playlist files, the run, and
// what every control shows. The window shows it and forwards events; the audience view and the
// full list view are driven through PlaylistViews, whose commands stay disabled until the
// window program says the views exist.
class tPlaylistCentral {
 public:
  struct Services {
    tCatalogue& catalogue;
    // The songs the catalogue window shows; Add and Clear need at least one.
    std::function<std::size_t()> viewSongCount;
    UserInteraction& user;
    FileSystem& files;
    Sleeper& sleeper;
    ProgramStarter& programs;  // the desktop's default application for a type
    tLivePlayerOptions& players;
    PlaylistCentralHost& host;
    PlaylistViews& views;
  };

  // Opens on the catalogue's active playlist: loads it, selects row 0.
  explicit tPlaylistCentral(Services services);
  tPlaylistCentral(const tPlaylistCentral&) = delete;
  tPlaylistCentral& operator=(const tPlaylistCentral&) = delete;

  // State.
  tPlayList& Items() { return m_items; }
  const tPlayList& Items() const { return m_items; }
  RunState State() const { return m_state; }
  int SelectedRow() const { return m_sel; }
  int CurrentIndex() const;
  int StartingIndex() const { return m_startIndex; }
  const tPlayListItem* CurrentItem() const { return m_current; }
  const std::string& ActivePlayList() const { return m_active; }
  const std::string& CurrentPlayListFile() const { return m_file; }
  bool IsActive() const { return m_file == m_active; }
  bool PlayerInFront() const { return m_playerInFront; }
  bool EditorOpen() const { return m_editorOpen; }
  bool AudienceOpen() const { return m_audienceOpen; }
  bool FullListOpen() const { return m_fullListOpen; }

  // Display.
  std::string Caption() const;
  std::size_t RowCount() const { return m_items.Count(); }
  PlaylistRow Row(std::size_t index) const;
  // The first status panel: "No items", the loaded file's full name, or the selected song's
  // file name shortened to maxWidth by measure (pixels of a text).
  std::string StatusPanel1(int maxWidth, const std::function<int(std::string_view)>& measure) const;
  std::string StatusPanel2() const;
  // The list's hint: the selected song's file name without its folder.
  std::string ListHint() const;
  PlaylistControls Controls() const;

  // Events of the window.
  void SelectRow(int row);
  // The window program creates the audience and full list views; until then their commands are
  // disabled.
  void SetViewsAvailable(bool available);
  void EditorClosed();
  void AudienceClosed();
  void FullListClosed();

  // What the other playlist windows call.
  void FillItemList();
  void AdjustRunState();
  void UpdateControls();
  void UpdateAudience();
  void ChangeRow(int row);
  void PlayCurrentItem(PlayRequester requester);

  // Commands; each does nothing while its control is disabled.
  void Open();
  // Open without the dialog: a playlist named from outside (the command line, a second copy).
  void OpenFile(const std::string& path);
  void ClearList();
  void Save();
  void SaveListAs();
  void ActivatePlaylist();
  void AddItem();
  void ChangeItem();
  void DeleteItem();
  void MoveUp();
  void MoveDown();
  void SelectPrevious();
  void SelectNext();
  void CorrectSingerName();
  void PlayOneSongOnly();
  void SetStartingItem();
  void RunPlaylist();
  void QuickStart();
  void Reset();
  void TogglePlayerInFront();
  void ShowAudienceView();
  void RestoreAudienceView();
  void ShowFullList();
  void RestoreFullList();
  void SongDetails();
  // Returns true when every song file and player is available.
  bool CheckAvailability();
  // Shows the catalogue window, closes the player and the views, saves the list to the
  // current playlist file. The window writes its settings (playlistcentralsettings.h).
  void Close();
  // The switch-back: the views that are open come forward after Playlist Central.
  void SwitchBack();

 private:
  const tSong* SelectedSong() const;
  void RefreshViews();
  void LoadFile(const std::string& path);
  void SaveTo(const std::string& path);
  FileDialogRequest DialogRequest(const std::string& title, const std::string& path) const;
  bool Running() const { return m_state != RunState::Idle; }
  int RowOfCurrent() const;

  Services m_s;
  tPlayList m_items;
  std::string m_active;
  std::string m_file;
  std::string m_openDialogPath;
  std::string m_saveDialogPath;
  std::string m_loadedPanelText;  // shown in panel 1 after a load until the selection changes
  RunState m_state = RunState::Idle;
  const tPlayListItem* m_current = nullptr;
  int m_curIndex = -1;
  int m_startIndex = -1;
  int m_sel = -1;
  bool m_playerInFront = false;
  bool m_viewsAvailable = false;
  bool m_editorOpen = false;
  bool m_audienceOpen = false;
  bool m_fullListOpen = false;
};

}  // namespace tunedex
