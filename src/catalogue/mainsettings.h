// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "catalogue/customlanguage.h"
#include "common/inifile.h"
#include "players/playeroptions.h"

namespace tunedex {

// Window states as stored.
enum WindowState : int { kWindowNormal = 0, kWindowMinimised = 1, kWindowMaximised = 2 };

// A colour integer as stored: blue, green and red bytes (red lowest), or a system colour code
// (high byte 0x80) naming a role of the desktop's palette.
using ColourValue = std::uint32_t;
inline constexpr ColourValue kSystemColourFlag = 0x80000000u;
inline constexpr ColourValue kHighlightTextColour = 0x8000000Eu;
// The highest palette role a system colour code names.
inline constexpr ColourValue kLastSystemColourIndex = 30;
// A colour of 24 bits, or a system colour code of a palette role; anything else (-1, a high
// byte other than 0 and 0x80, a role beyond the last) is no colour.
constexpr bool IsColourValue(ColourValue value) {
  return value <= 0xFFFFFFu ||
         (value >= kSystemColourFlag && value <= (kSystemColourFlag | kLastSystemColourIndex));
}
constexpr ColourValue RgbColour(int red, int green, int blue) {
  return static_cast<ColourValue>(red) | static_cast<ColourValue>(green) << 8 |
         static_cast<ColourValue>(blue) << 16;
}

// Font style bits as stored.
enum FontStyle : int { kFontBold = 1, kFontItalic = 2, kFontUnderline = 4, kFontStrikeOut = 8 };

struct tFontSetting {
  std::string name = "MS Sans Serif";
  int size = 8;  // points
  ColourValue colour = 0;
  int style = 0;
  friend bool operator==(const tFontSetting&, const tFontSetting&) = default;
};

// A colour key; a stored value that is no colour gives defaultValue.
ColourValue ReadColour(const tIniFile& ini, std::string_view section, std::string_view key,
                       ColourValue defaultValue);
void WriteColour(tIniFile& ini, std::string_view section, std::string_view key, ColourValue colour);
// The keys "Font name", "Font size" (1 to 200 points), "Font style" and, withColour,
// "Font colour" of a section; absent or absurd values give the defaults'.
tFontSetting ReadFontSetting(const tIniFile& ini, std::string_view section,
                             const tFontSetting& defaults, bool withColour);
void WriteFontSetting(tIniFile& ini, std::string_view section, const tFontSetting& font,
                      bool withColour);

// The catalogue window's display switches (menu ticks), in the order they are stored.
struct tDisplayOptions {
  bool showFormatMismatches = false;
  bool mainToolbar = true;
  bool logo = true;
  bool navigator = true;
  bool programInfo = true;
  bool statusBar = true;
  bool confirmSaves = true;
  friend bool operator==(const tDisplayOptions&, const tDisplayOptions&) = default;
};

inline constexpr int kDesignWidth = 663;
inline constexpr int kDesignHeight = 536;
inline constexpr std::array<int, 3> kDefaultColumnWidths{49, 185, 277};

// Everything the catalogue window keeps in the settings file.
struct tMainSettings {
  // Window position and size; absent keys leave the window where the system puts it.
  std::optional<int> top, left, height, width;
  int state = kWindowNormal;
  std::array<int, 3> columnWidths = kDefaultColumnWidths;  // ID code, title, artist
  tFontSetting font;
  std::string songsFolder;
  std::string databasePath;
  tCustomLanguage customLanguage;
  tDisplayOptions display;
};

// Reads the catalogue window's keys and the player sections, in the order the window applies
// them; the custom language is applied as it is read. Absurd values (sizes below 1, widths
// beyond any screen, unknown states) are taken as absent.
void ReadMainSettings(const tIniFile& ini, tMainSettings& settings, tLivePlayerOptions& players);

// Writes them back. The position is written only for a normal window; columnWidths are the
// widths to store (already taken back to the normal window's). playerInFront sets bit 1 of
// "Player popups".
void WriteMainSettings(tIniFile& ini, const tMainSettings& settings, tLivePlayerOptions& players,
                       bool playerInFront);

}  // namespace tunedex
