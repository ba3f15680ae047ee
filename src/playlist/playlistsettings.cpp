// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/playlistsettings.h"

#include <string>

namespace tunedex {

namespace {

constexpr std::array<std::string_view, 3> kColumnKeys = {"Col 0", "Col 1", "Col 2"};

PlaylistWindowSettings ReadWindow(const tIniFile& ini, std::string_view section,
                                  const PlaylistWindowSettings& designed,
                                  const std::array<int, 3>& columns) {
  PlaylistWindowSettings s = designed;
  s.top = ini.ReadInteger(section, "Top", designed.top);
  s.left = ini.ReadInteger(section, "Left", designed.left);
  s.height = ini.ReadInteger(section, "Height", designed.height);
  s.width = ini.ReadInteger(section, "Width", designed.width);
  s.state = ini.ReadIntegerWithin(section, "Window state", 0, 2, 0);
  for (std::size_t i = 0; i < 3; ++i) {
    s.columns[i] = ini.ReadInteger(section, kColumnKeys[i], columns[i]);
  }
  return s;
}

void WriteWindow(tIniFile& ini, std::string_view section, const PlaylistWindowSettings& s) {
  if (s.state == 0) {
    ini.WriteInteger(section, "Top", s.top);
    ini.WriteInteger(section, "Left", s.left);
    ini.WriteInteger(section, "Height", s.height);
    ini.WriteInteger(section, "Width", s.width);
  }
  ini.WriteInteger(section, "Window state", s.state);
  for (std::size_t i = 0; i < 3; ++i) ini.WriteInteger(section, kColumnKeys[i], s.columns[i]);
}

}  // namespace

PlaylistWindowSettings ReadPlaylistCentralSettings(const tIniFile& ini,
                                                   const PlaylistWindowSettings& designed) {
  constexpr std::array<int, 3> kDefaults = {40, 100, 200};
  PlaylistWindowSettings s = ReadWindow(ini, kPlaylistCentralSection, designed, kDefaults);
  if (s.width == 0) s.width = designed.width;
  for (std::size_t i = 0; i < 3; ++i) {
    if (s.columns[i] == 0) s.columns[i] = kDefaults[i];
  }
  return s;
}

void WritePlaylistCentralSettings(tIniFile& ini, const PlaylistWindowSettings& window,
                                  bool playerInFront) {
  WriteWindow(ini, kPlaylistCentralSection, window);
  ini.WriteBool(kPlaylistCentralSection, "Player in front", playerInFront);
}

ItemEditorSettings ReadItemEditorSettings(const tIniFile& ini,
                                          const PlaylistWindowSettings& designed) {
  ItemEditorSettings s;
  s.window = ReadWindow(ini, kItemEditorSection, designed, {55, 200, 130});
  s.blankNames = ini.ReadBool(kItemEditorSection, "Blank names", false);
  s.closeOnAdd = ini.ReadBool(kItemEditorSection, "Close on add", true);
  s.placement =
      static_cast<ItemPlacement>(ini.ReadIntegerWithin(kItemEditorSection, "Placement", 0, 2, 0));
  return s;
}

void WriteItemEditorSettings(tIniFile& ini, const ItemEditorSettings& settings, bool addMode) {
  WriteWindow(ini, kItemEditorSection, settings.window);
  ini.WriteBool(kItemEditorSection, "Blank names", settings.blankNames);
  if (addMode) ini.WriteBool(kItemEditorSection, "Close on add", settings.closeOnAdd);
  ini.WriteInteger(kItemEditorSection, "Placement", static_cast<int>(settings.placement));
}

}  // namespace tunedex
