// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/database.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <random>

#include "common/fileio.h"
#include "support/childprocess.h"
#include "support/scripteduser.h"
#include "support/songfixtures.h"
#include "support/tempfolder.h"

namespace tunedex {
namespace {

using test::AddSongs;
using test::DatabaseFile;
using test::MakeRecord;
using test::ReadFileText;

class DatabaseTest : public testing::Test {
 protected:
  LoadResult Load(const std::string& path) { return LoadDatabase(m_list, path, m_user); }

  test::TempFolder m_folder;
  test::ScriptedUser m_user;
  tSongList m_list{tSongList::Ownership::OwnsSongs};
};

// Records with every byte set, reserved bytes and the bytes after each text included.
std::vector<tSongRecord> NoisyRecords(std::size_t count) {
  std::mt19937 random(7);
  std::vector<tSongRecord> records;
  for (std::size_t i = 0; i < count; ++i) {
    tSongRecord::Bytes bytes;
    for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
    bytes[0] = 12;  // a title, so the record is never empty
    records.push_back(tSongRecord::FromBytes(bytes));
  }
  return records;
}

TEST_F(DatabaseTest, LoadingAndSavingReproducesTheFileByteForByte) {
  const std::string original = DatabaseFile(34, NoisyRecords(3));
  const std::string path = m_folder.Write("songs.tdb", original);
  ASSERT_EQ(Load(path), LoadResult::Loaded);
  EXPECT_EQ(m_list.Count(), 3u);
  EXPECT_EQ(m_list.SortOrder(), 34);
  SaveDatabase(m_list, path);
  EXPECT_EQ(ReadFileText(path), original);
  EXPECT_TRUE(m_user.Messages().empty());
}

TEST_F(DatabaseTest, RecordsAcrossReadChunksLoadAsFromMemory) {
  // More records than one read takes, so that records straddle the pieces read from disk.
  const std::string original = DatabaseFile(-32, NoisyRecords(2500));
  const std::string path = m_folder.Write("big.tdb", original);
  ASSERT_EQ(Load(path), LoadResult::Loaded);
  EXPECT_EQ(DatabaseBytes(m_list), original);
}

TEST_F(DatabaseTest, AHeaderOnlyFileIsAnEmptyCatalogueWithItsSortCode) {
  const std::string path = m_folder.Write("empty.tdb", DatabaseFile(33, {}));
  ASSERT_EQ(Load(path), LoadResult::Loaded);
  EXPECT_EQ(m_list.Count(), 0u);
  EXPECT_EQ(m_list.SortOrder(), 33);
}

TEST_F(DatabaseTest, ADescendingSortCodeIsStoredAsItsSignedByte) {
  AddSongs(m_list, {{.title = "t"}});
  m_list.SetSortOrder(-33);
  const std::string path = m_folder.PathOf("desc.tdb");
  SaveDatabase(m_list, path);
  EXPECT_EQ(static_cast<unsigned char>(ReadFileText(path)[9]), 223);
  m_list.SetSortOrder(0);
  ASSERT_EQ(Load(path), LoadResult::Loaded);
  EXPECT_EQ(m_list.SortOrder(), -33);
}

TEST_F(DatabaseTest, EmptyRecordsAreDroppedSoSavingShrinksTheFile) {
  const std::string path = m_folder.Write(
      "songs.tdb", DatabaseFile(0, {MakeRecord({.title = "a"}), MakeRecord({.idCode = "AB001"}),
                                    MakeRecord({.notes = "only notes"})}));
  ASSERT_EQ(Load(path), LoadResult::Loaded);
  ASSERT_EQ(m_list.Count(), 2u);
  EXPECT_EQ(m_list[1]->Record().Notes(), "only notes");
  SaveDatabase(m_list, path);
  EXPECT_EQ(ReadFileText(path).size(), 10u + 2 * 657);
}

TEST_F(DatabaseTest, AShortLastRecordIsReadWithAZeroTail) {
  std::string bytes =
      DatabaseFile(0, {MakeRecord({.title = "whole", .artist = "someone", .notes = "n"})});
  const tSongRecord last = MakeRecord({.title = "cut", .artist = "artist"});
  bytes.append(reinterpret_cast<const char*>(last.RawBytes().data()), 84);  // up to Artist
  ASSERT_EQ(Load(m_folder.Write("short.tdb", bytes)), LoadResult::Loaded);
  ASSERT_EQ(m_list.Count(), 2u);
  EXPECT_EQ(m_list[1]->Record().Title(), "cut");
  EXPECT_EQ(m_list[1]->Record().Artist(), "") << "not the artist of the record before";
  EXPECT_EQ(m_list[1]->Record().Notes(), "");
}

TEST_F(DatabaseTest, AnyOtherMagicIsAnInvalidDataFile) {
  for (const std::string& bytes : {std::string("tunedxdb2\x21", 10), std::string("Tunedx"),
                                   std::string(), std::string("TunedxDB3\x21", 10)}) {
    AddSongs(m_list, {{.title = "before"}});
    m_list.SetSortOrder(34);
    EXPECT_EQ(Load(m_folder.Write("bad.tdb", bytes)), LoadResult::InvalidFile);
    EXPECT_EQ(m_list.Count(), 0u);
    EXPECT_EQ(m_list.SortOrder(), 34) << "the sort code stays as it was";
  }
  ASSERT_EQ(m_user.Messages().size(), 4u);
  EXPECT_EQ(m_user.Messages()[0].kind, MessageKind::Error);
  EXPECT_EQ(m_user.Messages()[0].text, "Invalid data-file");
  EXPECT_EQ(m_user.Messages()[0].buttons, std::vector<Button>{Button::Ok});
}

// Files of 10 GB that hold only their first bytes (sparse): reading one to its end takes a
// minute, so a load that goes on after the header fails the time bound.
TEST_F(DatabaseTest, AnotherMagicIsDecidedFromTheHeaderWithoutReadingFurther) {
  for (const std::string& header : {std::string("garbage"), std::string("tunedxdb2\x21", 10),
                                    std::string("TunedxDB\0\x21", 10)}) {
    const std::string path = m_folder.Write("huge.tdb", header);
    ASSERT_EQ(::truncate(path.c_str(), std::int64_t{10} << 30), 0);
    const auto end = test::RunInChildWithin(std::chrono::seconds(5), [&] {
      return Load(path) == LoadResult::InvalidFile && m_user.Messages().size() == 1 ? 0 : 1;
    });
    ASSERT_TRUE(end.has_value()) << "still reading after the header of " << header;
    EXPECT_EQ(end->exitCode, 0) << header;
  }
}

// Sparse files far larger than memory: each is refused from its size, at once, without asking
// to import it and without reserving room for its songs.
TEST_F(DatabaseTest, ACatalogueOfMoreSongsThanTheProgramHoldsIsRefused) {
  struct Case {
    std::string header;
    std::uint64_t size;
    std::uint64_t songs;
  };
  const std::uint64_t limit = kMaxCatalogueSongs;
  const Case cases[] = {
      {std::string("TunedxDB2\x21"), std::uint64_t{2} << 40,
       ((std::uint64_t{2} << 40) - 10 + 656) / 657},
      {std::string("TunedxDB2\x21"), 10 + limit * 657 + 1, limit + 1},
      {std::string("LEGACY3DB\x21"), std::uint64_t{10} << 30,
       ((std::uint64_t{10} << 30) - 10 + 529) / 530},
      {std::string("LEGACY3DB\x21"), 10 + limit * 530 + 1, limit + 1},
  };
  for (const Case& c : cases) {
    const std::string path = m_folder.Write("huge.tdb", c.header);
    ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(c.size)), 0);
    const std::string expected =
        "Cannot open " + path + ": the file is too large for a catalogue (" +
        std::to_string(c.songs) + " songs; at most " + std::to_string(limit) + ")";
    const auto end = test::RunInChildWithin(std::chrono::seconds(5), [&] {
      try {
        Load(path);
      } catch (const FileError& error) {
        return error.what() == expected && m_user.Messages().empty() && m_list.Empty() ? 0 : 1;
      }
      return 2;
    });
    ASSERT_TRUE(end.has_value()) << c.header << " of " << c.size << " bytes is still being read";
    EXPECT_EQ(end->exitCode, 0) << c.header << " of " << c.size
                                << " bytes (1: another message, 2: loaded, -1: ended by a signal)";
  }
}

