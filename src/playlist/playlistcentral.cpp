// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/playlistcentral.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "catalogue/songgridlayout.h"
#include "common/fileio.h"
#include "common/recordtext.h"

namespace tunedex {

namespace {

std::string SingerText(const tPlayListItem& item) {
  return item.Singer.empty() ? std::string("?") : item.Singer;
}

}  // namespace

tPlaylistCentral::tPlaylistCentral(Services services)
    : m_s(std::move(services)), m_items(m_s.catalogue) {
  m_active = ActivePlayListName(m_s.catalogue.Path());
  m_file = m_active;
  m_openDialogPath = m_active;
  m_saveDialogPath = m_active;
  m_items.SetChangedHandler([this] {
    // Items left with their songs: the rows follow, and a removed current item gives way to
    // the row at its place.
    if (m_current != nullptr && m_items.IndexOf(m_current) < 0) m_current = nullptr;
    FillItemList();
    AdjustRunState();
    RefreshViews();
  });
  LoadFile(m_active);
  m_sel = -1;
  FillItemList();
  m_playerInFront = m_s.players.Set().PlayerPopups.InFront(PlayerPopup::PlaylistEditor);
  m_startIndex = -1;
  UpdateControls();
}

int tPlaylistCentral::RowOfCurrent() const {
  return m_current == nullptr ? -1 : m_items.IndexOf(m_current);
}

int tPlaylistCentral::CurrentIndex() const {
  const int row = RowOfCurrent();
  return row >= 0 ? row : m_curIndex;
}

std::string tPlaylistCentral::Caption() const {
  if (IsActive()) return "Playlist Central - active playlist";
  return "Playlist Central - " + DecodeRecordText(FileNamePart(m_file));
}

PlaylistRow tPlaylistCentral::Row(std::size_t index) const {
  const tPlayListItem& item = m_items.Item(index);
  PlaylistRow row{std::to_string(index + 1), item.Song->Record().Title(), SingerText(item), 0};
  if (m_current == &item) row.mark = m_state == RunState::Ready ? 1 : 2;
  return row;
}

const tSong* tPlaylistCentral::SelectedSong() const {
  if (m_sel < 0 || static_cast<std::size_t>(m_sel) >= m_items.Count()) return nullptr;
  return m_items.Item(static_cast<std::size_t>(m_sel)).Song;
}

std::string tPlaylistCentral::StatusPanel1(
    int maxWidth, const std::function<int(std::string_view)>& measure) const {
  if (m_items.Empty()) return "No items";
  if (!m_loadedPanelText.empty()) return m_loadedPanelText;
  const tSong* song = SelectedSong();
  if (song == nullptr) return {};
  return ShortenPath(DecodeRecordText(song->Record().FileName()), maxWidth - 8, measure);
}

std::string tPlaylistCentral::StatusPanel2() const {
  if (m_items.Empty()) return {};
  return std::to_string(m_sel + 1) + "/" + std::to_string(m_items.Count()) + " ";
}

std::string tPlaylistCentral::ListHint() const {
  const tSong* song = SelectedSong();
  if (song == nullptr) return "Playlist items pane";
  return DecodeRecordText(FileNamePart(song->Record().FileName()));
}

PlaylistControls tPlaylistCentral::Controls() const {
  PlaylistControls c;
  const int n = static_cast<int>(m_items.Count());
  const int sel = m_sel < n ? m_sel : -1;
  const int cur = m_current != nullptr ? RowOfCurrent() : -1;
  const bool views = m_s.viewSongCount() >= 1;
  c.saveList = n >= 1;
  c.clearList = views && n >= 1;
  c.changeItem = sel >= 0 && !m_editorOpen && n >= 1;
  c.addItem = !m_editorOpen && views;
  c.deleteItem = !m_editorOpen && n >= 1;
  c.correctSinger = c.deleteItem;
  c.checkAvailability = c.playOne = c.songDetails = n >= 1;
  c.activate = !IsActive();
  c.setStarting = n >= 1 && IsActive();
  c.run = c.setStarting && (m_state == RunState::Ready || m_state == RunState::Running ||
                            m_state == RunState::ReadyLast);
  c.quickStart = c.setStarting;
  c.showFullList = m_viewsAvailable && !m_fullListOpen && IsActive();
  c.restoreFullList = m_fullListOpen;
  c.reset = Running();
  c.selectPrevious = sel >= 1;
  c.selectNext = sel < n - 1;
  c.showAudience = m_viewsAvailable && c.setStarting && !m_audienceOpen && Running();
  c.restoreAudience = c.setStarting && m_audienceOpen && c.run;
  const bool onTop = m_audienceOpen && m_s.views.AudienceStaysOnTop();
  c.playerInFront = !onTop;
  c.playerInFrontChecked = m_playerInFront && !onTop;
  if (Running() && sel >= 0 && sel == cur) {
    c.deleteItem = false;
    c.changeItem = false;
  }
  c.moveUp = c.deleteItem && sel > 0 && sel != cur + 1;
  c.moveDown = c.deleteItem && sel >= 0 && sel < n - 1 && sel != cur - 1;
  return c;
}

void tPlaylistCentral::UpdateControls() {
  const int cur = RowOfCurrent();
  if (Running() && m_sel >= 0 && m_sel != cur && m_sel == cur + 1) UpdateAudience();
  m_s.host.Refresh();
}

void tPlaylistCentral::SelectRow(int row) {
  if (row < -1 || row >= static_cast<int>(m_items.Count())) return;
  m_sel = row;
  m_loadedPanelText.clear();
  UpdateControls();
}

void tPlaylistCentral::SetViewsAvailable(bool available) {
  m_viewsAvailable = available;
  UpdateControls();
}

void tPlaylistCentral::EditorClosed() {
  m_editorOpen = false;
  m_s.host.ShowNormal();
  UpdateControls();
}

void tPlaylistCentral::AudienceClosed() {
  m_audienceOpen = false;
  m_s.host.ShowNormal();
  UpdateControls();
}

void tPlaylistCentral::FullListClosed() {
  m_fullListOpen = false;
  UpdateControls();
}

void tPlaylistCentral::RefreshViews() {
  UpdateAudience();
  if (m_fullListOpen) m_s.views.RefreshFullList();
}

void tPlaylistCentral::FillItemList() {
  const int n = static_cast<int>(m_items.Count());
  int index = m_sel;
  while (index > n - 1 && index > 0) --index;
  if (index < 0) index = 0;
  if (index >= n) {
    m_sel = -1;
    m_state = RunState::Idle;
    m_current = nullptr;
    m_curIndex = -1;
  } else {
    m_sel = index;
    if (Running()) {
      // The current item stays current where it went; only one that left the list gives way
      // to the row at its place.
      if (RowOfCurrent() < 0) {
        m_curIndex = std::clamp(m_curIndex, 0, n - 1);
        m_current = &m_items.Item(static_cast<std::size_t>(m_curIndex));
      }
      m_curIndex = RowOfCurrent();
    }
  }
  UpdateControls();
  if (m_fullListOpen) m_s.views.RefreshFullList();
}

void tPlaylistCentral::AdjustRunState() {
  const int n = static_cast<int>(m_items.Count());
  const int cur = RowOfCurrent();
  const RunState before = m_state;
  if (cur >= 0) {
    const bool last = cur == n - 1;
    switch (m_state) {
      case RunState::Ready:
        if (last) m_state = RunState::ReadyLast;
        break;
      case RunState::ReadyLast:
        if (!last) m_state = RunState::Ready;
        break;
      case RunState::RunningLast:
        if (!last) m_state = RunState::Running;
        break;
      case RunState::Running:
        if (last) m_state = RunState::RunningLast;
        break;
      case RunState::Idle:
        break;
    }
  }
  if (m_state != before) UpdateAudience();
  UpdateControls();
}

void tPlaylistCentral::UpdateAudience() {
  const int cur = RowOfCurrent();
  if (!m_audienceOpen || cur < 0) return;
  AudienceItems items;
  const PlaylistRow current = Row(static_cast<std::size_t>(cur));
  items.currentTitle = current.title;
  items.currentSinger = current.singer;
  if (static_cast<std::size_t>(cur) + 1 < m_items.Count()) {
    const PlaylistRow next = Row(static_cast<std::size_t>(cur) + 1);
    items.nextTitle = next.title;
    items.nextSinger = next.singer;
  }
  items.state = m_state;
  m_s.views.UpdateAudience(items);
}

void tPlaylistCentral::ChangeRow(int row) {
  if (row < 0 || row >= static_cast<int>(m_items.Count())) return;
  m_sel = row;
  m_loadedPanelText.clear();
  UpdateControls();
  RefreshViews();
}

void tPlaylistCentral::PlayCurrentItem(PlayRequester requester) {
  const bool inFront =
      (m_audienceOpen && m_s.views.AudienceStaysOnTop()) || Controls().playerInFrontChecked;
  if (m_fullListOpen) {
    m_s.views.CloseFullList();
    m_fullListOpen = false;
  }
  int row = RowOfCurrent();
  if (row < 0 && m_curIndex >= 0 && m_curIndex < static_cast<int>(m_items.Count())) {
    row = m_curIndex;
  }
  if (m_state == RunState::Running) {
    row = row + 1 < static_cast<int>(m_items.Count()) ? row + 1 : -1;
  }
  if (row < 0) return;
  m_s.host.ScrollIntoView(row);
  const tPlayListItem& item = m_items.Item(static_cast<std::size_t>(row));
  m_current = &item;
  m_sel = m_curIndex = row;
  m_loadedPanelText.clear();
  m_s.host.SetCatalogueWindowVisible(false);
  m_s.host.BringToFront(requester == PlayRequester::Audience);
  m_s.host.PlaySong(*item.Song, inFront);
  m_state =
      row == static_cast<int>(m_items.Count()) - 1 ? RunState::RunningLast : RunState::Running;
  UpdateAudience();
  UpdateControls();
}

void tPlaylistCentral::SwitchBack() {
  if (m_audienceOpen) m_s.views.BringAudienceForward();
  if (m_fullListOpen) m_s.views.BringFullListForward();
}

}  // namespace tunedex
