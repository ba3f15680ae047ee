// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/idlist.h"

#include <gtest/gtest.h>

#include "support/songfixtures.h"

namespace tunedex {
namespace {

TEST(IdListTest, ComparesWithoutRegardToCaseAndIgnoresDuplicates) {
  tIDList list;
  EXPECT_TRUE(list.Reserve("ab001"));
  EXPECT_FALSE(list.Reserve("AB001"));
  EXPECT_TRUE(list.Contains("Ab001"));
  EXPECT_FALSE(list.Contains("AB002"));
  EXPECT_EQ(list.Count(), 1u);
}

TEST(CompleteIdCodeTest, NumbersTheFirstLettersOfTheName) {
  tIDList list;
  const std::pair<const char*, const char*> cases[] = {
      {"/songs/Let It Be.kar", "LE001"},
      {"/songs/let me go.mp3", "LE002"},
      {"/other/ABBA - Waterloo.kar", "AB001"},
      {"/songs/1234.kar", "#001"},
      {"/songs/x.kar", "X001"},
      {"/songs/99 red balloons.kar", "RE001"},
      {"/songs/\xC3\x89t\xC3\xA9 \xC3\xA0 Paris.kar", "\xC3\x89T001"},  // Été: É counts, é not
      {"/songs/a.b.c.kar", "AB002"},
  };
  for (const auto& [base, code] : cases) EXPECT_EQ(CompleteIdCode(list, base), code) << base;
  EXPECT_TRUE(list.Contains("LE002")) << "given codes are reserved";
}

TEST(CompleteIdCodeTest, MovesToLongerPrefixesThenTheTildeSeries) {
  tIDList list;
  for (int i = 1; i <= 999; ++i)
    list.Reserve("LE" + std::string(3 - std::to_string(i).size(), '0') + std::to_string(i));
  EXPECT_EQ(CompleteIdCode(list, "/Let It Be.kar"), "LET001");
  tIDList single;
  for (int i = 0; i < 999; ++i) CompleteIdCode(single, "/x.kar");
  EXPECT_EQ(CompleteIdCode(single, "/x.kar"), "~AAAA001");
  EXPECT_EQ(CompleteIdCode(single, "/y.kar"), "Y001");
  single.Reserve("~AAAA002");
  EXPECT_EQ(CompleteIdCode(single, "/x.kar"), "~AAAA003");
}

TEST(FillMissingIdCodesTest, GivesCodesToSongsWithAFileAndNoCode) {
  tSongList master(tSongList::Ownership::OwnsSongs);
  test::AddSongs(master, {{.title = "a", .fileName = "/k/Abba.kar"},
                          {.title = "b", .fileName = "/k/Abc.kar", .idCode = "AB001"},
                          {.title = "c"},
                          {.title = "d", .fileName = "/k/abide.kar"}});
  tIDList list;
  list.FillFrom(master);
  EXPECT_EQ(FillMissingIdCodes(master, list), 2u);
  EXPECT_EQ(test::Column(master, TextField::IdCode),
            (std::vector<std::string>{"AB002", "AB001", "", "AB003"}));
}

}  // namespace
}  // namespace tunedex
