// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/playlistmenus.h"

#include <array>

namespace tunedex {

namespace {

using enum PlaylistCommand;

constexpr std::array kMenu = {
    PlaylistMenuEntry{Open, "Open saved list", "Ctrl+O", false},
    PlaylistMenuEntry{ClearList, "Clear list", "Ctrl+N", false},
    PlaylistMenuEntry{Save, "Save list", "Ctrl+S", false},
    PlaylistMenuEntry{SaveListAs, "Save List As", "Ctrl+A", false},
    PlaylistMenuEntry{Activate, "Activate playlist", "Ctrl+C", false},
    PlaylistMenuEntry{CheckAvailability, "Check availability", "Ctrl+K", true},
    PlaylistMenuEntry{AddItem, "Add new item", "Ctrl+Ins", false},
    PlaylistMenuEntry{DeleteItem, "Delete item", "Ctrl+Del", false},
    PlaylistMenuEntry{ChangeItem, "Change item", "Ctrl+E", false},
    PlaylistMenuEntry{CorrectSinger, "Correct singer name", "", false},
    PlaylistMenuEntry{MoveUp, "Move item up", "Ctrl+U", false},
    PlaylistMenuEntry{MoveDown, "Move item down", "Ctrl+D", true},
    PlaylistMenuEntry{PlayOne, "Play one song only", "F9", false},
    PlaylistMenuEntry{SetStarting, "Set starting item", "Alt+F9", false},
    PlaylistMenuEntry{Run, "Run Playlist", "Shift+F9", false},
    PlaylistMenuEntry{QuickStart, "PlayList quick-start", "Ctrl+F9", false},
    PlaylistMenuEntry{Reset, "Reset playlist", "Ctrl+Z", true},
    PlaylistMenuEntry{PlayerInFront, "Player in front", "", false},
    PlaylistMenuEntry{ShowAudience, "Show audience-view", "Ctrl+V", false},
    PlaylistMenuEntry{RestoreAudience, "Restore audience-view", "Ctrl+R", false},
    PlaylistMenuEntry{ShowFullList, "Show full list", "Ctrl+L", false},
    PlaylistMenuEntry{RestoreFullList, "Restore full list", "", false},
    PlaylistMenuEntry{SongDetails, "Song details", "F2", true},
    PlaylistMenuEntry{Close, "Close Playlist Central", "Ctrl+X", false},
};

// The toolbar's save button runs Save List As.
constexpr std::array kToolbar = {
    PlaylistToolButton{Close, "Close list editor"},
    PlaylistToolButton{Open, "Open saved list"},
    PlaylistToolButton{ClearList, "Clear list"},
    PlaylistToolButton{SaveListAs, "Save list"},
    PlaylistToolButton{AddItem, "Add new item"},
    PlaylistToolButton{DeleteItem, "Delete item"},
    PlaylistToolButton{ChangeItem, "Change item"},
    PlaylistToolButton{MoveUp, "Move item to earlier spot"},
    PlaylistToolButton{MoveDown, "Move item to later spot"},
    PlaylistToolButton{CheckAvailability, "Check availability of songs and players"},
    PlaylistToolButton{SelectPrevious, "Select previous item"},
    PlaylistToolButton{SelectNext, "Select next item"},
    PlaylistToolButton{SetStarting, "Set starting item"},
    PlaylistToolButton{Run, "Start Playlist"},
    PlaylistToolButton{ShowAudience, "Show audience view"},
    PlaylistToolButton{Help, "Show Help"},
};

constexpr std::array<std::string_view, 3> kColumns = {"", "Song Title", "Singer"};

constexpr std::array kEditorMenu = {
    ItemEditorMenuEntry{"SingerName", "Ctrl+N"},
    ItemEditorMenuEntry{"", "Ctrl+O"},
    ItemEditorMenuEntry{"CloseAfterAdd", "Ctrl+C"},
    ItemEditorMenuEntry{"", "Ctrl+I"},
    ItemEditorMenuEntry{"ShowDetails", "F2"},
    ItemEditorMenuEntry{"", "Ctrl+K"},
    ItemEditorMenuEntry{"PlaySong", "F9"},
    ItemEditorMenuEntry{"", "Ctrl+P"},
    ItemEditorMenuEntry{"FindAgain", "F3"},
    ItemEditorMenuEntry{"", "Ctrl+A"},
    ItemEditorMenuEntry{"Help", "F1"},
    ItemEditorMenuEntry{"", "F4"},
    ItemEditorMenuEntry{"Exit", "Ctrl+X"},
    ItemEditorMenuEntry{"", "F5"},
};

}  // namespace

std::span<const PlaylistMenuEntry> PlaylistCentralMenu() {
  return kMenu;
}
std::span<const PlaylistToolButton> PlaylistCentralToolbar() {
  return kToolbar;
}
std::span<const std::string_view> PlaylistCentralColumns() {
  return kColumns;
}
std::span<const ItemEditorMenuEntry> ItemEditorMenu() {
  return kEditorMenu;
}

bool CommandEnabled(const PlaylistControls& c, PlaylistCommand command) {
  switch (command) {
    case Open:
      return c.open;
    case ClearList:
      return c.clearList;
    case Save:
      return c.saveList;
    case SaveListAs:
      return c.saveListAs;
    case Activate:
      return c.activate;
    case CheckAvailability:
      return c.checkAvailability;
    case AddItem:
      return c.addItem;
    case DeleteItem:
      return c.deleteItem;
    case ChangeItem:
      return c.changeItem;
    case CorrectSinger:
      return c.correctSinger;
    case MoveUp:
      return c.moveUp;
    case MoveDown:
      return c.moveDown;
    case PlayOne:
      return c.playOne;
    case SetStarting:
      return c.setStarting;
    case Run:
      return c.run;
    case QuickStart:
      return c.quickStart;
    case Reset:
      return c.reset;
    case PlayerInFront:
      return c.playerInFront;
    case ShowAudience:
      return c.showAudience;
    case RestoreAudience:
      return c.restoreAudience;
    case ShowFullList:
      return c.showFullList;
    case RestoreFullList:
      return c.restoreFullList;
    case SongDetails:
      return c.songDetails;
    case SelectPrevious:
      return c.selectPrevious;
    case SelectNext:
      return c.selectNext;
    case Close:
    case Help:
      return true;
  }
  return false;
}

void RunCommand(tPlaylistCentral& central, PlaylistCommand command) {
  switch (command) {
    case Open:
      central.Open();
      break;
    case ClearList:
      central.ClearList();
      break;
    case Save:
      central.Save();
      break;
    case SaveListAs:
      central.SaveListAs();
      break;
    case Activate:
      central.ActivatePlaylist();
      break;
    case CheckAvailability:
      central.CheckAvailability();
      break;
    case AddItem:
      central.AddItem();
      break;
    case DeleteItem:
      central.DeleteItem();
      break;
    case ChangeItem:
      central.ChangeItem();
      break;
    case CorrectSinger:
      central.CorrectSingerName();
      break;
    case MoveUp:
      central.MoveUp();
      break;
    case MoveDown:
      central.MoveDown();
      break;
    case PlayOne:
      central.PlayOneSongOnly();
      break;
    case SetStarting:
      central.SetStartingItem();
      break;
    case Run:
      central.RunPlaylist();
      break;
    case QuickStart:
      central.QuickStart();
      break;
    case Reset:
      central.Reset();
      break;
    case PlayerInFront:
      central.TogglePlayerInFront();
      break;
    case ShowAudience:
      central.ShowAudienceView();
      break;
    case RestoreAudience:
      central.RestoreAudienceView();
      break;
    case ShowFullList:
      central.ShowFullList();
      break;
    case RestoreFullList:
      central.RestoreFullList();
      break;
    case SongDetails:
      central.SongDetails();
      break;
    case SelectPrevious:
      central.SelectPrevious();
      break;
    case SelectNext:
      central.SelectNext();
      break;
    case Close:
    case Help:
      break;
  }
}

bool HandleKey(tPlaylistCentral& central, PlaylistKey key) {
  const PlaylistControls c = central.Controls();
  switch (key) {
    case PlaylistKey::CtrlUp:
      if (c.moveUp) central.MoveUp();
      return true;
    case PlaylistKey::CtrlDown:
      if (c.moveDown) central.MoveDown();
      return true;
    case PlaylistKey::KeypadPlus:
      if (!c.addItem) return false;
      central.AddItem();
      return true;
    case PlaylistKey::KeypadMinus:
      if (!c.deleteItem) return false;
      central.DeleteItem();
      return true;
  }
  return false;
}

void ClickRow(tPlaylistCentral& central, int row, bool ctrl) {
  central.SelectRow(row);
  if (ctrl) central.SongDetails();
}

void DoubleClickRow(tPlaylistCentral& central, int row) {
  central.SelectRow(row);
  central.ChangeItem();
}

}  // namespace tunedex
