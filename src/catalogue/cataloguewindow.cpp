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
constexpr std::string_view kSaveBeforePlaylistMessage =
    "Please save the new database before opening Playlist Central";

}  // namespace

tCatalogueWindow::tCatalogueWindow(CatalogueServices services)
    : m_services(std::move(services)), m_findSearch(std::make_unique<FindBoxSearch>(m_view)) {}

tCatalogueWindow::~tCatalogueWindow() {
  m_view.Clear();
}

// ---------------------------------------------------------------------------------------------
// Start-up and shutdown

void tCatalogueWindow::Start(const tIniFile& ini) {
  std::error_code error;
  m_settings.songsFolder = std::filesystem::current_path(error).string();
  ReadMainSettings(ini, m_settings, m_playerOptions);
  playerInFront = (m_playerOptions.Set().PlayerPopups & kPopupMainWindow) != 0;
  m_columns.SetTextColumns(m_settings.columnWidths);

  const std::string path = m_settings.databasePath;
  if (!path.empty()) {
    if (FileExists(path)) {
      // A file that is not a catalogue stays untouched: Save then asks for a name.
      if (!LoadInto(path)) m_newDatabase = true;
    } else {
      m_services.user.ShowError("Cannot locate database " + path);
      OpenDatabase();
    }
  }
  if (!m_settings.databasePath.empty()) {
    m_sortCode = m_master.SortOrder();
    ShowSortCode();
  }
  RebuildView();
  m_modified = false;
}

void tCatalogueWindow::WriteSettings(tIniFile& ini, const std::array<int, 3>& storedColumns) {
  m_settings.columnWidths = storedColumns;
  WriteMainSettings(ini, m_settings, m_playerOptions, playerInFront);
}

bool tCatalogueWindow::CloseQuery() {
  if (!KeepUnsavedChanges()) return false;
  if (m_services.players) m_services.players->ClosePlayer();
  return true;
}

bool tCatalogueWindow::KeepUnsavedChanges() {
  if (!m_modified) return true;
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
  std::string path = m_settings.databasePath;
  if (CaptionPathText() == kNewFileCaption) {
    const std::optional<std::string> chosen = m_services.user.AskSaveFile(SaveRequest());
    if (!chosen || chosen->empty()) return false;
    path = *chosen;
  }
  try {
    SaveDatabase(m_master, path);
  } catch (const FileError&) {
    const Button answer = m_services.user.ShowMessage(
        MessageKind::Warning,
        "Cannot save database to file " + path + "\r" +
            "The Drive or Folder may no longer be available.\r\r" + "Continue anyway?",
        {Button::Yes, Button::Cancel});
    return answer == Button::Yes;
  }
  m_settings.databasePath = path;
  m_newDatabase = false;
  m_saveDialogName = std::string(FileNamePart(path));
  SetModified(false);
  return true;
}

// ---------------------------------------------------------------------------------------------
// Database commands

bool tCatalogueWindow::LoadInto(const std::string& path) {
  // Loaded into a list of its own first, so a file that cannot be read or is not a catalogue
  // leaves the open catalogue as it was.
  tSongList loaded(tSongList::Ownership::OwnsSongs);
  try {
    if (LoadDatabase(loaded, path, m_services.user) != LoadResult::Loaded) return false;
  } catch (const FileError& error) {
    m_services.user.ShowError(error.what());
    return false;
  }
  m_view.Clear();
  m_master.DestroySongs();
  m_master.Reserve(loaded.Count());
  for (tSong* song : loaded) m_master.Add(song);
  loaded.Clear();
  m_master.SetSortOrder(loaded.SortOrder());
  m_ids.FillFrom(m_master);
  m_settings.databasePath = path;
  return true;
}

FileDialogRequest tCatalogueWindow::OpenRequest() const {
  FileDialogRequest request;
  request.filters = {{"Tunedex database files", {"*.tdb"}}, {"All files", {"*"}}};
  request.defaultExtension = "tdb";
  request.folder = FolderPart(m_settings.databasePath);
  request.fileName = std::string(FileNamePart(m_settings.databasePath));
  return request;
}

FileDialogRequest tCatalogueWindow::SaveRequest() {
  FileDialogRequest request;
  request.filters = {{"Tunedex Database", {"*.tdb"}}};
  request.defaultExtension = "tdb";
  request.folder = FolderPart(m_settings.databasePath);
  if (m_newDatabase) m_saveDialogName.clear();
  request.fileName = m_saveDialogName;
  return request;
}

