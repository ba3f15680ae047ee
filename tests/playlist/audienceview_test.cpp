// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/audienceview.h"

#include <gtest/gtest.h>

#include "centralfixture.h"

namespace tunedex::test {
namespace {

// Playlist Central as the audience view sees it: a log of its requests.
class FakeMaster : public AudienceMaster {
 public:
  void PlayFromAudience() override {
    ++plays;
    if (onPlay) onPlay();
  }
  void ShowFullList() override { ++fullLists; }
  bool FullListOpen() const override { return fullListOpen; }
  bool CentralVisible() const override { return centralVisible; }
  void SetCentralVisible(bool visible) override { centralVisible = visible; }
  void AudienceClosed() override { ++closedNotices; }
  void CloseCentral() override { ++centralCloses; }

  std::function<void()> onPlay;
  int plays = 0;
  int fullLists = 0;
  int closedNotices = 0;
  int centralCloses = 0;
  bool fullListOpen = false;
  bool centralVisible = true;
};

// Playlist Central over ten items (singers S1..S10, S7 without a name) with the audience view
// fed from what Central hands over, as the window program does.
class AudienceViewTest : public CentralFixture {
 public:
  AudienceViewTest() {
    std::vector<std::pair<std::string, int>> items;
    for (int i = 1; i <= 10; ++i)
      items.emplace_back(i == 7 ? "" : "S" + std::to_string(i), 1 + (i - 1) % 5);
    Open(items);
    master.onPlay = [this] { central->PlayCurrentItem(PlayRequester::Audience); };
  }
  // Hands the last items Central sent to the view.
  void Deliver() {
    ASSERT_FALSE(windows.AudienceUpdates().empty());
    view.SetItems(windows.AudienceUpdates().back());
    view.UpdatePlayCommand();
  }
  void StartAt(int row) {
    central->SelectRow(row);
    central->SetStartingItem();
    central->ShowAudienceView();
    Deliver();
  }

