// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "catalogue/customfilter.h"
#include "catalogue/customlanguage.h"
#include "catalogue/idlist.h"
#include "catalogue/mainsettings.h"
#include "catalogue/recordeditor.h"
#include "catalogue/songgridlayout.h"
#include "catalogue/songlist.h"
#include "catalogue/songviews.h"
#include "common/userinteraction.h"
#include "players/playeroptions.h"

namespace tunedex {

class tPlayerControl;

// Command tags of "Full Song &Details..." and the edit commands.
inline constexpr int kFullDetailsTag = 48;
inline constexpr int kEditSongTag = 49;

// Every command of the catalogue window, shared by its menus, toolbar and context menus.
enum class Command {
  OpenDatabase,
  NewDatabase,
  Save,
  SaveAs,
  SaveSelection,
  SongExplorer,
  ScanForSongs,
  PrintPreview,
  Exit,
  FullSongDetails,
  EditSong,
  AddSong,
  DeleteSong,
  DeleteAllSongs,
  FillMissingIdCodes,
  LostFiles,
  PlaySong,
  PlaylistCentral,
  Players,
  CustomLanguage,
  ViewAll,
  ViewCustomLanguage,
  ViewEnglish,
  ViewOtherLanguages,
  ViewNewSongs,
  ViewFiltered,
  Selection,
  SortMenus,
  FindBox,
  FindNext,
  FirstSong,
  PreviousSong,
  NextSong,
  LastSong,
};

// The keys the window sees before the focused control.
enum class WindowKey {
  Home,
  End,
  Up,
  Down,
  Left,
  Right,
  PageUp,
  PageDown,
  Backspace,
  Delete,
  F9,
  Enter,
  Escape,
  Clear,
  Other
};
enum KeyModifier : int { kNoModifier = 0, kAlt = 1, kCtrl = 2 };

inline constexpr std::string_view kApplicationTitle = "Tunedex - ver. E1.21";
inline constexpr int kMainHelpTopic = 1500;

// What the window needs from outside its lists: the user, the dialogs it opens and the player.
struct CatalogueServices {
  UserInteraction& user;
  // The song record editor: true when it closed with OK and something changed.
  std::function<bool(tSongRecord& record, int mode, std::string& lastFolder)> showSongRecord = {};
  // The Player Options dialog.
  std::function<void()> showPlayerOptions = {};
  // The filter dialog on the window's filter: true for OK. Apply runs applyFilter.
  std::function<bool(tCustomFilterRec& filter, const std::function<void()>& apply)> showFilter = {};
  std::function<void()> beep = {};
  // Windows of later parts of the program; a command whose window is absent is disabled.
  std::function<void()> showSongExplorer = {}, showScanWizard = {}, showLostFiles = {},
                        showPrintPreview = {}, showPlaylistCentral = {};
  tPlayerControl* players = nullptr;
  std::uint64_t windowHandle = 0;
};

// The catalogue window's state and rules, apart from its widgets: the master and view lists,
// the ID list, the database file, views, sorting, the find box and type-ahead, the grid's
// current and top row, the commands and when they are enabled. Widgets show this state and
// forward events; after each call they read it back.
class tCatalogueWindow {
 public:
  explicit tCatalogueWindow(CatalogueServices services);
  ~tCatalogueWindow();

  // The player control and the window handle it knows the catalogue window by.
  void SetPlayerControl(tPlayerControl* players, std::uint64_t windowHandle) {
    m_services.players = players;
    m_services.windowHandle = windowHandle;
  }

  // Start-up: settings read, the last database loaded, the view built.
  void Start(const tIniFile& ini);
  // The settings to write at shutdown, with the grid's stored column widths.
  void WriteSettings(tIniFile& ini, const std::array<int, 3>& storedColumns);

  // Closing the window: false keeps it open.
  bool CloseQuery();
  // Asks to keep unsaved changes: true goes on, false stays.
  bool KeepUnsavedChanges();

  // Commands.
  bool Enabled(Command command) const;
  void Run(Command command, int tag = 0);
  void OpenDatabase();
  void NewDatabase();
  bool Save();
  bool SaveAs();
  void SaveSelection();
  void AddSong();
  void ShowCurrentSong(int tag);
  void DeleteSong();
  void DeleteAllSongs();
  void FillMissingIdCodes();
  void PlayCurrentSong();
  void PlaylistCentral();
  void Players();

  // Views and sorting.
  void ChooseView(int mode);
  void RebuildView();
  void SetSort(int code);
  void Resort(bool modified);
  void ApplyCustomLanguage();
  void ChooseCustomLanguage(const CustomLanguageChoice& choice);

  // The find box.
  void FindTextChanged(std::string_view text);
  void FindNext();
  // The grid's type-ahead: one typed character (UTF-8).
  void TypeAhead(std::string_view character);
  // A key seen by the window; true when the focused control should also handle it.
  bool HandleKey(WindowKey key, int modifiers);

