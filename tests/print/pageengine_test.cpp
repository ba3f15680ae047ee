// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "print/fakemetrics.h"
#include "print/pageengine.h"
#include "print/printgrid.h"
#include "print/songbook.h"
#include "print/songreport.h"
#include "support/songfixtures.h"

namespace tunedex {
namespace {

using test::FakeFontMetrics;
using test::FindText;
using test::kA4At254;
using test::StringsOf;
using test::TextsOf;

// The fake metrics on kA4At254 give this geometry: text area 120..1950 x 100..2870, header band
// 100..280, footer band from 2770 (body bottom = height - 200), the title line at y 310 (50
// high), the heading row at 360, rows of 60 pixels (a 50-pixel line and the 0.1 cm inset) from
// 420.
constexpr int kFirstRowTop = 420;
constexpr int kRowHeight = 60;

// An owning list of count songs, "ID1", "Title 1", "Artist 1" and so on.
class Songs : public tSongList {
 public:
  explicit Songs(int count) : tSongList(Ownership::OwnsSongs) {
    for (int i = 1; i <= count; ++i) {
      test::AddSongs(*this, {{.title = "Title " + std::to_string(i),
                              .artist = "Artist " + std::to_string(i),
                              .idCode = "ID" + std::to_string(i)}});
    }
  }
};

PrintDocument Layout(const tSongList& songs, int pageHeight = kA4At254.height) {
  FakeFontMetrics metrics;
  PageDevice device = kA4At254;
  device.height = pageHeight;
  return LayoutSongList(device, metrics, {"My songs", "Thursday 10.12.26"}, songs);
}

// The rows of a page: the texts of the ID column below the heading row.
std::vector<std::string> IdsOf(const PrintPage& page) {
  std::vector<std::string> ids;
  for (const PrintText& text : TextsOf(page)) {
    if (text.x == 150 && text.y > 370 && text.font == tPrintGrid::kRowFont)
      ids.push_back(text.text);
  }
  return ids;
}

TEST(CentimetreTest, PixelsPerCentimetreIsTheRoundedInchResolutionTimes0_3937) {
  const std::vector<std::pair<int, int>> cases = {{72, 28},   {96, 38},   {254, 100},
                                                  {300, 118}, {600, 236}, {1200, 472}};
  for (const auto& [dpi, pixels] : cases) EXPECT_EQ(PixelsPerCentimetre(dpi), pixels) << dpi;
}

TEST(CentimetreTest, HorizontalAndVerticalUseTheirOwnResolution) {
  FakeFontMetrics metrics;
  tPrintObject engine({4960, 3508, 600, 300}, metrics);
  EXPECT_EQ(engine.CmToX(1.0), 236);
  EXPECT_EQ(engine.CmToY(1.0), 118);
  SetUpReportPage(engine, "d");
  EXPECT_EQ(engine.Left(), 283);          // 1.2 cm of 236 pixels, rounded
  EXPECT_EQ(engine.Right(), 4960 - 354);  // 1.5 cm
  EXPECT_EQ(engine.Top(), 118);           // 1.0 cm of 118 pixels
  EXPECT_EQ(engine.Bottom(), 3508 - 118);
  EXPECT_EQ(engine.BodyTop(), 118 + 212);  // the 1.8 cm header band
  EXPECT_EQ(engine.BodyBottom(), 3508 - 118 - 118);
  const PrintDocument document = engine.Finish();
  const auto* band = std::get_if<PrintRect>(&document.pages[0].ops[0]);
  ASSERT_NE(band, nullptr);
  EXPECT_EQ(band->height, 212);
  EXPECT_EQ(band->width, 4960 - 354 - 283);
}

TEST(ReportPageTest, HeaderBandAndFooterAreDrawnOnEveryPage) {
  const PrintDocument document = Layout(Songs(100));
  ASSERT_EQ(document.pages.size(), 3U);
  for (std::size_t i = 0; i < document.pages.size(); ++i) {
    const PrintPage& page = document.pages[i];
    const std::string number = std::to_string(i + 1);
    EXPECT_EQ(page.number, static_cast<int>(i + 1));
    // The band: a 2-pixel black frame filled white, at the top of the text area.
    bool band = false;
    for (const PrintOp& op : page.ops) {
      if (const auto* rect = std::get_if<PrintRect>(&op)) {
        band = rect->x == 120 && rect->y == 100 && rect->width == 1830 && rect->height == 180 &&
               rect->penWidth == 2 && rect->pen == kBlack && rect->fill == kWhite;
      }
    }
    EXPECT_TRUE(band) << "page " << number;

    const PrintText* name = FindText(page, "-   T u n e d e x   -");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->font, (PrintFont{kArial, 14, true, true}));
    EXPECT_EQ(name->colour, kGrey);
    EXPECT_EQ(name->align, PrintAlign::Centre);
    EXPECT_EQ(name->x, 1035 - 21 * 28 / 2);  // centred on the text area
    EXPECT_EQ(name->y, 120);                 // 0.2 cm below the band's top

    const PrintText* web = FindText(page, "https://tunedex.org");
    ASSERT_NE(web, nullptr);
    EXPECT_EQ(web->font, (PrintFont{kArial, 9, true, false}));
    EXPECT_EQ(web->colour, kBlue);
    EXPECT_EQ(web->y, 220);  // 1.2 cm below the band's top

    const PrintText* date = FindText(page, "Thursday 10.12.26");
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->font, (PrintFont{kMsSansSerif, 8, true, false}));
    EXPECT_EQ(date->align, PrintAlign::Right);
    EXPECT_EQ(date->x + 17 * 16, 1950 - 20);  // ends clear of the frame
    EXPECT_EQ(date->y, 220);

