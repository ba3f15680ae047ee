// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "support/process.h"
#include "support/songfixtures.h"
#include "support/tempfolder.h"

namespace tunedex {
namespace {

using test::MakeRecord;

std::string Record(std::string_view singer, std::string_view file) {
  return static_cast<char>(singer.size()) + std::string(singer) + static_cast<char>(file.size()) +
         std::string(file);
}

class PlaylistCommandTest : public testing::Test {
 protected:
  void SetUp() override {
    std::vector<tSongRecord> records;
    for (int i = 1; i <= 3; ++i) {
      const std::string name = m_folder.PathOf("s" + std::to_string(i) + ".kar");
      records.push_back(MakeRecord({.title = "T" + std::to_string(i),
                                    .fileName = name,
                                    .idCode = "ID" + std::to_string(i)}));
      records.back().SetFileType(1);
      m_folder.Write("s" + std::to_string(i) + ".kar", "MThd");
    }
    m_db = m_folder.Write("songs.tdb", test::DatabaseFile(0, records));
    m_settings = m_folder.Write("settings.ini", "[KarPlayerOptions]\nPlayerFile=/bin/sh\n");
  }

  test::ProcessResult Cli(std::vector<std::string> arguments) {
    arguments.insert(arguments.end(), {"--db", m_db, "--settings", m_settings});
    return test::RunProgram(TUNEDEX_CLI, arguments);
  }
  std::string Song(int i) const { return m_folder.PathOf("s" + std::to_string(i) + ".kar"); }

  test::TempFolder m_folder;
  std::string m_db;
  std::string m_settings;
};

TEST_F(PlaylistCommandTest, ShowPrintsItemsAndReportsUnknownSongs) {
  const std::string tdp = m_folder.Write(
      "list.tdp", Record("Ann", Song(2)) + Record("", "/gone.kar") + Record("", Song(1)));
  const test::ProcessResult result = Cli({"playlist", "show", tdp});
  EXPECT_EQ(result.out, "1\tAnn\tID2\tT2\t" + Song(2) + "\n2\t?\tID1\tT1\t" + Song(1) + "\n");
  EXPECT_NE(result.err.find("Cannot find /gone.kar"), std::string::npos);
  EXPECT_EQ(result.exitCode, 1);
}

TEST_F(PlaylistCommandTest, CheckReportsTheFirstFailure) {
  const std::string tdp = m_folder.Write("list.tdp", Record("Ann", Song(2)) + Record("B", Song(3)));
  test::ProcessResult result = Cli({"playlist", "check", tdp});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.err.find("The check has been successful."), std::string::npos);
  std::remove(Song(3).c_str());
  result = Cli({"playlist", "check", tdp});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("Cannot find song file " + Song(3)), std::string::npos);
  EXPECT_NE(result.err.find("(Item 2)"), std::string::npos);
}

TEST_F(PlaylistCommandTest, AddPlacesItemsByTheChosenRule) {
  const std::string start = Record("A", Song(1)) + Record("B", Song(2)) + Record("A", Song(3));
  const struct {
    std::vector<std::string> options;
    std::string expected;
  } cases[] = {
      {{}, start + Record("C", Song(3))},
      {{"--at", "next", "--current", "1"},
       Record("A", Song(1)) + Record("C", Song(3)) + Record("B", Song(2)) + Record("A", Song(3))},
      {{"--at", "fair"},
       Record("A", Song(1)) + Record("B", Song(2)) + Record("C", Song(3)) + Record("A", Song(3))},
  };
  for (const auto& c : cases) {
    const std::string tdp = m_folder.Write("list.tdp", start);
    std::vector<std::string> arguments = {"playlist", "add", tdp, "--singer", "C"};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    arguments.push_back(Song(3));
    const test::ProcessResult result = Cli(arguments);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(test::ReadFileText(tdp), c.expected);
  }
}

TEST_F(PlaylistCommandTest, AddRefusesUnknownFilesAndDamagedListsWritingNothing) {
  const std::string start = Record("A", Song(1));
  const std::string tdp = m_folder.Write("list.tdp", start);
  test::ProcessResult result = Cli({"playlist", "add", tdp, Song(2), "/not/there.kar"});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_NE(result.err.find("Cannot find /not/there.kar"), std::string::npos);
  EXPECT_EQ(test::ReadFileText(tdp), start);
  const std::string damaged = m_folder.Write("damaged.tdp", start + Record("X", "/gone.kar"));
  result = Cli({"playlist", "add", damaged, Song(2)});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_EQ(test::ReadFileText(damaged), start + Record("X", "/gone.kar"));
}

TEST_F(PlaylistCommandTest, AddCreatesAMissingListAndBadInputIsRefused) {
  const std::string fresh = m_folder.PathOf("fresh.tdp");
  EXPECT_EQ(Cli({"playlist", "add", fresh, Song(1)}).exitCode, 0);
  EXPECT_EQ(test::ReadFileText(fresh), Record("", Song(1)));
  ::mkdir(m_folder.PathOf("dir.tdp").c_str(), 0700);
  const struct {
    std::vector<std::string> arguments;
  } bad[] = {
      {{"playlist", "show", m_folder.PathOf("dir.tdp")}},
      {{"playlist", "show", m_folder.PathOf("missing.tdp")}},
      {{"playlist", "add", fresh, "--current", "9", Song(1)}},
      {{"playlist", "add", fresh, "--at", "middle", Song(1)}},
      {{"playlist", "sort", fresh}},
  };
  for (const auto& c : bad) EXPECT_EQ(Cli(c.arguments).exitCode, 2) << c.arguments[2];
  EXPECT_EQ(test::ReadFileText(fresh), Record("", Song(1)));
}

}  // namespace
}  // namespace tunedex
