// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/legacyimport.h"

#include <gtest/gtest.h>

#include "catalogue/database.h"
#include "support/scripteduser.h"
#include "support/songfilebuilders.h"
#include "support/tempfolder.h"

namespace tunedex {
namespace {

struct Version1Fields {
  std::string title = {};
  std::string artist = {};
  std::string language = {};
  std::string fileName = {};
  std::string secondCode = {};
  std::string idCode = {};
  std::string notes = {};
};

std::string Version1Record(const Version1Fields& f) {
  std::string record(kVersion1RecordSize, '\0');
  const auto put = [&](std::size_t offset, const std::string& text) {
    record[offset] = static_cast<char>(text.size());
    record.replace(offset + 1, text.size(), text);
  };
  put(0, f.title);
  put(81, f.artist);
  put(122, f.language);
  put(126, f.fileName);
  put(250, f.secondCode);
  put(262, f.idCode);
  put(274, f.notes);
  return record;
}

class LegacyImportTest : public testing::Test {
 protected:
  LoadResult Load(const std::string& bytes) {
    return LoadDatabase(m_list, m_folder.Write("old.tdb", "LEGACY3DB" + bytes), m_user);
  }
  test::TempFolder m_folder;
  test::ScriptedUser m_user;
  tSongList m_list{tSongList::Ownership::OwnsSongs};
};

TEST_F(LegacyImportTest, ConvertsRecordsAndInspectsExistingFiles) {
  const std::string song =
      m_folder.Write("there.kar", test::MidiFile({{1, "@KMIDI KARAOKE FILE"}}));
  const std::string bytes = std::string(1, static_cast<char>(-34)) +
                            Version1Record({.title = "Waterloo",
                                            .artist = "ABBA",
                                            .language = "Eng",
                                            .fileName = song,
                                            .idCode = "AB001",
                                            .notes = "n"}) +
                            Version1Record({.artist = "x", .fileName = "C:\\Songs\\missing.mp3"}) +
                            Version1Record({.fileName = "C:\\Songs\\Untitled.kar"}) +
                            Version1Record({}) +  // empty: skipped
                            Version1Record({.secondCode = "only"});
  ASSERT_EQ(Load(bytes), LoadResult::Loaded);
  ASSERT_EQ(m_user.Messages().size(), 1u);
  EXPECT_EQ(m_user.Messages()[0].kind, MessageKind::Information);
  EXPECT_EQ(m_user.Messages()[0].text, kVersion1ImportQuestion);
  EXPECT_EQ(m_user.Messages()[0].buttons, (std::vector<Button>{Button::Ok, Button::Cancel}));
  EXPECT_EQ(m_list.SortOrder(), -34);
  ASSERT_EQ(m_list.Count(), 4u);

  const tSongRecord& first = m_list[0]->Record();
  EXPECT_EQ(first.Title(), "Waterloo");
  EXPECT_EQ(first.IdCode(), "AB001");
  EXPECT_EQ(first.FileType(), 1);
  EXPECT_EQ(first.InternalFormat(), 1);
  EXPECT_TRUE(first.HasLyrics());

  const tSongRecord& missing = m_list[1]->Record();
  EXPECT_EQ(missing.Title(), "?");
  EXPECT_EQ(missing.FileType(), 5);
  EXPECT_EQ(missing.InternalFormat(), 0);
  EXPECT_EQ(m_list[2]->Record().Title(), "Untitled.kar");
  EXPECT_EQ(m_list[2]->Record().Artist(), "?");
  EXPECT_EQ(m_list[3]->Record().Title(), "") << "the empty file-name part";
}

TEST_F(LegacyImportTest, CancelLeavesTheListEmpty) {
  m_user.QueueButton(Button::Cancel);
  EXPECT_EQ(Load(std::string(1, 33) + Version1Record({.title = "t"})), LoadResult::NotImported);
  EXPECT_EQ(m_list.Count(), 0u);
}

TEST_F(LegacyImportTest, AHeaderOnlyFileIsAnEmptyCatalogueWithItsSortCode) {
  EXPECT_EQ(Load(std::string(1, 33)), LoadResult::Loaded);
  EXPECT_EQ(m_list.Count(), 0u);
  EXPECT_EQ(m_list.SortOrder(), 33);
}

}  // namespace
}  // namespace tunedex
