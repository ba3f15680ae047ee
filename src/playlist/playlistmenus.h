// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string_view>

#include "playlist/playlistcentral.h"

namespace tunedex {

// Playlist Central's commands, as the menu, the toolbar and the keys name them.
enum class PlaylistCommand {
  Open,
  ClearList,
  Save,
  SaveListAs,
  Activate,
  CheckAvailability,
  AddItem,
  DeleteItem,
  ChangeItem,
  CorrectSinger,
  MoveUp,
  MoveDown,
  PlayOne,
  SetStarting,
  Run,
  QuickStart,
  Reset,
  PlayerInFront,
  ShowAudience,
  RestoreAudience,
  ShowFullList,
  RestoreFullList,
  SongDetails,
  Close,
  SelectPrevious,
  SelectNext,
  Help,
};

struct PlaylistMenuEntry {
  PlaylistCommand command;
  std::string_view text;
  std::string_view shortcut;  // in Qt's portable text form; empty for none
  bool separatorAfter;
};

struct PlaylistToolButton {
  PlaylistCommand command;
  std::string_view hint;
};

inline constexpr std::string_view kPlaylistTitle = "Playlist";
inline constexpr std::string_view kPlaylistTitleHint = "Playlist items";
inline constexpr std::string_view kPlaylistListHint = "Playlist items pane";
inline constexpr int kPlaylistHelpTopic = 12000;
// The list's background while it has the keyboard focus: red 236, green 245, blue 253.
inline constexpr int kFocusRed = 236, kFocusGreen = 245, kFocusBlue = 253;

// The popup menu shared by the toolbar, the title, the list and the status bar, in order.
std::span<const PlaylistMenuEntry> PlaylistCentralMenu();
// The toolbar, left to right.
std::span<const PlaylistToolButton> PlaylistCentralToolbar();
// The list's columns: number (no caption), "Song Title", "Singer".
std::span<const std::string_view> PlaylistCentralColumns();

// Whether the command's menu item or button is enabled.
bool CommandEnabled(const PlaylistControls& controls, PlaylistCommand command);
// Runs a command (Close and Help are the window's own and do nothing here).
void RunCommand(tPlaylistCentral& central, PlaylistCommand command);

// The keys the window sees before its controls. Returns true when the key is consumed:
// Ctrl+Up and Ctrl+Down always (moving only while enabled), the keypad's plus and minus only
// when their command ran.
enum class PlaylistKey { CtrlUp, CtrlDown, KeypadPlus, KeypadMinus };
bool HandleKey(tPlaylistCentral& central, PlaylistKey key);

// The mouse on a row: a press selects it first; Ctrl+click shows the song's details; a double
// click changes the item.
void ClickRow(tPlaylistCentral& central, int row, bool ctrl);
void DoubleClickRow(tPlaylistCentral& central, int row);

// The item editor's popup menu ("SingerName", "ShowDetails", ...). The entries with an empty
// text are separators that carry shortcuts doing nothing in this window.
struct ItemEditorMenuEntry {
  std::string_view text;
  std::string_view shortcut;
};
std::span<const ItemEditorMenuEntry> ItemEditorMenu();
inline constexpr int kItemEditorHelpTopic = 13000;

}  // namespace tunedex
