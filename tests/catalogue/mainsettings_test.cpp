// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/mainsettings.h"

#include <gtest/gtest.h>

namespace tunedex {
namespace {

TEST(MainSettingsTest, AbsentKeysTakeTheirDefaults) {
  tMainSettings settings;
  tLivePlayerOptions players;
  ReadMainSettings(tIniFile(), settings, players);
  EXPECT_FALSE(settings.width.has_value());
  EXPECT_EQ(settings.state, kWindowNormal);
  EXPECT_EQ(settings.columnWidths, kDefaultColumnWidths);
  EXPECT_EQ(settings.font, tFontSetting{});
  EXPECT_EQ(settings.font.name, "MS Sans Serif");
  EXPECT_EQ(settings.customLanguage.code, "Sve");
  EXPECT_EQ(players.DesktopDelay, 200);
  EXPECT_EQ(settings.display, tDisplayOptions{});
}

TEST(MainSettingsTest, AbsurdValuesAreTakenAsAbsent) {
  tMainSettings settings;
  tLivePlayerOptions players;
  ReadMainSettings(tIniFile::Parse("[Main]\nWidth=-5\nHeight=99999999\nTop=abc\nLeft=-40\n"
                                   "State=7\n[SongGrid]\nColumn2=-1\nColumn3=1000000\n"
                                   "Font size=0\nFont name=\n[Options]\nDesktop delay=-3\n"
                                   "Custom language index=42\n"),
                   settings, players);
  EXPECT_FALSE(settings.width);
  EXPECT_FALSE(settings.height);
  EXPECT_FALSE(settings.top);
  EXPECT_EQ(settings.left, -40);  // a window partly left of the screen is a choice
  EXPECT_EQ(settings.state, kWindowNormal);
  EXPECT_EQ(settings.columnWidths, kDefaultColumnWidths);
  EXPECT_EQ(settings.font.size, 8);
  EXPECT_EQ(settings.font.name, "MS Sans Serif");
  EXPECT_EQ(players.DesktopDelay, 200);
  EXPECT_EQ(settings.customLanguage.index, 0);
  EXPECT_EQ(settings.customLanguage.name, "Swedish");
}

// "Font colour=-1" used to give white, almost invisible text.
TEST(MainSettingsTest, TheFontColourIsAColourIntegerOrTheDefault) {
  const struct {
    const char* stored;
    ColourValue read;
  } cases[] = {
      {"255", 255},                  // red
      {"16777215", 0xFFFFFF},        // white, when chosen
      {"0", 0},                      // black
      {"-2147483640", 0x80000008u},  // the system's window-text colour
      {"-2147483618", 0x8000001Eu},  // the last system colour
      {"-2147483617", 0},            // no system colour
      {"-1", 0},                     // no colour at all
      {"16777216", 0},               // a high byte other than 0 or 0x80
      {"-16777216", 0},              //
      {"2147483656", 0},             // out of range
      {"red", 0},                    // not a number
  };
  for (const auto& c : cases) {
    tMainSettings settings;
    tLivePlayerOptions players;
    ReadMainSettings(tIniFile::Parse(std::string("[SongGrid]\nFont colour=") + c.stored + "\n"),
                     settings, players);
    EXPECT_EQ(settings.font.colour, c.read) << c.stored;
  }
}

TEST(MainSettingsTest, BuiltInLanguagesIgnoreTheStoredNameAndCode) {
  tMainSettings settings;
  tLivePlayerOptions players;
  ReadMainSettings(tIniFile::Parse("[Options]\nCustom language index=4\n"
                                   "Custom language name=X\nCustom language code=Y\n"),
                   settings, players);
  EXPECT_EQ(settings.customLanguage.name, "Portugese");
  EXPECT_EQ(settings.customLanguage.code, "Por");
}

TEST(MainSettingsTest, AFreshFileIsWrittenInTheWindowsOrder) {
  tMainSettings settings;
  settings.width = 700;
  settings.height = 500;
  settings.top = 10;
  settings.left = 20;
  settings.songsFolder = "/home/ann/karaoke";
  tLivePlayerOptions players;
  tIniFile ini;
  WriteMainSettings(ini, settings, players, true);
  const std::string text = ini.Text();
  const char* order[] = {"[Main]",
                         "State=0",
                         "Top=10",
                         "Left=20",
                         "Width=700",
                         "Height=500",
                         "[SongGrid]",
                         "Column2=49",
                         "Font style=0",
                         "[Startup]",
                         "Songs=/home/ann",
                         "Data=",
                         "[KarPlayerOptions]",
                         "[MPEGPlayerOptions]",
                         "[Options]",
                         "Player popups=1",
                         "Desktop delay=200",
                         "Custom language index=0",
                         "Show format mismatches=0",
                         "Main Toolbar=1",
                         "Confirm saves=1"};
  std::size_t at = 0;
  for (const char* part : order) {
    const std::size_t found = text.find(part, at);
    ASSERT_NE(found, std::string::npos) << part << " after " << at << " in\n" << text;
    at = found;
  }
  EXPECT_EQ(text.find("Custom language name"), std::string::npos);
}

TEST(MainSettingsTest, AMaximisedWindowKeepsItsLastNormalPosition) {
  tIniFile ini = tIniFile::Parse("[Main]\nTop=1\nLeft=2\nWidth=600\nHeight=400\nState=0\n");
  tMainSettings settings;
  tLivePlayerOptions players;
  ReadMainSettings(ini, settings, players);
  settings.state = kWindowMaximised;
  settings.width = 1900;
  WriteMainSettings(ini, settings, players, false);
  EXPECT_EQ(ini.ReadInteger("Main", "State", 0), 2);
  EXPECT_EQ(ini.ReadInteger("Main", "Width", 0), 600);
}

}  // namespace
}  // namespace tunedex
