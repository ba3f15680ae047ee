// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/itemeditor.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "playlist/centralfixture.h"

namespace tunedex {
namespace {

class ItemEditorTest : public test::CentralFixture {
 protected:
  ItemEditorTest() {
    for (const tSong* song : songs) view.Add(const_cast<tSong*>(song));
  }

  std::unique_ptr<tItemEditor> Editor(int mode) {
    if (mode == kAddMode) {
      central->AddItem();
    } else {
      central->SelectRow(mode);
      central->ChangeItem();
    }
    auto editor = std::make_unique<tItemEditor>(
        tItemEditor::Services{*central, catalogue, files, user,
                              [this](const tSong& song, bool front) {
                                played.push_back(std::string(song.Record().FileName()) +
                                                 (front ? " front" : ""));
                              },
                              players},
        view, mode, settings);
    while (!editor->FillSlice(2)) {
    }
    return editor;
  }

  tSongList view;
  ItemEditorSettings settings;
  std::vector<std::string> played;
};

TEST_F(ItemEditorTest, AddModeOffersTheSongsWhoseFilesExist) {
  Open({{"Ann", 1}, {"", 2}, {"bob", 3}, {"Ann", 4}});
  files.Delete("/k/s2.kar");
  auto editor = Editor(kAddMode);
  EXPECT_EQ(editor->Caption(), "Playlist - add items");
  EXPECT_EQ(editor->CancelCaption(), "Close");
  EXPECT_EQ(editor->OkCaption(), "&Add to list");
  EXPECT_TRUE(editor->CloseAfterAddVisible());
  EXPECT_EQ(editor->AvailableSongs().size(), 4u);
  EXPECT_EQ(editor->ChosenRow(), 0);
  EXPECT_EQ(editor->ChosenTitle(), "");  // the choice panel starts empty
  EXPECT_EQ(editor->Counter(), "1/4");
  EXPECT_EQ(editor->Singers(), (std::vector<std::string>{"Ann", "bob"}));
  EXPECT_FALSE(central->Controls().addItem);
}

TEST_F(ItemEditorTest, NoAvailableSongsSaysSoAndOkAsksForASong) {
  Open({});
  for (int i = 1; i <= 5; ++i) files.Delete(std::string(songs[i - 1]->Record().FileName()));
  auto editor = Editor(kAddMode);
  EXPECT_EQ(editor->InformationLine(500, [](std::string_view) { return 0; }), kNoAvailableSongs);
  editor->SetSinger("Ann");
  EXPECT_EQ(editor->Ok(), ItemEditorOutcome::NeedSong);
  EXPECT_EQ(user.Messages().back().text, "Please select a song for this item.\r\r");
}

TEST_F(ItemEditorTest, OkWantsASingerUnlessNamesMayComeLater) {
  Open({});
  settings.closeOnAdd = false;
  auto editor = Editor(kAddMode);
  editor->ChooseRow(1);
  EXPECT_EQ(editor->Ok(), ItemEditorOutcome::NeedSinger);
  EXPECT_EQ(user.Messages().back().text,
            "No singer's name has been provided for this item.\r\rIf you wish to add songs "
            "without singers' names\rplease place a check mark in the \"Allow singers'\rnames "
            "to be added later\" box.");
  editor->Settings().blankNames = true;
  EXPECT_EQ(editor->Ok(), ItemEditorOutcome::Added);
  EXPECT_EQ(central->Row(0), (PlaylistRow{"1", "T2", "?", 0}));
}

TEST_F(ItemEditorTest, ThreeAddsInARowStayOpenAndGoToTheEnd) {
  Open({{"X", 5}});
  settings.closeOnAdd = false;
  auto editor = Editor(kAddMode);
  editor->SetSinger("Ann");
  for (int row : {0, 1, 2}) {
    editor->ChooseRow(row);
    EXPECT_EQ(editor->Ok(), ItemEditorOutcome::Added);
    EXPECT_EQ(editor->ChosenTitle(), "");
    EXPECT_EQ(editor->ChosenSinger(), "Ann");
  }
  EXPECT_EQ(Singers(), (std::vector<std::string>{"X", "Ann", "Ann", "Ann"}));
  EXPECT_EQ(editor->Singers(), (std::vector<std::string>{"Ann", "X"}));
  EXPECT_EQ(editor->ItemIndex(), 3);
  EXPECT_EQ(editor->Ok(), ItemEditorOutcome::NeedSong);
  EXPECT_TRUE(central->EditorOpen());
  editor->Cancel();
  EXPECT_FALSE(central->EditorOpen());
  EXPECT_EQ(central->SelectedRow(), 3);
}

TEST_F(ItemEditorTest, CloseAfterAddClosesAndCancelWithNothingAddedSelectsRowZero) {
  Open({{"X", 5}, {"Y", 4}});
  central->SelectRow(1);
  auto editor = Editor(kAddMode);
  editor->Cancel();
  EXPECT_EQ(central->SelectedRow(), 0);
  auto second = Editor(kAddMode);
  second->SetSinger("Z");
  second->ChooseRow(0);
  EXPECT_EQ(second->Ok(), ItemEditorOutcome::Closed);
  EXPECT_FALSE(central->EditorOpen());
  EXPECT_EQ(Singers(), (std::vector<std::string>{"X", "Y", "Z"}));
}

TEST_F(ItemEditorTest, AddingAfterTheCurrentItemAdjustsTheRun) {
  Open({{"A", 1}, {"B", 2}});
  central->SelectRow(1);
  central->SetStartingItem();
  central->RunPlaylist();
  ASSERT_EQ(central->State(), RunState::RunningLast);
  auto editor = Editor(kAddMode);
  editor->SetSinger("C");
  editor->ChooseRow(2);
  EXPECT_EQ(editor->Ok(), ItemEditorOutcome::Closed);
  EXPECT_EQ(central->State(), RunState::Running);
  EXPECT_EQ(central->CurrentIndex(), 1);
}

TEST_F(ItemEditorTest, FairPlacementPutsANewcomerInTheFirstRound) {
  Open({{"A", 1}, {"B", 2}, {"A", 3}, {"B", 4}});
  settings.placement = ItemPlacement::Fair;
  auto editor = Editor(kAddMode);
  editor->SetSinger("C");
  editor->ChooseRow(4);
  editor->Ok();
  EXPECT_EQ(Singers(), (std::vector<std::string>{"A", "B", "C", "A", "B"}));
}

TEST_F(ItemEditorTest, ChangeModeChangesTheItemInPlace) {
  Open({{"Ann", 1}, {"", 2}});
  auto editor = Editor(1);
  EXPECT_EQ(editor->Caption(), "Playlist - change item");
  EXPECT_EQ(editor->OkCaption(), "&Ok");
  EXPECT_EQ(editor->CancelCaption(), "Cancel");
  EXPECT_FALSE(editor->CloseAfterAddVisible());
  EXPECT_EQ(editor->ChosenRow(), 1);
  EXPECT_EQ(editor->ChosenTitle(), "T2");
  EXPECT_EQ(editor->SelectedSinger(), -1);  // an empty name is not in the singers list
  editor->Settings().blankNames = true;
  editor->SetSinger("A name that is far longer than allowed");
  editor->ChooseRow(3);
  EXPECT_EQ(editor->Ok(), ItemEditorOutcome::Closed);
  EXPECT_EQ(central->Items().Item(1).Singer, "A name that is far longer");
  EXPECT_EQ(central->Items().Item(1).Song, songs[3]);
  EXPECT_EQ(central->SelectedRow(), 1);
}

TEST_F(ItemEditorTest, ChangingAnItemWhoseSongIsMissingKeepsItsSong) {
  Open({{"Ann", 1}, {"Bo", 2}});
  files.Delete("/k/s2.kar");
  auto editor = Editor(1);
  EXPECT_EQ(editor->ChosenRow(), -1);
  EXPECT_EQ(editor->ChosenTitle(), "T2");
  EXPECT_EQ(editor->SelectedSinger(), 1);
  EXPECT_EQ(editor->Ok(), ItemEditorOutcome::Closed);
  EXPECT_EQ(central->Items().Item(1).Song, songs[1]);
}

TEST_F(ItemEditorTest, SearchJoinsTheFieldsWithAStar) {
  Open({});
  auto editor = Editor(kAddMode);
  const struct {
    const char* text;
    int row;
  } cases[] = {
      {"id3", 2}, {"t4", 3}, {"artist5", 4}, {"T2*Artist2", 1}, {"T2Artist2", -1}, {"3*art", 2},
  };
  for (const auto& c : cases) {
    editor->ChooseRow(0);
    editor->SetSearchText(c.text);
    EXPECT_EQ(editor->ChosenRow(), c.row < 0 ? 0 : c.row) << c.text;
  }
  EXPECT_TRUE(editor->FindNextEnabled());
  editor->SetSearchText("");
  EXPECT_FALSE(editor->FindNextEnabled());
}

TEST_F(ItemEditorTest, FindNextGoesOnWithoutWrappingAround) {
  Open({});
  auto editor = Editor(kAddMode);
  editor->SetSearchText("artist");
  EXPECT_EQ(editor->ChosenRow(), 0);
  for (int row = 1; row < 5; ++row) {
    EXPECT_TRUE(editor->FindNext());
    EXPECT_EQ(editor->ChosenRow(), row);
  }
  EXPECT_FALSE(editor->FindNext());
  EXPECT_EQ(user.Messages().back().text, "Cannot find another song with \"artist\"");
  EXPECT_EQ(editor->ChosenRow(), 4);
}

TEST_F(ItemEditorTest, FillsInSlicesAndFollowsTheCatalogue) {
  Open({});
  central->AddItem();
  tItemEditor editor({*central, catalogue, files, user, [](const tSong&, bool) {}, players}, view,
                     kAddMode, settings);
  EXPECT_FALSE(editor.FillSlice(2));
  EXPECT_EQ(editor.Checked(), 2u);
  catalogue.Remove(songs[0]);
  catalogue.Remove(songs[3]);
  while (!editor.FillSlice(1)) {
  }
  EXPECT_EQ(editor.AvailableSongs().size(), 3u);
  EXPECT_EQ(editor.Counter(), "1/3");
}

TEST_F(ItemEditorTest, PlayUsesThePlaylistEditorsPlayerInFrontBit) {
  Open({});
  auto editor = Editor(kAddMode);
  editor->ChooseRow(4);
  editor->Play();
  players.Set().PlayerPopups.SetInFront(PlayerPopup::PlaylistEditor, true);
  editor->Play();
  EXPECT_EQ(played, (std::vector<std::string>{"/k/s5.mp3", "/k/s5.mp3 front"}));
}

TEST(ItemEditorSettingsTest, ReadsDefaultsAndWritesCloseOnAddOnlyInAddMode) {
  tIniFile ini;
  const PlaylistWindowSettings designed{10, 20, 300, 200, 0, {}};
  ItemEditorSettings s = ReadItemEditorSettings(ini, designed);
  EXPECT_EQ(s.window.columns, (std::array<int, 3>{55, 200, 130}));
  EXPECT_TRUE(s.closeOnAdd);
  EXPECT_FALSE(s.blankNames);
  EXPECT_EQ(s.placement, ItemPlacement::AtEnd);
  s.closeOnAdd = false;
  s.placement = ItemPlacement::Fair;
  s.window.state = 2;
  WriteItemEditorSettings(ini, s, false);
  EXPECT_FALSE(ini.HasKey(kItemEditorSection, "Close on add"));
  EXPECT_FALSE(ini.HasKey(kItemEditorSection, "Top"));
  WriteItemEditorSettings(ini, s, true);
  EXPECT_EQ(ReadItemEditorSettings(ini, designed).placement, ItemPlacement::Fair);
  EXPECT_FALSE(ReadItemEditorSettings(ini, designed).closeOnAdd);
}

TEST(PlaylistCentralSettingsTest, ZeroWidthsGiveTheDefaults) {
  tIniFile ini = tIniFile::Parse(
      "[PlayList Central]\nWidth=0\nCol 0=0\nCol 1=120\nWindow state=1\nPlayer in front=1\n");
  const PlaylistWindowSettings designed{10, 20, 300, 200, 0, {}};
  const PlaylistWindowSettings s = ReadPlaylistCentralSettings(ini, designed);
  EXPECT_EQ(s.width, 300);
  EXPECT_EQ(s.columns, (std::array<int, 3>{40, 120, 200}));
  EXPECT_EQ(s.state, 1);
  WritePlaylistCentralSettings(ini, s, false);
  EXPECT_FALSE(ini.ReadBool(kPlaylistCentralSection, "Player in front", true));
}

}  // namespace
}  // namespace tunedex
