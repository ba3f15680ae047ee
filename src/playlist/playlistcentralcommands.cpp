// SPDX-License-Identifier: GPL-3.0-or-later
// Playlist Central's commands: the files, the editing of the list and the run.
#include <string>

#include "common/fileio.h"
#include "common/recordtext.h"
#include "playlist/playlistcentral.h"
#include "playlist/playlistcheck.h"

namespace tunedex {

namespace {

std::string WithExtension(std::string path) {
  if (FileNamePart(path).find('.') == std::string_view::npos) path += kPlayListExtension;
  return path;
}

}  // namespace

FileDialogRequest tPlaylistCentral::DialogRequest(const std::string& title,
                                                  const std::string& path) const {
  FileDialogRequest request;
  request.title = title;
  request.filters = {{"Tunedex PlayList files", {"*.tdp"}}, {"All files", {"*.*"}}};
  request.folder = FolderPart(path);
  request.fileName = std::string(FileNamePart(path));
  request.defaultExtension = "tdp";
  return request;
}

void tPlaylistCentral::LoadFile(const std::string& path) {
  const LoadOutcome outcome = LoadPlayList(path, m_items, m_s.user);
  if (outcome == LoadOutcome::Loaded || outcome == LoadOutcome::Cancelled) {
    m_current = nullptr;
    m_sel = -1;
    m_loadedPanelText = DecodeRecordText(path);
  }
}

void tPlaylistCentral::SaveTo(const std::string& path) {
  SavePlayList(path, m_items, m_s.user);
}

void tPlaylistCentral::Open() {
  const auto chosen = m_s.user.AskOpenFile(DialogRequest("Open saved list", m_openDialogPath));
  if (chosen) OpenFile(*chosen);
}

void tPlaylistCentral::OpenFile(const std::string& path) {
  if (!m_items.Empty() &&
      m_s.user.ShowMessage(MessageKind::Confirmation,
                           "Save current playlist to " + DecodeRecordText(m_file) + " first",
                           {Button::Yes, Button::No}) == Button::Yes) {
    SaveTo(m_file);
  }
  Reset();
  m_file = WithExtension(path);
  LoadFile(m_file);
  FillItemList();
  m_saveDialogPath = m_file;
  UpdateControls();
}

void tPlaylistCentral::ClearList() {
  if (!Controls().clearList) return;
  if (m_s.user.ShowMessage(MessageKind::Confirmation, "Clear all items from the Playlist?",
                           {Button::Yes, Button::No}) != Button::Yes) {
    return;
  }
  SaveTo(m_file);
  m_current = nullptr;
  m_sel = -1;
  m_items.Clear();
  if (m_fullListOpen) m_s.views.RefreshFullList();
  UpdateControls();
}

void tPlaylistCentral::Save() {
  if (Controls().saveList) SaveTo(m_file);
}

void tPlaylistCentral::SaveListAs() {
  const auto chosen = m_s.user.AskSaveFile(DialogRequest("Save List As", m_saveDialogPath));
  if (!chosen) return;
  m_file = WithExtension(*chosen);
  SaveTo(m_file);
  m_openDialogPath = m_file;
  UpdateControls();
}

void tPlaylistCentral::ActivatePlaylist() {
  if (!Controls().activate) return;
  if (FileExists(m_active) &&
      m_s.user.ShowMessage(MessageKind::Confirmation,
                           "Replace the existing copy of " + DecodeRecordText(m_active) + "?",
                           {Button::Yes, Button::No}) != Button::Yes) {
    return;
  }
  m_file = m_active;
  SaveTo(m_file);
  m_openDialogPath = m_file;
  UpdateControls();
}

void tPlaylistCentral::AddItem() {
  if (!Controls().addItem) return;
  m_curIndex = RowOfCurrent();
  m_editorOpen = true;
  m_s.host.OpenItemEditor(kAddMode);
  UpdateControls();
}

void tPlaylistCentral::ChangeItem() {
  if (m_sel < 0) {
    m_s.user.ShowError("Please select the item you wish to change");
    return;
  }
  if (!Controls().changeItem) return;
  m_editorOpen = true;
  m_s.host.OpenItemEditor(m_sel);
  UpdateControls();
}

void tPlaylistCentral::DeleteItem() {
  if (!Controls().deleteItem || m_sel < 0) return;
  m_items.RemoveAt(static_cast<std::size_t>(m_sel));
  m_sel = -1;
  FillItemList();
  AdjustRunState();
  RefreshViews();
}

void tPlaylistCentral::MoveUp() {
  if (!Controls().moveUp) return;
  m_items.Swap(static_cast<std::size_t>(m_sel), static_cast<std::size_t>(m_sel - 1));
  --m_sel;
  m_curIndex = CurrentIndex();
  UpdateControls();
  RefreshViews();
}

void tPlaylistCentral::MoveDown() {
  if (!Controls().moveDown) return;
  m_items.Swap(static_cast<std::size_t>(m_sel), static_cast<std::size_t>(m_sel + 1));
  ++m_sel;
  m_curIndex = CurrentIndex();
  UpdateControls();
  RefreshViews();
}

void tPlaylistCentral::SelectPrevious() {
  if (Controls().selectPrevious) SelectRow(m_sel - 1);
}

void tPlaylistCentral::SelectNext() {
  if (Controls().selectNext) SelectRow(m_sel + 1);
}

void tPlaylistCentral::CorrectSingerName() {
  if (!Controls().correctSinger || m_sel < 0) return;
  const std::string old = m_items.Item(static_cast<std::size_t>(m_sel)).Singer;
  const bool unknown = old.empty();
  const std::string caption = unknown ? "Set Singer name " : "Change ";
  const std::string prompt = unknown ? "Set unknown singer's name in all items to:-"
                                     : "Change \"" + old + "\" in all items to:-";
  const auto answer = m_s.user.AskText(caption, prompt, old);
  if (!answer || *answer == old) return;
  for (std::size_t i = 0; i < m_items.Count(); ++i) {
    if (m_items.Item(i).Singer == old) m_items.Item(i).SetSinger(*answer);
  }
  m_sel = -1;
  FillItemList();
  RefreshViews();
}

void tPlaylistCentral::PlayOneSongOnly() {
  const tSong* song = SelectedSong();
  if (!Controls().playOne || song == nullptr) return;
  m_s.host.PlaySong(*song, Controls().playerInFrontChecked);
}

void tPlaylistCentral::SetStartingItem() {
  if (!Controls().setStarting || m_sel < 0) return;
  m_current = &m_items.Item(static_cast<std::size_t>(m_sel));
  m_curIndex = m_startIndex = m_sel;
  m_s.host.ClosePlayer();
  m_state = RunState::Ready;
  UpdateAudience();
  m_s.host.ScrollIntoView(m_sel);
  UpdateControls();
  if (m_fullListOpen) m_s.views.SetFullListRows(m_sel, m_sel);
}

void tPlaylistCentral::RunPlaylist() {
  if (m_state == RunState::Idle) {
    m_s.user.ShowError("Please select a starting item");
    return;
  }
  if (!Controls().run) return;
  SaveTo(m_active);
  PlayCurrentItem(PlayRequester::Central);
  m_s.host.SetCatalogueWindowVisible(false);
  UpdateControls();
}

void tPlaylistCentral::QuickStart() {
  if (!Controls().quickStart || m_sel < 0) return;
  SetStartingItem();
  m_s.sleeper.Pause(2 * m_s.players.DesktopDelay);
  m_curIndex = m_startIndex;
  PlayCurrentItem(PlayRequester::Central);
  m_s.host.SetCatalogueWindowVisible(false);
}

void tPlaylistCentral::Reset() {
  m_startIndex = m_curIndex = -1;
  m_state = RunState::Idle;
  m_current = nullptr;
  m_sel = m_items.Empty() ? -1 : 0;
  m_s.host.ClosePlayer();
  if (m_audienceOpen) {
    m_s.views.CloseAudience();
    m_audienceOpen = false;
  }
  UpdateControls();
  if (m_fullListOpen) m_s.views.SetFullListRows(0, 0);
}

void tPlaylistCentral::TogglePlayerInFront() {
  if (!Controls().playerInFront) return;
  m_playerInFront = !m_playerInFront;
  m_s.players.Set().PlayerPopups.SetInFront(PlayerPopup::PlaylistEditor, m_playerInFront);
  UpdateControls();
}

void tPlaylistCentral::ShowAudienceView() {
  if (!Controls().showAudience) return;
  m_s.views.OpenAudience();
  m_audienceOpen = true;
  UpdateAudience();
  UpdateControls();
}

void tPlaylistCentral::RestoreAudienceView() {
  if (Controls().restoreAudience) m_s.views.RestoreAudience();
}

void tPlaylistCentral::ShowFullList() {
  if (!Controls().showFullList) return;
  SaveTo(m_file);
  m_s.views.OpenFullList(m_startIndex, CurrentIndex());
  m_fullListOpen = true;
  UpdateControls();
}

void tPlaylistCentral::RestoreFullList() {
  if (Controls().restoreFullList) m_s.views.RestoreFullList();
}

void tPlaylistCentral::SongDetails() {
  if (const tSong* song = SelectedSong()) m_s.host.ShowSongDetails(*song);
}

bool tPlaylistCentral::CheckAvailability() {
  return CheckPlayListAvailability(m_items, m_s.players.Set(), m_s.files, m_s.programs, m_s.user);
}

void tPlaylistCentral::Close() {
  m_s.host.SetCatalogueWindowVisible(true);
  m_s.host.ClosePlayer();
  if (m_audienceOpen) {
    m_s.views.CloseAudience();
    m_audienceOpen = false;
  }
  if (m_fullListOpen) {
    m_s.views.CloseFullList();
    m_fullListOpen = false;
  }
  SaveTo(m_file);
  m_current = nullptr;
  m_items.Clear();
}

}  // namespace tunedex
