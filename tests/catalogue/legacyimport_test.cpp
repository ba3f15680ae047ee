// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/legacyimport.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <fstream>

#include "catalogue/database.h"
#include "support/childprocess.h"
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

#if defined(__SANITIZE_ADDRESS__)
#define TUNEDEX_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TUNEDEX_TEST_ASAN 1
#endif
#endif

#ifndef TUNEDEX_TEST_ASAN
// The program's address space now, in bytes.
std::uint64_t AddressSpaceInUse() {
  std::ifstream statm("/proc/self/statm");
  std::uint64_t pages = 0;
  statm >> pages;
  return pages * static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
}
#endif

// A version-1.0 file of 512 MB (sparse, so its records are empty) is imported in pieces, within
// far less memory than its size; a cancelled import stops reading at once.
TEST_F(LegacyImportTest, AHugeFileIsImportedPieceByPiece) {
#ifdef TUNEDEX_TEST_ASAN
  GTEST_SKIP() << "the address sanitizer needs more address space than the bound allows";
#else
  const std::string path = m_folder.Write("old.tdb", "LEGACY3DB\x21");
  ASSERT_EQ(::truncate(path.c_str(), std::int64_t{512} << 20), 0);
  for (const Button answer : {Button::Ok, Button::Cancel}) {
    const auto end = test::RunInChildWithin(std::chrono::seconds(30), [&] {
      m_user.QueueButton(answer);
      rlimit bound{};
      ::getrlimit(RLIMIT_AS, &bound);
      bound.rlim_cur = AddressSpaceInUse() + (192 << 20);
      if (::setrlimit(RLIMIT_AS, &bound) != 0) return 3;
      const LoadResult result = LoadDatabase(m_list, path, m_user);
      const LoadResult expected =
          answer == Button::Ok ? LoadResult::Loaded : LoadResult::NotImported;
      return result == expected && m_list.Empty() &&
                     m_list.SortOrder() == (answer == Button::Ok ? 33 : 0)
                 ? 0
                 : 1;
    });
    ASSERT_TRUE(end.has_value());
    EXPECT_EQ(end->exitCode, 0) << "answered " << static_cast<int>(answer)
                                << " (1: another result, 3: no bound, 99: out of memory)";
  }
#endif
}

TEST_F(LegacyImportTest, AHeaderOnlyFileIsAnEmptyCatalogueWithItsSortCode) {
  EXPECT_EQ(Load(std::string(1, 33)), LoadResult::Loaded);
  EXPECT_EQ(m_list.Count(), 0u);
  EXPECT_EQ(m_list.SortOrder(), 33);
}

}  // namespace
}  // namespace tunedex
