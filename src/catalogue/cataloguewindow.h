// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "catalogue/catalogue.h"
#include "catalogue/cataloguecommands.h"
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

  // Start-up: settings read, the last database (or startCatalogue, when named) loaded, the view
  // built.
  void Start(const tIniFile& ini, const std::string& startCatalogue = {});
  // The same from the settings file; a file that cannot be read is a warning, and the defaults
  // hold.
  void Start(const std::string& settingsPath, const std::string& startCatalogue = {});
  // The settings to write at shutdown, with the grid's stored column widths.
  void WriteSettings(tIniFile& ini, const std::array<int, 3>& storedColumns);
  // The same into the settings file, keeping what else it holds; false (after a warning) when
  // it could not be written.
  bool SaveSettings(const std::string& settingsPath, const std::array<int, 3>& storedColumns);

  // Closing the window: false keeps it open.
  bool CloseQuery();
  // Asks to keep unsaved changes: true goes on, false stays.
  bool KeepUnsavedChanges();

  // Commands.
  bool Enabled(Command command) const;
  void Run(Command command, int tag = 0);
  // Whether a command's menu item is ticked, or nothing for commands that are not ticks.
  std::optional<bool> Ticked(Command command, int tag = 0) const;
  // Whether a command's toolbar button is shown pressed.
  bool Pressed(Command command) const;
  void OpenDatabase();
  // Open without the dialog: a catalogue named from outside (a second copy started with it).
  // Asks to keep unsaved changes first; the catalogue already open is left as it is.
  void OpenNamedDatabase(const std::string& path);
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
  void ChooseCustomLanguage();
  void ChooseFont();
  void ChooseFontColour();

  // Views and sorting.
  void ChooseView(ViewMode mode);
  void RebuildView();
  void SetSort(int code);
  // Sorts again after songs were added or changed, back at the first row.
  void Resort();
  void ApplyCustomLanguage();
  void ChooseCustomLanguage(const CustomLanguageChoice& choice);

  // The grid's font: a font chosen in the font dialog, whose average character is widthRatio
  // times as wide as the old one's, scrolls the grid fully left and widens the ID and title
  // columns by that ratio; its colour is kept. The colour is chosen on its own.
  void FontChosen(const tFontSetting& font, double widthRatio);
  void FontColourChosen(ColourValue colour) { m_settings.font.colour = colour; }

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
  FileSystem& Files() const { return m_services.files; }
  tCatalogue& Catalogue() { return m_catalogue; }
  const tCatalogue& Catalogue() const { return m_catalogue; }
  tSongList& View() { return m_view; }
  const tSongList& View() const { return m_view; }
  ViewMode ShownViewMode() const { return m_viewMode; }
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
  std::string ViewCaption(ViewMode mode) const;
  std::string SelectionMenuCaption(ViewMode mode) const;  // the grid menu's "Selection" items
  std::string ViewHint(ViewMode mode) const;
  std::string LogoHint(ViewMode mode) const;
  // The view menus tick the chosen view; its toolbar button is pressed only while the
  // catalogue has songs.
  bool ViewMenuTicked(ViewMode mode) const { return m_tickedMode == mode; }
  bool ViewButtonPressed(ViewMode mode) const;
  // The grid menu's "Selection" item is ticked for any view but all songs.
  bool SelectionMenuTicked() const { return m_tickedMode != ViewMode::All; }
  // The view whose menu items are ticked and whose logo shows (Apply in the filter dialog
  // filters without changing it).
  ViewMode TickedViewMode() const { return m_tickedMode; }

  // Changes whenever the rows of the view were rebuilt.
  std::uint64_t RowsRevision() const { return m_rowsRevision; }
  // When the focused control should be the find box with its text selected (after
  // "Cannot find ").
  bool TakeFindBoxFocusRequest();

  void CatalogueChanged(const CatalogueNotice& notice) override;

 private:
  FileDialogRequest OpenRequest() const;
  void OpenFile(const std::string& path);
  FileDialogRequest SaveRequest() const;
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

  ViewMode m_viewMode = ViewMode::All;
  ViewMode m_tickedMode = ViewMode::All;
  // The sort code the status bar names: the last ascending one the catalogue had.
  int m_shownSort = 0;
  std::string m_typeAhead;
  std::string m_findText;
  std::string m_saveDialogName;  // the save dialog remembers the name last chosen
  bool m_findFocusRequest = false;
  std::uint64_t m_rowsRevision = 1;
};

}  // namespace tunedex
