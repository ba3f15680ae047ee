// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/fulllistview.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/songfixtures.h"

namespace tunedex {
namespace {

constexpr ColourValue kYellow = RgbColour(255, 255, 0);
constexpr ColourValue kRed = RgbColour(255, 0, 0);
constexpr ColourValue kBlack = 0;

// A catalogue of songs "Song 1".."Song N" and a list whose item i sings song i; singers are
// "Singer 1".. unless given.
class FullListFixture : public testing::Test {
 protected:
  void Fill(int count, std::vector<std::string> singers = {}) {
    for (int i = 1; i <= count; ++i) {
      songs.push_back(catalogue.Add(test::MakeRecord(
          {.title = "Song " + std::to_string(i), .fileName = "/k/" + std::to_string(i) + ".kar"})));
      const std::size_t at = static_cast<std::size_t>(i - 1);
      items.Append(at < singers.size() ? singers[at] : "Singer " + std::to_string(i),
                   *songs.back());
    }
  }

  tCatalogue catalogue;
  std::vector<const tSong*> songs;
  tPlayList items{catalogue};
  tFullListView view{items};
};

TEST_F(FullListFixture, TwelveItemsMarkStartingAndCurrentRowsAndColourOnlyTheCurrentOne) {
  Fill(12);
  FullListSettings look = DesignedFullListSettings();
  look.currentColour = kRed;
  view.ApplySettings(look, 24, 96);
  view.SetRows(2, 5);
  ASSERT_EQ(view.RowCount(), 12);
  for (int row = 0; row < 12; ++row) {
    SCOPED_TRACE(row);
    const FullListCell number = view.Cell(row, FullListColumn::Number);
    EXPECT_EQ(number, (FullListCell{std::to_string(row + 1), kBlack, false}));
    const FullListCell singer = view.Cell(row, FullListColumn::Singer);
    const FullListCell title = view.Cell(row, FullListColumn::Title);
    // Rows 3 and 6 as numbered on screen.
    EXPECT_EQ(singer.marked, row == 2 || row == 5);
    EXPECT_FALSE(title.marked);
    const ColourValue expected = row == 5 ? kRed : kYellow;
    EXPECT_EQ(singer.colour, expected);
    EXPECT_EQ(title.colour, expected);
    EXPECT_EQ(singer.text, "Singer " + std::to_string(row + 1));
    EXPECT_EQ(title.text, "Song " + std::to_string(row + 1));
  }
}

TEST_F(FullListFixture, OneRowCarriesBothMarksReasonsOnce) {
  Fill(3);
  view.SetRows(1, 1);
  EXPECT_TRUE(view.Cell(1, FullListColumn::Singer).marked);
  EXPECT_FALSE(view.Cell(0, FullListColumn::Singer).marked);
  view.SetRows(-1, -1);
  for (int row = 0; row < 3; ++row) EXPECT_FALSE(view.Cell(row, FullListColumn::Singer).marked);
}

TEST_F(FullListFixture, AnEmptySingerShowsAQuestionMark) {
  Fill(2, {"", "Ann"});
  EXPECT_EQ(view.Cell(0, FullListColumn::Singer).text, "?");
  EXPECT_EQ(view.Cell(1, FullListColumn::Singer).text, "Ann");
}

TEST_F(FullListFixture, AnEmptyListShowsOneBlankRowAndZeroOfZero) {
  view.SetRows(0, 0);
  EXPECT_EQ(view.RowCount(), 1);
  for (FullListColumn column :
       {FullListColumn::Number, FullListColumn::Singer, FullListColumn::Title}) {
    EXPECT_EQ(view.Cell(0, column), FullListCell{});
  }
  EXPECT_EQ(view.StatusText(0), "0/0");
}

TEST_F(FullListFixture, TheRowCountFollowsTheListAndCellsBeyondItAreBlank) {
  Fill(4);
  EXPECT_EQ(view.RowCount(), 4);
  items.RemoveAt(3);
  EXPECT_EQ(view.RowCount(), 3);
  EXPECT_EQ(view.Cell(3, FullListColumn::Title), FullListCell{});
  EXPECT_EQ(view.Cell(-1, FullListColumn::Number), FullListCell{});
}

TEST_F(FullListFixture, StatusShowsTheSelectedRowOfTheRowCount) {
  Fill(12);
  EXPECT_EQ(view.StatusText(4), "5/12");
  EXPECT_EQ(view.StatusText(11), "12/12");
  EXPECT_EQ(view.StatusText(-1), "0/0");
}

struct RowHeightCase {
  int pixels;
  int ppi;
  int afterSettings;
  int afterFont;
};

TEST(FullListRowHeight, IsTheFontPixelsScaledByTheScreenPlusThreeOrPlusFiveAfterAFontChoice) {
  const RowHeightCase cases[] = {
      {30, 96, 43, 45},   // the font dialog's 30 pixels at 96 pixels per inch
      {24, 96, 35, 37},   // the designed font
      {24, 72, 27, 29},   // one pixel per point
      {13, 96, 20, 22},   // 17.33 rounds down
      {32, 120, 56, 58},  // 53.33
  };
  for (const RowHeightCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.pixels << " px at " << c.ppi);
    EXPECT_EQ(tFullListView::RowHeightAfterSettings(c.pixels, c.ppi), c.afterSettings);
    EXPECT_EQ(tFullListView::RowHeightAfterFont(c.pixels, c.ppi), c.afterFont);
  }
}

TEST(FullListRowHeight, PointSizesBecomePixelsRoundedToTheNearest) {
  EXPECT_EQ(tFullListView::FontPixels(18, 96), 24);
  EXPECT_EQ(tFullListView::FontPixels(10, 96), 13);  // 13.33
  EXPECT_EQ(tFullListView::FontPixels(11, 96), 15);  // 14.67
  EXPECT_EQ(tFullListView::FontPixels(3, 12), 1);    // a half rounds up
}

TEST_F(FullListFixture, ChoosingAFontKeepsItsColourAndRecomputesTheRowHeight) {
  view.ApplySettings(DesignedFullListSettings(), 24, 96);
  EXPECT_EQ(view.RowHeight(), 35);
  view.ChooseFont({.name = "DejaVu Sans", .size = 22, .colour = kRed, .style = kFontItalic}, 30,
                  96);
  EXPECT_EQ(view.RowHeight(), 45);
  EXPECT_EQ(view.Settings().font.name, "DejaVu Sans");
  EXPECT_EQ(view.Settings().font.size, 22);
  EXPECT_EQ(view.Settings().font.style, kFontItalic);
  EXPECT_EQ(view.Settings().font.colour, kYellow);
}

TEST_F(FullListFixture, VisibleRowsCountWholeRowsWithTheirGridLine) {
  view.ApplySettings(DesignedFullListSettings(), 24, 96);  // 35-pixel rows, 36 with the line
  EXPECT_EQ(view.VisibleRows(360), 10);
  EXPECT_EQ(view.VisibleRows(359), 9);
  EXPECT_EQ(view.VisibleRows(0), 0);
}

TEST(FullListColumns, HeaderSectionsAreHeldWithinTheirLimits) {
  struct Case {
    FullListColumn column;
    int wanted;
    int clamped;
  };
  const Case cases[] = {
      {FullListColumn::Number, 100, 44}, {FullListColumn::Singer, 701, 700},
      {FullListColumn::Singer, 0, 0},    {FullListColumn::Title, 99, 100},
      {FullListColumn::Title, 800, 700}, {FullListColumn::Title, 250, 250},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClampColumnWidth(c.column, c.wanted), c.clamped) << c.wanted;
  }
  EXPECT_EQ(ColumnInfo(FullListColumn::Singer).caption, "Singer");
  EXPECT_EQ(ColumnInfo(FullListColumn::Title).caption, "Song Title");
  EXPECT_EQ(ColumnInfo(FullListColumn::Number).caption, "");
}

