// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/playlistmenus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "playlist/centralfixture.h"

namespace tunedex {
namespace {

using PlaylistMenusTest = test::CentralFixture;

TEST(PlaylistMenuTest, SeparatorsFollowTheFourGroups) {
  std::vector<std::string> before;
  for (const PlaylistMenuEntry& entry : PlaylistCentralMenu()) {
    if (entry.separatorAfter) before.emplace_back(entry.text);
  }
  EXPECT_EQ(before, (std::vector<std::string>{"Check availability", "Move item down",
                                              "Reset playlist", "Song details"}));
  EXPECT_EQ(PlaylistCentralMenu().size(), 24u);
  EXPECT_EQ(PlaylistCentralToolbar()[3].command, PlaylistCommand::SaveListAs);
}

TEST_F(PlaylistMenusTest, KeysAreConsumedAsTheWindowRules) {
  Open({{"A", 1}, {"B", 2}, {"C", 3}});
  const struct {
    const char* what;
    int row;
    bool editorOpen;
    PlaylistKey key;
    bool consumed;
    std::vector<std::string> singers;
  } cases[] = {
      {"ctrl+down moves", 0, false, PlaylistKey::CtrlDown, true, {"B", "A", "C"}},
      {"ctrl+up moves back", 1, false, PlaylistKey::CtrlUp, true, {"A", "B", "C"}},
      {"ctrl+up on the first row is consumed anyway",
       0,
       false,
       PlaylistKey::CtrlUp,
       true,
       {"A", "B", "C"}},
      {"keypad minus deletes", 2, false, PlaylistKey::KeypadMinus, true, {"A", "B"}},
      {"keypad minus with the editor open passes",
       0,
       true,
       PlaylistKey::KeypadMinus,
       false,
       {"A", "B"}},
      {"keypad plus with the editor open passes",
       0,
       true,
       PlaylistKey::KeypadPlus,
       false,
       {"A", "B"}},
  };
  for (const auto& c : cases) {
    if (c.editorOpen) central->AddItem();
    central->SelectRow(c.row);
    EXPECT_EQ(HandleKey(*central, c.key), c.consumed) << c.what;
    EXPECT_EQ(Singers(), c.singers) << c.what;
  }
}

TEST_F(PlaylistMenusTest, DisabledCommandsChangeNothing) {
  Open({{"A", 1}, {"B", 2}});
  central->SelectRow(1);
  central->SetStartingItem();
  central->RunPlaylist();
  const std::vector<std::string> singers = Singers();
  for (const PlaylistMenuEntry& entry : PlaylistCentralMenu()) {
    if (CommandEnabled(central->Controls(), entry.command)) continue;
    RunCommand(*central, entry.command);
    EXPECT_EQ(Singers(), singers) << entry.text;
    EXPECT_EQ(central->State(), RunState::RunningLast) << entry.text;
  }
}

TEST_F(PlaylistMenusTest, MouseRules) {
  Open({{"A", 1}, {"B", 2}});
  ClickRow(*central, 1, true);
  EXPECT_EQ(windows.LogOf("details"), std::vector<std::string>{"details /k/s2.kar"});
  DoubleClickRow(*central, 0);
  EXPECT_EQ(windows.LogOf("editor"), std::vector<std::string>{"editor 0"});
}

}  // namespace
}  // namespace tunedex
