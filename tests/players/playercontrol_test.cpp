// SPDX-License-Identifier: GPL-3.0-or-later
#include "players/playercontrol.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "common/fileio.h"
#include "support/fakedesktop.h"
#include "support/scripteduser.h"
#include "support/tempfolder.h"

namespace tunedex {
namespace {

using Strings = std::vector<std::string>;
using test::FakeDesktop;

class PlayerControlTest : public testing::Test {
 protected:
  PlayerControlTest()
      : m_main(m_desktop.AddWindow({.windowClass = "TunedexMain", .caption = "Tunedex"})),
        m_control({m_desktop, m_desktop, m_desktop, m_user, FileExists, m_folder.Path()}, m_live,
                  m_main) {
    m_song = m_folder.Write("My Song.kar", "MThd");
    m_player = Program("player", {{.windowClass = "PlayerMain", .caption = "MyPlayer - idle"},
                                  {.windowClass = "PlayerDrop",
                                   .caption = "drop here",
                                   .owner = 1,
                                   .closesProgram = false}});
    m_other = Program("other", {{.windowClass = "OtherMain", .caption = "Other"}});
  }

  std::string Program(const std::string& name, std::vector<FakeDesktop::Window> windows) {
    const std::string path = m_folder.Write(name, "#!/bin/sh\n");
    ::chmod(path.c_str(), 0755);
    m_desktop.AddProgram(path, {.windows = std::move(windows)});
    return path;
  }

  tSongPlayerOptions& Kar() { return m_live.Set().Records[0]; }
  void Play(bool inFront = true) { m_control.PlaySong(m_main, m_song, 1, inFront); }

