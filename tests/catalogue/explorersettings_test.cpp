// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/explorersettings.h"

#include <gtest/gtest.h>

namespace tunedex {
namespace {

TEST(ExplorerSettingsTest, DefaultsWhenNothingOrDamageIsStored) {
  EXPECT_EQ(ReadExplorerSettings(tIniFile{}), tExplorerSettings{});
  const tIniFile damaged =
      tIniFile::Parse("[Explorer]\nState=7\nWidth=0\nCol2=-5\nVertical division=abc\nTop=-40\n");
  tExplorerSettings expected;
  expected.top = -40;
  EXPECT_EQ(ReadExplorerSettings(damaged), expected);
}

TEST(ExplorerSettingsTest, EveryKeyIsRead) {
  const tIniFile ini = tIniFile::Parse(
      "[explorer]\nTop=10\nLeft=20\nWidth=900\nHeight=700\nState=2\nVertical division=300\n"
      "Horizontal division=250\nCol1=100\nCol2=110\nCol3=120\n");
  const tExplorerSettings s = ReadExplorerSettings(ini);
  EXPECT_EQ(s, (tExplorerSettings{10, 20, 900, 700, 2, 300, 250, {100, 110, 120}}));
}

TEST(ExplorerSettingsTest, PlacementIsWrittenOnlyInTheNormalState) {
  struct Case {
    int state;
    bool placementWritten;
  };
  for (const Case c : {Case{0, true}, {1, false}, {2, false}}) {
    tIniFile ini = tIniFile::Parse("[Explorer]\nTop=5\n");
    tExplorerSettings s{30, 40, 640, 480, c.state, 320, 180, {90, 91, 92}};
    WriteExplorerSettings(ini, s);
    EXPECT_EQ(ini.ReadInteger("Explorer", "Top", 0), c.placementWritten ? 30 : 5) << c.state;
    EXPECT_EQ(ini.HasKey("Explorer", "Width"), c.placementWritten) << c.state;
    EXPECT_EQ(ini.HasKey("Explorer", "Left"), c.placementWritten) << c.state;
    EXPECT_EQ(ini.HasKey("Explorer", "Height"), c.placementWritten) << c.state;
    EXPECT_EQ(ini.ReadInteger("Explorer", "State", -1), c.state);
    EXPECT_EQ(ini.ReadInteger("Explorer", "Vertical division", 0), 320);
    EXPECT_EQ(ini.ReadInteger("Explorer", "Horizontal division", 0), 180);
    EXPECT_EQ(ini.ReadInteger("Explorer", "Col3", 0), 92);
    if (c.placementWritten) {
      EXPECT_EQ(ReadExplorerSettings(ini), s);
    }
  }
}

}  // namespace
}  // namespace tunedex
