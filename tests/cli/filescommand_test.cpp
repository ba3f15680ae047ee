// SPDX-License-Identifier: GPL-3.0-or-later
// tunedex-cli files over real files in a temporary folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "song/songtype.h"
#include "support/process.h"
#include "support/songfixtures.h"
#include "support/tempfolder.h"

namespace tunedex {
namespace {

namespace fs = std::filesystem;
using test::RunProgram;

// songs/ holds a catalogued MP3 song with a ".CDG" companion, a catalogued KAR song and an
// uncatalogued WMA song; dest/ is empty.
class FilesCommandTest : public testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(m_folder.PathOf("songs"));
    fs::create_directories(m_folder.PathOf("dest"));
    m_mp3 = m_folder.Write("songs/a.mp3", "mp3 bytes");
    m_cdg = m_folder.Write("songs/a.CDG", "cdg bytes");
    m_kar = m_folder.Write("songs/b.kar", "kar bytes");
    m_wma = m_folder.Write("songs/c.wma", "wma bytes");
    m_dest = m_folder.PathOf("dest");
    std::vector<tSongRecord> records = {
        test::MakeRecord({.title = "A", .fileName = m_mp3, .idCode = "AA001"}),
        test::MakeRecord({.title = "B", .fileName = m_kar, .idCode = "BB001"})};
    for (tSongRecord& record : records) record.SetFileType(ExtToSongType(record.FileName()));
    m_db = m_folder.Write("songs.tdb", test::DatabaseFile(-33, records));
    m_dbBefore = test::ReadFileText(m_db);
  }

  test::ProcessResult Cli(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "files");
    return RunProgram(TUNEDEX_CLI, arguments);
  }
  // The file names the catalogue lists, in its order.
  std::string FileNames() {
    const test::ProcessResult list = RunProgram(TUNEDEX_CLI, {"list", m_db});
    EXPECT_EQ(list.exitCode, 0) << list.err;
    std::string names;
    std::size_t start = 0;
    while (start < list.out.size()) {
      const std::size_t end = list.out.find('\n', start);
      std::string line = list.out.substr(start, end - start);
      for (int field = 0; field < 4; ++field) line.erase(0, line.find('\t') + 1);
      names += line.substr(0, line.find('\t')) + "\n";
      start = end + 1;
    }
    return names;
  }
  std::string Dest(const std::string& name) const { return m_dest + "/" + name; }

  test::TempFolder m_folder;
  std::string m_mp3, m_cdg, m_kar, m_wma, m_dest, m_db, m_dbBefore;
};

TEST_F(FilesCommandTest, MoveTakesTheCompanionAndTheRecordsAlong) {
  const test::ProcessResult result = Cli({"move", m_db, m_mp3, m_kar, m_dest});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "moved " + m_mp3 + " -> " + Dest("a.mp3") + "\nmoved " + m_cdg + " -> " +
                            Dest("a.CDG") + "\nmoved " + m_kar + " -> " + Dest("b.kar") + "\n");
  EXPECT_EQ(test::ReadFileText(Dest("a.CDG")), "cdg bytes");
  EXPECT_FALSE(fs::exists(m_mp3));
  EXPECT_EQ(FileNames(), Dest("a.mp3") + "\n" + Dest("b.kar") + "\n");
}

// /dev/shm is a memory file system of its own on most Linux machines: a move there copies and
// then deletes.
TEST_F(FilesCommandTest, AMoveToAnotherFileSystemCopiesThenDeletes) {
  struct stat here {
  }, there{};
  if (::stat(m_dest.c_str(), &here) != 0 || ::stat("/dev/shm", &there) != 0 ||
      here.st_dev == there.st_dev || ::access("/dev/shm", W_OK) != 0) {
    GTEST_SKIP() << "no second file system to move to";
  }
  std::string pattern = "/dev/shm/tunedex-test-XXXXXX";
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  const std::string other = pattern;
  const test::ProcessResult result = Cli({"move", m_db, m_mp3, other});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(test::ReadFileText(other + "/a.mp3"), "mp3 bytes");
  EXPECT_EQ(test::ReadFileText(other + "/a.CDG"), "cdg bytes");
  EXPECT_FALSE(fs::exists(m_mp3));
  EXPECT_FALSE(fs::exists(m_cdg));
  EXPECT_EQ(FileNames(), other + "/a.mp3\n" + m_kar + "\n");
  std::error_code ignored;
  fs::remove_all(other, ignored);
}