void tCatalogueWindow::OpenDatabase() {
  if (!KeepUnsavedChanges()) return;
  const std::optional<std::string> file = m_services.user.AskOpenFile(OpenRequest());
  if (!file || file->empty()) return;
  m_currentRow = m_topRow = 0;
  if (!LoadInto(*file)) return;
  m_sortCode = m_master.SortOrder();
  ChooseView(kViewAll);
  m_modified = false;
  m_newDatabase = false;
  ShowSortCode();
}

void tCatalogueWindow::NewDatabase() {
  if (!KeepUnsavedChanges()) return;
  m_view.Clear();
  m_master.DestroySongs();
  RebuildView();
  m_modified = false;
  m_newDatabase = true;
}

bool tCatalogueWindow::Save() {
  if (m_newDatabase || m_settings.databasePath.empty()) return SaveAs();
  try {
    SaveDatabase(m_master, m_settings.databasePath);
  } catch (const FileError& error) {
    m_services.user.ShowError(error.what());
    return false;
  }
  SetModified(false);
  return true;
}

bool tCatalogueWindow::SaveAs() {
  const std::optional<std::string> file = m_services.user.AskSaveFile(SaveRequest());
  if (!file || file->empty()) return false;
  m_saveDialogName = std::string(FileNamePart(*file));
  try {
    SaveDatabase(m_master, *file);
  } catch (const FileError& error) {
    m_services.user.ShowError(error.what());
    return false;
  }
  m_settings.databasePath = *file;
  m_newDatabase = false;
  SetModified(false);
  return true;
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
  const bool wasModified = m_modified;
  const int distance = m_currentRow - m_topRow;
  tSongRecord record;
  std::string folder = m_settings.songsFolder;
  if (!m_services.showSongRecord(record, kEditable, folder)) return;
  m_settings.songsFolder = folder;
  if (m_master.ContainsFileName(record)) {
    m_modified = wasModified;
    m_services.user.ShowError(kDuplicateSongMessage);
    return;
  }
  m_ids.Reserve(record.IdCode());
  tSong* song = m_master.Add(std::make_unique<tSong>(record));
  Resort(true);
  const int index = IndexInView(song);
  if (index < 0) return;
  m_currentRow = index;
  const int rows = static_cast<int>(RowCount());
  int top = 0;
  if (index > m_visibleRows && rows > m_visibleRows) {
    top = std::min(index + 1 - distance, rows - 1 - m_visibleRows);
    if (top < 1) top = 0;
  }
  m_topRow = top;
  EnsureVisible();
}

void tCatalogueWindow::ShowCurrentSong(int tag) {
  const tSong* song = CurrentSong();
  if (!song || !m_services.showSongRecord) return;
  const int mode = tag == kFullDetailsTag ? kExisting | kNavigator
                   : tag == kEditSongTag  ? kEditable | kExisting | kNavigator
                                          : 0;
  tSongRecord record = song->Record();
  std::string folder = m_settings.songsFolder;
  const int distance = m_currentRow - m_topRow;
  if (!m_services.showSongRecord(record, mode, folder)) return;
  m_settings.songsFolder = folder;
  m_ids.Reserve(record.IdCode());
  Resort(true);
  const int index = m_view.IndexOfFileName(record);
  if (index >= 0) PlaceRow(index, distance);
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
  m_view.RemoveAt(static_cast<std::size_t>(m_currentRow));
  const auto found = std::find(m_master.begin(), m_master.end(), song);
  if (found != m_master.end()) {
    m_master.DestroyAt(static_cast<std::size_t>(found - m_master.begin()));
  }
  RebuildView();
  SetModified(true);
}

void tCatalogueWindow::DeleteAllSongs() {
  if (m_services.user.ShowMessage(MessageKind::Confirmation,
                                  "Clear all songs from database " +
                                      std::string(FileNamePart(m_settings.databasePath)) + "?\r\r" +
                                      "Are you sure?",
                                  {Button::Yes, Button::No}) != Button::Yes) {
    return;
  }
  m_view.Clear();
  m_master.DestroySongs();
  RebuildView();
  SetModified(true);
}

void tCatalogueWindow::FillMissingIdCodes() {
  if (::tunedex::FillMissingIdCodes(m_master, m_ids) > 0) SetModified(true);
}