TEST(ReadFileHeadTest, ReadsAHugeFileOnlyUpToTheBound) {
  test::TempFolder folder;
  const std::string path = folder.Write("huge", "head");
  ASSERT_EQ(::truncate(path.c_str(), std::int64_t{1} << 40), 0);
  const auto end = test::RunInChildWithin(std::chrono::seconds(5), [&] {
    bool truncated = false;
    const std::vector<std::uint8_t> bytes = ReadFileHead(path, 3 << 20, &truncated);
    return bytes.size() == (3u << 20) && truncated && bytes[0] == 'h' ? 0 : 1;
  });
  ASSERT_TRUE(end.has_value());
  EXPECT_EQ(end->exitCode, 0);

  const std::string small = folder.Write("small", "12345");
  for (const std::size_t bound : {5, 6}) {
    bool truncated = true;
    EXPECT_EQ(ReadFileHead(small, bound, &truncated).size(), 5u);
    EXPECT_FALSE(truncated) << bound;
  }
  bool truncated = false;
  EXPECT_EQ(ReadFileHead(small, 4, &truncated).size(), 4u);
  EXPECT_TRUE(truncated);
}

TEST(ReadFileInChunksTest, StopsWhenThePieceIsRefused) {
  test::TempFolder folder;
  const std::string path = folder.Write("file", std::string(100, 'x'));
  std::vector<std::size_t> pieces;
  ReadFileInChunks(path, 30, [&](const std::uint8_t*, std::size_t size) {
    pieces.push_back(size);
    return pieces.size() < 2;
  });
  EXPECT_EQ(pieces, (std::vector<std::size_t>{30, 30}));
}

