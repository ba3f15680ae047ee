// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/itemeditor.h"

#include <algorithm>
#include <utility>

#include "catalogue/songgridlayout.h"
#include "common/fileio.h"
#include "common/recordtext.h"
#include "common/textcase.h"
#include "playlist/fairplacement.h"

namespace tunedex {

tItemEditor::tItemEditor(Services services, const tSongList& view, int mode,
                         const ItemEditorSettings& settings)
    : m_s(std::move(services)), m_candidates(view.begin(), view.end()), m_settings(settings) {
  m_s.catalogue.AddObserver(*this);
  tPlayList& items = m_s.central.Items();
  m_addMode = mode == kAddMode;
  if (!m_addMode && mode >= 0 && static_cast<std::size_t>(mode) < items.Count()) {
    m_itemIndex = mode;
    m_item = &items.Item(static_cast<std::size_t>(mode));
    m_singer = m_item->Singer;
    m_title = m_item->Song->Record().Title();
    m_language = m_item->Song->Record().Language();
  }
  FillSingers();
  if (m_candidates.empty()) Finish();
}

tItemEditor::~tItemEditor() {
  m_s.catalogue.RemoveObserver(*this);
}

void tItemEditor::CatalogueChanged(const CatalogueNotice& notice) {
  const auto drop = [&](const tSong* song) {
    if (const auto candidate = std::find(m_candidates.begin(), m_candidates.end(), song);
        candidate != m_candidates.end()) {
      if (static_cast<std::size_t>(candidate - m_candidates.begin()) < m_checked) --m_checked;
      m_candidates.erase(candidate);
    }
    const auto at = std::find(m_available.begin(), m_available.end(), song);
    if (at == m_available.end()) return;
    const int row = static_cast<int>(at - m_available.begin());
    m_available.erase(at);
    if (m_chosenRow == row) {
      m_chosenRow = -1;
      m_song = nullptr;
      m_title.clear();
      m_language.clear();
    } else if (m_chosenRow > row) {
      --m_chosenRow;
    }
    if (m_foundRow >= row) m_foundRow = std::max(-1, m_foundRow - 1);
  };
  if (notice.change == CatalogueChange::Replacing) {
    const std::vector<const tSong*> all = m_candidates;
    for (const tSong* song : all) drop(song);
  } else if (notice.change == CatalogueChange::Removing) {
    drop(notice.song);
  }
  if (m_item != nullptr && m_s.central.Items().IndexOf(m_item) < 0) m_item = nullptr;
}

bool tItemEditor::FillSlice(std::size_t count) {
  const std::size_t end = std::min(m_candidates.size(), m_checked + count);
  for (; m_checked < end; ++m_checked) {
    const tSong* song = m_candidates[m_checked];
    if (m_s.files.FileExists(std::string(song->Record().FileName()))) m_available.push_back(song);
  }
  if (!Filled()) return false;
  Finish();
  return true;
}

void tItemEditor::Finish() {
  m_checked = m_candidates.size();
  if (m_available.empty()) return;
  if (m_addMode) {
    // Row 0 is selected, but the choice panel starts empty: OK wants a song picked.
    ChooseRow(0);
    m_title.clear();
    m_language.clear();
    return;
  }
  if (m_item == nullptr) return;
  const auto at = std::find(m_available.begin(), m_available.end(), m_item->Song);
  if (at != m_available.end()) ChooseRow(static_cast<int>(at - m_available.begin()));
}

void tItemEditor::FillSingers() {
  m_singers.clear();
  const tPlayList& items = m_s.central.Items();
  for (std::size_t i = 0; i < items.Count(); ++i) {
    if (!items.Item(i).Singer.empty()) m_singers.push_back(items.Item(i).Singer);
  }
  // Sorted as a list box sorts, ignoring case; names that differ only in case stay apart.
  std::sort(m_singers.begin(), m_singers.end(), [](const std::string& a, const std::string& b) {
    const std::string la = LowerCase(a), lb = LowerCase(b);
    return la != lb ? la < lb : a < b;
  });
  m_singers.erase(std::unique(m_singers.begin(), m_singers.end()), m_singers.end());
}

std::string tItemEditor::Caption() const {
  return std::string("Playlist - ") + (m_addMode ? "add items" : "change item");
}

int tItemEditor::SelectedSinger() const {
  const auto at = std::find(m_singers.begin(), m_singers.end(), m_singer);
  return at == m_singers.end() ? -1 : static_cast<int>(at - m_singers.begin());
}

std::string tItemEditor::InformationLine(
    int maxWidth, const std::function<int(std::string_view)>& measure) const {
  if (Filled() && m_available.empty()) return std::string(kNoAvailableSongs);
  if (m_song == nullptr) return {};
  return ShortenPath(DecodeRecordText(m_song->Record().FileName()), maxWidth - 8, measure);
}

std::string tItemEditor::Counter() const {
  if (m_chosenRow < 0) return {};
  return std::to_string(m_chosenRow + 1) + "/" + std::to_string(m_available.size());
}

void tItemEditor::SetSinger(std::string_view name) {
  m_singer = CutSingerName(name);
}

void tItemEditor::ChooseRow(int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= m_available.size()) return;
  m_chosenRow = row;
  m_song = m_available[static_cast<std::size_t>(row)];
  m_title = m_song->Record().Title();
  m_language = m_song->Record().Language();
}