  FakeMaster master;
  tAudienceView view{master, AudienceSettings{}};
};

TEST_F(AudienceViewTest, StartingItemShowsFirstWithThePlayButtonOnTheCurrentBar) {
  StartAt(2);
  EXPECT_EQ(view.Current(), (AudienceBarTexts{"First:", "S3", "T3"}));
  EXPECT_EQ(view.Next(), (AudienceBarTexts{"Next Up:", "S4", "T4"}));
  EXPECT_TRUE(view.NextSingerVisible());
  EXPECT_EQ(view.Buttons(), (AudienceButtons{.currentMenu = true, .currentPlay = true}));
  EXPECT_TRUE(view.RunEnabled());
}

TEST_F(AudienceViewTest, PlayingMovesThePlayButtonToTheNextBarAndPlaysOnFromThere) {
  StartAt(2);
  view.Play(false);
  Deliver();
  EXPECT_EQ(windows.LogOf("play"), std::vector<std::string>{"play /k/s3.kar"});
  EXPECT_EQ(view.Current(), (AudienceBarTexts{"Singing:", "S3", "T3"}));
  EXPECT_EQ(view.Next(), (AudienceBarTexts{"Next Up:", "S4", "T4"}));
  EXPECT_EQ(view.Buttons(), (AudienceButtons{.currentMenu = true, .nextPlay = true}));

  view.Play(false);
  Deliver();
  EXPECT_EQ(windows.LogOf("play").back(), "play /k/s4.kar");
  EXPECT_EQ(view.Current().singer, "S4");
}

TEST_F(AudienceViewTest, TheLastRowPlayingHidesTheNextSingerAndEveryPlayCommand) {
  StartAt(9);
  view.Play(false);
  Deliver();
  EXPECT_EQ(view.State(), RunState::RunningLast);
  EXPECT_FALSE(view.NextSingerVisible());
  EXPECT_EQ(view.Next().song, "");
  EXPECT_FALSE(view.RunEnabled());
  const AudienceButtons buttons = view.Buttons();
  EXPECT_FALSE(buttons.currentPlay);
  EXPECT_FALSE(buttons.nextPlay);
  view.Play(false);  // the shortcut of a disabled command does nothing
  EXPECT_EQ(master.plays, 1);
}

TEST_F(AudienceViewTest, ANextItemWithoutASingerIsNamedWithAQuestionMark) {
  StartAt(5);  // row 6 (S6) is followed by the item without a singer
  EXPECT_EQ(view.Next().singer, "?");
  EXPECT_TRUE(view.NextSingerVisible());
}

TEST_F(AudienceViewTest, PlayIsIgnoredWhileASongIsBeingStarted) {
  StartAt(2);
  view.Play(true);
  EXPECT_EQ(master.plays, 0);
  EXPECT_TRUE(view.RunEnabled());
}

TEST(AudienceViewRules, SetItemsCaptionsByRunState) {
  FakeMaster master;
  tAudienceView view{master, AudienceSettings{}};
  struct Case {
    RunState state;
    const char* nextTitle;
    const char* currentCaption;
    const char* nextSong;
    bool nextSingerVisible;
  };
  // Each case follows the one before: a state not named keeps the caption it had.
  const Case cases[] = {
      {RunState::Ready, "N", "First:", "N", true},
      {RunState::Running, "N", "Singing:", "N", true},
      {RunState::ReadyLast, "N", "Singing:", "", false},
      {RunState::Ready, "N", "First:", "N", true},
      {RunState::ReadyLast, "N", "First:", "", false},
      {RunState::RunningLast, "N", "Singing:", "", false},
  };
  for (const Case& c : cases) {
    view.SetItems({"C", "cs", c.nextTitle, "ns", c.state});
    SCOPED_TRACE(static_cast<int>(c.state));
    EXPECT_EQ(view.Current().caption, c.currentCaption);
    EXPECT_EQ(view.Next().song, c.nextSong);
    EXPECT_EQ(view.NextSingerVisible(), c.nextSingerVisible);
  }
}

TEST(AudienceViewRules, PlacementChecksKeepPairsApartAndOneAlwaysChecked) {
  FakeMaster master;
  tAudienceView view{master, AudienceSettings{}};
  using P = AudiencePlacementCheck;
  const AudiencePlacement& p = view.Settings().placement;
  view.TogglePlacement(P::CurrentAtFoot);
  EXPECT_EQ(p, (AudiencePlacement{false, true, true, false}));
  view.TogglePlacement(P::CurrentAtFoot);  // both Current items unchecked: the bar hides
  EXPECT_EQ(p, (AudiencePlacement{false, false, true, false}));
  EXPECT_FALSE(view.PlaceBars(800, 600, 40).currentVisible);
  view.TogglePlacement(P::NextAtTop);  // the last checked one is checked again
  EXPECT_EQ(p, (AudiencePlacement{false, false, true, false}));
  view.TogglePlacement(P::NextAtFoot);
  EXPECT_EQ(p, (AudiencePlacement{false, false, false, true}));
}

TEST(AudienceViewRules, SettingsWithoutAnyBarShowTheCurrentBarAtTheTop) {
  FakeMaster master;
  AudienceSettings stored;
  stored.placement = {false, false, false, false};
  const tAudienceView view{master, stored};
  EXPECT_TRUE(view.Settings().placement.currentAtTop);
}

TEST(AudienceViewRules, BarsAndMenuButtonsFollowThePlacement) {
  struct Case {
    AudiencePlacement placement;
    ScreenRect current;
    ScreenRect next;
    bool currentMenu;
    bool nextMenu;
  };
  const ScreenRect none{};
  const Case cases[] = {
      {{true, false, true, false}, {0, 0, 800, 40}, {0, 40, 800, 40}, true, false},
      {{false, true, false, true}, {0, 520, 800, 40}, {0, 560, 800, 40}, true, false},
      {{true, false, false, true}, {0, 0, 800, 40}, {0, 560, 800, 40}, true, false},
      {{false, true, true, false}, {0, 560, 800, 40}, {0, 0, 800, 40}, false, true},
      {{false, false, true, false}, none, {0, 0, 800, 40}, false, true},
      {{false, false, false, true}, none, {0, 560, 800, 40}, false, true},
      {{true, false, false, false}, {0, 0, 800, 40}, none, true, false},
  };
  for (const Case& c : cases) {
    FakeMaster master;
    AudienceSettings settings;
    settings.placement = c.placement;
    const tAudienceView view{master, settings};
    const AudienceBars bars = view.PlaceBars(800, 600, 40);
    SCOPED_TRACE(testing::Message() << c.placement.currentAtTop << c.placement.currentAtFoot
                                    << c.placement.nextAtTop << c.placement.nextAtFoot);
    if (bars.currentVisible) {
      EXPECT_EQ(bars.current, c.current);
    }
    if (bars.nextVisible) {
      EXPECT_EQ(bars.next, c.next);
    }
    EXPECT_EQ(bars.currentVisible, c.current != none);
    EXPECT_EQ(bars.nextVisible, c.next != none);
    EXPECT_EQ(view.Buttons().currentMenu, c.currentMenu);
    EXPECT_EQ(view.Buttons().nextMenu, c.nextMenu);
  }
}

TEST(AudienceViewRules, LabelsShareColumnsAcrossBothBars) {
  FakeMaster master;
  const tAudienceView view{master, AudienceSettings{}};
  AudienceMeasures m;
  m.nextCaptionLeft = 60;
  m.nextCaptionWidth = 100;
  m.currentCaptionWidth = 80;
  m.currentSingerWidth = 50;
  m.nextSingerWidth = 70;
  m.separatorWidth = 12;
  m.labelHeight = 37;
  m.buttonHeight = 24;
  const AudienceLabelLayout layout = view.LayOut(m);
  EXPECT_EQ(layout.barHeight, 39);
  EXPECT_EQ(layout.currentCaptionLeft, 80);  // right-aligned to the next caption's 160
  EXPECT_EQ(layout.singerLeft, 170);
  EXPECT_EQ(layout.separatorLeft, 250);  // 10 right of the wider singer
  EXPECT_EQ(layout.songLeft, 272);
  EXPECT_EQ(layout.labelTop, 1);
  EXPECT_EQ(layout.buttonTop, 7);
}

TEST(AudienceViewRules, MenuEnablingAndTheWorkArea) {
  FakeMaster master;
  const tAudienceView view{master, AudienceSettings{}};
  const ScreenRect area{1920, 0, 1280, 990};
  AudienceMenuState home = view.MenuState({1920, 0, 1280, 990}, area);
  EXPECT_FALSE(home.dockAtTop);
  EXPECT_FALSE(home.resetBarsAtHome);
  EXPECT_EQ(home.centralItem, "Hide Playlist Central");
  EXPECT_EQ(home.centralShortcut, "Ctrl+H");
  master.centralVisible = false;
  master.fullListOpen = true;
  const AudienceMenuState moved = view.MenuState({1950, 300, 900, 80}, area);
  EXPECT_TRUE(moved.dockAtTop);
  EXPECT_TRUE(moved.resetBarsAtHome);
  EXPECT_FALSE(moved.showFullList);
  EXPECT_EQ(moved.centralItem, "Restore Playlist Central");
  EXPECT_EQ(moved.centralShortcut, "Ctrl+R");

  // A second screen's work area: home is that area, not the desktop's origin.
  EXPECT_EQ(tAudienceView::MoveToWorkArea({1950, 300, 900, 80}, area, true), area);
  EXPECT_EQ(tAudienceView::MoveToWorkArea({1950, 300, 900, 80}, area, false),
            (ScreenRect{1950, 0, 900, 80}));
}

TEST(AudienceViewRules, CtrlDragOfABarSizesTheWindow) {
  const ScreenRect window{100, 50, 800, 600};
  EXPECT_EQ(tAudienceView::AfterBarDrag(window, {150, 0, 800, 40}, false),
            (ScreenRect{100, 50, 950, 600}));
  EXPECT_EQ(tAudienceView::AfterBarDrag(window, {-200, 400, 800, 40}, true),
            (ScreenRect{100, 50, 600, 440}));
}

TEST(AudienceViewRules, ClosingTellsCentralOrClosesItWhenHidden) {
  FakeMaster master;
  tAudienceView view{master, AudienceSettings{}};
  view.Closed();
  EXPECT_EQ(master.closedNotices, 1);
  EXPECT_EQ(master.centralCloses, 0);
  view.ToggleCentral();
  EXPECT_FALSE(master.centralVisible);
  view.Closed();
  EXPECT_EQ(master.closedNotices, 1);
  EXPECT_EQ(master.centralCloses, 1);
}

TEST(AudienceViewRules, SettingsRoundTripWithColourIntegers) {
  tIniFile ini;
  AudienceSettings designed;
  designed.width = 1280;
  designed.height = 800;
  EXPECT_EQ(ReadAudienceSettings(ini, designed), designed);
  AudienceSettings changed = designed;
  changed.top = 10;
  changed.left = -5;
  changed.font = {"DejaVu Sans", 30, 0, kFontBold | kFontItalic};
  changed.itemsColour = 0x80000008u;  // a system colour code
  changed.backgroundColour = RgbColour(1, 2, 3);
  changed.placement = {false, true, false, true};
  changed.stayOnTop = true;
  WriteAudienceSettings(ini, changed);
  EXPECT_EQ(ini.ReadInteger(kAudienceSection, "Background colour", 0), 0x030201);
  EXPECT_EQ(ini.ReadInteger(kAudienceSection, "Font style", 0), 3);
  EXPECT_EQ(ReadAudienceSettings(ini, designed), changed);
}

}  // namespace
}  // namespace tunedex::test
