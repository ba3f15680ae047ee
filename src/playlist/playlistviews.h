// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "catalogue/song.h"

namespace tunedex {

// Where the evening stands. The values are those the audience view is told.
enum class RunState {
  Idle = 0,         // no starting item; nothing runs
  Ready = 1,        // a starting item is set and not played yet; items follow it
  Running = 2,      // the current item was started in its player; items follow it
  ReadyLast = 3,    // a starting item is set, not played yet, and it is the last item
  RunningLast = 4,  // the last item was started
};

// What the audience view shows: the current item and the one after it ("?" for an empty
// singer, empty texts when none follows).
struct AudienceItems {
  std::string currentTitle;
  std::string currentSinger;
  std::string nextTitle;
  std::string nextSinger;
  RunState state = RunState::Idle;
  friend bool operator==(const AudienceItems&, const AudienceItems&) = default;
};

// The audience view and the full playlist view as Playlist Central drives them. Playlist
// Central keeps track of which are open; the windows tell it when they close.
class PlaylistViews {
 public:
  virtual ~PlaylistViews() = default;

  virtual void OpenAudience() = 0;
  virtual void CloseAudience() = 0;
  // Resets the bars to fill the desktop's work area and brings the view to the top.
  virtual void RestoreAudience() = 0;
  virtual bool AudienceStaysOnTop() = 0;
  // Hands over the items and lets the view update its play command.
  virtual void UpdateAudience(const AudienceItems& items) = 0;

  virtual void OpenFullList(int startingIndex, int currentIndex) = 0;
  virtual void CloseFullList() = 0;
  // Rebuilds the view's rows from the item list.
  virtual void RefreshFullList() = 0;
  virtual void SetFullListRows(int startingIndex, int currentIndex) = 0;
  // Moves the view to (1, 1).
  virtual void RestoreFullList() = 0;

  // The switch-back brings the open views forward after Playlist Central.
  virtual void BringAudienceForward() = 0;
  virtual void BringFullListForward() = 0;
};

// No views at all: for a program (or a run) without the audience and full list windows, whose
// commands then stay disabled, so nothing reaches these.
class NoPlaylistViews final : public PlaylistViews {
 public:
  void OpenAudience() override {}
  void CloseAudience() override {}
  void RestoreAudience() override {}
  bool AudienceStaysOnTop() override { return false; }
  void UpdateAudience(const AudienceItems&) override {}
  void OpenFullList(int, int) override {}
  void CloseFullList() override {}
  void RefreshFullList() override {}
  void SetFullListRows(int, int) override {}
  void RestoreFullList() override {}
  void BringAudienceForward() override {}
  void BringFullListForward() override {}
};

// The window program's side of Playlist Central: the player control, the catalogue window, the
// record viewer, the item editor and the list widget.
class PlaylistCentralHost {
 public:
  virtual ~PlaylistCentralHost() = default;

  // PlaySong with Playlist Central's window as owner, the song's FileName and FileType.
  virtual void PlaySong(const tSong& song, bool playerInFront) = 0;
  virtual void ClosePlayer() = 0;
  virtual void SetCatalogueWindowVisible(bool visible) = 0;
  // The song's record in the record editor's plain view.
  virtual void ShowSongDetails(const tSong& song) = 0;
  // Opens the item editor: kAddMode, or the row to change. A window already open is closed
  // first.
  virtual void OpenItemEditor(int mode) = 0;
  // Brings Playlist Central to the front, then the requesting audience view when asked.
  virtual void BringToFront(bool audienceToo) = 0;
  // Shows Playlist Central at its normal size (after the item editor or the audience view
  // closed).
  virtual void ShowNormal() = 0;
  // The rows, marks, selection, status panels or enabling changed: show them again.
  virtual void Refresh() = 0;
  virtual void ScrollIntoView(int row) = 0;
};

}  // namespace tunedex
