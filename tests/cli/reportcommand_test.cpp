// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/reportcommand.h"
#include "support/process.h"
#include "support/songfixtures.h"
#include "support/tempfolder.h"

namespace tunedex {
namespace {

using test::MakeRecord;
using Strings = std::vector<std::string>;

Strings SplitCrLf(const std::string& text) {
  Strings lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back("<unterminated>" + text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

class ReportCommandTest : public testing::Test {
 protected:
  void SetUp() override {
    const std::vector<tSongRecord> records = {
        MakeRecord({.title = "Waterloo", .artist = "ABBA", .language = "Eng", .idCode = "AB001"}),
        MakeRecord({.title = "Dansevise", .artist = "Grethe", .language = "Sve", .idCode = "GR1"}),
        MakeRecord({.title = "Caf\xC3\xA9", .artist = "Zaz", .language = "Fra", .idCode = "Z1"}),
        MakeRecord({.title = "Amour", .artist = "Zaz", .idCode = "Z2"}),
    };
    // Stored sorted by title, descending: the status bar names no sort for it.
    m_db = m_folder.Write("songs.tdb", test::DatabaseFile(-33, records));
  }

  test::ProcessResult Cli(Strings arguments) {
    arguments.insert(arguments.begin(), "report");
    return test::RunProgram(TUNEDEX_CLI, arguments);
  }

  // The lines of the report written with the arguments.
  Strings Report(Strings arguments) {
    const std::string path = m_folder.PathOf("report.txt");
    std::filesystem::remove(path);
    arguments.insert(arguments.begin(), {m_db, "-o", path});
    const test::ProcessResult result = Cli(arguments);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return SplitCrLf(test::ReadFileText(path));
  }

  test::TempFolder m_folder;
  std::string m_db;
};

TEST_F(ReportCommandTest, WritesTheSavedReportOfTheShownSongs) {
  const Strings lines = Report({});
  ASSERT_EQ(lines.size(), 9U);
  EXPECT_EQ(lines[0], "-   T u n e d e x   -");
  EXPECT_EQ(lines[1], "https://tunedex.org");
  EXPECT_EQ(lines[2].substr(0, 19), "Showing: All Songs\t");
  EXPECT_GT(lines[2].size(), 19U);  // the date follows
  EXPECT_EQ(lines[3], "\tID Code\tTitle\tArtist");
  EXPECT_EQ(Strings(lines.begin() + 4, lines.end()),
            (Strings{"\tAB001\tWaterloo\tABBA", "\tGR1\tDansevise\tGrethe",
                     "\tZ1\tCaf\xC3\xA9\tZaz", "\tZ2\tAmour\tZaz", "4 songs"}));
}

TEST_F(ReportCommandTest, ChoosesSortsAndFindsAsListDoes) {
  struct Case {
    Strings arguments;
    Strings songLines;
  };
  const std::vector<Case> cases = {
      {{"--sort", "title"},
       {"\tZ2\tAmour\tZaz", "\tZ1\tCaf\xC3\xA9\tZaz", "\tGR1\tDansevise\tGrethe",
        "\tAB001\tWaterloo\tABBA", "4 songs"}},
      {{"--view", "english"}, {"\tAB001\tWaterloo\tABBA", "1 songs"}},
      {{"--view", "custom", "--custom-code", "fra"}, {"\tZ1\tCaf\xC3\xA9\tZaz", "1 songs"}},
      {{"--view", "new"}, {"\tZ2\tAmour\tZaz", "1 songs"}},
      {{"--find", "zaz", "--sort", "-id"},
       {"\tZ2\tAmour\tZaz", "\tZ1\tCaf\xC3\xA9\tZaz", "2 songs"}},
      {{"--find", "nothing like it"}, {"0 songs"}},
  };
  for (const Case& c : cases) {
    const Strings lines = Report(c.arguments);
    ASSERT_GE(lines.size(), 4U);
    EXPECT_EQ(Strings(lines.begin() + 4, lines.end()), c.songLines) << c.arguments[1];
  }
}

TEST_F(ReportCommandTest, TheTitleIsTheStatusBarsTextUnlessGiven) {
  struct Case {
    Strings arguments;
    std::string title;
  };
  const std::vector<Case> cases = {
      {{}, "Showing: All Songs"},
      {{"--sort", "artist"}, "Showing: All Songs, Sort: Artist"},
      {{"--sort", "-artist"}, "Showing: All Songs"},
      {{"--view", "custom"}, "Showing: Swedish songs"},
      {{"--view", "custom", "--custom-code", "Deu"}, "Showing: German songs"},
      {{"--view", "custom", "--custom-code", "Nld"}, "Showing: Nld songs"},
      {{"--view", "other", "--sort", "id"}, "Showing: Other songs, Sort: ID Code"},
      {{"--view", "new"}, "Showing: New songs"},
      {{"--title", "Friday night", "--sort", "id"}, "Friday night"},
  };
  for (const Case& c : cases) {
    const Strings lines = Report(c.arguments);
    ASSERT_GE(lines.size(), 3U);
    EXPECT_EQ(lines[2].substr(0, lines[2].find('\t')), c.title);
  }
}

TEST_F(ReportCommandTest, BadInputIsAMessageAndExitStatusTwoWithNothingWritten) {
  const std::string out = m_folder.Write("out.txt", "old contents");
  const std::string pdf = m_folder.PathOf("out.pdf");
  const std::string notCatalogue = m_folder.Write("not.tdb", "not a catalogue at all");
  const std::vector<Strings> cases = {
      {m_db},
      {m_db, "-o", out, "--pdf", pdf},
      {m_db, "-o"},
      {m_db, "-o", out, "--layout", "list"},
      {m_db, "--pdf", pdf, "--layout", "by-genre"},
      {m_db, "-o", out, "--view", "french"},
      {m_db, "-o", out, "--sort", "notes"},
      {m_db, "-o", out, "--colour", "red"},
      {"-o", out},
      {m_db, m_db, "-o", out},
      {m_folder.PathOf("missing.tdb"), "-o", out},
      {notCatalogue, "-o", out},
      {notCatalogue, "--pdf", pdf},
  };
  for (const Strings& arguments : cases) {
    const test::ProcessResult result = Cli(arguments);
    std::string shown;
    for (const std::string& word : arguments) shown += word + " ";
    EXPECT_EQ(result.exitCode, 2) << shown;
    EXPECT_FALSE(result.err.empty()) << shown;
    EXPECT_EQ(test::ReadFileText(out), "old contents") << shown;
    EXPECT_FALSE(std::filesystem::exists(pdf)) << shown;
  }
}

TEST_F(ReportCommandTest, AFileThatCannotBeWrittenIsAFailureNamingWhy) {
  const test::ProcessResult result =
      Cli({m_db, "-o", m_folder.PathOf("no such folder/report.txt")});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("no such folder/report.txt"), std::string::npos) << result.err;
}

TEST_F(ReportCommandTest, WritesEachPdfLayout) {
  if (std::system("command -v pdftotext >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "pdftotext (package poppler-utils) is not installed";
  }
  for (const std::string layout : {"list", "by-artist", "by-title"}) {
    const std::string pdf = m_folder.PathOf(layout + ".pdf");
    const test::ProcessResult result =
        Cli({m_db, "--pdf", pdf, "--layout", layout, "--title", "Tonight"});
    ASSERT_EQ(result.exitCode, 0) << layout << ": " << result.err;
    EXPECT_EQ(result.out, "4 songs, 1 pages\n");
    const test::ProcessResult text = test::RunProgram("/bin/sh", {"-c", "pdftotext \"$0\" -", pdf});
    ASSERT_EQ(text.exitCode, 0) << text.err;
    for (const char* wanted : {"Tonight", "Waterloo", "Grethe", "Page: 1"}) {
      EXPECT_NE(text.out.find(wanted), std::string::npos) << layout << ": " << wanted;
    }
  }
}

}  // namespace
}  // namespace tunedex
