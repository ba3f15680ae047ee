// SPDX-License-Identifier: GPL-3.0-or-later
#include "players/playeroptionsdialog.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "common/fileio.h"
#include "support/fakedesktop.h"
#include "support/scripteduser.h"
#include "support/tempfolder.h"

namespace tunedex {
namespace {

using test::FakeDesktop;

class PlayerOptionsDialogTest : public testing::Test {
 protected:
  PlayerOptionsDialogTest()
      : m_main(m_desktop.AddWindow({.windowClass = "TunedexMain", .caption = "Tunedex"})),
        m_dialogWindow(m_desktop.AddWindow({.windowClass = "Options", .caption = "Player"})),
        m_control({m_desktop, m_desktop, m_desktop, m_user, FileExists, m_folder.Path()}, m_live,
                  m_main) {
    m_player = m_folder.Write("player", "#!/bin/sh\n");
    ::chmod(m_player.c_str(), 0755);
    m_desktop.AddProgram(
        m_player,
        {.windows = {{.windowClass = "PlayerMain", .caption = "Play"},
                     {.windowClass = "Lyrics", .caption = "Words", .closesProgram = false}}});
    m_live.Set().Records[0].PlayerFile = m_player;
  }

  std::unique_ptr<tPlayerOptionsDialog> Open() {
    auto dialog = std::make_unique<tPlayerOptionsDialog>(
        tPlayerOptionsDialog::Services{m_control, m_desktop, m_desktop, m_desktop, m_user,
                                       FileExists, "/songs", m_dialogWindow},
        m_live);
    dialog->Activate();
    return dialog;
  }