bool tItemEditor::Matches(const tSong& song) const {
  const tSongRecord& r = song.Record();
  return ContainsText(m_search, r.IdCode() + "*" + r.Title() + "*" + r.Artist()) > 0;
}

void tItemEditor::SetSearchText(std::string_view text) {
  m_search = CutSingerName(text);
  m_foundRow = -1;
  if (m_search.empty()) return;
  for (std::size_t i = 0; i < m_available.size(); ++i) {
    if (Matches(*m_available[i])) {
      m_foundRow = static_cast<int>(i);
      ChooseRow(m_foundRow);
      return;
    }
  }
}

bool tItemEditor::FindNext() {
  if (m_search.empty()) return false;
  const int from = std::max(m_foundRow, m_chosenRow) + 1;
  for (std::size_t i = static_cast<std::size_t>(std::max(from, 0)); i < m_available.size(); ++i) {
    if (Matches(*m_available[i])) {
      m_foundRow = static_cast<int>(i);
      ChooseRow(m_foundRow);
      return true;
    }
  }
  m_s.user.ShowInformation("Cannot find another song with \"" + m_search + "\"");
  return false;
}

ItemEditorOutcome tItemEditor::Ok() {
  if (m_singer.empty() && !m_settings.blankNames) {
    m_s.user.ShowError(
        "No singer's name has been provided for this item.\r\rIf you wish to add songs without "
        "singers' names\rplease place a check mark in the \"Allow singers'\rnames to be added "
        "later\" box.");
    return ItemEditorOutcome::NeedSinger;
  }
  if (m_title.empty() || (m_addMode && m_song == nullptr)) {
    m_s.user.ShowError("Please select a song for this item.\r\r");
    return ItemEditorOutcome::NeedSong;
  }
  tPlayList& items = m_s.central.Items();
  if (m_addMode) {
    std::vector<std::string> singers;
    singers.reserve(items.Count());
    for (std::size_t i = 0; i < items.Count(); ++i) singers.push_back(items.Item(i).Singer);
    const int current = m_s.central.State() == RunState::Idle ? -1 : m_s.central.CurrentIndex();
    const std::size_t at = PlacementIndex(singers, current, m_singer, m_settings.placement);
    items.Insert(at, m_singer, *m_song);
    FillSingers();
    m_s.central.FillItemList();
    m_itemIndex =
        m_s.central.State() == RunState::Idle ? static_cast<int>(at) : m_s.central.SelectedRow();
    m_s.central.AdjustRunState();
    if (m_settings.closeOnAdd) {
      Closed();
      return ItemEditorOutcome::Closed;
    }
    m_title.clear();
    m_language.clear();
    return ItemEditorOutcome::Added;
  }
  if (m_item != nullptr) {
    m_item->SetSinger(m_singer);
    if (m_chosenRow >= 0 && m_song != nullptr) m_item->Song = m_song;
    m_itemIndex = items.IndexOf(m_item);
  }
  FillSingers();
  m_s.central.ChangeRow(m_itemIndex);
  Closed();
  return ItemEditorOutcome::Closed;
}

void tItemEditor::Cancel() {
  m_s.central.SelectRow(m_itemIndex);
  Closed();
}

void tItemEditor::Closed() {
  if (m_closed) return;
  m_closed = true;
  m_s.central.EditorClosed();
}

void tItemEditor::Play() {
  if (m_song == nullptr) return;
  m_s.play(*m_song, m_s.players.Set().PlayerPopups.InFront(PlayerPopup::PlaylistEditor));
}

}  // namespace tunedex