void tCatalogueWindow::PlayCurrentSong() {
  const tSong* song = CurrentSong();
  if (!song || !m_services.players) return;
  m_services.players->PlaySong(m_services.windowHandle, std::string(song->Record().FileName()),
                               song->Record().FileType(), playerInFront);
}

void tCatalogueWindow::PlaylistCentral() {
  if (m_newDatabase || m_settings.databasePath.empty()) {
    m_services.user.ShowInformation(kSaveBeforePlaylistMessage);
    return;
  }
  if (m_services.showPlaylistCentral) m_services.showPlaylistCentral();
}

void tCatalogueWindow::Players() {
  if (m_services.players && m_services.players->PlayerWindow() != 0) {
    m_services.players->ClosePlayer();
  }
  if (m_services.showPlayerOptions) m_services.showPlayerOptions();
}

bool tCatalogueWindow::Enabled(Command command) const {
  const bool viewHasSongs = !m_view.Empty();
  const bool masterHasSongs = !m_master.Empty();
  const int count = static_cast<int>(m_view.Count());
  switch (command) {
    case Command::FirstSong:
    case Command::PreviousSong:
      return m_currentRow > 0 && count >= 2;
    case Command::NextSong:
    case Command::LastSong:
      return m_currentRow < count - 1 && count >= 2;
    case Command::DeleteSong:
    case Command::DeleteAllSongs:
    case Command::EditSong:
    case Command::FullSongDetails:
    case Command::PlaySong:
    case Command::ViewFiltered:
    case Command::SortMenus:
    case Command::FindBox:
    case Command::SaveSelection:
      return viewHasSongs;
    case Command::FindNext:
      return viewHasSongs && !m_findText.empty();
    case Command::PlaylistCentral:
      return masterHasSongs && static_cast<bool>(m_services.showPlaylistCentral);
    case Command::LostFiles:
      return masterHasSongs && static_cast<bool>(m_services.showLostFiles);
    case Command::PrintPreview:
      return masterHasSongs && static_cast<bool>(m_services.showPrintPreview);
    case Command::SongExplorer:
      return static_cast<bool>(m_services.showSongExplorer);
    case Command::ScanForSongs:
      return static_cast<bool>(m_services.showScanWizard);
    case Command::Save:
    case Command::SaveAs:
    case Command::ViewAll:
    case Command::ViewCustomLanguage:
    case Command::ViewEnglish:
    case Command::ViewOtherLanguages:
    case Command::ViewNewSongs:
    case Command::Selection:
      return masterHasSongs;
    default:
      return true;
  }
}

void tCatalogueWindow::Run(Command command, int tag) {
  if (!Enabled(command)) return;
  switch (command) {
    case Command::OpenDatabase:
      OpenDatabase();
      break;
    case Command::NewDatabase:
      NewDatabase();
      break;
    case Command::Save:
      Save();
      break;
    case Command::SaveAs:
      SaveAs();
      break;
    case Command::SaveSelection:
      SaveSelection();
      break;
    case Command::SongExplorer:
    case Command::ScanForSongs:
      (command == Command::SongExplorer ? m_services.showSongExplorer
                                        : m_services.showScanWizard)();
      FillMissingIdCodes();
      break;
    case Command::LostFiles:
      m_services.showLostFiles();
      m_typeAhead.clear();
      break;
    case Command::PrintPreview:
      m_services.showPrintPreview();
      break;
    case Command::FullSongDetails:
      ShowCurrentSong(kFullDetailsTag);
      break;
    case Command::EditSong:
      ShowCurrentSong(tag);
      break;
    case Command::AddSong:
      AddSong();
      break;
    case Command::DeleteSong:
      DeleteSong();
      break;
    case Command::DeleteAllSongs:
      DeleteAllSongs();
      break;
    case Command::FillMissingIdCodes:
      FillMissingIdCodes();
      break;
    case Command::PlaySong:
      PlayCurrentSong();
      break;
    case Command::PlaylistCentral:
      PlaylistCentral();
      break;
    case Command::Players:
      Players();
      break;
    case Command::ViewAll:
      ChooseView(kViewAll);
      break;
    case Command::ViewCustomLanguage:
      ChooseView(kViewCustomLanguage);
      break;
    case Command::ViewEnglish:
      ChooseView(kViewEnglish);
      break;
    case Command::ViewOtherLanguages:
      ChooseView(kViewOtherLanguages);
      break;
    case Command::ViewNewSongs:
      ChooseView(kViewNewSongs);
      break;
    case Command::ViewFiltered:
      ChooseView(kViewCustomFiltered);
      break;
    case Command::FindNext:
      FindNext();
      break;
    case Command::FirstSong:
      m_typeAhead.clear();  // the navigator starts the type-ahead afresh
      HandleKey(WindowKey::Home, kNoModifier);
      break;
    case Command::PreviousSong:
      m_typeAhead.clear();  // the navigator starts the type-ahead afresh
      HandleKey(WindowKey::Up, kNoModifier);
      break;
    case Command::NextSong:
      m_typeAhead.clear();  // the navigator starts the type-ahead afresh
      HandleKey(WindowKey::Down, kNoModifier);
      break;
    case Command::LastSong:
      m_typeAhead.clear();  // the navigator starts the type-ahead afresh
      HandleKey(WindowKey::End, kNoModifier);
      break;
    default:
      break;
  }
}

