// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/songlist.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "common/collation.h"
#include "common/userlocale.h"
#include "support/songfixtures.h"

namespace tunedex {
namespace {

using test::AddSongs;
using test::Column;
using Strings = std::vector<std::string>;

class SongListTest : public testing::Test {
 protected:
  void SetUp() override { SetUserLocale("en_US"); }
  tSongList m_list{tSongList::Ownership::OwnsSongs};
};

TEST_F(SongListTest, SortsByEachKeyInBothDirections) {
  AddSongs(m_list, {{.title = "b", .artist = "z", .idCode = "C2"},
                    {.title = "c", .artist = "x", .idCode = "A1"},
                    {.title = "a", .artist = "y", .idCode = "B3"}});
  m_list.SortBy(kSortByTitle);
  EXPECT_EQ(Column(m_list, TextField::Title), (Strings{"a", "b", "c"}));
  m_list.SortBy(-kSortByTitle);
  EXPECT_EQ(Column(m_list, TextField::Title), (Strings{"c", "b", "a"}));
  m_list.SortBy(kSortById);
  EXPECT_EQ(Column(m_list, TextField::IdCode), (Strings{"A1", "B3", "C2"}));
  m_list.SortBy(-kSortByArtist);
  EXPECT_EQ(Column(m_list, TextField::Artist), (Strings{"z", "y", "x"}));
  EXPECT_EQ(m_list.SortOrder(), 0) << "SortBy leaves SortOrder to the caller";
}

TEST_F(SongListTest, SortIsStableInBothDirectionsIgnoringCase) {
  AddSongs(m_list, {{.title = "ABBA", .artist = "1"},
                    {.title = "Zoo", .artist = "2"},
                    {.title = "abba", .artist = "3"},
                    {.title = "Abba", .artist = "4"}});
  m_list.SortBy(kSortByTitle);
  EXPECT_EQ(Column(m_list, TextField::Artist), (Strings{"1", "3", "4", "2"}));
  m_list.SortBy(-kSortByTitle);
  EXPECT_EQ(Column(m_list, TextField::Artist), (Strings{"2", "1", "3", "4"}));
}

TEST_F(SongListTest, SortingBySecondKeyKeepsTheFirstKeyOrderWithinEqualKeys) {
  AddSongs(m_list, {{.title = "Waterloo", .artist = "ABBA"},
                    {.title = "Angie", .artist = "Stones"},
                    {.title = "Chiquitita", .artist = "ABBA"},
                    {.title = "Beast", .artist = "Stones"}});
  m_list.SortBy(kSortByTitle);
  m_list.SortBy(kSortByArtist);
  EXPECT_EQ(Column(m_list, TextField::Title),
            (Strings{"Chiquitita", "Waterloo", "Angie", "Beast"}));
}

TEST_F(SongListTest, OtherCodesAndShortListsAreLeftAlone) {
  AddSongs(m_list, {{.title = "b"}, {.title = "a"}});
  for (int code : {0, 31, 35, -35, 1, 127, -128}) {
    m_list.SortBy(code);
    EXPECT_EQ(Column(m_list, TextField::Title), (Strings{"b", "a"})) << code;
  }
  tSongList one(tSongList::Ownership::OwnsSongs);
  AddSongs(one, {{.title = "x"}});
  one.SortBy(kSortByTitle);
  EXPECT_EQ(one.Count(), 1u);
}

TEST_F(SongListTest, AccentedLettersFollowTheUserLocale) {
  AddSongs(m_list, {{.title = "\xC3\x96l"}, {.title = "Zebra"}, {.title = "Ost"}});  // Öl
  SetUserLocale("sv_SE");
  m_list.SortBy(kSortByTitle);
  EXPECT_EQ(Column(m_list, TextField::Title), (Strings{"Ost", "Zebra", "\xC3\x96l"}));
  // The cached keys belong to the old locale and are rebuilt for the new one.
  SetUserLocale("de_DE");
  m_list.SortBy(kSortByTitle);
  EXPECT_EQ(Column(m_list, TextField::Title), (Strings{"\xC3\x96l", "Ost", "Zebra"}));
}

// The sort decides most pairs from short keys of the leading letters and asks the collator for
// the rest; the order must be the collator's in every locale, with equal texts kept in order.
TEST_F(SongListTest, SortOrderIsTheCollationOrderInEachLocale) {
  const std::vector<std::string> titles = {"chata",
                                           "hudba",
                                           "Cz",
                                           "ch",
                                           "h",
                                           "Aabenraa",
                                           "Zulu",
                                           "aa",
                                           "az",
                                           "l\xC2\xB7l",
                                           "ll",
                                           "lz",
                                           "caf\xC3\xA9",
                                           "caf\xE9",
                                           "cafe",
                                           "Cafe",
                                           "cafe\xCC\x81",
                                           "\xC3\x96l",
                                           "\xD6l",
                                           "Ol",
                                           "Oz",
                                           "10",
                                           "9",
                                           "a b",
                                           "a-b",
                                           "ab",
                                           "AB",
                                           "ab\x01",
                                           "dzs",
                                           "dz",
                                           "d",
                                           "The End",
                                           "the end",
                                           "\x80uro",
                                           "euro",
                                           "\xC3\x9F",
                                           "ss",
                                           "st",
                                           "",
                                           "\xE3\x81\x82",
                                           "y",
                                           "i"};
  for (const char* locale : {"", "en_US", "sv_SE", "da_DK", "cs_CZ", "hu_HU", "de_DE", "lt_LT"}) {
    SetUserLocale(locale);
    tSongList list(tSongList::Ownership::OwnsSongs);
    for (std::size_t i = 0; i < titles.size(); ++i) {
      tSongRecord record;
      record.SetRawText(TextField::Title, titles[i]);
      record.SetArtist(std::to_string(i));
      list.Add(std::make_unique<tSong>(record));
    }
    std::vector<std::size_t> expected(titles.size());
    for (std::size_t i = 0; i < expected.size(); ++i) expected[i] = i;
    std::stable_sort(expected.begin(), expected.end(), [&](std::size_t a, std::size_t b) {
      return UserSortKey(titles[a]) < UserSortKey(titles[b]);
    });
    Strings order;
    for (std::size_t i : expected) order.push_back(std::to_string(i));
    list.SortBy(kSortByTitle);
    EXPECT_EQ(Column(list, TextField::Artist), order) << locale;
    list.SortBy(-kSortByTitle);
    std::stable_sort(expected.begin(), expected.end(), [&](std::size_t a, std::size_t b) {
      return UserSortKey(titles[b]) < UserSortKey(titles[a]);
    });
    order.clear();
    for (std::size_t i : expected) order.push_back(std::to_string(i));
    EXPECT_EQ(Column(list, TextField::Artist), order) << locale << " descending";
  }
}

TEST_F(SongListTest, SortUsesTheChangedFieldAfterAnEdit) {
  AddSongs(m_list, {{.title = "a"}, {.title = "b"}});
  m_list.SortBy(kSortByTitle);
  m_list[0]->Modify([](tSongRecord& record) { record.SetTitle("c"); });
  m_list.SortBy(kSortByTitle);
  EXPECT_EQ(Column(m_list, TextField::Title), (Strings{"b", "c"}));
}

TEST_F(SongListTest, FindsFileNamesIgnoringCase) {
  AddSongs(m_list, {{.title = "x", .fileName = "/Songs/B.kar"},
                    {.title = "y", .fileName = "C:\\Songs\\A.kar"},
                    {.title = "z", .fileName = "/M\xC3\x9CSIC/\xC3\x85SA.kar"}});  // /MÜSIC/ÅSA
  const tSongRecord probe = test::MakeRecord({.fileName = "c:\\songs\\a.KAR"});
  EXPECT_EQ(m_list.IndexOfFileName(probe), 1);
  EXPECT_TRUE(m_list.ContainsFileName(probe));
  EXPECT_EQ(m_list.FindByFileName(probe), m_list[1]);
  EXPECT_EQ(m_list.FindByFileName("/m\xC3\xBCsic/\xC3\xA5sa.KAR"), m_list[2]);
  EXPECT_EQ(m_list.FindByFileName("/Songs/B.kar2"), nullptr);
  EXPECT_EQ(m_list.IndexOfFileName(test::MakeRecord({.fileName = "/songs"})), -1);
}

TEST_F(SongListTest, AnEmptyPathFindsNone) {
  AddSongs(m_list, {{.title = "no file"}});
  EXPECT_EQ(m_list.FindByFileName(std::string_view()), nullptr);
}

TEST_F(SongListTest, FindsTheFirstOfSeveralSongsWithOneFileNameInListOrder) {
  AddSongs(m_list, {{.title = "b", .fileName = "/a.kar"}, {.title = "a", .fileName = "/A.KAR"}});
  ASSERT_EQ(m_list.FindByFileName("/a.kar")->Record().Title(), "b");
  m_list.SortBy(kSortByTitle);
  EXPECT_EQ(m_list.FindByFileName("/a.kar")->Record().Title(), "a");
  EXPECT_EQ(m_list.IndexOfFileName(test::MakeRecord({.fileName = "/a.kar"})), 0);
}

TEST_F(SongListTest, FileNameLookUpsFollowRemovalsAndRenames) {
  AddSongs(m_list, {{.fileName = "/one.kar"}, {.fileName = "/two.kar"}});
  ASSERT_TRUE(m_list.FindByFileName("/one.kar"));  // builds the index
  m_list[0]->Modify([](tSongRecord& record) { record.SetFileName("/renamed.kar"); });
  EXPECT_EQ(m_list.FindByFileName("/one.kar"), nullptr);
  EXPECT_EQ(m_list.FindByFileName("/RENAMED.kar"), m_list[0]);

  m_list.DestroyAt(0);
  EXPECT_EQ(m_list.FindByFileName("/renamed.kar"), nullptr);
  AddSongs(m_list, {{.fileName = "/three.kar"}});
  EXPECT_EQ(m_list.IndexOfFileName(test::MakeRecord({.fileName = "/Three.kar"})), 1);
  const std::unique_ptr<tSong> removed(m_list[0]);
  m_list.RemoveAt(0);
  EXPECT_EQ(m_list.FindByFileName("/two.kar"), nullptr);
}

TEST_F(SongListTest, AReferenceListOutlivesNothingItDoesNotOwn) {
  AddSongs(m_list, {{.fileName = "/one.kar"}, {.fileName = "/two.kar"}});
  {
    tSongList view;
    for (tSong* song : m_list) view.Add(song);
    ASSERT_TRUE(view.ContainsFileName(m_list[1]->Record()));
    view.Clear();
    EXPECT_FALSE(view.ContainsFileName(m_list[1]->Record()));
    view.Add(m_list[1]);
    ASSERT_TRUE(view.FindByFileName("/two.kar"));
    // A song destroyed while a view still indexes it leaves that index too.
    m_list.DestroyAt(1);
    EXPECT_EQ(view.FindByFileName("/two.kar"), nullptr);
    view.Clear();
  }
  EXPECT_EQ(m_list.Count(), 1u);
  EXPECT_TRUE(m_list.FindByFileName("/one.kar"));
}

}  // namespace
}  // namespace tunedex