    const PrintText* footer = FindText(page, "Page: " + number);
    ASSERT_NE(footer, nullptr) << "page " << number;
    EXPECT_EQ(footer->font, (PrintFont{kArial, 9, false, false}));
    EXPECT_EQ(footer->x + static_cast<int>(footer->text.size()) * 18, 1950);
    EXPECT_GE(footer->y, 2770);
    EXPECT_LE(footer->y + 45, 2870);
  }
}

TEST(SongGridTest, FirstPageHasTheTitleAndFollowingPagesContinueIt) {
  const PrintDocument document = Layout(Songs(50));
  ASSERT_EQ(document.pages.size(), 2U);
  const PrintText* title = FindText(document.pages[0], "My songs");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->x, 120);
  EXPECT_EQ(title->y, 310);
  EXPECT_EQ(title->font, (PrintFont{kArial, 10, true, false}));
  EXPECT_EQ(FindText(document.pages[0], "My songs (cont...)"), nullptr);
  EXPECT_EQ(FindText(document.pages[1], "My songs"), nullptr);
  const PrintText* continued = FindText(document.pages[1], "My songs (cont...)");
  ASSERT_NE(continued, nullptr);
  EXPECT_EQ(continued->y, 310);

  // Every page has the heading row in blue bold, set in 0.3 cm and 0.1 cm from its cells.
  for (const PrintPage& page : document.pages) {
    const std::vector<std::pair<std::string, int>> headings = {
        {"ID Code", 120 + 30}, {"Title", 120 + 180 + 30}, {"Artist", 120 + 930 + 30}};
    for (const auto& [text, x] : headings) {
      const PrintText* heading = FindText(page, text);
      ASSERT_NE(heading, nullptr) << text;
      EXPECT_EQ(heading->x, x);
      EXPECT_EQ(heading->y, 370);
      EXPECT_EQ(heading->colour, kBlue);
      EXPECT_EQ(heading->font, (PrintFont{kArial, 10, true, false}));
    }
  }
  std::vector<std::string> ids = IdsOf(document.pages[0]);
  const std::vector<std::string> second = IdsOf(document.pages[1]);
  ASSERT_EQ(ids.size(), 39U);
  EXPECT_EQ(ids.front(), "ID1");
  EXPECT_EQ(second.front(), "ID40");
  ids.insert(ids.end(), second.begin(), second.end());
  EXPECT_EQ(ids.size(), 50U);
  const PrintText* row = FindText(document.pages[0], "Title 1");
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->x, 330);
  EXPECT_EQ(row->y, kFirstRowTop + 10);
  EXPECT_EQ(row->colour, kBlack);
  EXPECT_EQ(FindText(document.pages[0], "Artist 1")->x, 1080);
}

// The body ends at height - 200: with 2960 a 39th row ends exactly on the footer and still fits,
// with 2959 it would cross it and starts page 2.
TEST(SongGridTest, ARowGoesToTheNextPageExactlyWhenItWouldCrossTheFooter) {
  const std::vector<std::pair<int, std::size_t>> cases = {
      {2960, 39}, {2959, 38}, {2960 + kRowHeight - 1, 39}, {2960 + kRowHeight, 40}};
  for (const auto& [height, rows] : cases) {
    const PrintDocument document = Layout(Songs(45), height);
    ASSERT_EQ(document.pages.size(), 2U) << height;
    EXPECT_EQ(IdsOf(document.pages[0]).size(), rows) << height;
    EXPECT_EQ(IdsOf(document.pages[1]).front(), "ID" + std::to_string(rows + 1)) << height;
  }
}