TEST_F(FilesCommandTest, CopyLeavesTheSourcesAndTheCatalogue) {
  const test::ProcessResult result = Cli({"copy", m_db, m_mp3, m_wma, m_dest, "--no-cdg"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "copied " + m_mp3 + " -> " + Dest("a.mp3") + "\ncopied " + m_wma + " -> " +
                            Dest("c.wma") + "\n");
  EXPECT_FALSE(fs::exists(Dest("a.CDG")));
  EXPECT_TRUE(fs::exists(m_mp3));
  EXPECT_EQ(test::ReadFileText(m_db), m_dbBefore);
}

TEST_F(FilesCommandTest, RenameTakesTheCompanionAndTheRecordAlong) {
  const test::ProcessResult result = Cli({"rename", m_db, m_mp3, "z.mp3"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const std::string z = m_folder.PathOf("songs/z.mp3");
  EXPECT_EQ(result.out, "renamed " + m_mp3 + " -> " + z + "\nrenamed " + m_cdg + " -> " +
                            m_folder.PathOf("songs/z.CDG") + "\n");
  EXPECT_EQ(FileNames(), z + "\n" + m_kar + "\n");
}

TEST_F(FilesCommandTest, ARenameChangingTheSongTypeNeedsAYes) {
  const test::ProcessResult refused = Cli({"rename", m_db, m_mp3, "a.kar"});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.err.find("the song type would change"), std::string::npos) << refused.err;
  EXPECT_TRUE(fs::exists(m_mp3));
  EXPECT_EQ(test::ReadFileText(m_db), m_dbBefore);
  const test::ProcessResult allowed = Cli({"rename", m_db, m_mp3, "a.kar", "--answer", "yes"});
  EXPECT_EQ(allowed.exitCode, 0) << allowed.err;
  EXPECT_TRUE(fs::exists(m_folder.PathOf("songs/a.kar")));
}

TEST_F(FilesCommandTest, DeleteRemovesTheFilesAndTheirRecords) {
  const test::ProcessResult result = Cli({"delete", m_db, m_mp3, "--no-cdg"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "deleted " + m_mp3 + "\n");
  EXPECT_FALSE(fs::exists(m_mp3));
  EXPECT_TRUE(fs::exists(m_cdg));
  EXPECT_EQ(FileNames(), m_kar + "\n");
}

// The desktop's trash is found through HOME and XDG_DATA_HOME: both point at a folder of the
// test's own, so the user's trash is never touched.
TEST_F(FilesCommandTest, TrashSendsTheFilesToTheDesktopsTrash) {
  const std::string home = m_folder.PathOf("home");
  fs::create_directories(home);
  const test::ProcessResult result =
      RunProgram("/usr/bin/env", {"HOME=" + home, "XDG_DATA_HOME=" + home + "/data", TUNEDEX_CLI,
                                  "files", "trash", m_db, m_mp3});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "trashed " + m_mp3 + "\ntrashed " + m_cdg + "\n");
  EXPECT_TRUE(fs::exists(home + "/data/Trash/files/a.mp3"));
  EXPECT_TRUE(fs::exists(home + "/data/Trash/files/a.CDG"));
  EXPECT_FALSE(fs::exists(m_mp3));
  EXPECT_EQ(FileNames(), m_kar + "\n");
}

TEST_F(FilesCommandTest, AFileNotReplacedFailsAndWhatWasDoneIsSaved) {
  m_folder.Write("dest/b.kar", "other");
  const test::ProcessResult result = Cli({"move", m_db, m_mp3, m_kar, m_dest, "--no-cdg"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find(m_kar + ": not replaced"), std::string::npos) << result.err;
  EXPECT_EQ(result.out, "moved " + m_mp3 + " -> " + Dest("a.mp3") + "\n");
  EXPECT_EQ(test::ReadFileText(Dest("b.kar")), "other");
  EXPECT_EQ(FileNames(), Dest("a.mp3") + "\n" + m_kar + "\n");
}

TEST_F(FilesCommandTest, AnsweringYesReplaces) {
  m_folder.Write("dest/b.kar", "other");
  const test::ProcessResult result = Cli({"move", m_db, m_kar, m_dest, "--answer", "yes"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(test::ReadFileText(Dest("b.kar")), "kar bytes");
  EXPECT_EQ(FileNames(), m_mp3 + "\n" + Dest("b.kar") + "\n");
}

TEST_F(FilesCommandTest, BadInputTouchesNothing) {
  const std::string missing = m_folder.PathOf("songs/missing.mp3");
  const std::vector<std::vector<std::string>> cases = {
      {"move", m_db, m_mp3, missing, m_dest},
      {"move", m_db, m_mp3, m_folder.PathOf("nowhere")},
      {"copy", m_db, m_mp3},
      {"delete", m_db, m_mp3, missing},
      {"delete", m_folder.PathOf("none.tdb"), m_mp3},
      {"trash", m_wma, m_mp3},  // not a catalogue
      {"rename", m_db, m_mp3, "sub/z.mp3"},
      {"rename", m_db, m_mp3},
      {"shred", m_db, m_mp3},
      {"delete", m_db, m_mp3, "--bogus", "x"},
  };
  for (const auto& arguments : cases) {
    const test::ProcessResult result = Cli(arguments);
    EXPECT_EQ(result.exitCode, 2) << arguments[0] << " " << arguments.back() << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_TRUE(fs::exists(m_mp3));
    EXPECT_TRUE(fs::exists(m_cdg));
    EXPECT_EQ(test::ReadFileText(m_db), m_dbBefore);
  }
}

}  // namespace
}  // namespace tunedex