TEST_F(FullListFixture, DraggingASectionSetsItsColumnLessTheGridLine) {
  EXPECT_EQ(view.SetHeaderSection(FullListColumn::Singer, 301), 300);
  EXPECT_EQ(view.ColumnWidth(FullListColumn::Singer), 300);
  EXPECT_EQ(view.SetHeaderSection(FullListColumn::Title, 50), 100);
  EXPECT_EQ(view.Settings().titleWidth, 100);
  EXPECT_EQ(view.SetHeaderSection(FullListColumn::Number, 90), 44);
}

TEST_F(FullListFixture, ResizingScalesTheTwoColumnsByThePartBeyondTheFixedWidth) {
  struct Case {
    int from, to;
    int singer, title;  // before: 200 and 300
    int singerAfter, titleAfter;
  };
  const Case cases[] = {
      {547, 1047, 200, 300, 400, 600},  // (1047 - 47) / (547 - 47) = 2
      {547, 297, 200, 300, 100, 150},   // a half
      {347, 447, 200, 300, 267, 400},   // 4/3: 266.67 and 400
      {147, 148, 201, 301, 203, 304},   // 1.01: 203.01 and 304.01 round to nearest
      {547, 547, 200, 300, 200, 300},   // no change
      {48, 96, 200, 300, 700, 700},     // divisor 1: factor 49, held at the maximum
      {47, 600, 200, 300, 200, 300},    // divisor 0: no factor
      {40, 600, 200, 300, 200, 300},    // negative divisor
      {547, 100, 200, 300, 21, 100},    // shrinking holds the title at its minimum
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.from << " -> " << c.to);
    tFullListView resized{items};
    resized.Settings().singerWidth = c.singer;
    resized.Settings().titleWidth = c.title;
    EXPECT_FALSE(resized.ResizeGrid(c.from));  // the first width is only remembered
    resized.ResizeGrid(c.to);
    EXPECT_EQ(resized.ColumnWidth(FullListColumn::Singer), c.singerAfter);
    EXPECT_EQ(resized.ColumnWidth(FullListColumn::Title), c.titleAfter);
    EXPECT_EQ(resized.LastGridWidth(), c.to);
  }
}