void tCatalogueWindow::SetModified(bool modified) {
  m_modified = modified;
}

// ---------------------------------------------------------------------------------------------
// Views and sorting

void tCatalogueWindow::ChooseView(int mode) {
  const bool hadSongs = !m_view.Empty();
  const int distance = m_currentRow - m_topRow;
  if (mode == kViewCustomFiltered) {
    const int before = m_viewMode;
    const bool ok = m_services.showFilter && m_services.showFilter(m_filter, [this] {
      m_viewMode = kViewCustomFiltered;
      RebuildView();
    });
    if (!ok) mode = before;
  }
  m_viewMode = m_tickedMode = mode;
  RebuildView();
  if (m_view.Empty() || !hadSongs) {
    m_currentRow = m_topRow = 0;
  } else {
    PlaceRow(m_currentRow, distance);
  }
}

void tCatalogueWindow::RebuildView() {
  if (m_viewMode == kViewCustomFiltered) {
    std::vector<tSong*> kept;
    kept.reserve(m_view.Count());
    for (tSong* song : m_view) {
      if (FilterMatches(song->Record(), m_filter)) kept.push_back(song);
    }
    m_view.Clear();
    for (tSong* song : kept) m_view.Add(song);
    m_view.SortBy(m_sortCode);
  } else {
    SelectViewSongs(m_master, m_view, m_viewMode, m_settings.customLanguage.code);
  }
  const int last = static_cast<int>(RowCount()) - 1;
  if (m_currentRow > last) m_currentRow = last;
  m_topRow = std::clamp(m_topRow, 0, LastTopRow());
  m_typeAhead.clear();
  ++m_rowsRevision;
}

void tCatalogueWindow::SetSort(int code) {
  if (m_view.Empty()) return;
  if (code != 0) m_previousSort = m_sortCode;
  m_sortCode = std::abs(m_sortCode) != code ? code : -m_sortCode;
  const tSong* remembered = CurrentSong();
  m_master.SortBy(m_sortCode);
  m_modified = true;
  ShowSortCode();
  RebuildView();
  const int index = IndexInView(remembered);
  if (index >= 0) {
    m_currentRow = index;
    EnsureVisible();
  }
  m_master.SetSortOrder(static_cast<std::int8_t>(m_sortCode));
  m_view.SetSortOrder(static_cast<std::int8_t>(m_sortCode));
}

void tCatalogueWindow::Resort(bool modified) {
  m_master.SortBy(m_previousSort);
  m_master.SortBy(m_sortCode);
  RebuildView();
  m_currentRow = m_topRow = 0;
  SetModified(modified);
}

void tCatalogueWindow::ShowSortCode() {
  switch (m_sortCode) {
    case kSortById:
      m_sortStatus = "Sort: ID Code";
      break;
    case kSortByTitle:
      m_sortStatus = "Sort: Title";
      break;
    case kSortByArtist:
      m_sortStatus = "Sort: Artist";
      break;
    default:
      break;
  }
}

void tCatalogueWindow::ApplyCustomLanguage() {
  m_settings.customLanguage.Apply();
}

void tCatalogueWindow::ChooseCustomLanguage(const CustomLanguageChoice& choice) {
  choice.StoreInto(m_settings.customLanguage);
  ApplyCustomLanguage();
  if (m_viewMode == kViewCustomLanguage) ChooseView(kViewCustomLanguage);
}

