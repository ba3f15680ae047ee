// SPDX-License-Identifier: GPL-3.0-or-later
#include "songexplorer.h"

#include <algorithm>
#include <array>

#include "catalogue/explorerlist.h"
#include "common/callwithin.h"
#include "common/collation.h"

namespace tunedex {

namespace {

constexpr std::array<int, 8> kInCataloguePictures = {1, 3, 5, 7, 9, 11, 20, 23};

std::string WithSlash(const std::string& folder) {
  if (folder.empty() || folder.back() == '/') return folder;
  return folder + "/";
}

}  // namespace

const std::vector<std::string>& ExplorerSongPatterns() {
  static const std::vector<std::string> patterns = {"*.kar", "*.st3", "*.mi",  "*.mid*", "*.rmi",
                                                    "*.mp3", "*.wma", "*.kfn", "*.mpg",  "*.mpeg"};
  return patterns;
}

int ExplorerPicture(const tSongRecord& record, bool inCatalogue) {
  const int picture = TypePictureIndex(record, true);
  if (picture == kUnknownTypePicture || !inCatalogue) return picture;
  return picture + 1;  // each type's in-catalogue picture follows its own
}

bool IsInCataloguePicture(int picture) {
  return std::find(kInCataloguePictures.begin(), kInCataloguePictures.end(), picture) !=
         kInCataloguePictures.end();
}

tSongExplorer::tSongExplorer(Services services) : m_services(std::move(services)) {
  if (!m_services.readRecord) {
    UserInteraction& user = m_services.user;
    FileSystem& files = m_services.files;
    m_services.readRecord = [&user, &files](const std::string& path, tSongRecord& record) {
      return ReadSongRecord(path, record, user,
                            [&files](const std::string& p) { return files.FileExists(p); });
    };
  }
  m_services.catalogue.AddObserver(*this);
}

tSongExplorer::~tSongExplorer() {
  m_services.catalogue.RemoveObserver(*this);
}

void tSongExplorer::CatalogueChanged(const CatalogueNotice& notice) {
  switch (notice.change) {
    case CatalogueChange::Replaced:
    case CatalogueChange::Removed:
    case CatalogueChange::Added:
    case CatalogueChange::RecordChanged:
      UpdateMarks();
      break;
    default:
      break;
  }
}

void tSongExplorer::ResetList() {
  m_pending.clear();
  m_next = 0;
  m_items.clear();
  m_selected = m_importable = m_selectedImportable = 0;
}

void tSongExplorer::ChooseFolder(const std::string& folder) {
  ResetList();
  m_position.reset();
  m_reselect.reset();
  m_folder = folder;
  if (folder.empty()) {
    m_status = "Directory";
    m_count = "0/0";
    return;
  }
  FolderListing listing;
  if (m_services.listBound.count() > 0) {
    FileSystem& files = m_services.files;
    std::optional<FolderListing> answer = CallWithin<FolderListing>(
        [&files, folder] { return files.List(folder, ExplorerSongPatterns()); },
        m_services.listBound);
    if (answer) {
      listing = std::move(*answer);
    } else {
      listing.result = FileResult::Failed(FileFailure::Other, "the folder does not answer");
    }
  } else {
    listing = m_services.files.List(folder, ExplorerSongPatterns());
  }
  if (!listing.result) {
    m_status = folder;
    m_count = "0/0";
    m_services.user.ShowInformation("Cannot access this folder");
    return;
  }
  // Sorted by the user's collation ignoring case; equal keys fall back to the bytes so the
  // order does not depend on the file system's.
  std::vector<std::pair<std::string, std::string>> keyed;
  for (FolderEntry& entry : listing.entries) {
    if (!entry.isRegularFile || entry.name.empty() || entry.name.front() == '.') continue;
    if (!MatchesAnyNamePattern(entry.name, ExplorerSongPatterns())) continue;
    keyed.emplace_back(UserSortKey(entry.name), std::move(entry.name));
  }
  std::sort(keyed.begin(), keyed.end());
  m_pending.reserve(keyed.size());
  for (auto& [key, name] : keyed) m_pending.push_back(std::move(name));

  if (m_pending.empty()) {
    m_status = folder + "     (no songs)";
    m_count = "0/0";
    return;
  }
  m_status = "Loading song info from " + folder;
  m_count = "0";
}

void tSongExplorer::Refresh() {
  const std::optional<std::size_t> position = m_position;
  ChooseFolder(m_folder);
  m_reselect = position;
}

bool tSongExplorer::LoadSlice(std::size_t maxItems) {
  for (std::size_t done = 0; done < maxItems && Loading(); ++done) {
    m_count = std::to_string(m_next);
    AddItem(m_pending[m_next++]);
  }
  if (Loading()) return true;
  if (!m_pending.empty()) FinishLoad();
  return false;
}

void tSongExplorer::LoadAll() {
  while (LoadSlice(m_pending.size())) {
  }
}

bool tSongExplorer::ReadItem(tExplorerItem& item) {
  const std::string path = WithSlash(m_folder) + item.caption;
  item.record = tSongRecord();
  const SongReadStatus status = m_services.readRecord(path, item.record);
  if (status == SongReadStatus::Missing) return false;
  item.hasRecord = status != SongReadStatus::Unreadable;
  if (item.hasRecord) {
    FillReadItem(item, InCatalogue(item.record));
  } else {
    item.picture = kUnknownTypePicture;
    item.title = item.caption;
    item.artist = "?";
  }
  return true;
}

void tSongExplorer::AddItem(const std::string& name) {
  tExplorerItem item;
  item.caption = name;
  if (!ReadItem(item)) return;  // gone since the folder was listed
  if (item.Importable()) ++m_importable;
  // Items arrive in name order; under another sort they go to their place at once.
  const auto place = std::upper_bound(
      m_items.begin(), m_items.end(), item,
      [this](const tExplorerItem& a, const tExplorerItem& b) { return Before(a, b); });
  const auto index = static_cast<std::size_t>(place - m_items.begin());
  m_items.insert(place, std::move(item));
  if (m_position && *m_position >= index) ++*m_position;
}

void tSongExplorer::FinishLoad() {
  if (m_items.empty()) {
    m_status = m_folder + "     (no songs)";
    m_count = "0/0";
    return;
  }
  if (m_selected > 0 && m_position) {
    ShowPosition();  // the user chose an item while the list was filling
    return;
  }
  const std::size_t index = m_reselect ? std::min(*m_reselect, m_items.size() - 1) : 0;
  m_reselect.reset();
  SelectOnly(index);
}

bool tSongExplorer::InCatalogue(const tSongRecord& record) const {
  return m_services.catalogue.Songs().ContainsFileName(record);
}

std::string tSongExplorer::PathOf(std::size_t index) const {
  return WithSlash(m_folder) + m_items.at(index).caption;
}

void tSongExplorer::SetSelected(std::size_t index, bool selected) {
  if (index >= m_items.size()) return;
  m_items[index].selected = selected;
  CountSelection();
}

void tSongExplorer::MoveTo(std::size_t index) {
  if (index >= m_items.size()) return;
  m_position = index;
  CountSelection();
  ShowPosition();
}

void tSongExplorer::SelectOnly(std::size_t index) {
  if (index >= m_items.size()) return;
  for (tExplorerItem& item : m_items) item.selected = false;
  m_items[index].selected = true;
  MoveTo(index);
}

void tSongExplorer::SelectAll() {
  for (tExplorerItem& item : m_items) item.selected = true;
  CountSelection();
}

void tSongExplorer::CountSelection() {
  const tListSelectionCounts counts = CountListSelection(m_items);
  m_selected = counts.selected;
  m_importable = counts.importable;
  m_selectedImportable = counts.selectedImportable;
}

void tSongExplorer::ShowPosition() {
  if (!m_position || *m_position >= m_items.size()) return;
  m_status = PathOf(*m_position);
  m_count = std::to_string(*m_position + 1) + "/" + std::to_string(m_items.size());
}

tExplorerCommands tSongExplorer::Commands() const {
  tExplorerCommands commands;
  const bool any = m_selected > 0;
  commands.import = m_selectedImportable > 0;
  commands.deleteFiles = commands.trash = commands.rename = any;
  commands.cut = commands.copy = commands.play = any;
  commands.paste = m_pasteAvailable;
  commands.selectAll = !m_items.empty();
  return commands;
}

bool tSongExplorer::Before(const tExplorerItem& a, const tExplorerItem& b) const {
  return ExplorerItemBefore(a, b, m_sortColumn, m_descending);
}

void tSongExplorer::SortByColumn(int column) {
  if (column < 0 || column > 2) return;
  if (column == m_sortColumn) m_descending = !m_descending;
  m_sortColumn = column;
  m_position = SortExplorerItems(m_items, m_sortColumn, m_descending, m_position);
}

std::size_t tSongExplorer::Import() {
  const std::optional<std::size_t> added =
      ImportSelectedItems(m_items, m_services.catalogue, m_services.user, m_count);
  if (!added) return 0;
  UpdateMarks();
  ShowPosition();
  return *added;
}

void tSongExplorer::ItemRenamed(std::size_t index, const std::string& newName) {
  if (index >= m_items.size()) return;
  tExplorerItem& item = m_items[index];
  item.caption = newName;
  if (!ReadItem(item)) item.hasRecord = false;  // renamed again, or removed, since
  CountSelection();
  if (m_position == index) ShowPosition();
}

void tSongExplorer::UpdateMarks() {
  MarkCatalogueItems(m_items, m_services.catalogue);
  CountSelection();
}

void tSongExplorer::Play(WindowHandle owner) {
  if (m_services.players == nullptr) return;
  const tExplorerItem* item = ItemToPlay(m_items, m_position);
  if (item == nullptr) return;
  m_services.players->PlaySong(owner, std::string(item->record.FileName()), item->record.FileType(),
                               PlayerInFront());
}

bool tSongExplorer::PlayerInFront() const {
  return m_services.playerOptions.Set().PlayerPopups.InFront(PlayerPopup::Explorer);
}

void tSongExplorer::SetPlayerInFront(bool inFront) {
  // Only the Explorer's bit changes; the other windows' choices stay as stored.
  m_services.playerOptions.Set().PlayerPopups.SetInFront(PlayerPopup::Explorer, inFront);
}

}  // namespace tunedex
