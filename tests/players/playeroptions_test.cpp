// SPDX-License-Identifier: GPL-3.0-or-later
#include "players/playeroptions.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/scripteduser.h"
#include "support/tempfolder.h"

namespace tunedex {
namespace {

TEST(PlayerOptionsTest, ASettingsFileWithoutPlayersGivesTheDefaults) {
  tPlayerOptionSet set;
  set.Records[3].PlayerFile = "stale";
  ReadPlayerSections(tIniFile::Parse("[Main]\nTop=1\n"), set);
  for (const tSongPlayerOptions& options : set.Records) {
    EXPECT_EQ(options, tSongPlayerOptions());
    EXPECT_TRUE(options.Restart);
    EXPECT_FALSE(options.EmptyStart);
  }
  EXPECT_EQ(tLivePlayerOptions().DesktopDelay, 200);
}

TEST(PlayerOptionsTest, WritesSevenSectionsInOrderAndReadsThemBack) {
  tPlayerOptionSet set;
  set.Records[1].EmptyStart = true;
  set.Records[1].PlayerFile = "/usr/bin/mpv";
  set.Records[6].CloseClass = "mpv";
  set.Records[6].CloseName = "- mpv";
  tIniFile ini;
  WritePlayerSections(ini, set);
  EXPECT_EQ(ini.Sections(),
            (std::vector<std::string>{"KarPlayerOptions", "St3PlayerOptions", "MidiPlayerOptions",
                                      "Mp3PlayerOptions", "WmaPlayerOptions", "KfnPlayerOptions",
                                      "MPEGPlayerOptions"}));
  EXPECT_TRUE(ini.Text().starts_with(
      "[KarPlayerOptions]\nPlayerFile=\nRestart=1\nEmptyStart=0\nCloseClass=\nCloseName=\n"
      "SendToClass=\nSendToName=\nPluginClass=\nPluginName=\n[St3PlayerOptions]\n"))
      << ini.Text();
  tPlayerOptionSet back;
  ReadPlayerSections(tIniFile::Parse(ini.Text()), back);
  EXPECT_EQ(back, set);
  EXPECT_FALSE(back.Records[0].EmptyStart);
}

TEST(PlayerOptionsTest, MidiAndRmidShareOneRecord) {
  tPlayerOptionSet set;
  SetPlayerFileForSongType(set, 4, "/usr/bin/timidity");
  EXPECT_EQ(OptionsForSongType(set, 3).PlayerFile, "/usr/bin/timidity");
  SetPlayerFileForSongType(set, 0, "/nothing");
  for (const tSongPlayerOptions& options : set.Records) EXPECT_NE(options.PlayerFile, "/nothing");
  const tSongPlayerOptions none = OptionsForSongType(set, 0);
  EXPECT_FALSE(none.Restart);
  EXPECT_FALSE(none.EmptyStart);
  EXPECT_EQ(OptionsForSongType(set, 9), none);
}

TEST(PlayerOptionsTest, WindowPairsCountWhenEitherPartIsSet) {
  tSongPlayerOptions options;
  EXPECT_FALSE(options.HasAnyWindow());
  options.SendToName = "VLC";
  EXPECT_TRUE(options.HasSendToWindow());
  EXPECT_FALSE(options.HasCloseWindow());
  EXPECT_TRUE(options.HasAnyWindow());
}

TEST(PlayerOptionsTest, PlayerInFrontMirrorsBitOne) {
  tLivePlayerOptions live;
  live.Set().PlayerPopups = tPlayerPopups(6);
  EXPECT_EQ(live.GetPlayerOptions(true).PlayerPopups.Stored(), 7);
  EXPECT_EQ(live.GetPlayerOptions(false).PlayerPopups.Stored(), 6);
  tPlayerOptionSet set;
  set.PlayerPopups = tPlayerPopups(33);
  EXPECT_TRUE(live.SetPlayerOptions(set));
  set.PlayerPopups = tPlayerPopups(32);
  EXPECT_FALSE(live.SetPlayerOptions(set));
}

TEST(WindowDescriptionTest, WritesAndSplitsLines) {
  EXPECT_EQ(WindowDescription("PlayerMain", "Song Player"), "\"PlayerMain\"; \"Song Player\"");
  EXPECT_EQ(WindowDescription("", "Song Player"), "\"Song Player\"");
  EXPECT_EQ(WindowDescription("PlayerMain", ""), "\"PlayerMain\"");
  EXPECT_EQ(WindowDescription("", ""), "");
  using Pair = std::pair<std::string, std::string>;
  EXPECT_EQ(SplitWindowDescription("\"PlayerMain\"; \"Song Player\""),
            (Pair{"PlayerMain", "Song Player"}));
  EXPECT_EQ(SplitWindowDescription("\"A\"; \"B\""), (Pair{"A", "B"}));
  EXPECT_EQ(SplitWindowDescription("\"ab\""), (Pair{"", ""})) << "shorter than 6";
  // Without the separator: no class, and a caption cut from the fourth character.
  EXPECT_EQ(SplitWindowDescription("\"PlayerMain\""), (Pair{"", "ayerMain"}));
  EXPECT_EQ(SplitWindowDescription("\"; \"x\""), (Pair{"", "x"}));
}

TEST(PlayerOptionsTest, TypeExtensionsAndDescriptions) {
  const char* extensions[] = {"", "kar", "st3", "mid", "rmi", "mp3", "wma", "kfn", "mpe"};
  for (std::uint8_t type = 0; type <= 8; ++type) {
    EXPECT_EQ(AssociatedProgramExtension(type), extensions[type]);
  }
  EXPECT_EQ(PlayerTypeDescription(4), "MIDI (*.mi, *.mid, *.midi, *.rmi) files");
  EXPECT_EQ(PlayerTypeDescription(0), "");
}

TEST(SelectPlayerProgramTest, AcceptsOnlyAnExecutableFile) {
  test::TempFolder folder;
  const std::string program = folder.Write("player", "#!/bin/sh\n");
  ::chmod(program.c_str(), 0755);
  const std::string text = folder.Write("notes.txt", "x");
  test::ScriptedUser user;
  user.QueueFile(program);
  EXPECT_EQ(SelectPlayerProgram(1, folder.Path(), user), program);
  ASSERT_EQ(user.FileRequests().size(), 1u);
  EXPECT_EQ(user.FileRequests()[0].title, "Please select a player for MIDI Karaoke (*.kar) files");
  EXPECT_EQ(user.FileRequests()[0].folder, folder.Path());
  user.QueueFile(text);
  EXPECT_EQ(SelectPlayerProgram(5, folder.Path(), user), "");
  EXPECT_EQ(user.Messages().size(), 1u);
  user.QueueFile(std::nullopt);
  EXPECT_EQ(SelectPlayerProgram(5, folder.Path(), user), "") << "cancelled";
}

}  // namespace
}  // namespace tunedex