namespace {

// The texts of each view, 16 to 21, in the order of ViewTextKind; "%" stands for the custom
// language's name.
constexpr std::array<std::string_view, 5> kViewTexts[] = {
    {"&All Songs", "All songs", "Show all songs", "All Songs", "Showing all songs"},
    {"% songs", "% songs", "Show songs in %", "% songs", "Showing songs in %"},
    {"&English Songs", "Songs in English ", "Show songs in English", "English songs",
     "Showing songs in English"},
    {"&Other Languages", "Songs in other languages", "Show songs in other languages", "Other songs",
     "Showing songs in other languages"},
    {"&New Songs", "New songs", "Show newly imported songs", "New songs",
     "Showing newly-imported songs"},
    {"&Filter...", "Filter...", "Filter songs by text", "Custom-filtered list", ""},
};

}  // namespace

std::string tCatalogueWindow::ViewText(int mode, ViewTextKind kind) const {
  const int index = std::clamp<int>(mode, kViewAll, kViewCustomFiltered) - kViewAll;
  std::string filled(kViewTexts[static_cast<std::size_t>(index)][static_cast<std::size_t>(kind)]);
  if (const std::size_t name = filled.find('%'); name != std::string::npos) {
    filled.replace(name, 1, m_settings.customLanguage.name);
  }
  return filled;
}

std::string tCatalogueWindow::ViewCaption(int mode) const {
  return ViewText(mode, ViewTextKind::Menu);
}

std::string tCatalogueWindow::SelectionMenuCaption(int mode) const {
  return ViewText(mode, ViewTextKind::Selection);
}

std::string tCatalogueWindow::ViewHint(int mode) const {
  return ViewText(mode, ViewTextKind::Hint);
}

std::string tCatalogueWindow::LogoHint(int mode) const {
  return ViewText(mode, ViewTextKind::LogoHint);
}

std::string tCatalogueWindow::ViewStatusText() const {
  return "Showing: " + ViewText(m_tickedMode, ViewTextKind::Status);
}

bool tCatalogueWindow::ViewButtonPressed(int mode) const {
  return !m_master.Empty() && m_tickedMode == mode;
}

std::string tCatalogueWindow::CaptionText() const {
  return std::string(kCaptionPrefix) + CaptionPathText();
}

std::string tCatalogueWindow::SongStatusText() const {
  if (m_view.Empty()) return "No songs";
  return "Song " + std::to_string(m_currentRow + 1) + "/" + std::to_string(m_view.Count());
}

// ---------------------------------------------------------------------------------------------
// Find box, type-ahead and keys

void tCatalogueWindow::FindTextChanged(std::string_view text) {
  m_findText = text;
  if (m_view.Empty()) return;
  if (m_findText.empty()) {
    SelectRow(0);
  } else {
    SearchFindBox(0);
  }
}

void tCatalogueWindow::FindNext() {
  if (m_view.Empty() || m_findText.empty()) return;
  SearchFindBox(static_cast<std::size_t>(m_currentRow) + 1);
}

void tCatalogueWindow::SearchFindBox(std::size_t start) {
  if (const std::optional<std::size_t> row = m_findSearch->FindFrom(m_findText, start)) {
    SelectRow(static_cast<int>(*row));
    return;
  }
  m_services.user.ShowInformation("Cannot find " + m_findText);
  m_findFocusRequest = true;
}

bool tCatalogueWindow::TakeFindBoxFocusRequest() {
  return std::exchange(m_findFocusRequest, false);
}

void tCatalogueWindow::TypeAhead(std::string_view character) {
  if (character.empty()) return;
  if (character == "\x1b") {
    m_typeAhead.clear();
    return;
  }
  if (static_cast<unsigned char>(character.front()) < 32) return;
  m_typeAhead += character;
  SearchTypeAhead(m_currentRow);
}

void tCatalogueWindow::SearchTypeAhead(int start) {
  TextField field;
  switch (std::abs(m_sortCode)) {
    case kSortById:
      field = TextField::IdCode;
      break;
    case kSortByTitle:
      field = TextField::Title;
      break;
    case kSortByArtist:
      field = TextField::Artist;
      break;
    default:
      if (m_services.beep) m_services.beep();
      return;
  }
  if (!m_typeAhead.empty()) {
    const TextMatcher matcher(m_typeAhead);
    for (std::size_t row = static_cast<std::size_t>(std::max(start, 0)); row < m_view.Count();
         ++row) {
      if (matcher.IsPrefixOf(m_view[row]->Record().RawText(field))) {
        SelectRow(static_cast<int>(row));
        return;
      }
    }
  }
  if (m_services.beep) m_services.beep();
}

