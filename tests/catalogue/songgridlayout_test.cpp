// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/songgridlayout.h"

#include <gtest/gtest.h>

#include "common/userlocale.h"
#include "support/songfixtures.h"

namespace tunedex {
namespace {

TEST(SongGridTest, TypePicturesByTypeLyricsAndExistence) {
  struct Case {
    std::uint8_t type;
    bool lyrics;
    int exists, missing;
  };
  const Case cases[] = {{1, true, 0, 12},  {2, true, 2, 13},   {3, true, 4, 14},
                        {4, false, 6, 15}, {5, false, 8, 16},  {6, false, 10, 17},
                        {7, true, 19, 21}, {8, false, 22, 24}, {0, false, 18, 18},
                        {9, true, 18, 18}};
  for (const Case& c : cases) {
    tSongRecord record;
    record.SetFileType(c.type);
    record.SetHasLyrics(c.lyrics);
    EXPECT_EQ(TypePictureIndex(record, true), c.exists) << int(c.type);
    EXPECT_EQ(TypePictureIndex(record, false), c.missing) << int(c.type);
  }
}

TEST(SongGridTest, FormatMismatchIsNotShownForVideo) {
  tSongRecord record;
  record.SetFileType(8);
  record.SetInternalFormat(5);
  EXPECT_FALSE(ShowsFormatMismatch(record));
  record.SetFileType(1);
  record.SetInternalFormat(3);
  EXPECT_TRUE(ShowsFormatMismatch(record));
}

TEST(SongGridTest, RowHeightWheelAndPanels) {
  EXPECT_EQ(GridRowHeight(-11, 96), 17);
  EXPECT_EQ(WheelStep(10, 20), 1);
  EXPECT_EQ(WheelStep(3, 20), 3);
  EXPECT_EQ(WheelStep(0, 20), 3);
  EXPECT_EQ(WheelScrolledTop(0, -120, 3, 100, 20), 3);
  EXPECT_EQ(WheelScrolledTop(79, -120, 3, 100, 20), 80);
  EXPECT_EQ(WheelScrolledTop(80, -120, 3, 100, 20), 80);
  EXPECT_EQ(WheelScrolledTop(2, 120, 3, 100, 20), 0);
  EXPECT_EQ(NavigatorButtonWidth(150), 25);
  EXPECT_EQ(NavigatorButtonWidth(1000), 75);
  EXPECT_EQ(StatusPanelWidth(639), 248);
  EXPECT_EQ(LyricsColour(1), RgbColour(176, 200, 255));
  EXPECT_FALSE(LyricsColour(0));
}

TEST(SongGridTest, ColumnsFollowTheWindowAndComeBackWhenStored) {
  tGridColumns columns;
  columns.GridResized(520);  // the first size only sets the base
  EXPECT_EQ(columns.TextColumns(), kDefaultColumnWidths);
  columns.GridResized(1020);  // (1020-20)/(520-20) = 2
  EXPECT_EQ(columns.TextColumns(), (std::array<int, 3>{98, 370, 554}));
  EXPECT_EQ(columns.StoredTextColumns(true), kDefaultColumnWidths);
  EXPECT_EQ(columns.StoredTextColumns(false), (std::array<int, 3>{98, 370, 554}));
  columns.SectionResized(3, 101);
  EXPECT_EQ(columns.ColumnWidth(3), 100);
  EXPECT_EQ(columns.SectionWidth(3), 101);
  columns.FontWidthChanged(1.5);
  EXPECT_EQ(columns.ColumnWidth(3), 151);
  EXPECT_EQ(columns.ColumnWidth(4), 554);
}

// Every Left or Right press shows the grid one column further: the type picture scrolls too.
TEST(SongGridTest, EachSidewaysStepHidesOrShowsOneColumn) {
  tGridColumns columns;
  const auto shown = [&columns] {
    std::array<int, 4> widths{};
    for (int section = 1; section <= 4; ++section) {
      widths[static_cast<std::size_t>(section - 1)] = columns.SectionWidth(section);
    }
    return widths;
  };
  const std::array<int, 4> steps[] = {{18, 50, 186, 278}, {0, 50, 186, 278}, {0, 0, 186, 278}};
  EXPECT_EQ(shown(), steps[0]);
  for (std::size_t step = 1; step < 3; ++step) {
    EXPECT_TRUE(columns.ScrollRight());
    EXPECT_EQ(shown(), steps[step]) << step;
  }
  EXPECT_FALSE(columns.ScrollRight());
  EXPECT_TRUE(columns.ScrollLeft());
  EXPECT_EQ(shown(), steps[1]);
  columns.SectionResized(1, 31);  // the type column is resized like the others
  EXPECT_EQ(columns.ColumnWidth(1), 30);
}

// Shrinking the window a long way keeps every column visible, and growing it back restores
// the widths.
TEST(SongGridTest, ColumnsSurviveShrinkingAndRestoring) {
  tGridColumns columns;
  columns.GridResized(640);
  columns.GridResized(30);
  for (int width : columns.TextColumns()) EXPECT_GE(width, tGridColumns::kMinimumTextColumnWidth);
  columns.GridResized(640);
  columns.GridResized(1280);
  columns.GridResized(640);
  for (int section = 2; section <= 4; ++section) EXPECT_GT(columns.SectionWidth(section), 0);
  EXPECT_LE(columns.TextColumns()[2], 640);
}

TEST(SongGridTest, PathsAreShortenedFromTheirLeadingFolders) {
  const auto width = [](std::string_view text) { return static_cast<int>(text.size()); };
  EXPECT_EQ(ShortenPath("/home/ann/songs/list.tdb", 100, width), "/home/ann/songs/list.tdb");
  EXPECT_EQ(ShortenPath("/home/ann/songs/list.tdb", 23, width), "/.../ann/songs/list.tdb");
  EXPECT_EQ(ShortenPath("/home/ann/songs/list.tdb", 22, width), "/.../songs/list.tdb");
  EXPECT_EQ(ShortenPath("/home/ann/songs/list.tdb", 5, width), "/.../list.tdb");
  EXPECT_EQ(ShortenPath("# New file #", 2, width), "# New file #");
  EXPECT_EQ(CaptionPath("/a.tdb", true), "# New file #");
  EXPECT_EQ(CaptionPath("", false), "# New file #");
}

TEST(SongGridTest, DetailsTexts) {
  SetUserLocale("en_US");
  EXPECT_EQ(NotesLine("one\r\ntwo"), "one; two");
}

// Only the six built-in codes have flags of their own; every other code gets the neutral one,
// whichever language is the custom language.
TEST(SongGridTest, LanguagePictures) {
  const std::pair<std::string_view, LanguagePicture> cases[] = {
      {"Eng", LanguagePicture::English},
      {"ENG", LanguagePicture::English},
      {"Sve", LanguagePicture::Swedish},
      {"fra", LanguagePicture::French},
      {"Esp", LanguagePicture::Spanish},
      {"Por", LanguagePicture::Portuguese},
      {"deu", LanguagePicture::German},
      {"Ger", LanguagePicture::UserDefined},
      {"Fin", LanguagePicture::UserDefined},
      {"En", LanguagePicture::UserDefined},
      {"", LanguagePicture::New}};
  for (const auto& [code, picture] : cases) {
    EXPECT_EQ(LanguagePictureOf(code), picture) << code;
  }
}

}  // namespace
}  // namespace tunedex
