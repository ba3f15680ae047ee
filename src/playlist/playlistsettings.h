// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

#include "common/inifile.h"

namespace tunedex {

inline constexpr std::string_view kPlaylistCentralSection = "PlayList Central";
inline constexpr std::string_view kItemEditorSection = "PlayList ItemEdit dialog";

// Where a new item goes in add mode.
enum class ItemPlacement { AtEnd = 0, Next = 1, Fair = 2 };

// A playlist window's stored placement and columns. A window writes position and size only
// while its state is normal (0; 1 minimised, 2 maximised).
struct PlaylistWindowSettings {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int state = 0;
  std::array<int, 3> columns{};
  friend bool operator==(const PlaylistWindowSettings&, const PlaylistWindowSettings&) = default;
};

// Playlist Central: defaults are the designed size; a stored width of 0 is not applied (the
// designed width stays) and a stored column of 0 gives its default (40, 100, 200).
PlaylistWindowSettings ReadPlaylistCentralSettings(const tIniFile& ini,
                                                   const PlaylistWindowSettings& designed);
// "Player in front" is written, never read: the flag lives in the player options.
void WritePlaylistCentralSettings(tIniFile& ini, const PlaylistWindowSettings& window,
                                  bool playerInFront);

struct ItemEditorSettings {
  PlaylistWindowSettings window;
  bool blankNames = false;
  bool closeOnAdd = true;
  ItemPlacement placement = ItemPlacement::AtEnd;
  friend bool operator==(const ItemEditorSettings&, const ItemEditorSettings&) = default;
};

// The item editor: columns default to 55, 200, 130.
ItemEditorSettings ReadItemEditorSettings(const tIniFile& ini,
                                          const PlaylistWindowSettings& designed);
// "Close on add" is written only in add mode.
void WriteItemEditorSettings(tIniFile& ini, const ItemEditorSettings& settings, bool addMode);

}  // namespace tunedex