TEST_F(DatabaseTest, AFileThatCannotBeOpenedThrowsWithThePathAndTheReason) {
  AddSongs(m_list, {{.title = "before"}});
  const std::string missing = m_folder.PathOf("missing.tdb");
  try {
    Load(missing);
    FAIL() << "expected a FileError";
  } catch (const FileError& error) {
    EXPECT_EQ(error.Path(), missing);
    EXPECT_EQ(std::string(error.what()), "Cannot open " + missing + ": No such file or directory");
  }
  EXPECT_EQ(m_list.Count(), 0u);
  EXPECT_THROW(Load(m_folder.Path()), FileError);  // a folder
}

TEST_F(DatabaseTest, SavingKeepsTheFilePermissionsAndLinks) {
  AddSongs(m_list, {{.title = "t"}});
  const std::string target = m_folder.Write("real.tdb", "old");
  ::chmod(target.c_str(), 0640);
  const std::string link = m_folder.PathOf("link.tdb");
  std::filesystem::create_symlink(target, link);
  SaveDatabase(m_list, link);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadFileText(target), DatabaseBytes(m_list));
  struct stat info {};
  ASSERT_EQ(::stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(DatabaseTest, ASaveThatFailsPartWayLeavesTheOldFileIntact) {
  const std::string path =
      m_folder.Write("songs.tdb", DatabaseFile(0, {MakeRecord({.title = "old"})}));
  const std::string before = ReadFileText(path);
  AddSongs(m_list, {{.title = "a"}, {.title = "b"}, {.title = "c"}});

  // A file-size limit makes the write fail after some bytes, as a full disk would.
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit = saved;
  limit.rlim_cur = 1000;
  ::setrlimit(RLIMIT_FSIZE, &limit);
  EXPECT_THROW(SaveDatabase(m_list, path), FileError);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_EQ(ReadFileText(path), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder.Path()),
                          std::filesystem::directory_iterator()),
            1)
      << "no temporary file is left behind";
}

TEST_F(DatabaseTest, AReadOnlyFileIsNotReplaced) {
  AddSongs(m_list, {{.title = "new"}});
  const std::string target = m_folder.Write("songs.tdb", "old");
  const std::string link = m_folder.PathOf("link.tdb");
  std::filesystem::create_symlink(target, link);
  for (const mode_t mode : {0444, 0400, 0555}) {
    for (const std::string& path : {target, link}) {
      ::chmod(target.c_str(), mode);
      try {
        SaveDatabase(m_list, path);
        ADD_FAILURE() << "saved over a file of mode " << std::oct << mode;
      } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot save " + path + ": the file is read-only");
      }
      EXPECT_EQ(ReadFileText(target), "old");
      struct stat info {};
      ASSERT_EQ(::stat(target.c_str(), &info), 0);
      EXPECT_EQ(info.st_mode & 07777, mode);
    }
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder.Path()),
                          std::filesystem::directory_iterator()),
            2)
      << "nothing else was written";
}

TEST_F(DatabaseTest, SavingIntoAMissingFolderThrows) {
  AddSongs(m_list, {{.title = "t"}});
  EXPECT_THROW(SaveDatabase(m_list, m_folder.PathOf("gone/songs.tdb")), FileError);
}

TEST_F(DatabaseTest, SavingIntoAReadOnlyFolderThrowsAndKeepsTheOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
  const std::string path = m_folder.Write("songs.tdb", "old");
  ::chmod(m_folder.Path().c_str(), 0500);
  AddSongs(m_list, {{.title = "t"}});
  EXPECT_THROW(SaveDatabase(m_list, path), FileError);
  ::chmod(m_folder.Path().c_str(), 0700);
  EXPECT_EQ(ReadFileText(path), "old");
}

}  // namespace
}  // namespace tunedex
