// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/playlistcentral.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "playlist/centralfixture.h"
#include "song/songtype.h"

namespace tunedex {
namespace {

using test::CentralFixture;

const std::vector<std::pair<std::string, int>> kThree = {{"Ann", 1}, {"", 2}, {"Cy", 3}};

using PlaylistCentralTest = CentralFixture;

TEST_F(PlaylistCentralTest, OpensOnTheActivePlaylistWithRowZeroSelected) {
  Open(kThree);
  EXPECT_EQ(central->Caption(), "Playlist Central - active playlist");
  EXPECT_EQ(central->SelectedRow(), 0);
  EXPECT_EQ(central->Row(1), (PlaylistRow{"2", "T2", "?", 0}));
  EXPECT_EQ(central->StatusPanel1(400, [](std::string_view) { return 0; }),
            folder.PathOf("songs.tdp"));
  EXPECT_EQ(central->StatusPanel2(), "1/3 ");
  central->SelectRow(2);
  EXPECT_EQ(central->StatusPanel1(400, [](std::string_view) { return 0; }), "/k/s3.kar");
  EXPECT_EQ(central->StatusPanel2(), "3/3 ");
  EXPECT_EQ(central->ListHint(), "s3.kar");
}

TEST_F(PlaylistCentralTest, MissingActivePlaylistOpensEmptyAndIsCreatedOnClose) {
  OpenAsIs();
  EXPECT_EQ(central->RowCount(), 0u);
  EXPECT_FALSE(central->Controls().setStarting);
  EXPECT_EQ(central->StatusPanel1(400, [](std::string_view) { return 0; }), "No items");
  EXPECT_EQ(central->StatusPanel2(), "");
  EXPECT_TRUE(user.Messages().empty());
  central->Close();
  EXPECT_EQ(ActiveFile(), "");
  EXPECT_TRUE(windows.catalogueVisible);
  EXPECT_EQ(windows.LogOf("close player").size(), 1u);
}

// The enabling rules, each case a situation and the flags it must show.
struct EnablingCase {
  const char* what;
  std::function<void(CentralFixture&)> setUp;
  std::function<void(const PlaylistControls&)> check;
};

class EnablingTest : public CentralFixture, public ::testing::WithParamInterface<EnablingCase> {};

TEST_P(EnablingTest, ControlsFollowTheRules) {
  Open(kThree);
  GetParam().setUp(*this);
  SCOPED_TRACE(GetParam().what);
  GetParam().check(central->Controls());
}

void Nothing(CentralFixture&) {}

INSTANTIATE_TEST_SUITE_P(
    Rules, EnablingTest,
    ::testing::Values(
        EnablingCase{"idle, row 0 of three", Nothing,
                     [](const PlaylistControls& c) {
                       EXPECT_TRUE(c.open && c.saveListAs && c.saveList && c.clearList);
                       EXPECT_TRUE(c.changeItem && c.addItem && c.deleteItem && c.correctSinger);
                       EXPECT_TRUE(c.checkAvailability && c.playOne && c.songDetails);
                       EXPECT_TRUE(c.setStarting && c.quickStart && c.showFullList);
                       EXPECT_FALSE(c.activate || c.run || c.reset || c.restoreFullList);
                       EXPECT_FALSE(c.moveUp || c.selectPrevious || c.showAudience);
                       EXPECT_TRUE(c.moveDown && c.selectNext && c.playerInFront);
                     }},
        EnablingCase{"empty list",
                     [](CentralFixture& f) {
                       f.user.QueueButton(Button::Yes);
                       f.central->ClearList();
                     },
                     [](const PlaylistControls& c) {
                       EXPECT_FALSE(c.saveList || c.clearList || c.changeItem || c.deleteItem);
                       EXPECT_FALSE(c.checkAvailability || c.setStarting || c.quickStart);
                       EXPECT_TRUE(c.addItem && c.open && c.saveListAs);
                     }},
        EnablingCase{"empty view", [](CentralFixture& f) { f.viewCount = 0; },
                     [](const PlaylistControls& c) {
                       EXPECT_FALSE(c.addItem || c.clearList);
                       EXPECT_TRUE(c.deleteItem);
                     }},
        EnablingCase{"editor open", [](CentralFixture& f) { f.central->AddItem(); },
                     [](const PlaylistControls& c) {
                       EXPECT_FALSE(c.addItem || c.changeItem || c.deleteItem);
                       EXPECT_FALSE(c.correctSinger || c.moveUp || c.moveDown);
                       EXPECT_TRUE(c.setStarting && c.playOne);
                     }},
        EnablingCase{"a list from another file",
                     [](CentralFixture& f) {
                       f.user.QueueFile(f.folder.PathOf("other"));
                       f.central->SaveListAs();
                     },
                     [](const PlaylistControls& c) {
                       EXPECT_TRUE(c.activate);
                       EXPECT_FALSE(c.setStarting || c.run || c.quickStart || c.showFullList);
                     }},
        EnablingCase{"ready on row 1",
                     [](CentralFixture& f) {
                       f.central->SelectRow(1);
                       f.central->SetStartingItem();
                     },
                     [](const PlaylistControls& c) {
                       EXPECT_TRUE(c.run && c.reset && c.showAudience);
                       EXPECT_FALSE(c.deleteItem || c.changeItem || c.moveUp || c.moveDown);
                     }},
        EnablingCase{"running on row 1, row 2 selected",
                     [](CentralFixture& f) {
                       f.central->SelectRow(1);
                       f.central->SetStartingItem();
                       f.central->RunPlaylist();
                       f.central->SelectRow(2);
                     },
                     [](const PlaylistControls& c) {
                       EXPECT_TRUE(c.deleteItem && c.changeItem && c.run);
                       EXPECT_FALSE(c.moveUp);    // would move above the singer now singing
                       EXPECT_FALSE(c.moveDown);  // the last row
                     }},
        EnablingCase{"running on row 1, row 0 selected",
                     [](CentralFixture& f) {
                       f.central->SelectRow(1);
                       f.central->SetStartingItem();
                       f.central->RunPlaylist();
                       f.central->SelectRow(0);
                     },
                     [](const PlaylistControls& c) {
                       EXPECT_FALSE(c.moveDown || c.moveUp);
                       EXPECT_TRUE(c.deleteItem && c.selectNext && !c.selectPrevious);
                     }},
        EnablingCase{"running the last item",
                     [](CentralFixture& f) {
                       f.central->SelectRow(2);
                       f.central->SetStartingItem();
                       f.central->RunPlaylist();
                     },
                     [](const PlaylistControls& c) {
                       EXPECT_FALSE(c.run || c.restoreAudience);
                       EXPECT_TRUE(c.reset && c.quickStart && c.showAudience);
                     }},
        EnablingCase{"views not there yet",
                     [](CentralFixture& f) {
                       f.central->SetViewsAvailable(false);
                       f.central->SetStartingItem();
                     },
                     [](const PlaylistControls& c) {
                       EXPECT_FALSE(c.showAudience || c.showFullList);
                       EXPECT_TRUE(c.run);
                     }},
        EnablingCase{"audience open and on top",
                     [](CentralFixture& f) {
                       f.central->TogglePlayerInFront();
                       f.central->SetStartingItem();
                       f.central->ShowAudienceView();
                       f.windows.audienceStaysOnTop = true;
                     },
                     [](const PlaylistControls& c) {
                       EXPECT_FALSE(c.playerInFront || c.playerInFrontChecked || c.showAudience);
                       EXPECT_TRUE(c.restoreAudience);
                     }},
        EnablingCase{"full list open", [](CentralFixture& f) { f.central->ShowFullList(); },
                     [](const PlaylistControls& c) {
                       EXPECT_FALSE(c.showFullList);
                       EXPECT_TRUE(c.restoreFullList);
                     }}));

// The run: each step is a command on a row, and the state, the current row and the marks after.
struct RunStep {
  std::function<void(tPlaylistCentral&)> command;
  RunState state;
  int current;
  std::vector<int> marks;
};

struct RunCase {
  const char* what;
  std::vector<RunStep> steps;
};

class RunStateTest : public CentralFixture, public ::testing::WithParamInterface<RunCase> {};

TEST_P(RunStateTest, StatesFollowTheCommands) {
  Open({{"A", 1}, {"B", 2}, {"C", 3}, {"D", 4}});
  int step = 0;
  for (const RunStep& s : GetParam().steps) {
    SCOPED_TRACE(std::string(GetParam().what) + ", step " + std::to_string(++step));
    s.command(*central);
    EXPECT_EQ(central->State(), s.state);
    EXPECT_EQ(central->CurrentIndex(), s.current);
    EXPECT_EQ(Marks(), s.marks);
  }
}

auto On(int row, void (tPlaylistCentral::*command)()) {
  return [row, command](tPlaylistCentral& c) {
    c.SelectRow(row);
    (c.*command)();
  };
}
auto Do(void (tPlaylistCentral::*command)()) {
  return [command](tPlaylistCentral& c) { (c.*command)(); };
}
auto AddAtEnd() {
  return [](tPlaylistCentral& c) {
    c.Items().Append("E", *c.Items().Item(0).Song);
    c.FillItemList();
    c.AdjustRunState();
  };
}

using C = tPlaylistCentral;
using enum RunState;

INSTANTIATE_TEST_SUITE_P(
    Transitions, RunStateTest,
    ::testing::Values(
        RunCase{"run from the top to the end",
                {{On(0, &C::SetStartingItem), Ready, 0, {1, 0, 0, 0}},
                 {Do(&C::RunPlaylist), Running, 0, {2, 0, 0, 0}},
                 {Do(&C::RunPlaylist), Running, 1, {0, 2, 0, 0}},
                 {On(0, &C::RunPlaylist), Running, 2, {0, 0, 2, 0}},
                 {Do(&C::RunPlaylist), RunningLast, 3, {0, 0, 0, 2}},
                 {Do(&C::RunPlaylist), RunningLast, 3, {0, 0, 0, 2}},
                 {Do(&C::Reset), Idle, -1, {0, 0, 0, 0}}}},
        RunCase{"starting on the last row",
                {{On(3, &C::SetStartingItem), Ready, 3, {0, 0, 0, 1}},
                 {Do(&C::RunPlaylist), RunningLast, 3, {0, 0, 0, 2}},
                 {AddAtEnd(), Running, 3, {0, 0, 0, 2, 0}}}},
        RunCase{"ready becomes ready-last and back",
                {{On(2, &C::SetStartingItem), Ready, 2, {0, 0, 1, 0}},
                 {On(3, &C::DeleteItem), ReadyLast, 2, {0, 0, 2}},
                 {AddAtEnd(), Ready, 2, {0, 0, 1, 0}}}},
        // psRunning becomes psRunningLast only once the current item is the last one.
        RunCase{"running with one item after the current one stays running",
                {{On(1, &C::SetStartingItem), Ready, 1, {0, 1, 0, 0}},
                 {Do(&C::RunPlaylist), Running, 1, {0, 2, 0, 0}},
                 {On(3, &C::DeleteItem), Running, 1, {0, 2, 0}},
                 {Do(&C::RunPlaylist), RunningLast, 2, {0, 0, 2}}}},
        RunCase{"running, the rows after the current one deleted",
                {{On(2, &C::SetStartingItem), Ready, 2, {0, 0, 1, 0}},
                 {Do(&C::RunPlaylist), Running, 2, {0, 0, 2, 0}},
                 {On(3, &C::DeleteItem), RunningLast, 2, {0, 0, 2}}}},
        // Deleting above the singer who is singing keeps that singer current.
        RunCase{"deleting above the current item while running",
                {{On(2, &C::SetStartingItem), Ready, 2, {0, 0, 1, 0}},
                 {Do(&C::RunPlaylist), Running, 2, {0, 0, 2, 0}},
                 {On(0, &C::DeleteItem), Running, 1, {0, 2, 0}},
                 {Do(&C::RunPlaylist), RunningLast, 2, {0, 0, 2}}}},
        RunCase{"moving rows around the current item",
                {{On(1, &C::SetStartingItem), Ready, 1, {0, 1, 0, 0}},
                 {On(3, &C::MoveUp), Ready, 1, {0, 1, 0, 0}},
                 {On(2, &C::MoveUp), Ready, 1, {0, 1, 0, 0}},  // disabled: next to current
                 {On(0, &C::MoveDown), Ready, 1, {0, 1, 0, 0}}}},
        RunCase{"quick-start plays the selected row",
                {{On(2, &C::QuickStart), Running, 2, {0, 0, 2, 0}},
                 {On(0, &C::PlayOneSongOnly), Running, 2, {0, 0, 2, 0}}}},
        RunCase{"emptying the list ends the run",
                {{On(1, &C::SetStartingItem), Ready, 1, {0, 1, 0, 0}},
                 {[](C& c) {
                    c.Items().Clear();
                    c.FillItemList();
                  },
                  Idle,
                  -1,
                  {}}}}));

TEST_F(PlaylistCentralTest, RunningPlaysThroughTheHostAndHidesTheCatalogue) {
  Open(kThree);
  central->SelectRow(1);
  central->SetStartingItem();
  windows.ClearLog();
  central->RunPlaylist();
  EXPECT_FALSE(windows.catalogueVisible);
  EXPECT_EQ(windows.LogOf("play"), std::vector<std::string>{"play /k/s2.kar"});
  EXPECT_EQ(windows.LogOf("front"), std::vector<std::string>{"front central"});
  EXPECT_EQ(ActiveFile().size(), 38u);  // saved before playing
  central->TogglePlayerInFront();
  EXPECT_TRUE(players.Set().PlayerPopups.InFront(PlayerPopup::PlaylistEditor));
  central->PlayCurrentItem(PlayRequester::Audience);
  EXPECT_EQ(windows.LogOf("play").back(), "play /k/s3.kar front");
  EXPECT_EQ(windows.LogOf("front").back(), "front central+audience");
}

TEST_F(PlaylistCentralTest, RunInIdleAsksForAStartingItem) {
  Open(kThree);
  central->RunPlaylist();
  ASSERT_EQ(user.Messages().size(), 1u);
  EXPECT_EQ(user.Messages()[0].text, "Please select a starting item");
  EXPECT_TRUE(windows.LogOf("play").empty());
}

TEST_F(PlaylistCentralTest, QuickStartWaitsTwiceTheDesktopDelay) {
  Open(kThree);
  players.DesktopDelay = 150;
  central->SelectRow(1);
  central->QuickStart();
  EXPECT_EQ(clock.Pauses(), std::vector<int>{300});
  EXPECT_EQ(windows.LogOf("play"), std::vector<std::string>{"play /k/s2.kar"});
  EXPECT_FALSE(windows.catalogueVisible);
}

TEST_F(PlaylistCentralTest, AudienceHearsTheCurrentAndNextItems) {
  Open(kThree);
  central->SetStartingItem();
  central->ShowAudienceView();
  ASSERT_FALSE(windows.AudienceUpdates().empty());
  EXPECT_EQ(windows.AudienceUpdates().back(), (AudienceItems{"T1", "Ann", "T2", "?", Ready}));
  central->RunPlaylist();
  central->RunPlaylist();
  central->RunPlaylist();
  EXPECT_EQ(windows.AudienceUpdates().back(), (AudienceItems{"T3", "Cy", "", "", RunningLast}));
  central->Reset();
  EXPECT_FALSE(central->AudienceOpen());
  EXPECT_EQ(windows.LogOf("close audience").size(), 1u);
}

TEST_F(PlaylistCentralTest, FullListOpensSavedAndClosesWhenASongPlays) {
  Open(kThree);
  central->SelectRow(1);
  central->SetStartingItem();
  central->ShowFullList();
  EXPECT_EQ(windows.LogOf("open full list"), std::vector<std::string>{"open full list 1 1"});
  central->RunPlaylist();
  EXPECT_FALSE(central->FullListOpen());
  EXPECT_EQ(windows.LogOf("close full list").size(), 1u);
}

TEST_F(PlaylistCentralTest, ClearListSavesTheOldItemsFirst) {
  Open(kThree);
  const std::string before = ActiveFile();
  user.QueueButton(Button::No);
  central->ClearList();
  EXPECT_EQ(central->RowCount(), 3u);
  user.QueueButton(Button::Yes);
  std::remove(folder.PathOf("songs.tdp").c_str());
  central->ClearList();
  EXPECT_EQ(central->RowCount(), 0u);
  EXPECT_EQ(ActiveFile(), before);
  EXPECT_EQ(user.Messages().back().text, "Clear all items from the Playlist?");
  central->Close();
  EXPECT_EQ(ActiveFile(), "");
}

TEST_F(PlaylistCentralTest, OpenAsksToSaveThenLoadsTheChosenFile) {
  Open(kThree);
  const std::string other = folder.Write("other.tdp", std::string("\x01Z\x09/k/s5.mp3"));
  central->SetStartingItem();
  user.QueueFile(other);
  user.QueueButton(Button::Yes);
  central->Items().Append("New", *songs[3]);
  central->Open();
  EXPECT_EQ(user.Messages()[0].text,
            "Save current playlist to " + folder.PathOf("songs.tdp") + " first");
  EXPECT_EQ(ActiveFile().size(), 38u + 14u);
  EXPECT_EQ(central->State(), Idle);
  EXPECT_EQ(Singers(), std::vector<std::string>{"Z"});
  EXPECT_EQ(central->Caption(), "Playlist Central - other.tdp");
  EXPECT_EQ(central->StatusPanel1(0, [](std::string_view) { return 0; }), other);
}

TEST_F(PlaylistCentralTest, SaveAsAndActivate) {
  Open(kThree);
  user.QueueFile(folder.PathOf("copy"));
  central->SaveListAs();
  EXPECT_EQ(central->CurrentPlayListFile(), folder.PathOf("copy.tdp"));
  EXPECT_EQ(test::ReadFileText(folder.PathOf("copy.tdp")), ActiveFile());
  central->Items().Append("X", *songs[4]);
  user.QueueButton(Button::No);
  central->ActivatePlaylist();
  EXPECT_FALSE(central->IsActive());
  user.QueueButton(Button::Yes);
  central->ActivatePlaylist();
  EXPECT_EQ(user.Messages().back().text,
            "Replace the existing copy of " + folder.PathOf("songs.tdp") + "?");
  EXPECT_TRUE(central->IsActive());
  EXPECT_EQ(central->Caption(), "Playlist Central - active playlist");
  EXPECT_EQ(ActiveFile(), test::ReadFileText(folder.PathOf("copy.tdp")) + "\x01X\x09/k/s5.mp3");
}

TEST_F(PlaylistCentralTest, CorrectSingerNameRenamesExactMatchesOnly) {
  Open({{"Ann", 1}, {"", 2}, {"ann", 3}, {"", 4}, {"Ann", 5}});
  const struct {
    int row;
    std::optional<std::string> answer;
    const char* caption;
    std::vector<std::string> singers;
  } cases[] = {
      {1, std::nullopt, "Set Singer name ", {"Ann", "?", "ann", "?", "Ann"}},
      {1, "Bo", "Set Singer name ", {"Ann", "Bo", "ann", "Bo", "Ann"}},
      {0, "Annie", "Change ", {"Annie", "Bo", "ann", "Bo", "Annie"}},
  };
  for (const auto& c : cases) {
    central->SelectRow(c.row);
    user.QueueText(c.answer);
    central->CorrectSingerName();
    EXPECT_EQ(Singers(), c.singers);
  }
  EXPECT_EQ(central->Items().Item(0).Singer, "Annie");
}

TEST_F(PlaylistCentralTest, ChangeWithoutSelectionSaysSo) {
  Open(kThree);
  central->SelectRow(-1);
  central->ChangeItem();
  ASSERT_EQ(user.Messages().size(), 1u);
  EXPECT_EQ(user.Messages()[0].text, "Please select the item you wish to change");
  central->SelectRow(1);
  central->ChangeItem();
  EXPECT_EQ(windows.LogOf("editor"), std::vector<std::string>{"editor 1"});
  EXPECT_TRUE(central->EditorOpen());
  central->EditorClosed();
  EXPECT_FALSE(central->EditorOpen());
  EXPECT_EQ(windows.LogOf("show central").size(), 1u);  // back at its normal size
}

TEST_F(PlaylistCentralTest, TheAudienceViewClosingShowsCentralAndReenablesItsCommand) {
  Open(kThree);
  central->SelectRow(0);
  central->SetStartingItem();
  central->ShowAudienceView();
  EXPECT_FALSE(central->Controls().showAudience);
  EXPECT_TRUE(central->Controls().restoreAudience);
  central->AudienceClosed();
  EXPECT_EQ(windows.LogOf("show central").size(), 1u);
  EXPECT_TRUE(central->Controls().showAudience);
  EXPECT_FALSE(central->Controls().restoreAudience);
}

TEST_F(PlaylistCentralTest, CheckAvailabilityStopsAtTheFirstFailure) {
  Open({{"A", 1}, {"B", 5}});
  // No players at all: the first song's type has none.
  EXPECT_FALSE(central->CheckAvailability());
  EXPECT_EQ(user.Messages().back().text,
            "A suitable player has not been chosen for song \r/k/s1.kar\r(Item 1, type KAR)."
            "\r\rPlease use Options|Players to select a suitable player for this song-type.");
  // The desktop's default application for ".kar", and a configured MP3 player.
  desktop.SetAssociation("kar", "/usr/bin/karplayer");
  files.AddFile("/usr/bin/karplayer");
  SetPlayerFileForSongType(players.Set(), kSongTypeMp3, "/opt/mp3player");
  EXPECT_FALSE(central->CheckAvailability());
  EXPECT_NE(user.Messages().back().text.find("(Item 2, type MP3)"), std::string::npos);
  files.AddFile("/opt/mp3player");
  EXPECT_TRUE(central->CheckAvailability());
  EXPECT_EQ(user.Messages().back().text,
            "The check has been successful.\rAll song files and players are available.");
  EXPECT_EQ(user.Messages().back().kind, MessageKind::Information);
  files.Delete("/k/s5.mp3");
  EXPECT_FALSE(central->CheckAvailability());
  EXPECT_EQ(user.Messages().back().text,
            "Cannot find song file /k/s5.mp3\r\tfor song /k/s5.mp3\r(Item 2).\r\rPlease select "
            "another song.");
  EXPECT_EQ(user.Messages().back().kind, MessageKind::Error);
}

TEST_F(PlaylistCentralTest, ASongLeavingTheCatalogueTakesItsItems) {
  Open({{"A", 1}, {"B", 2}, {"C", 3}});
  central->SelectRow(1);
  central->SetStartingItem();
  central->RunPlaylist();
  catalogue.Remove(songs[1]);  // the item being sung
  EXPECT_EQ(Singers(), (std::vector<std::string>{"A", "C"}));
  EXPECT_EQ(central->CurrentIndex(), 1);
  EXPECT_EQ(central->State(), RunningLast);
  catalogue.New();
  EXPECT_EQ(central->RowCount(), 0u);
  EXPECT_EQ(central->State(), Idle);
}

TEST_F(PlaylistCentralTest, SwitchBackBringsTheOpenViewsForward) {
  Open(kThree);
  central->SetStartingItem();
  central->ShowAudienceView();
  central->ShowFullList();
  windows.ClearLog();
  central->SwitchBack();
  EXPECT_EQ(windows.Log(), (std::vector<std::string>{"forward audience", "forward full list"}));
}

}  // namespace
}  // namespace tunedex