TEST(SongGridTest, OuterAndColumnLinesFrameTheRowsOfEachPage) {
  const PrintDocument document = Layout(Songs(45));
  const std::vector<int> edges = {120, 300, 1050, 1720};  // 1.8, 7.5 and the rest of 16.0 cm
  for (std::size_t p = 0; p < 2; ++p) {
    const int bottom = kFirstRowTop + kRowHeight * (p == 0 ? 39 : 6);
    std::vector<PrintLine> lines;
    for (const PrintOp& op : document.pages[p].ops) {
      if (const auto* line = std::get_if<PrintLine>(&op)) lines.push_back(*line);
    }
    const auto has = [&](int x1, int y1, int x2, int y2) {
      for (const PrintLine& line : lines) {
        if (line.x1 == x1 && line.y1 == y1 && line.x2 == x2 && line.y2 == y2) return true;
      }
      return false;
    };
    EXPECT_TRUE(has(120, 360, 1720, 360)) << p;
    EXPECT_TRUE(has(120, bottom, 1720, bottom)) << p;
    for (const int x : edges) EXPECT_TRUE(has(x, 360, x, bottom)) << p << " " << x;
    EXPECT_EQ(lines.size(), 6U);
  }
}

TEST(SongGridTest, LongTextsAreCutToTheirColumn) {
  tSongList songs(tSongList::Ownership::OwnsSongs);
  test::AddSongs(
      songs,
      {{.title = std::string(80, 'W'), .artist = std::string(40, 'A'), .idCode = "ABCDEFGHIJK"}});
  const PrintDocument document = Layout(songs);
  const std::vector<std::string> texts = StringsOf(document.pages[0]);
  // 7.5 cm less the insets is 710 pixels: 35 characters of 20; 1.8 cm gives 140: 7.
  EXPECT_NE(std::find(texts.begin(), texts.end(), std::string(35, 'W')), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "ABCDEFG"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), std::string(31, 'A')), texts.end());
}

struct EndCase {
  int rows;
  bool counted;
  int countTop;  // where the count line starts
};

// With a 2960-pixel page the body ends at 2760, and after k rows 39 - k lines are left.
TEST(SongGridTest, EndLinesFollowTheLinesLeftOnThePage) {
  const std::vector<EndCase> cases = {
      {0, true, kFirstRowTop + kRowHeight},        // many lines: a blank line, then the count
      {36, true, kFirstRowTop + 37 * kRowHeight},  // three lines left: blank line and count
      {37, true, kFirstRowTop + 37 * kRowHeight},  // two: no blank line, the count
      {38, false, 0},                              // one: nothing
      {39, false, 0},                              // none
  };
  for (const EndCase& c : cases) {
    const PrintDocument document = Layout(Songs(c.rows), 2960);
    ASSERT_EQ(document.pages.size(), 1U) << c.rows;
    const std::string count = std::to_string(c.rows) + " songs";
    const PrintText* line = FindText(document.pages[0], count);
    if (!c.counted) {
      EXPECT_EQ(line, nullptr) << c.rows;
      continue;
    }
    ASSERT_NE(line, nullptr) << c.rows;
    EXPECT_EQ(line->y, c.countTop) << c.rows;
    EXPECT_EQ(line->x, 130);  // 0.1 cm in from the text area
    EXPECT_EQ(line->font, (PrintFont{kArial, 8, true, false}));
  }
}

TEST(SongGridTest, LayoutTellsEachFinishedPageAndStopsWhenAsked) {
  const Songs songs(200);
  FakeFontMetrics metrics;
  const PrintDocument whole = Layout(songs);
  ASSERT_GE(whole.pages.size(), 4u);
  std::vector<int> told;
  const PrintDocument again =
      LayoutSongList(kA4At254, metrics, {"My songs", "x"}, songs, [&told](int pages) {
        told.push_back(pages);
        return true;
      });
  EXPECT_EQ(again.pages.size(), whole.pages.size());
  ASSERT_EQ(told.size(), whole.pages.size() - 1);  // at each page break
  EXPECT_EQ(told.front(), 1);
  EXPECT_EQ(told.back(), static_cast<int>(whole.pages.size()) - 1);

  int calls = 0;
  EXPECT_THROW(LayoutPrintout(PrintLayout::List, kA4At254, metrics, {"My songs", "x"}, songs,
                              [&calls](int) { return ++calls < 2; }),
               LayoutCancelled);
  EXPECT_EQ(calls, 2);
}

TEST(FitTextTest, KeepsWholeCharacters) {
  FakeFontMetrics metrics;
  const PrintFont font{kArial, 5};  // 10 pixels a character
  EXPECT_EQ(FitText(metrics, font, "abcdef", 60), "abcdef");
  EXPECT_EQ(FitText(metrics, font, "abcdef", 59), "abcde");
  EXPECT_EQ(FitText(metrics, font, "\xC3\xA9\xC3\xA9\xC3\xA9", 25), "\xC3\xA9\xC3\xA9");
  EXPECT_EQ(FitText(metrics, font, "abc", 5), "");
}

}  // namespace
}  // namespace tunedex
