// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/customfilter.h"

#include <gtest/gtest.h>

#include "catalogue/customlanguage.h"
#include "common/userlocale.h"
#include "support/songfixtures.h"

namespace tunedex {
namespace {

tSongRecord Song(std::uint8_t type, std::uint8_t format, bool lyrics) {
  tSongRecord record = test::MakeRecord({.title = "Love Me Do",
                                         .artist = "Beatles",
                                         .fileName = "/Love Songs/track.mid",
                                         .idCode = "LO001",
                                         .notes = "slow"});
  record.SetFileType(type);
  record.SetInternalFormat(format);
  record.SetHasLyrics(lyrics);
  return record;
}

struct FilterCase {
  const char* name;
  tCustomFilterRec filter;
  bool matches;
};

class FilterMatchesTest : public testing::TestWithParam<FilterCase> {};

TEST_P(FilterMatchesTest, DecidesBySettings) {
  SetUserLocale("en_US");
  EXPECT_EQ(FilterMatches(Song(3, 1, true), GetParam().filter), GetParam().matches);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, FilterMatchesTest,
    testing::Values(
        FilterCase{"empty", {}, true},
        FilterCase{"textWithoutFields", {.Text = "zzz", .Fields = 0}, true},
        FilterCase{"titleHit", {.Text = "LOVE", .Fields = kFilterTitle}, true},
        FilterCase{"artistMiss", {.Text = "love", .Fields = kFilterArtist}, false},
        FilterCase{"folderInPath", {.Text = "songs", .Fields = kFilterFileName}, true},
        FilterCase{"notes", {.Text = "SLO", .Fields = kFilterNotes}, true},
        FilterCase{"idCode", {.Text = "o00", .Fields = kFilterIdCode}, true},
        FilterCase{"anyField", {.Text = "beat", .Fields = kFilterAnyField}, true},
        FilterCase{"midiByType", {.ByFormat = true, .Formats = 4}, true},
        FilterCase{"karByType", {.ByFormat = true, .Formats = 1}, false},
        FilterCase{"karByContent", {.ByFormat = true, .UseInternalFormat = 1, .Formats = 1}, true},
        FilterCase{"noTypes", {.ByFormat = true, .Formats = 0}, false},
        FilterCase{"hasLyrics", {.ByFormat = true, .Formats = 4, .Lyrics = 1}, true},
        FilterCase{"noLyrics", {.ByFormat = true, .Formats = 4, .Lyrics = 2}, false},
        FilterCase{"ignoreLyrics", {.ByFormat = true, .Formats = 4, .Lyrics = -1}, true}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(FilterDialogTest, LyricsOptionsFollowTheTickedTypes) {
  FilterDialogState dialog;
  dialog.SetType(1, true);  // KAR
  EXPECT_EQ(dialog.lyrics, 1);
  EXPECT_FALSE(dialog.LyricsOptionsEnabled());
  dialog.SetType(2, true);  // ST3
  EXPECT_EQ(dialog.lyrics, 1);
  dialog.SetType(16, true);  // MP3: keeps the selection it had
  EXPECT_EQ(dialog.lyrics, 1);
  EXPECT_TRUE(dialog.LyricsOptionsEnabled());
  for (int bit : {1, 2, 16}) dialog.SetType(bit, false);
  EXPECT_EQ(dialog.lyrics, -1);
  EXPECT_FALSE(dialog.LyricsOptionsEnabled());
  dialog.SetType(8, true);  // RMID alone
  EXPECT_EQ(dialog.lyrics, 2);
  EXPECT_FALSE(dialog.LyricsOptionsEnabled());
  dialog.SetType(4, true);
  EXPECT_EQ(dialog.lyrics, 2);
  dialog.SetType(8, false);
  dialog.SetType(4, false);
  dialog.SetType(32, true);
  EXPECT_EQ(dialog.lyrics, 0);
}

TEST(FilterDialogTest, ReopeningShowsTheChosenFields) {
  FilterDialogState dialog;
  dialog.Load({.Text = "x", .Fields = kFilterTitle | kFilterNotes});
  EXPECT_FALSE(dialog.anyField);
  EXPECT_TRUE(dialog.FieldBoxesEnabled());
  EXPECT_EQ(dialog.fieldBits, kFilterTitle | kFilterNotes);
  const tCustomFilterRec read = dialog.Read();
  EXPECT_EQ(read.Fields, kFilterTitle | kFilterNotes);
  EXPECT_FALSE(read.ByFormat);
}

TEST(FilterDialogTest, NoFieldTickedMeansAnyField) {
  FilterDialogState dialog;
  dialog.anyField = false;
  dialog.fieldBits = 0;
  EXPECT_EQ(dialog.Read().Fields, kFilterAnyField);
  EXPECT_TRUE(dialog.anyField);
  dialog.Load({.ByFormat = true, .Fields = kFilterAnyField, .Formats = 5, .Lyrics = 7});
  EXPECT_TRUE(dialog.formatPage);
  EXPECT_TRUE(dialog.anyField);
  EXPECT_EQ(dialog.lyrics, -1);
}

TEST(CustomLanguageTest, TheUserDefinedLanguageNeedsANameAndACode) {
  CustomLanguageChoice choice{.index = 5};
  EXPECT_EQ(choice.Check(), CustomLanguageChoice::Problem::EmptyName);
  choice.name = "Suomi";
  EXPECT_EQ(choice.Check(), CustomLanguageChoice::Problem::EmptyCode);
  choice.code = "Fin";
  EXPECT_EQ(choice.Check(), CustomLanguageChoice::Problem::None);
  tCustomLanguage language;
  choice.StoreInto(language);
  EXPECT_EQ(language.name, "Suomi");
  CustomLanguageChoice{.index = 2}.StoreInto(language);
  EXPECT_EQ(language.name, "German");
  EXPECT_EQ(language.code, "Deu");
}

}  // namespace
}  // namespace tunedex