bool tCatalogueWindow::HandleKey(WindowKey key, int modifiers) {
  const bool alt = (modifiers & kAlt) != 0;
  const bool ctrl = (modifiers & kCtrl) != 0;
  const int last = static_cast<int>(RowCount()) - 1;
  bool passOn = false;
  switch (key) {
    case WindowKey::Home:
      if (alt) {
        SetTopRow(0);
      } else {
        m_typeAhead.clear();
        SelectRow(0);
      }
      break;
    case WindowKey::End:
      if (alt) {
        SetTopRow(LastTopRow());
      } else {
        m_typeAhead.clear();
        SelectRow(last);
      }
      break;
    case WindowKey::Up:
      if (alt) {
        SetTopRow(m_topRow - 1);
      } else if (m_currentRow > 0) {
        m_typeAhead.clear();
        SelectRow(m_currentRow - 1);
      }
      break;
    case WindowKey::Down:
      if (alt) {
        SetTopRow(m_topRow + 1);
      } else if (m_currentRow < last) {
        m_typeAhead.clear();
        SelectRow(m_currentRow + 1);
      }
      break;
    case WindowKey::Left:
      m_columns.ScrollLeft();
      break;
    case WindowKey::Right:
      m_columns.ScrollRight();
      break;
    case WindowKey::PageUp:
      if (alt) {
        SetTopRow(m_topRow - m_visibleRows);
      } else if (ctrl) {
        SelectRow(0);
      } else {
        passOn = true;
      }
      break;
    case WindowKey::PageDown:
      if (alt) {
        SetTopRow(m_topRow + m_visibleRows);
      } else if (ctrl) {
        SelectRow(last);
      } else {
        passOn = true;
      }
      break;
    case WindowKey::Backspace:
    case WindowKey::Delete:
      RemoveLastUtf8Character(m_typeAhead);
      SelectRow(0);
      SearchTypeAhead(0);
      passOn = true;
      break;
    case WindowKey::F9:
      PlayCurrentSong();
      break;
    case WindowKey::Enter:
    case WindowKey::Escape:
    case WindowKey::Clear:
      m_typeAhead.clear();
      SelectRow(0);
      break;
    case WindowKey::Other:
      passOn = true;
      break;
  }
  return passOn;
}

// ---------------------------------------------------------------------------------------------
// Grid rows

const tSong* tCatalogueWindow::SongAt(int row) const {
  if (row < 0 || static_cast<std::size_t>(row) >= m_view.Count()) return nullptr;
  return m_view[static_cast<std::size_t>(row)];
}

void tCatalogueWindow::SelectRow(int row) {
  m_currentRow = std::clamp(row, 0, static_cast<int>(RowCount()) - 1);
  EnsureVisible();
}

void tCatalogueWindow::SetTopRow(int row) {
  m_topRow = std::clamp(row, 0, LastTopRow());
}

int tCatalogueWindow::LastTopRow() const {
  return std::max(0, static_cast<int>(RowCount()) - m_visibleRows);
}

void tCatalogueWindow::EnsureVisible() {
  if (m_currentRow < m_topRow) m_topRow = m_currentRow;
  if (m_currentRow >= m_topRow + m_visibleRows) m_topRow = m_currentRow - m_visibleRows + 1;
  m_topRow = std::clamp(m_topRow, 0, LastTopRow());
}

void tCatalogueWindow::PlaceRow(int row, int distanceFromTop) {
  m_currentRow = std::clamp(row, 0, static_cast<int>(RowCount()) - 1);
  const bool allFit = static_cast<int>(RowCount()) <= m_visibleRows;
  m_topRow = allFit ? 0 : m_currentRow - std::max(distanceFromTop, 0);
  m_topRow = std::clamp(m_topRow, 0, LastTopRow());
  EnsureVisible();
}

int tCatalogueWindow::IndexInView(const tSong* song) const {
  if (!song) return -1;
  const auto found = std::find(m_view.begin(), m_view.end(), song);
  return found == m_view.end() ? -1 : static_cast<int>(found - m_view.begin());
}

}  // namespace tunedex