  test::TempFolder m_folder;
  FakeDesktop m_desktop;
  test::ScriptedUser m_user;
  tLivePlayerOptions m_live;
  WindowHandle m_main, m_dialogWindow;
  tPlayerControl m_control;
  std::string m_player;
};

TEST_F(PlayerOptionsDialogTest, RunPlayerListsOnlyTheNewWindows) {
  auto dialog = Open();
  EXPECT_TRUE(dialog->runEnabled);
  EXPECT_FALSE(dialog->refreshEnabled);
  dialog->RunPlayer();
  ASSERT_EQ(dialog->Lines().size(), 2u);
  EXPECT_EQ(dialog->Lines()[0].line, "\"PlayerMain\"; \"Play\"");
  EXPECT_EQ(dialog->Status(), "Player is Running");
  EXPECT_FALSE(dialog->runEnabled);
  EXPECT_TRUE(dialog->refreshEnabled);
  EXPECT_TRUE(m_control.DialogOwnsPlayer());
  dialog->currentLine = 0;
  dialog->SelectClose();
  dialog->SelectSendTo();
  dialog->currentLine = 1;
  dialog->SelectLyrics();
  EXPECT_EQ(dialog->lyricsBox, "\"Lyrics\"; \"Words\"");
  EXPECT_TRUE(dialog->testCloseEnabled);
  EXPECT_TRUE(dialog->testSendEnabled);

  m_user.QueueFile("/songs/a.kar");
  dialog->TestSendingSong();
  EXPECT_EQ(m_desktop.LogOf("drop"), std::vector<std::string>{"drop PlayerMain /songs/a.kar"});
  EXPECT_EQ(m_user.FileRequests().back().title, "Select sample Karaoke MIDI song file");

  dialog->TestClosingPlayer();
  EXPECT_EQ(dialog->Status(), "Player is Closed");
  EXPECT_FALSE(dialog->PlayerRunning());
  EXPECT_TRUE(dialog->runEnabled);
  EXPECT_FALSE(dialog->testCloseEnabled);

  dialog->PressOk();
  EXPECT_EQ(m_live.Set().Records[0].CloseClass, "PlayerMain");
  EXPECT_EQ(m_live.Set().Records[0].SendToName, "Play");
  EXPECT_EQ(m_live.Set().Records[0].PluginClass, "Lyrics");
}

// The dialog's window is mapped only after the dialog took its snapshot of the desktop, and
// more of Tunedex's windows may open while it is shown: none of them is a player's.
TEST_F(PlayerOptionsDialogTest, TheListNeverOffersTunedexsOwnWindows) {
  auto dialog = Open();
  const WindowHandle shown =
      m_desktop.AddWindow({.windowClass = "TPlayerOptionsDlg", .caption = "Player Options"});
  dialog->SetDialogWindow(shown);
  const WindowHandle help =
      m_desktop.AddWindow({.windowClass = "tunedex", .caption = "Tunedex Help"});
  dialog->SetOwnWindows([&](WindowHandle window) { return window == help || window == m_main; });
  dialog->RunPlayer();
  ASSERT_EQ(dialog->Lines().size(), 2u);
  EXPECT_EQ(dialog->Lines()[0].line, "\"PlayerMain\"; \"Play\"");
  EXPECT_EQ(dialog->Lines()[1].line, "\"Lyrics\"; \"Words\"");
  EXPECT_EQ(dialog->currentLine, 0) << "the player's first window is preselected";
  dialog->RefreshList();
  EXPECT_EQ(dialog->Lines().size(), 2u);
}

TEST_F(PlayerOptionsDialogTest, RunPlayerFollowsTheProgramTextAsTyped) {
  auto dialog = Open();
  ASSERT_TRUE(dialog->runEnabled);
  const struct {
    std::string text;
    bool runs;
  } steps[] = {{"", false},
               {m_player.substr(0, m_player.size() - 1), false},
               {m_player, true},
               {m_folder.Path(), false},
               {m_player + "x", false},
               {m_player, true}};
  for (const auto& step : steps) {
    dialog->programText = step.text;
    dialog->ProgramTextChanged();
    EXPECT_EQ(dialog->runEnabled, step.runs) << "\"" << step.text << "\"";
  }
  dialog->RunPlayer();
  dialog->ProgramTextChanged();
  EXPECT_FALSE(dialog->runEnabled) << "not while the player runs";
}

TEST_F(PlayerOptionsDialogTest, SelectionButtonsNeedALine) {
  auto dialog = Open();
  dialog->SelectSendTo();
  EXPECT_EQ(m_user.Messages().back().text, "Please select a window");
  dialog->TestSendingSong();
  EXPECT_EQ(m_user.Messages().back().text,
            "Please make sure that a player is running and\rselect a Window from the "
            "descriptions in the list");
}

TEST_F(PlayerOptionsDialogTest, AnEmptyProgramTakesTheDesktopsOrNamesTheTab) {
  m_live.Set().Records[2].PlayerFile = "";
  auto dialog = Open();
  dialog->SelectTab(2);
  EXPECT_EQ(m_user.Messages().back().text, "Cannot find a program associated with .MIDI files");
  m_desktop.SetAssociation("mp3", m_player);
  dialog->SelectTab(3);
  EXPECT_EQ(dialog->programText, m_player);
  m_user.QueueFile("/songs/x.mid");
  dialog->SelectTab(2);
  EXPECT_EQ(dialog->CurrentTab()->heading, "MIDI Files");
}

TEST_F(PlayerOptionsDialogTest, SampleFiltersCarryTheExtraPatterns) {
  m_live.Set().Records[6].PlayerFile = m_player;
  auto dialog = Open();
  dialog->SelectTab(6);
  dialog->RunPlayer();
  dialog->currentLine = 0;
  dialog->SelectSendTo();
  m_user.QueueFile(std::nullopt);
  dialog->TestSendingSong();
  const FileDialogRequest& request = m_user.FileRequests().back();
  EXPECT_EQ(request.filters.at(0).name, "MPEG files");
  EXPECT_EQ(request.filters.at(0).patterns, (std::vector<std::string>{"*.mpg", "*.mpeg"}));
}

TEST_F(PlayerOptionsDialogTest, SwitchingTabsClosesThePlayerAndStoresThePage) {
  auto dialog = Open();
  dialog->RunPlayer();
  dialog->restart = false;
  dialog->SelectTab(kGeneralTab);
  EXPECT_FALSE(m_desktop.WindowOf("PlayerMain"));
  EXPECT_FALSE(dialog->PlayerRunning());
  EXPECT_FALSE(m_control.DialogOwnsPlayer());
  dialog->SelectTab(0);
  EXPECT_FALSE(dialog->restart);
}

TEST_F(PlayerOptionsDialogTest, CancelChangesNothingAndOkStoresTheBits) {
  m_live.DesktopDelay = 150;
  {
    auto dialog = Open();
    dialog->delay = 500;
    dialog->generalBoxes = {true, true, true, true, true};
    dialog->Close();
  }
  EXPECT_EQ(m_live.DesktopDelay, 150);
  EXPECT_EQ(m_live.Set().PlayerPopups.Stored(), 0);
  auto dialog = Open();
  dialog->delay = 500;
  dialog->generalBoxes = {true, false, true, false, true};
  dialog->playerInFrontBox = true;
  dialog->PressOk();
  EXPECT_EQ(m_live.DesktopDelay, 500);
  EXPECT_EQ(m_live.Set().PlayerPopups.Stored(), 1 | 4 | 16 | 32);
  EXPECT_TRUE(dialog->MainMenuTick());
}

TEST_F(PlayerOptionsDialogTest, TheActivateHandlerNoticesAClosedPlayer) {
  auto dialog = Open();
  dialog->RunPlayer();
  ASSERT_TRUE(dialog->ActivateHandlerInstalled());
  m_desktop.CloseWindow(dialog->PlayerHandle());
  dialog->ApplicationActivated();
  EXPECT_EQ(dialog->Status(), "Player is Closed");
  EXPECT_FALSE(dialog->ActivateHandlerInstalled());
  EXPECT_TRUE(dialog->runEnabled);
}

TEST_F(PlayerOptionsDialogTest, SwitchBackAlternatesBetweenPlayerLyricsAndDialog) {
  auto dialog = Open();
  dialog->RunPlayer();
  dialog->currentLine = 1;
  dialog->SelectLyrics();
  const bool inFront = dialog->PlayerShownInFront();
  dialog->SwitchBack();
  EXPECT_NE(dialog->PlayerShownInFront(), inFront);
  const std::string expected = dialog->PlayerShownInFront() ? "front Lyrics" : "front Options";
  EXPECT_EQ(m_desktop.LogOf("front").back(), expected);
}

}  // namespace
}  // namespace tunedex
