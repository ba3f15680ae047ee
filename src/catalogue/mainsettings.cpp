// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainsettings.h"

#include "common/windowkeys.h"

namespace tunedex {

namespace {

constexpr std::string_view kMain = "Main";
constexpr std::string_view kGrid = "SongGrid";
constexpr std::string_view kStartup = "Startup";
constexpr std::string_view kOptions = "Options";

// Larger than any desktop; a value beyond it is damage, not a choice.
constexpr int kLargestColumn = 10000;

std::optional<int> ReadCoordinate(const tIniFile& ini, std::string_view key, int smallest) {
  if (!ini.HasKey(kMain, key)) return std::nullopt;
  constexpr int kAbsent = -2 * kLargestWindowValue;
  const int value = ini.ReadInteger(kMain, key, kAbsent);
  if (value < smallest || value > kLargestWindowValue) return std::nullopt;
  return value;
}

struct FlagKey {
  std::string_view key;
  bool tDisplayOptions::*flag;
};
constexpr FlagKey kFlagKeys[] = {
    {"Show format mismatches", &tDisplayOptions::showFormatMismatches},
    {"Main Toolbar", &tDisplayOptions::mainToolbar},
    {"Logo", &tDisplayOptions::logo},
    {"Navigator", &tDisplayOptions::navigator},
    {"Program info", &tDisplayOptions::programInfo},
    {"Status Bar", &tDisplayOptions::statusBar},
    {"Confirm saves", &tDisplayOptions::confirmSaves},
};

}  // namespace

ColourValue ReadColour(const tIniFile& ini, std::string_view section, std::string_view key,
                       ColourValue defaultValue) {
  // Stored as a signed integer, so a system colour code reads as a negative number.
  const auto colour =
      static_cast<ColourValue>(ini.ReadInteger(section, key, static_cast<int>(defaultValue)));
  return IsColourValue(colour) ? colour : defaultValue;
}

void WriteColour(tIniFile& ini, std::string_view section, std::string_view key,
                 ColourValue colour) {
  ini.WriteInteger(section, key, static_cast<int>(colour));
}

tFontSetting ReadFontSetting(const tIniFile& ini, std::string_view section,
                             const tFontSetting& defaults, bool withColour) {
  tFontSetting font = defaults;
  font.name = ini.ReadString(section, "Font name", defaults.name);
  if (font.name.empty()) font.name = defaults.name;
  const int size = ini.ReadInteger(section, "Font size", defaults.size);
  font.size = size >= 1 && size <= 200 ? size : defaults.size;
  if (withColour) font.colour = ReadColour(ini, section, "Font colour", defaults.colour);
  font.style = ini.ReadInteger(section, "Font style", defaults.style) & 15;
  return font;
}

void WriteFontSetting(tIniFile& ini, std::string_view section, const tFontSetting& font,
                      bool withColour) {
  ini.WriteString(section, "Font name", font.name);
  ini.WriteInteger(section, "Font size", font.size);
  if (withColour) WriteColour(ini, section, "Font colour", font.colour);
  ini.WriteInteger(section, "Font style", font.style);
}

void ReadMainSettings(const tIniFile& ini, tMainSettings& settings, tLivePlayerOptions& players) {
  settings.top = ReadCoordinate(ini, "Top", -kLargestWindowValue);
  settings.left = ReadCoordinate(ini, "Left", -kLargestWindowValue);
  settings.height = ReadCoordinate(ini, "Height", 1);
  settings.width = ReadCoordinate(ini, "Width", 1);

  const std::string_view columnKeys[] = {"Column2", "Column3", "Column4"};
  for (std::size_t i = 0; i < 3; ++i) {
    const int width = ini.ReadInteger(kGrid, columnKeys[i], kDefaultColumnWidths[i]);
    settings.columnWidths[i] =
        width >= 0 && width <= kLargestColumn ? width : kDefaultColumnWidths[i];
  }
  settings.font = ReadFontSetting(ini, kGrid, tFontSetting{}, true);

  const int state = ini.ReadInteger(kMain, "State", kWindowNormal);
  settings.state = state >= kWindowNormal && state <= kWindowMaximised ? state : kWindowNormal;

  settings.songsFolder = ini.ReadString(kStartup, "Songs", settings.songsFolder);
  settings.databasePath = ini.ReadString(kStartup, "Data", "");

  ReadPlayerSections(ini, players.Set());

  players.Set().PlayerPopups = tPlayerPopups(ini.ReadInteger(kOptions, kPlayerPopupsKey, 0));
  tCustomLanguage& language = settings.customLanguage;
  language.index = ini.ReadInteger(kOptions, "Custom language index", 0);
  if (language.index == tCustomLanguage::kUserDefined) {
    language.name = ini.ReadString(kOptions, "Custom language name", "");
    language.code = ini.ReadString(kOptions, "Custom language code", "");
  }
  language.Apply();
  const int delay = ini.ReadInteger(kOptions, kDesktopDelayKey, kDefaultDesktopDelay);
  players.DesktopDelay = delay >= 0 && delay <= 10000 ? delay : kDefaultDesktopDelay;

  for (const FlagKey& flag : kFlagKeys) {
    settings.display.*flag.flag = ini.ReadBool(kOptions, flag.key, tDisplayOptions{}.*flag.flag);
  }
}

void WriteMainSettings(tIniFile& ini, const tMainSettings& settings, tLivePlayerOptions& players,
                       bool playerInFront) {
  ini.WriteInteger(kMain, "State", settings.state);
  if (settings.state == kWindowNormal) {
    const std::pair<std::string_view, std::optional<int>> position[] = {
        {"Top", settings.top},
        {"Left", settings.left},
        {"Width", settings.width},
        {"Height", settings.height}};
    for (const auto& [key, value] : position) {
      if (value) ini.WriteInteger(kMain, key, *value);
    }
  }

  ini.WriteInteger(kGrid, "Column2", settings.columnWidths[0]);
  ini.WriteInteger(kGrid, "Column3", settings.columnWidths[1]);
  ini.WriteInteger(kGrid, "Column4", settings.columnWidths[2]);
  WriteFontSetting(ini, kGrid, settings.font, true);

  if (!settings.songsFolder.empty()) ini.WriteString(kStartup, "Songs", settings.songsFolder);
  ini.WriteString(kStartup, "Data", settings.databasePath);

  const tPlayerOptionSet set = players.GetPlayerOptions(playerInFront);
  WritePlayerSections(ini, set);

  ini.WriteInteger(kOptions, kPlayerPopupsKey, set.PlayerPopups.Stored());
  ini.WriteInteger(kOptions, kDesktopDelayKey, players.DesktopDelay);
  const tCustomLanguage& language = settings.customLanguage;
  ini.WriteInteger(kOptions, "Custom language index", language.index);
  if (language.index == tCustomLanguage::kUserDefined) {
    ini.WriteString(kOptions, "Custom language name", language.name);
    ini.WriteString(kOptions, "Custom language code", language.code);
  }
  for (const FlagKey& flag : kFlagKeys) {
    ini.WriteBool(kOptions, flag.key, settings.display.*flag.flag);
  }
}

}  // namespace tunedex