  // The grid.
  std::size_t RowCount() const { return m_view.Empty() ? 1 : m_view.Count(); }
  int CurrentRow() const { return m_currentRow; }
  int TopRow() const { return m_topRow; }
  void SelectRow(int row);
  void SetTopRow(int row);
  void SetVisibleRows(int rows) { m_visibleRows = rows < 1 ? 1 : rows; }
  int VisibleRows() const { return m_visibleRows; }
  void MouseDownOnGrid() { m_typeAhead.clear(); }
  // The song of a row, or null for the empty row.
  const tSong* SongAt(int row) const;
  const tSong* CurrentSong() const { return SongAt(m_currentRow); }
  tGridColumns& Columns() { return m_columns; }

  // State for the widgets.
  const tSongList& Master() const { return m_master; }
  tSongList& Master() { return m_master; }
  tSongList& View() { return m_view; }
  const tSongList& View() const { return m_view; }
  tIDList& IdList() { return m_ids; }
  const std::string& DatabasePath() const { return m_settings.databasePath; }
  bool NewDatabaseFlag() const { return m_newDatabase; }
  bool Modified() const { return m_modified; }
  void SetModified(bool modified);
  int ViewMode() const { return m_viewMode; }
  int SortCode() const { return m_sortCode; }
  int PreviousSortCode() const { return m_previousSort; }
  const std::string& TypeAheadBuffer() const { return m_typeAhead; }
  const std::string& FindText() const { return m_findText; }
  tMainSettings& Settings() { return m_settings; }
  const tMainSettings& Settings() const { return m_settings; }
  tDisplayOptions& Display() { return m_settings.display; }
  const tCustomLanguage& CustomLanguage() const { return m_settings.customLanguage; }
  tCustomFilterRec& Filter() { return m_filter; }
  tLivePlayerOptions& PlayerOptions() { return m_playerOptions; }
  bool playerInFront = false;        // "&Player in Front"
  bool enableSwitchToPlugin = true;  // "&Enable switch to plugin"

  std::string CaptionText() const;  // before shortening: "-Tunedex- " + path
  std::string CaptionPathText() const { return CaptionPath(DatabasePath(), m_newDatabase); }
  std::string ViewStatusText() const;  // status panel 0: the ticked view
  const std::string& SortStatusText() const { return m_sortStatus; }
  std::string SongStatusText() const;  // status panel 2
  // Menu captions and hints that follow the custom language.
  std::string ViewCaption(int mode) const;
  std::string SelectionMenuCaption(int mode) const;  // the grid menu's "Selection" items
  std::string ViewHint(int mode) const;
  std::string LogoHint(int mode) const;
  // The view whose menu item is ticked and whose button is pressed (none when master is empty).
  bool ViewButtonPressed(int mode) const;
  // The view whose menu items are ticked and whose logo shows (Apply in the filter dialog
  // filters without changing it).
  int TickedViewMode() const { return m_tickedMode; }

  // Changes whenever the rows of the view were rebuilt.
  std::uint64_t RowsRevision() const { return m_rowsRevision; }
  // When the focused control should be the find box with its text selected (after
  // "Cannot find ").
  bool TakeFindBoxFocusRequest();

 private:
  enum class ViewTextKind { Menu, Selection, Hint, Status, LogoHint };
  std::string ViewText(int mode, ViewTextKind kind) const;
  bool LoadInto(const std::string& path);
  FileDialogRequest OpenRequest() const;
  FileDialogRequest SaveRequest();
  void ShowSortCode();
  void SearchFindBox(std::size_t start);
  void SearchTypeAhead(int start);
  void PlaceRow(int row, int distanceFromTop);
  void EnsureVisible();
  int LastTopRow() const;
  int IndexInView(const tSong* song) const;
  bool SaveForClosing();

  CatalogueServices m_services;
  tSongList m_master{tSongList::Ownership::OwnsSongs};
  tSongList m_view;
  tIDList m_ids;
  tMainSettings m_settings;
  tLivePlayerOptions m_playerOptions;
  tCustomFilterRec m_filter;
  tGridColumns m_columns;
  std::unique_ptr<FindBoxSearch> m_findSearch;

  bool m_newDatabase = false;
  bool m_modified = false;
  int m_viewMode = kViewAll;
  int m_tickedMode = kViewAll;
  int m_sortCode = 0;
  int m_previousSort = 0;
  std::string m_sortStatus;
  std::string m_typeAhead;
  std::string m_findText;
  std::string m_saveDialogName;  // the save dialog remembers the name last chosen
  int m_currentRow = 0;
  int m_topRow = 0;
  int m_visibleRows = 1;
  bool m_findFocusRequest = false;
  std::uint64_t m_rowsRevision = 1;
};

}  // namespace tunedex
