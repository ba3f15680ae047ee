// SPDX-License-Identifier: GPL-3.0-or-later
// tunedex-cli lost, match-paths and relink over real files in a temporary folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "song/songtype.h"
#include "support/process.h"
#include "support/songfixtures.h"
#include "support/tempfolder.h"

namespace tunedex {
namespace {

namespace fs = std::filesystem;
using test::MakeRecord;
using test::RunProgram;

class LostCommandsTest : public testing::Test {
 protected:
  std::string File(const std::string& name) {
    fs::create_directories(fs::path(m_folder.PathOf(name)).parent_path());
    return m_folder.Write(name, "song bytes");
  }
  void Catalogue(const std::vector<std::pair<std::string, std::string>>& songs) {
    std::vector<tSongRecord> records;
    for (const auto& [id, path] : songs) {
      tSongRecord record = MakeRecord({.title = "T" + id, .fileName = path, .idCode = id});
      record.SetFileType(kSongTypeMp3);  // not what the extension says: relinking sets it
      records.push_back(record);
    }
    m_db = m_folder.Write("songs.tdb", test::DatabaseFile(0, records));
    m_before = test::ReadFileText(m_db);
  }
  // The file name and type of every song, as list prints them.
  std::string Listed() {
    const test::ProcessResult list = RunProgram(TUNEDEX_CLI, {"list", m_db});
    EXPECT_EQ(list.exitCode, 0) << list.err;
    std::string fields;
    std::size_t start = 0;
    while (start < list.out.size()) {
      const std::size_t end = list.out.find('\n', start);
      std::string line = list.out.substr(start, end - start);
      for (int field = 0; field < 4; ++field) line.erase(0, line.find('\t') + 1);
      fields += line.substr(0, line.find('\t', line.find('\t') + 1)) + "\n";
      start = end + 1;
    }
    return fields;
  }

  test::TempFolder m_folder;
  std::string m_db, m_before;
};

TEST_F(LostCommandsTest, LostPrintsEachLostSongWithWhyAndTheCountLast) {
  const std::string present = File("songs/here.kar");
  const std::string gone = m_folder.PathOf("songs/gone.kar");
  Catalogue({{"AA001", present}, {"BB001", gone}, {"CC001", "D:\\Karaoke\\c.kar"}});
  const test::ProcessResult result = RunProgram(TUNEDEX_CLI, {"lost", m_db});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "BB001\t" + gone + "\tmissing\nCC001\tD:\\Karaoke\\c.kar\tWindows path\n" +
                            "lost: 2\n");
  EXPECT_EQ(RunProgram(TUNEDEX_CLI, {"lost", m_db, "--ignore", "removable,remote,ram"}).out,
            result.out);
}

TEST_F(LostCommandsTest, BadInputIsRefused) {
  Catalogue({{"AA001", "/nowhere/a.kar"}});
  const std::vector<std::vector<std::string>> cases = {
      {"lost", m_db, "--ignore", "floppy"},
      {"lost", m_folder.PathOf("missing.tdb")},
      {"match-paths", m_db, "/nowhere"},
      {"match-paths", m_db, "/nowhere", ""},
      {"relink", m_db, m_folder.PathOf("no-such-folder")},
      {"relink", m_db},
  };
  for (const std::vector<std::string>& arguments : cases) {
    const test::ProcessResult result = RunProgram(TUNEDEX_CLI, arguments);
    EXPECT_EQ(result.exitCode, 2) << arguments.back() << ": " << result.err;
  }
  EXPECT_EQ(test::ReadFileText(m_db), m_before);
}

// A catalogue brought over from the Windows program moves here in one step.
TEST_F(LostCommandsTest, MatchPathsMovesAWindowsCatalogueHere) {
  const std::string a = File("Karaoke/Pop/a.kar");
  const std::string karaoke = m_folder.PathOf("Karaoke");
  Catalogue({{"AA001", "D:\\Karaoke\\Pop\\a.kar"}, {"BB001", "D:\\Karaoke\\Pop\\b.kar"}});
  const test::ProcessResult result =
      RunProgram(TUNEDEX_CLI, {"match-paths", m_db, "D:\\Karaoke", karaoke});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "1 songs repaired\n");
  EXPECT_EQ(Listed(), a + "\tMP3\nD:\\Karaoke\\Pop\\b.kar\tMP3\n");
}

TEST_F(LostCommandsTest, MatchPathsRepairingNothingLeavesTheFile) {
  Catalogue({{"AA001", "D:\\Karaoke\\Pop\\a.kar"}});
  const test::ProcessResult result =
      RunProgram(TUNEDEX_CLI, {"match-paths", m_db, "d:\\karaoke", m_folder.Path()});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "0 songs repaired\n");
  EXPECT_EQ(test::ReadFileText(m_db), m_before);
}

TEST_F(LostCommandsTest, RelinkProposesThenApplies) {
  const std::string a = File("new/1/a.kar");
  const std::string b = File("new/2/B.KAR");
  const std::string c1 = File("new/1/c.kar");
  const std::string c2 = File("new/2/c.kar");
  Catalogue({{"AA001", "/gone/x/a.kar"},
             {"BB001", "D:\\old\\b.kar"},
             {"CC001", "/gone/c.kar"},
             {"DD001", "/gone/d.kar"}});
  const test::ProcessResult proposed =
      RunProgram(TUNEDEX_CLI, {"relink", m_db, m_folder.PathOf("new")});
  ASSERT_EQ(proposed.exitCode, 0) << proposed.err;
  EXPECT_EQ(proposed.out.substr(0, proposed.out.find("ambiguous")),
            "relink /gone/x/a.kar -> " + a + "\nrelink D:\\old\\b.kar -> " + b + "\n");
  EXPECT_NE(proposed.out.find("ambiguous /gone/c.kar -> " + c1 + "\n"), std::string::npos);
  EXPECT_NE(proposed.out.find("ambiguous /gone/c.kar -> " + c2 + "\n"), std::string::npos);
  EXPECT_TRUE(proposed.out.ends_with("2 songs to relink, 1 names found more than once\n"));
  EXPECT_EQ(test::ReadFileText(m_db), m_before);

  const test::ProcessResult applied =
      RunProgram(TUNEDEX_CLI, {"relink", m_db, m_folder.PathOf("new"), "--apply"});
  ASSERT_EQ(applied.exitCode, 0) << applied.err;
  EXPECT_TRUE(applied.out.starts_with("relinked /gone/x/a.kar -> " + a + "\n"));
  EXPECT_TRUE(applied.out.ends_with("2 songs relinked\n"));
  EXPECT_EQ(Listed(), a + "\tKAR\n" + b + "\tKAR\n/gone/c.kar\tMP3\n/gone/d.kar\tMP3\n");
}

}  // namespace
}  // namespace tunedex
