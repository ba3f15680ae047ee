// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/songviews.h"

#include <gtest/gtest.h>

#include "common/fileio.h"
#include "common/userlocale.h"
#include "support/songfixtures.h"

namespace tunedex {
namespace {

using test::MakeRecord;

struct LanguageCase {
  const char* language;
  const char* customCode;
  std::vector<int> modes;  // the views of 16 to 20 that show the song
};

class ViewSelectionTest : public testing::TestWithParam<LanguageCase> {};

TEST_P(ViewSelectionTest, AdmitsSongsByLanguage) {
  SetUserLocale("en_US");
  const LanguageCase c = GetParam();
  const tSongRecord record = MakeRecord({.title = "t", .language = c.language});
  std::vector<int> admitted;
  for (const ViewMode mode : kViewModes) {
    if (mode == ViewMode::CustomFiltered) continue;
    if (ViewSelection(mode, c.customCode).Admits(record)) {
      admitted.push_back(static_cast<int>(mode));
    }
  }
  EXPECT_EQ(admitted, c.modes) << '"' << c.language << "\" with custom code " << c.customCode;
}

INSTANTIATE_TEST_SUITE_P(
    Languages, ViewSelectionTest,
    testing::Values(LanguageCase{"sve", "Sve", {16, 17}}, LanguageCase{"SVE", "Sve", {16, 17}},
                    LanguageCase{"eng", "Sve", {16, 18}}, LanguageCase{"ENG", "Sve", {16, 18}},
                    LanguageCase{"Ger", "Sve", {16, 19}}, LanguageCase{"e", "Sve", {16}},
                    LanguageCase{"ng", "Sve", {16}}, LanguageCase{"", "Sve", {16, 20}},
                    LanguageCase{"sve", "Fra", {16, 19}}, LanguageCase{"fra", "Fra", {16, 17}},
                    LanguageCase{"ve,", "Sve", {16}}));

TEST(SelectViewSongsTest, KeepsMasterOrderAndCopiesTheSortOrder) {
  SetUserLocale("en_US");
  tSongList master(tSongList::Ownership::OwnsSongs);
  test::AddSongs(master, {{.title = "c", .language = "Eng"},
                          {.title = "a", .language = "Sve"},
                          {.title = "b", .language = "eng"}});
  master.SetSortOrder(-34);
  tSongList view;
  view.Add(master[1]);
  SelectViewSongs(master, view, ViewMode::English, kDefaultCustomLanguageCode);
  EXPECT_EQ(test::Column(view, TextField::Title), (std::vector<std::string>{"c", "b"}));
  EXPECT_EQ(view.SortOrder(), -34);
}

class FindBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    SetUserLocale("en_US");
    test::AddSongs(m_master, {{.title = "Dancing Queen", .artist = "Abba", .fileName = "/k/1.kar"},
                              {.title = "Hello", .fileName = "/abba songs/2.kar"},
                              {.title = "Waterloo", .fileName = "/songs/ABBA - Waterloo.kar"},
                              {.title = "x", .notes = "sung by abba fans"},
                              {.title = "y", .language = "Abb"},
                              {.title = "z", .idCode = "ABBA01"}});
  }
  tSongList m_master{tSongList::Ownership::OwnsSongs};
};

TEST_F(FindBoxTest, MatchesEveryFieldButTheFolder) {
  const TextMatcher matcher("abba");
  std::vector<bool> matches;
  for (const tSong* song : m_master) matches.push_back(FindBoxMatches(matcher, song->Record()));
  EXPECT_EQ(matches, (std::vector<bool>{true, false, true, true, false, true}));
  EXPECT_TRUE(FindBoxMatches(TextMatcher("abb"), m_master[4]->Record()));
}

TEST_F(FindBoxTest, SearchesForwardWithoutWrappingAround) {
  FindBoxSearch search(m_master);
  EXPECT_EQ(search.FindFrom("ABBA", 0), 0u);
  EXPECT_EQ(search.FindFrom("abba", 1), 2u);
  EXPECT_EQ(search.FindFrom("abba", 4), 5u);
  EXPECT_EQ(search.FindFrom("ABBA01", 0), 5u);
  EXPECT_EQ(search.FindFrom("abba", 6), std::nullopt);
  EXPECT_EQ(search.FindFrom("", 0), std::nullopt);
  EXPECT_EQ(search.FindFrom("songs", 0), std::nullopt) << "folders are not searched";
  EXPECT_EQ(search.FindFrom("queen\nabba", 0), std::nullopt) << "no match across fields";
  EXPECT_EQ(search.FindFrom("queenabba", 0), std::nullopt);
}

TEST_F(FindBoxTest, FollowsEditsReordersAndTheLocale) {
  FindBoxSearch search(m_master);
  ASSERT_EQ(search.FindFrom("hello", 0), 1u);
  m_master[1]->Modify([](tSongRecord& record) { record.SetTitle("Goodbye"); });
  EXPECT_EQ(search.FindFrom("hello", 0), std::nullopt);
  EXPECT_EQ(search.FindFrom("goodbye", 0), 1u);
  m_master.SortBy(kSortByTitle);
  EXPECT_EQ(search.FindFrom("goodbye", 0), 1u);  // Dancing Queen, Goodbye, Waterloo, x, y, z
  EXPECT_EQ(search.FindFrom("waterloo", 0), 2u);
  m_master[3]->Modify([](tSongRecord& record) { record.SetNotes("istanbul"); });
  EXPECT_EQ(search.FindFrom("ISTANBUL", 0), 3u);
  SetUserLocale("tr_TR");  // i upper-cases to a dotted capital I
  EXPECT_EQ(search.FindFrom("ISTANBUL", 0), std::nullopt);
}

TEST_F(FindBoxTest, FindsNonAsciiTextsIgnoringCase) {
  test::AddSongs(m_master, {{.title = "\xC3\x85ngen"},
                            {.artist = "Stra\xC3\x9F"
                                       "e"}});  // Ången
  FindBoxSearch search(m_master);
  EXPECT_EQ(search.FindFrom("\xC3\xA5ngen", 0), 6u);
  EXPECT_EQ(search.FindFrom("STRASSE", 0), 7u);
}

TEST(FileNamePartTest, IsTheTextAfterTheLastSlash) {
  EXPECT_EQ(FileNamePart("/a/b/c.kar"), "c.kar");
  EXPECT_EQ(FileNamePart("c.kar"), "c.kar");
  EXPECT_EQ(FileNamePart("/a/"), "");
}

}  // namespace
}  // namespace tunedex
