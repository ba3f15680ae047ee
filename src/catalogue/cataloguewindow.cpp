// SPDX-License-Identifier: GPL-3.0-or-later
#include "cataloguewindow.h"

#include <algorithm>
#include <filesystem>

#include "catalogue/database.h"
#include "common/fileio.h"
#include "common/recordtext.h"
#include "common/textcase.h"
#include "players/playercontrol.h"

namespace tunedex {

namespace {

constexpr std::string_view kSaveChangesQuestion = "Save changes to current database?";
constexpr std::string_view kDuplicateSongMessage = "This song is already in the list";
constexpr std::string_view kPlayersNeedADesktopMessage =
    "Players cannot be configured without a desktop.";
constexpr std::string_view kSaveBeforePlaylistMessage =
    "Please save the new database before opening Playlist Central";

}  // namespace

tCatalogueWindow::tCatalogueWindow(tCatalogue& catalogue, CatalogueServices services)
    : m_catalogue(catalogue),
      m_services(std::move(services)),
      m_findSearch(std::make_unique<FindBoxSearch>(m_view)) {
  m_catalogue.AddObserver(*this);
}

tCatalogueWindow::~tCatalogueWindow() {
  m_catalogue.RemoveObserver(*this);
  m_view.Clear();
}

void tCatalogueWindow::CatalogueChanged(const CatalogueNotice& notice) {
  switch (notice.change) {
    case CatalogueChange::Replacing:
      m_view.Clear();
      break;
    case CatalogueChange::Removing:
      if (const int index = IndexInView(notice.song); index >= 0) {
        m_view.RemoveAt(static_cast<std::size_t>(index));
      }
      break;
    case CatalogueChange::Replaced:
    case CatalogueChange::Reordered:
      // The status bar names the last ascending key chosen; a descending one leaves it.
      if (const int sort = m_catalogue.SortCode(); sort > 0 && SortKeyOfCode(sort)) {
        m_shownSort = sort;
      }
      RebuildView();
      break;
    case CatalogueChange::Removed:
    case CatalogueChange::Added:
      RebuildView();
      break;
    case CatalogueChange::RecordChanged:
      // The row shows the new record; which rows the view holds is decided again when the
      // catalogue is re-sorted, so a record editor stepping through the view keeps its rows.
      ++m_rowsRevision;
      break;
    case CatalogueChange::Modified:
    case CatalogueChange::PathChanged:
      break;
  }
}

// ---------------------------------------------------------------------------------------------
// Start-up and shutdown

void tCatalogueWindow::Start(const tIniFile& ini, const std::string& startCatalogue) {
  std::error_code error;
  m_settings.songsFolder = std::filesystem::current_path(error).string();
  ReadMainSettings(ini, m_settings, m_playerOptions);
  playerInFront = m_playerOptions.Set().PlayerPopups.InFront(PlayerPopup::MainWindow);
  m_columns.SetTextColumns(m_settings.columnWidths);

  const std::uint64_t rowsBefore = m_rowsRevision;
  const std::string path = startCatalogue.empty() ? m_settings.databasePath : startCatalogue;
  if (!path.empty()) {
    if (m_services.files.FileExists(path)) {
      // A file that is not a catalogue stays untouched: Save then asks for a name.
      if (!m_catalogue.Open(path, m_services.user)) m_catalogue.SetPath(path, true);
    } else {
      m_catalogue.SetPath(path, false);
      m_services.user.ShowError("Cannot locate database " + path);
      OpenDatabase();
    }
  }
  // A catalogue opened above has built the view already (through its notice).
  if (m_rowsRevision == rowsBefore) RebuildView();
  m_catalogue.SetModified(false);
}

void tCatalogueWindow::Start(const std::string& settingsPath, const std::string& startCatalogue) {
  tIniFile ini;
  try {
    ini = tIniFile::Load(settingsPath);
  } catch (const FileError& error) {
    m_services.user.ShowWarning(error.what());
  }
  if (ini.Truncated()) m_services.user.ShowWarning(TruncatedSettingsWarning(settingsPath));
  Start(ini, startCatalogue);
}

bool tCatalogueWindow::SaveSettings(const std::string& settingsPath,
                                    const std::array<int, 3>& storedColumns) {
  try {
    tIniFile ini = tIniFile::Load(settingsPath);
    WriteSettings(ini, storedColumns);
    ini.Save(settingsPath);
  } catch (const FileError& error) {
    m_services.user.ShowWarning(std::string("The settings were not saved.\r") + error.what());
    return false;
  }
  return true;
}

void tCatalogueWindow::WriteSettings(tIniFile& ini, const std::array<int, 3>& storedColumns) {
  m_settings.columnWidths = storedColumns;
  m_settings.databasePath = m_catalogue.Path();
  WriteMainSettings(ini, m_settings, m_playerOptions, playerInFront);
}

bool tCatalogueWindow::CloseQuery() {
  if (!KeepUnsavedChanges()) return false;
  if (m_services.players) m_services.players->ClosePlayer();
  return true;
}

bool tCatalogueWindow::KeepUnsavedChanges() {
  if (!m_catalogue.Modified()) return true;
  if (!m_settings.display.confirmSaves) return SaveForClosing();
  switch (m_services.user.ShowMessage(MessageKind::Confirmation, kSaveChangesQuestion,
                                      {Button::Yes, Button::No, Button::Cancel})) {
    case Button::No:
      return true;
    case Button::Yes:
      return SaveForClosing();
    default:
      return false;
  }
}

bool tCatalogueWindow::SaveForClosing() {
  std::string path = m_catalogue.Path();
  if (CaptionPathText() == kNewFileCaption) {
    const std::optional<std::string> chosen = m_services.user.AskSaveFile(SaveRequest());
    if (!chosen || chosen->empty()) return false;
    path = *chosen;
  }
  try {
    m_catalogue.SaveAs(path);
  } catch (const FileError&) {
    const Button answer = m_services.user.ShowMessage(
        MessageKind::Warning,
        "Cannot save database to file " + path + "\r" +
            "The Drive or Folder may no longer be available.\r\r" + "Continue anyway?",
        {Button::Yes, Button::Cancel});
    return answer == Button::Yes;
  }
  m_saveDialogName = std::string(FileNamePart(path));
  return true;
}

// ---------------------------------------------------------------------------------------------
// Database commands

FileDialogRequest tCatalogueWindow::OpenRequest() const {
  FileDialogRequest request;
  request.filters = {{"Tunedex database files", {"*.tdb"}}, {"All files", {"*"}}};
  request.defaultExtension = "tdb";
  request.folder = FolderPart(m_catalogue.Path());
  request.fileName = std::string(FileNamePart(m_catalogue.Path()));
  return request;
}

FileDialogRequest tCatalogueWindow::SaveRequest() const {
  FileDialogRequest request;
  request.filters = {{"Tunedex Database", {"*.tdb"}}};
  request.defaultExtension = "tdb";
  request.folder = FolderPart(m_catalogue.Path());
  // A catalogue never saved offers no name; the name remembered is kept for the next dialog
  // unless one is chosen.
  if (!m_catalogue.IsNew()) request.fileName = m_saveDialogName;
  return request;
}

void tCatalogueWindow::OpenDatabase() {
  if (!KeepUnsavedChanges()) return;
  const std::optional<std::string> file = m_services.user.AskOpenFile(OpenRequest());
  if (file && !file->empty()) OpenFile(*file);
}

void tCatalogueWindow::OpenNamedDatabase(const std::string& path) {
  if (path == m_catalogue.Path() && !m_catalogue.IsNew()) return;  // already open
  if (!KeepUnsavedChanges()) return;
  OpenFile(path);
}

void tCatalogueWindow::OpenFile(const std::string& path) {
  // The catalogue opened shows all its songs: the view is built once, by the open's notice.
  const ViewMode shown = m_viewMode;
  const ViewMode ticked = m_tickedMode;
  m_viewMode = m_tickedMode = ViewMode::All;
  if (!m_catalogue.Open(path, m_services.user)) {
    m_viewMode = shown;
    m_tickedMode = ticked;
    return;
  }
  m_cursor.Reset();
}

void tCatalogueWindow::NewDatabase() {
  if (!KeepUnsavedChanges()) return;
  m_catalogue.New();
}

bool tCatalogueWindow::SaveTo(const std::string& path) {
  try {
    m_catalogue.SaveAs(path);
  } catch (const FileError& error) {
    m_services.user.ShowError(error.what());
    return false;
  }
  return true;
}

bool tCatalogueWindow::Save() {
  if (m_catalogue.IsNew() || m_catalogue.Path().empty()) return SaveAs();
  return SaveTo(m_catalogue.Path());
}

bool tCatalogueWindow::SaveAs() {
  const std::optional<std::string> file = m_services.user.AskSaveFile(SaveRequest());
  if (!file || file->empty()) return false;
  m_saveDialogName = std::string(FileNamePart(*file));
  return SaveTo(*file);
}

void tCatalogueWindow::SaveSelection() {
  const std::optional<std::string> file = m_services.user.AskSaveFile(SaveRequest());
  if (!file || file->empty()) return;
  m_saveDialogName = std::string(FileNamePart(*file));
  try {
    SaveDatabase(m_view, *file);
  } catch (const FileError& error) {
    m_services.user.ShowError(error.what());
  }
}

// ---------------------------------------------------------------------------------------------
// Song commands

void tCatalogueWindow::AddSong() {
  if (!m_services.showSongRecord) return;
  const bool wasModified = m_catalogue.Modified();
  const int distance = CurrentRow() - TopRow();
  tSongRecord record;
  std::string folder = m_settings.songsFolder;
  if (!m_services.showSongRecord(record, kEditable, folder)) return;
  m_settings.songsFolder = folder;
  const tSong* song = m_catalogue.Add(record);
  if (!song) {
    m_catalogue.SetModified(wasModified);
    m_services.user.ShowError(kDuplicateSongMessage);
    return;
  }
  m_cursor.Reset();
  const int index = IndexInView(song);
  if (index < 0) return;
  const int rows = static_cast<int>(RowCount());
  const int visible = VisibleRows();
  int top = 0;
  if (index > visible && rows > visible) {
    top = std::min(index + 1 - distance, rows - 1 - visible);
    if (top < 1) top = 0;
  }
  m_cursor.SetTopRow(top);
  m_cursor.SelectRow(index);
}

void tCatalogueWindow::ShowCurrentSong(int tag) {
  const tSong* song = CurrentSong();
  if (!song || !m_services.showSongRecord) return;
  const int mode = tag == kFullDetailsTag ? kExisting | kNavigator
                   : tag == kEditSongTag  ? kEditable | kExisting | kNavigator
                                          : 0;
  tSongRecord record = song->Record();
  std::string folder = m_settings.songsFolder;
  const int distance = CurrentRow() - TopRow();
  if (!m_services.showSongRecord(record, mode, folder)) return;
  m_settings.songsFolder = folder;
  m_catalogue.Ids().Reserve(record.IdCode());
  Resort();
  m_catalogue.SetModified(true);
  const int index = m_view.IndexOfFileName(record);
  if (index >= 0) m_cursor.PlaceRow(index, distance);
}

void tCatalogueWindow::DeleteSong() {
  const tSong* song = CurrentSong();
  if (!song) return;
  const tSongRecord& record = song->Record();
  if (m_services.user.ShowMessage(MessageKind::Confirmation,
                                  "Remove song\r" + record.Title() + ": " + record.Artist() + "?",
                                  {Button::Yes, Button::No}) != Button::Yes) {
    return;
  }
  m_catalogue.Remove(song);
}

void tCatalogueWindow::DeleteAllSongs() {
  if (m_services.user.ShowMessage(MessageKind::Confirmation,
                                  "Clear all songs from database " +
                                      std::string(FileNamePart(m_catalogue.Path())) + "?\r\r" +
                                      "Are you sure?",
                                  {Button::Yes, Button::No}) != Button::Yes) {
    return;
  }
  m_catalogue.RemoveAll();
}

void tCatalogueWindow::FillMissingIdCodes() {
  m_catalogue.FillMissingIdCodes();
}

void tCatalogueWindow::PlayCurrentSong() {
  const tSong* song = CurrentSong();
  if (!song || !m_services.players) return;
  m_services.players->PlaySong(m_services.windowHandle, std::string(song->Record().FileName()),
                               song->Record().FileType(), playerInFront);
}

void tCatalogueWindow::PlaylistCentral() {
  if (m_catalogue.IsNew() || m_catalogue.Path().empty()) {
    m_services.user.ShowInformation(kSaveBeforePlaylistMessage);
    return;
  }
  if (m_services.showPlaylistCentral) m_services.showPlaylistCentral();
}

void tCatalogueWindow::Players() {
  if (!m_services.players) {
    m_services.user.ShowInformation(kPlayersNeedADesktopMessage);
    return;
  }
  if (m_services.players->PlayerWindow() != 0) m_services.players->ClosePlayer();
  if (m_services.showPlayerOptions) m_services.showPlayerOptions();
}

void tCatalogueWindow::ChooseCustomLanguage() {
  if (!m_services.showCustomLanguage) return;
  if (const std::optional<CustomLanguageChoice> choice =
          m_services.showCustomLanguage(m_settings.customLanguage)) {
    ChooseCustomLanguage(*choice);
  }
}

void tCatalogueWindow::ChooseFont() {
  if (!m_services.chooseFont) return;
  if (const auto chosen = m_services.chooseFont()) FontChosen(chosen->first, chosen->second);
}

void tCatalogueWindow::ChooseFontColour() {
  if (!m_services.chooseColour) return;
  if (const std::optional<ColourValue> colour = m_services.chooseColour(m_settings.font.colour)) {
    FontColourChosen(*colour);
  }
}

}  // namespace tunedex