TEST(FullListStatusPanel, TakesTheWindowLessEightyFromAWidthOf181) {
  EXPECT_EQ(tFullListView::StatusPanelWidth(640), 560);
  EXPECT_EQ(tFullListView::StatusPanelWidth(181), 101);
  EXPECT_EQ(tFullListView::StatusPanelWidth(180), 100);
  EXPECT_EQ(tFullListView::StatusPanelWidth(50), 100);
}

TEST(FullListFit, IsDisabledOnlyWhenTheFrameSpansTheWorkAreaHeight) {
  const ScreenRect area{0, 0, 1920, 1050};  // a panel of 30 pixels at the bottom
  struct Case {
    ScreenRect frame;
    bool enabled;
  };
  const Case cases[] = {
      {{100, 0, 640, 1050}, false},  // top 0, height the work area's bottom
      {{100, 10, 640, 1050}, true},  // moved down
      {{100, 0, 640, 1049}, true},
      {{100, 0, 640, 1080}, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(tFullListView::FitEnabled(c.frame, area), c.enabled) << c.frame.top;
  }
  const ScreenRect fitted = tFullListView::Fitted({100, 300, 640, 200}, area);
  EXPECT_EQ(fitted, (ScreenRect{100, 0, 640, 1050}));
  EXPECT_FALSE(tFullListView::FitEnabled(fitted, area));
}

TEST(FullListFit, OnAScreenBesideTheFirstUsesThatScreensArea) {
  const ScreenRect second{1920, 24, 1280, 1000};  // a panel at its top
  EXPECT_EQ(tFullListView::Fitted({2000, 400, 500, 300}, second),
            (ScreenRect{2000, 24, 500, 1000}));
  // A window on the other screen comes over to the chosen one.
  EXPECT_EQ(tFullListView::Fitted({100, 400, 500, 300}, second), (ScreenRect{1920, 24, 500, 1000}));
}

TEST(FullListWheel, StepsByTheLineCountUnlessTwoNotchesCoverThePage) {
  struct Case {
    int lines, visible, step;
  };
  const Case cases[] = {{3, 10, 3}, {3, 7, 3}, {3, 6, 1}, {3, 5, 1}, {1, 1, 1}, {5, 20, 5}};
  for (const Case& c : cases) {
    EXPECT_EQ(tFullListView::WheelStep(c.lines, c.visible), c.step)
        << c.lines << " lines, " << c.visible << " rows";
  }
}

TEST_F(FullListFixture, TheWheelStopsAtTheFirstRowAndTheLastFullPage) {
  Fill(20);
  struct Case {
    int top, notches, expected;
  };
  // 3 lines per notch, 8 rows visible: the last full page starts at row 12.
  const Case cases[] = {
      {0, 1, 3},  {9, 1, 12}, {11, 1, 12}, {12, 1, 12}, {0, 5, 12},
      {5, -1, 2}, {2, -1, 0}, {0, -1, 0},  {12, -2, 6},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(view.WheelTop(c.top, c.notches, 3, 8), c.expected)
        << "top " << c.top << ", " << c.notches << " notches";
  }
  // A page longer than the list never scrolls.
  EXPECT_EQ(view.WheelTop(0, 1, 3, 30), 0);
}

// The settings section as the tests write it by hand.
tIniFile Ini(std::string_view text) {
  return tIniFile::Parse(text);
}

TEST(FullListSettingsRead, AbsentKeysGiveTheDesignedLookAndColumnsFromTheWidth) {
  const FullListSettings designed = DesignedFullListSettings();
  EXPECT_EQ(designed.font.name, "Arial");
  EXPECT_EQ(designed.font.style, kFontBold);
  EXPECT_EQ(designed.font.colour, kYellow);
  EXPECT_EQ(designed.background, 16744448u);
  EXPECT_EQ(designed.currentColour, designed.font.colour);
  const FullListSettings read = ReadFullListSettings(Ini(""), designed);
  EXPECT_EQ(read, designed);
  EXPECT_EQ(read.singerWidth, designed.width - 448);
  EXPECT_EQ(read.titleWidth, designed.width - 270);

  const FullListSettings wide = ReadFullListSettings(Ini("[fulllist]\nwidth=900\n"), designed);
  EXPECT_EQ(wide.singerWidth, 452);
  EXPECT_EQ(wide.titleWidth, 630);
  // Narrow windows hold the default columns within their limits.
  const FullListSettings narrow = ReadFullListSettings(Ini("[FullList]\nWidth=300\n"), designed);
  EXPECT_EQ(narrow.singerWidth, 0);
  EXPECT_EQ(narrow.titleWidth, 100);
}

TEST(FullListSettingsRead, StoredValuesAreTakenAndTheCurrentColourDefaultsToTheFontColour) {
  const FullListSettings read = ReadFullListSettings(Ini("[FULLLIST]\n"
                                                         "WindowState=2\nTop=5\nLeft=6\n"
                                                         "Height=700\nWidth=800\n"
                                                         "Column1=310\nColumn2=420\n"
                                                         "Font name=DejaVu Sans\nFont size=20\n"
                                                         "Font colour=255\nFont style=6\n"
                                                         "Background=0\n"),
                                                     DesignedFullListSettings());
  EXPECT_EQ(read.state, 2);
  EXPECT_EQ((ScreenRect{read.left, read.top, read.width, read.height}),
            (ScreenRect{6, 5, 800, 700}));
  EXPECT_EQ(read.singerWidth, 310);
  EXPECT_EQ(read.titleWidth, 420);
  EXPECT_EQ(read.font, (tFontSetting{"DejaVu Sans", 20, kRed, kFontItalic | kFontUnderline}));
  EXPECT_EQ(read.currentColour, kRed);
  EXPECT_EQ(read.background, 0u);
}

TEST(FullListSettingsRead, DamagedValuesGiveTheDefaults) {
  const FullListSettings designed = DesignedFullListSettings();
  const FullListSettings read = ReadFullListSettings(Ini("[FullList]\n"
                                                         "WindowState=7\nWidth=-5\nHeight=0\n"
                                                         "Column1=9000\nColumn2=x\n"
                                                         "Font name=\nFont size=0\n"
                                                         "Font colour=-1\nCurrentSong=abc\n"
                                                         "Background=16777216\n"),
                                                     designed);
  EXPECT_EQ(read.state, 0);
  EXPECT_EQ(read.width, designed.width);
  EXPECT_EQ(read.height, designed.height);
  EXPECT_EQ(read.singerWidth, 700);
  EXPECT_EQ(read.titleWidth, designed.width - 270);
  EXPECT_EQ(read.font.name, "Arial");
  EXPECT_EQ(read.font.size, designed.font.size);
  EXPECT_EQ(read.font.colour, kYellow);
  EXPECT_EQ(read.currentColour, kYellow);
  EXPECT_EQ(read.background, designed.background);
  // A system colour code is a colour.
  const FullListSettings system =
      ReadFullListSettings(Ini("[FullList]\nCurrentSong=-2147483634\n"), designed);
  EXPECT_EQ(system.currentColour, kHighlightTextColour);
}

TEST(FullListSettingsWrite, PositionOnlyWhenNormalAndNoStateWhenMinimised) {
  struct Case {
    int state;
    std::string expected;
  };
  const std::string look =
      "Column1=200\nColumn2=300\nFont name=Arial\nFont size=18\nFont colour=65535\n"
      "Font style=1\nCurrentSong=255\nBackground=16744448\n";
  const Case cases[] = {
      {kWindowNormal, "[FullList]\nWindowState=0\nTop=2\nLeft=1\nHeight=4\nWidth=3\n" + look},
      {kWindowMaximised, "[FullList]\nWindowState=2\n" + look},
      {kWindowMinimised, "[FullList]\n" + look},
  };
  for (const Case& c : cases) {
    FullListSettings s = DesignedFullListSettings();
    s.state = c.state;
    s.left = 1;
    s.top = 2;
    s.width = 3;
    s.height = 4;
    s.singerWidth = 200;
    s.titleWidth = 300;
    s.currentColour = kRed;
    tIniFile ini;
    WriteFullListSettings(ini, s);
    EXPECT_EQ(ini.Text(), c.expected) << c.state;
  }
}

TEST(FullListSettingsWrite, WhatIsWrittenReadsBack) {
  FullListSettings s = DesignedFullListSettings();
  s.left = -30;  // a screen left of the primary one
  s.singerWidth = 333;
  s.titleWidth = 444;
  s.font = {"DejaVu Serif", 26, kHighlightTextColour, kFontBold | kFontStrikeOut};
  s.currentColour = RgbColour(1, 2, 3);
  s.background = RgbColour(250, 240, 230);
  tIniFile ini = Ini("[FullList]\nwindowstate=2\n[Other]\nKey=1\n");
  WriteFullListSettings(ini, s);
  EXPECT_EQ(ReadFullListSettings(ini, DesignedFullListSettings()), s);
  EXPECT_NE(ini.Text().find("[Other]\nKey=1"), std::string::npos);
}

TEST(FullListMenuTable, ListsTheCommandsInOrderWithSeparatorsAndCtrlXToClose) {
  std::vector<std::string> shown;
  for (const FullListMenuEntry& entry : FullListMenu()) {
    shown.push_back(std::string(entry.text) + (entry.shortcut.empty() ? "" : " ") +
                    std::string(entry.shortcut) + (entry.separatorAfter ? " |" : ""));
  }
  EXPECT_EQ(shown,
            (std::vector<std::string>{"Fit vertically |", "Font...", "Background colour...",
                                      "Colour for current item...", "Colour for other items... |",
                                      "&Close this Window Ctrl+X"}));
}

}  // namespace
}  // namespace tunedex