  test::TempFolder m_folder;
  FakeDesktop m_desktop;
  test::ScriptedUser m_user;
  tLivePlayerOptions m_live;
  WindowHandle m_main;
  tPlayerControl m_control;
  std::string m_song, m_player, m_other;
};

TEST_F(PlayerControlTest, RestartWithoutEmptyStartPassesTheSongAndDropsNothing) {
  Kar().PlayerFile = m_player;
  Play();
  EXPECT_EQ(m_desktop.LogOf("start"), (Strings{"start " + m_player + " [" + m_song + "]"}));
  EXPECT_TRUE(m_desktop.LogOf("drop").empty());
  EXPECT_EQ(m_desktop.Log().back(), "front PlayerMain");
  EXPECT_EQ(m_control.LastPlayerFile(), m_player);
  EXPECT_TRUE(m_control.HooksInstalled());
}

TEST_F(PlayerControlTest, EmptyStartWithoutWindowPairsDropsOnTheWindowInFront) {
  Kar().PlayerFile = m_player;
  Kar().EmptyStart = true;
  Play(false);
  EXPECT_EQ(m_desktop.LogOf("start"), (Strings{"start " + m_player + " []"}));
  EXPECT_EQ(m_desktop.LogOf("drop"), (Strings{"drop PlayerMain " + m_song}));
  EXPECT_EQ(m_desktop.Log().back(), "front TunedexMain") << "the calling window comes back";
}

TEST_F(PlayerControlTest, EmptyStartWithAWindowPairPassesTheSongAndDropsItToo) {
  Kar().PlayerFile = m_player;
  Kar().EmptyStart = true;
  Kar().CloseClass = "PlayerMain";
  Kar().CloseName = "MyPlayer";
  Kar().SendToClass = "PlayerDrop";
  Kar().SendToName = "drop";
  Play();
  EXPECT_EQ(m_desktop.LogOf("start"), (Strings{"start " + m_player + " [" + m_song + "]"}));
  EXPECT_EQ(m_desktop.LogOf("drop"), (Strings{"drop PlayerDrop " + m_song}));
}

TEST_F(PlayerControlTest, WithoutRestartTheRunningPlayerIsReused) {
  Kar().PlayerFile = m_player;
  Kar().Restart = false;
  Play();
  Play();
  EXPECT_EQ(m_desktop.LogOf("start").size(), 1u) << "no second process";
  EXPECT_EQ(m_desktop.LogOf("drop"),
            (Strings{"drop PlayerMain " + m_song, "drop PlayerMain " + m_song}));
  EXPECT_TRUE(m_desktop.LogOf("close").empty());
}

TEST_F(PlayerControlTest, AnotherProgramClosesTheRunningPlayerFirst) {
  Kar().PlayerFile = m_player;
  Kar().Restart = false;
  Play();
  m_live.Set().Records[3].PlayerFile = m_other;
  m_live.Set().Records[3].Restart = false;
  const std::string mp3 = m_folder.Write("b.mp3", "x");
  m_control.PlaySong(m_main, mp3, 5, true);
  EXPECT_EQ(m_desktop.LogOf("start"),
            (Strings{"start " + m_player + " []", "start " + m_other + " []"}));
  EXPECT_EQ(m_desktop.LogOf("close"), (Strings{"close PlayerMain"}));
  EXPECT_EQ(m_desktop.WindowOf("PlayerMain"), 0u);
  EXPECT_EQ(m_desktop.LogOf("drop").back(), "drop OtherMain " + mp3);
}

TEST_F(PlayerControlTest, APlayerThatWillNotCloseIsWaitedForTenRounds) {
  const std::string stubborn = Program(
      "stubborn",
      {{.windowClass = "Stubborn", .caption = "s", .ignoresClose = true},
       {.windowClass = "StubbornDialog", .caption = "d", .owner = 1, .closesProgram = false}});
  Kar().PlayerFile = stubborn;
  Play();
  const int before = m_desktop.Pauses();
  Kar().PlayerFile = m_player;
  Play();
  // 10 rounds, each closing the owned windows (none configured to close by), then the start.
  EXPECT_EQ(m_desktop.LogOf("close"), (Strings{"close Stubborn", "close StubbornDialog"}));
  EXPECT_GE(m_desktop.Pauses() - before, 10);
  EXPECT_EQ(m_desktop.LogOf("start").size(), 2u);
}

TEST_F(PlayerControlTest, ACloseCaptionThatIsEmptyLosesThePlayer) {
  Kar().PlayerFile = m_player;
  Kar().CloseClass = "PlayerMain";  // caption text empty: never matches
  Kar().EmptyStart = true;
  const int before = m_desktop.Pauses();
  Play();
  EXPECT_EQ(m_control.PlayerWindow(), 0u);
  EXPECT_TRUE(m_desktop.LogOf("drop").empty());
  EXPECT_TRUE(m_desktop.LogOf("front").empty());
  // At most 20 pauses waiting for a window in front, then 11 searches for the close window.
  EXPECT_LE(m_desktop.Pauses() - before, 1 + 20 + 11);
}

TEST_F(PlayerControlTest, SendToCaptionsMatchCaseSensitively) {
  m_desktop.AddWindow({.windowClass = "P", .caption = "MyPlayer - song.kar"});
  EXPECT_NE(m_control.FindPlayerWindow("P", "Player"), 0u);
  EXPECT_EQ(m_control.FindPlayerWindow("P", "player"), 0u);
  EXPECT_EQ(m_control.FindPlayerWindow("P", ""), 0u);
  m_desktop.AddWindow({.windowClass = "Q", .caption = "first"});
  m_desktop.AddWindow({.windowClass = "Q", .caption = "second"});
  EXPECT_EQ(m_control.FindPlayerWindow("Q", "second"), 0u) << "only the first of a class counts";
  m_desktop.AddWindow({.windowClass = "R", .caption = std::string(254, 'a') + "tail"});
  EXPECT_EQ(m_control.FindPlayerWindow("R", "tail"), 0u) << "captions are read to 254 characters";
}

TEST_F(PlayerControlTest, AMissingSongIsAnError) {
  m_control.PlaySong(m_main, m_folder.PathOf("gone.kar"), 1, true);
  ASSERT_EQ(m_user.Messages().size(), 1u);
  EXPECT_EQ(m_user.Messages()[0].text, "Cannot find file\r" + m_folder.PathOf("gone.kar"));
  EXPECT_TRUE(m_desktop.LogOf("start").empty());
}

TEST_F(PlayerControlTest, AMissingPlayerAsksAndTheChooserPicksAnother) {
  Kar().PlayerFile = "/opt/gone/kar-player";
  m_user.QueueButton(Button::Cancel);
  Play();
  EXPECT_EQ(m_user.Messages().back().text, "Cannot locate player kar-player");
  EXPECT_EQ(m_user.Messages().back().kind, MessageKind::Warning);
  EXPECT_TRUE(m_desktop.LogOf("start").empty());

  m_user.QueueButton(Button::Ok);
  m_user.QueueFile(m_player);
  Play();
  EXPECT_EQ(Kar().PlayerFile, m_player) << "the chosen program is kept";
  EXPECT_EQ(m_desktop.LogOf("start").size(), 1u);

  Kar().PlayerFile.clear();
  m_user.QueueFile(std::nullopt);
  Play();
  EXPECT_EQ(Kar().PlayerFile, "") << "a cancelled chooser leaves no player";
  EXPECT_EQ(m_desktop.LogOf("start").size(), 1u);
}

TEST_F(PlayerControlTest, TheDesktopsProgramIsUsedWhenNoneIsConfigured) {
  m_desktop.SetAssociation("kar", m_player);
  Play();
  EXPECT_EQ(m_desktop.LogOf("start").size(), 1u);
  EXPECT_EQ(m_control.CurrentPlayerOptions().PlayerFile, m_player);
  EXPECT_EQ(Kar().PlayerFile, "") << "the live settings keep no associated program";
}

TEST_F(PlayerControlTest, ShiftF10SwitchesBetweenPlayerLyricsAndTunedex) {
  const std::string withLyrics =
      Program("lyrics", {{.windowClass = "PlayerMain", .caption = "MyPlayer"},
                         {.windowClass = "Lyrics", .caption = "words", .closesProgram = false}});
  Kar().PlayerFile = withLyrics;
  Kar().PluginClass = "Lyrics";
  Kar().PluginName = "words";
  m_control.SetSwitchToPluginEnabled(true);
  Play(false);
  EXPECT_FALSE(m_control.PlayerInFrontState());
  m_control.HotkeySwitch();
  EXPECT_EQ(m_desktop.LogOf("front").back(), "front Lyrics");
  EXPECT_TRUE(m_control.PlayerInFrontState());
  m_control.HotkeySwitch();
  EXPECT_EQ(m_desktop.LogOf("front").back(), "front TunedexMain");

  const WindowHandle dialog = m_desktop.AddWindow({.windowClass = "Explorer", .caption = "e"});
  m_control.PlaySong(dialog, m_song, 1, true);
  m_control.HotkeySwitch();
  EXPECT_EQ(m_desktop.Log().back(), "switchback Explorer");

  m_control.RegisterDialogPlayer(m_control.PlayerWindow(), dialog);
  m_control.HotkeySwitch();
  EXPECT_EQ(m_desktop.Log().back(), "switchback Explorer");
  m_control.ReleaseDialogPlayer();
  EXPECT_EQ(m_control.PlayerWindow(), 0u);
}

TEST_F(PlayerControlTest, ActivationTellsWhetherThePlayerIsInFront) {
  m_control.ApplicationDeactivated();
  EXPECT_FALSE(m_control.PlayerInFrontState()) << "no hooks before the first song";
  Kar().PlayerFile = m_player;
  Play(false);
  m_control.ApplicationDeactivated();
  EXPECT_TRUE(m_control.PlayerInFrontState());
  m_control.ApplicationActivated();
  EXPECT_FALSE(m_control.PlayerInFrontState());
  m_control.ClosePlayer();
  EXPECT_FALSE(m_control.HooksInstalled());
  EXPECT_EQ(m_control.PlayerWindow(), 0u);
}

TEST_F(PlayerControlTest, AProgramThatCannotStartIsNoPlayer) {
  m_desktop.AddProgram(m_player, {.windows = {}, .startable = false});
  Kar().PlayerFile = m_player;
  Play();
  EXPECT_EQ(m_control.PlayerWindow(), 0u);
  EXPECT_TRUE(m_desktop.LogOf("front").empty());
  EXPECT_TRUE(m_user.Messages().empty());
}

}  // namespace
}  // namespace tunedex
