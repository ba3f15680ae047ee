// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "catalogue/catalogue.h"
#include "catalogue/customfilter.h"
#include "catalogue/customlanguage.h"
#include "catalogue/gridcursor.h"
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

// The catalogue window's own state and rules, apart from its widgets and from the catalogue it
// shows: the view of the catalogue and its mode, the filter, the custom language, the find box
// and type-ahead, the grid's current and top row, the commands and when they are enabled. The
// view follows the catalogue's change notices, wherever the change came from.
class tCatalogueWindow : public CatalogueObserver {
 public:
  tCatalogueWindow(tCatalogue& catalogue, CatalogueServices services);
  ~tCatalogueWindow() override;
  tCatalogueWindow(const tCatalogueWindow&) = delete;
  tCatalogueWindow& operator=(const tCatalogueWindow&) = delete;

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
  // Sorts again after songs were added or changed, back at the first row.
  void Resort();
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
  std::size_t RowCount() const { return static_cast<std::size_t>(m_cursor.RowCount()); }
  int CurrentRow() const { return m_cursor.CurrentRow(); }
  int TopRow() const { return m_cursor.TopRow(); }
  void SelectRow(int row) { m_cursor.SelectRow(row); }
  void SetTopRow(int row) { m_cursor.SetTopRow(row); }
  void SetVisibleRows(int rows) { m_cursor.SetVisibleRows(rows); }
  int VisibleRows() const { return m_cursor.VisibleRows(); }
  void MouseDownOnGrid() { m_typeAhead.clear(); }
  // The song of a row, or null for the empty row.
  const tSong* SongAt(int row) const;
  const tSong* CurrentSong() const { return SongAt(CurrentRow()); }
  tGridColumns& Columns() { return m_columns; }

  // State for the widgets.
  tCatalogue& Catalogue() { return m_catalogue; }
  const tCatalogue& Catalogue() const { return m_catalogue; }
  tSongList& View() { return m_view; }
  const tSongList& View() const { return m_view; }
  int ViewMode() const { return m_viewMode; }
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
  std::string CaptionPathText() const;
  std::string ViewStatusText() const;  // status panel 0: the ticked view
  std::string SortStatusText() const;  // status panel 1
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

  void CatalogueChanged(const CatalogueNotice& notice) override;

 private:
  FileDialogRequest OpenRequest() const;
  FileDialogRequest SaveRequest();
  bool SaveTo(const std::string& path);
  void SearchFindBox(std::size_t start);
  void SearchTypeAhead(int start);
  int IndexInView(const tSong* song) const;
  bool SaveForClosing();

  tCatalogue& m_catalogue;
  CatalogueServices m_services;
  tSongList m_view;
  tMainSettings m_settings;
  tLivePlayerOptions m_playerOptions;
  tCustomFilterRec m_filter;
  tGridColumns m_columns;
  tGridCursor m_cursor;
  std::unique_ptr<FindBoxSearch> m_findSearch;

  int m_viewMode = kViewAll;
  int m_tickedMode = kViewAll;
  // The sort code the status bar names: the last ascending one the catalogue had.
  int m_shownSort = 0;
  std::string m_typeAhead;
  std::string m_findText;
  std::string m_saveDialogName;  // the save dialog remembers the name last chosen
  bool m_findFocusRequest = false;
  std::uint64_t m_rowsRevision = 1;
};

}  // namespace tunedex
