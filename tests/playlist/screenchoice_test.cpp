// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/screenchoice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tunedex {
namespace {

// A laptop panel (primary, with a panel of 30 pixels at its bottom) and a projector to its
// right.
ScreenInfo Laptop() {
  return {"eDP-1", "Panel 14", {0, 0, 1920, 1080}, {0, 0, 1920, 1050}, true};
}
ScreenInfo Projector() {
  return {"HDMI-1", "Beamer X", {1920, 0, 1280, 720}, {1920, 0, 1280, 720}, false};
}
ScreenInfo Monitor() {
  return {"DP-2", "Wide 27", {-2560, 0, 2560, 1440}, {-2560, 40, 2560, 1400}, false};
}

std::string NameOf(const std::optional<ScreenInfo>& screen) {
  return screen ? screen->name : "(none)";
}

TEST(ScreenChoiceOpen, OpensOnTheRememberedScreenWhenConnectedElseOnThePrimary) {
  struct Case {
    RememberedScreen remembered;
    std::vector<ScreenInfo> screens;
    std::string opensOn;
    bool displaced;
  };
  ScreenInfo otherModel = Projector();
  otherModel.model = "Other beamer";
  ScreenInfo noModel = Projector();
  noModel.model.clear();
  ScreenInfo noPrimary = Laptop();
  noPrimary.primary = false;
  const Case cases[] = {
      {{"HDMI-1", "Beamer X"}, {Laptop(), Projector()}, "HDMI-1", false},
      {{"HDMI-1", ""}, {Laptop(), Projector()}, "HDMI-1", false},  // no model to check
      {{"HDMI-1", "Beamer X"}, {Laptop(), noModel}, "HDMI-1", false},
      {{"HDMI-1", "Beamer X"}, {Laptop()}, "eDP-1", true},
      // Another device on the same connector is not the remembered screen.
      {{"HDMI-1", "Beamer X"}, {Laptop(), otherModel}, "eDP-1", true},
      {{}, {Projector(), Laptop()}, "eDP-1", false},
      {{"DP-9", ""}, {noPrimary, Projector()}, "eDP-1", true},  // no primary: the first
      {{"HDMI-1", ""}, {}, "(none)", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.remembered.name + "/" + c.remembered.model);
    tScreenChoice choice(c.remembered);
    EXPECT_EQ(NameOf(choice.Open(c.screens)), c.opensOn);
    EXPECT_EQ(NameOf(choice.Current()), c.opensOn);
    EXPECT_EQ(choice.Displaced(), c.displaced);
    EXPECT_EQ(choice.Remembered(), c.remembered);  // opening never forgets it
  }
}

TEST(ScreenChoiceChanges, UnpluggedGoesToThePrimaryAndComesBackWithItsScreen) {
  tScreenChoice choice({"HDMI-1", "Beamer X"});
  ASSERT_EQ(NameOf(choice.Open({Laptop(), Projector()})), "HDMI-1");
  EXPECT_EQ(choice.WorkArea(), Projector().workArea);

  // A screen that is not the window's comes and goes: nothing moves.
  EXPECT_FALSE(choice.ScreensChanged({Laptop(), Projector(), Monitor()}));
  EXPECT_FALSE(choice.ScreensChanged({Laptop(), Projector()}));

  // The projector is unplugged: the window goes to the laptop.
  const auto away = choice.ScreensChanged({Laptop()});
  ASSERT_TRUE(away);
  ASSERT_TRUE(away->from);
  EXPECT_EQ(away->from->name, "HDMI-1");
  EXPECT_EQ(away->to.name, "eDP-1");
  EXPECT_TRUE(choice.Displaced());
  EXPECT_EQ(choice.WorkArea(), Laptop().workArea);
  EXPECT_EQ(choice.Remembered(), (RememberedScreen{"HDMI-1", "Beamer X"}));

  // The window reports where it landed: that is not a choice of the host.
  choice.WindowMovedTo("eDP-1");
  EXPECT_EQ(choice.Remembered().name, "HDMI-1");

  // Another screen arrives: the window waits for its own.
  EXPECT_FALSE(choice.ScreensChanged({Laptop(), Monitor()}));

  // The projector is back.
  const auto back = choice.ScreensChanged({Laptop(), Monitor(), Projector()});
  ASSERT_TRUE(back);
  EXPECT_EQ(back->from->name, "eDP-1");
  EXPECT_EQ(back->to.name, "HDMI-1");
  EXPECT_FALSE(choice.Displaced());
  EXPECT_EQ(choice.WorkArea(), Projector().workArea);
}

TEST(ScreenChoiceChanges, TheSameConnectorWithAnotherDeviceDoesNotCallTheWindowBack) {
  tScreenChoice choice({"HDMI-1", "Beamer X"});
  choice.Open({Laptop(), Projector()});
  choice.ScreensChanged({Laptop()});
  ScreenInfo other = Projector();
  other.model = "Television";
  EXPECT_FALSE(choice.ScreensChanged({Laptop(), other}));
  EXPECT_EQ(NameOf(choice.Current()), "eDP-1");
  EXPECT_TRUE(choice.ScreensChanged({Laptop(), Projector()}));
  EXPECT_EQ(NameOf(choice.Current()), "HDMI-1");
}

TEST(ScreenChoiceChanges, AWindowOnThePrimaryFollowsANewPrimaryWhenItGoes) {
  tScreenChoice choice;
  choice.Open({Laptop(), Projector()});
  ScreenInfo projector = Projector();
  projector.primary = true;
  const auto moved = choice.ScreensChanged({projector});
  ASSERT_TRUE(moved);
  EXPECT_EQ(moved->to.name, "HDMI-1");
  EXPECT_FALSE(choice.Displaced());  // nothing remembered, so nothing to wait for
  EXPECT_TRUE(choice.Remembered().Empty());
}

TEST(ScreenChoiceChanges, AResizedScreenKeepsTheWindowButReportsTheNewGeometry) {
  tScreenChoice choice({"HDMI-1", ""});
  choice.Open({Laptop(), Projector()});
  ScreenInfo smaller = Projector();
  smaller.geometry.width = smaller.workArea.width = 1024;
  const auto moved = choice.ScreensChanged({Laptop(), smaller});
  ASSERT_TRUE(moved);
  EXPECT_EQ(moved->from->geometry.width, 1280);
  EXPECT_EQ(moved->to.geometry.width, 1024);
  EXPECT_FALSE(choice.Displaced());
}

TEST(ScreenChoiceChanges, NoScreenLeftLeavesNoCurrentScreen) {
  tScreenChoice choice({"HDMI-1", ""});
  choice.Open({Projector()});
  EXPECT_FALSE(choice.ScreensChanged({}));
  EXPECT_FALSE(choice.Current());
  EXPECT_EQ(choice.WorkArea(), ScreenRect{});
  const auto back = choice.ScreensChanged({Projector()});
  ASSERT_TRUE(back);
  EXPECT_FALSE(back->from);
  EXPECT_EQ(back->to.name, "HDMI-1");
}

TEST(ScreenChoiceHost, ChoosingOrMovingToAScreenRemembersIt) {
  tScreenChoice choice;
  choice.Open({Laptop(), Projector(), Monitor()});
  const auto chosen = choice.Choose("HDMI-1");
  ASSERT_TRUE(chosen);
  EXPECT_EQ(chosen->from->name, "eDP-1");
  EXPECT_EQ(chosen->to.name, "HDMI-1");
  EXPECT_EQ(choice.Remembered(), (RememberedScreen{"HDMI-1", "Beamer X"}));
  EXPECT_FALSE(choice.Choose("HDMI-1"));  // already there
  EXPECT_FALSE(choice.Choose("VGA-1"));   // not connected
  EXPECT_EQ(choice.Remembered().name, "HDMI-1");

  choice.WindowMovedTo("DP-2");
  EXPECT_EQ(choice.Remembered(), (RememberedScreen{"DP-2", "Wide 27"}));
  EXPECT_EQ(choice.WorkArea(), Monitor().workArea);
  choice.WindowMovedTo("nowhere");
  EXPECT_EQ(choice.Remembered().name, "DP-2");
}

TEST(ScreenChoiceHost, ChoosingWhileDisplacedEndsTheWait) {
  tScreenChoice choice({"HDMI-1", ""});
  choice.Open({Laptop(), Monitor()});
  ASSERT_TRUE(choice.Displaced());
  EXPECT_TRUE(choice.Choose("DP-2"));
  EXPECT_FALSE(choice.Displaced());
  // The projector returning does not take the window away from the screen chosen since.
  EXPECT_FALSE(choice.ScreensChanged({Laptop(), Monitor(), Projector()}));
  EXPECT_EQ(NameOf(choice.Current()), "DP-2");
}

TEST(ScreenGeometry, MovingKeepsTheOffsetAndStaysInsideTheTargetArea) {
  struct Case {
    ScreenRect rect, from, toArea, expected;
  };
  const Case cases[] = {
      // From the projector to the laptop at the same offset.
      {{2020, 50, 600, 400}, Projector().geometry, Laptop().workArea, {100, 50, 600, 400}},
      // Pulled up above the laptop's panel.
      {{1920, 700, 600, 400}, Projector().geometry, Laptop().workArea, {0, 650, 600, 400}},
      // Onto the monitor whose panel is at its top.
      {{10, 0, 600, 400}, Laptop().geometry, Monitor().workArea, {-2550, 40, 600, 400}},
      // Larger than the area: its top left corner.
      {{2000, 10, 3000, 2000}, Projector().geometry, Laptop().workArea, {0, 0, 3000, 2000}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MoveToScreen(c.rect, c.from, c.toArea), c.expected) << c.rect.left;
  }
  EXPECT_EQ(KeepInside({-50, -20, 100, 100}, Laptop().workArea), (ScreenRect{0, 0, 100, 100}));
}

TEST(ScreenSettings, TheScreenAndItsModelAreKeptInTheGivenSection) {
  tIniFile ini = tIniFile::Parse(
      "[AudienceView]\nscreen=DP-1\n[FullList]\nSCREEN=HDMI-1\n"
      "screen MODEL=Beamer X\n");
  EXPECT_EQ(ReadRememberedScreen(ini, "fulllist"), (RememberedScreen{"HDMI-1", "Beamer X"}));
  EXPECT_EQ(ReadRememberedScreen(ini, "AudienceView"), (RememberedScreen{"DP-1", ""}));
  EXPECT_TRUE(ReadRememberedScreen(ini, "Other").Empty());
  WriteRememberedScreen(ini, "FullList", {"DP-2", "Wide 27"});
  EXPECT_EQ(ReadRememberedScreen(ini, "FullList"), (RememberedScreen{"DP-2", "Wide 27"}));
  EXPECT_EQ(ReadRememberedScreen(ini, "AudienceView").name, "DP-1");
  WriteRememberedScreen(ini, "FullList", {});
  EXPECT_TRUE(ReadRememberedScreen(ini, "FullList").Empty());
}

}  // namespace
}  // namespace tunedex
