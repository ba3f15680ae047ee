// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <chrono>
#include <csignal>
#include <string>
#include <tuple>
#include <vector>

#include "common/fileio.h"
#include "print/reportdate.h"
#include "print/songreport.h"
#include "support/songfixtures.h"
#include "support/tempfolder.h"

namespace tunedex {
namespace {

using test::AddSongs;

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));  // an unterminated rest: a fault the tests show
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

TEST(ReportTextsTest, ProductNameIsSpacedAndFramed) {
  EXPECT_EQ(SpacedProductName(), "-   T u n e d e x   -");
  EXPECT_EQ(SpacedProductName("Ab"), "-   A b   -");
}

struct FieldCase {
  const char* name;
  std::string text;
  std::string shown;
};

class ReportFieldTest : public testing::TestWithParam<FieldCase> {};

TEST_P(ReportFieldTest, CutsToFiftyCharactersThenTrims) {
  EXPECT_EQ(ReportField(GetParam().text), GetParam().shown);
}

const std::string k50 = std::string(50, 'x');
// "é" is two bytes in UTF-8: fifty of them are a hundred bytes, and still fifty characters.
std::string Repeat(const std::string& piece, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += piece;
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReportFieldTest,
    testing::Values(FieldCase{"Short", "Waterloo", "Waterloo"}, FieldCase{"Empty", "", ""},
                    FieldCase{"Blanks", "   ", ""},
                    FieldCase{"TrimmedBothEnds", "  Waterloo \t", "Waterloo"},
                    FieldCase{"ExactlyFifty", k50, k50}, FieldCase{"FiftyOneCut", k50 + "y", k50},
                    // The cut comes first: blanks after the 50th character do not matter, those
                    // before the cut at its end are trimmed.
                    FieldCase{"BlankAtTheCutIsTrimmed", std::string(49, 'a') + " bcd",
                              std::string(49, 'a')},
                    FieldCase{"LeadingBlanksCountTowardsTheFifty", "     " + std::string(50, 'b'),
                              std::string(45, 'b')},
                    FieldCase{"NonAsciiCountsCharactersNotBytes", Repeat("\xC3\xA9", 60),
                              Repeat("\xC3\xA9", 50)},
                    FieldCase{"ThreeByteCharacters", "  " + Repeat("\xE2\x82\xAC", 49) + "z!",
                              Repeat("\xE2\x82\xAC", 48)},
                    FieldCase{"ControlCharactersInsideBecomeBlanks", "a\tb\r\nc", "a b  c"}),
    [](const testing::TestParamInfo<FieldCase>& param) { return std::string(param.param.name); });

TEST(ReportLinesTest, EachSongLineIsTabIdTabTitleTabArtistThenTheCount) {
  tSongList view(tSongList::Ownership::OwnsSongs);
  AddSongs(view, {{.title = "  Waterloo ", .artist = "ABBA", .idCode = "AB001"},
                  {.title = "Caf\xC3\xA9", .artist = "", .idCode = ""},
                  {.title = std::string(60, 't'), .artist = "Z", .idCode = "Z1"}});
  std::string text;
  AppendReportLines(view, text, "\n");
  EXPECT_EQ(text,
            "\tAB001\tWaterloo\tABBA\n"
            "\t\tCaf\xC3\xA9\t\n"
            "\tZ1\t" +
                std::string(50, 't') +
                "\tZ\n"
                "3 songs\n");
}

TEST(ReportLinesTest, TextsStoredInWindows1252AreWrittenAsUtf8) {
  tSongList view(tSongList::Ownership::OwnsSongs);
  tSongRecord record;
  record.SetRawText(TextField::Title, "Caf\xE9");  // Windows-1252 "é"
  record.SetRawText(TextField::Artist, "Bj\xF6rk");
  view.Add(std::make_unique<tSong>(record));
  EXPECT_EQ(ReportLine(record), "\t\tCaf\xC3\xA9\tBj\xC3\xB6rk");
}

TEST(ReportLinesTest, AppendsAfterWhatIsThereAndGrowsForLongLines) {
  tSongList view(tSongList::Ownership::OwnsSongs);
  for (int i = 0; i < 200; ++i) {
    AddSongs(view, {{.title = Repeat("\xC3\xA9", 80),
                     .artist = Repeat("\xC3\xB6", 40),
                     .idCode = "ID" + std::to_string(i)}});
  }
  std::string text = "before\n";
  AppendReportLines(view, text, "\r\n");
  const std::vector<std::string> lines = SplitCrLf(text.substr(7));
  ASSERT_EQ(lines.size(), 201U);
  EXPECT_EQ(text.substr(0, 7), "before\n");
  EXPECT_EQ(lines[199], "\tID199\t" + Repeat("\xC3\xA9", 50) + "\t" + Repeat("\xC3\xB6", 40));
  EXPECT_EQ(lines[200], "200 songs");
}

TEST(SavedReportTest, AnEmptyViewGivesFiveLinesEachEndedByCrLf) {
  const tSongList view;
  const std::string text = SavedReportText({"Showing: All Songs", "Thursday 10/12/2026"}, view);
  EXPECT_EQ(text,
            "-   T u n e d e x   -\r\n"
            "https://tunedex.org\r\n"
            "Showing: All Songs\tThursday 10/12/2026\r\n"
            "\tID Code\tTitle\tArtist\r\n"
            "0 songs\r\n");
}

TEST(SavedReportTest, SongLinesBeginWithATabAndEveryLineEndsWithCrLf) {
  tSongList view(tSongList::Ownership::OwnsSongs);
  AddSongs(view, {{.title = "A", .artist = "B", .idCode = "1"},
                  {.title = "C", .artist = "D", .idCode = "2"}});
  const std::string text = SavedReportText({"T", "D"}, view);
  const std::vector<std::string> lines = SplitCrLf(text);
  ASSERT_EQ(lines.size(), 7U);
  EXPECT_EQ(lines[4], "\t1\tA\tB");
  EXPECT_EQ(lines[5], "\t2\tC\tD");
  EXPECT_EQ(lines[6], "2 songs");
  // No line break but the CR LF pairs.
  std::size_t lineFeeds = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      ++lineFeeds;
      EXPECT_EQ(text[i - 1], '\r');
    }
  }
  EXPECT_EQ(lineFeeds, 7U);
}

TEST(ReportPreviewTest, HoldsTheTextsAndThePaneLinesEndedByLineFeeds) {
  tSongList view(tSongList::Ownership::OwnsSongs);
  AddSongs(view, {{.title = "Waterloo", .artist = "ABBA", .idCode = "AB001"}});
  const ReportPreview preview =
      MakeReportPreview({"Showing: All Songs", "Thursday 12/10/26"}, view);
  EXPECT_EQ(preview.productName, "-   T u n e d e x   -");
  EXPECT_EQ(preview.title, "Showing: All Songs");
  EXPECT_EQ(preview.dateText, "Thursday 12/10/26");
  EXPECT_EQ(preview.paneText, "\tAB001\tWaterloo\tABBA\n1 songs\n");
  EXPECT_EQ(preview.songCount, 1U);
}

TEST(ReportPreviewTest, TabStopsInTwipsBecomeRoundedDevicePixels) {
  const std::vector<std::tuple<int, int, int>> cases = {
      {970, 96, 65}, {2100, 96, 140}, {5500, 96, 367}, {970, 120, 81}, {1440, 600, 600}};
  for (const auto& [twips, dpi, pixels] : cases) {
    EXPECT_EQ(TwipsToPixels(twips, dpi), pixels) << twips << " at " << dpi;
  }
}

class SaveReportTest : public testing::Test {
 protected:
  void SetUp() override { AddSongs(m_view, {{.title = "New", .artist = "Song", .idCode = "N1"}}); }

  test::TempFolder m_folder;
  tSongList m_view{tSongList::Ownership::OwnsSongs};
  const ReportHeading m_heading{"Title", "Date"};
};

TEST_F(SaveReportTest, ReplacesAnExistingFile) {
  const std::string path = m_folder.Write("report.txt", "old contents");
  SaveReport(path, m_heading, m_view);
  EXPECT_EQ(test::ReadFileText(path), SavedReportText(m_heading, m_view));
}

TEST_F(SaveReportTest, AReadOnlyFileIsNotReplacedAndTheErrorSaysWhy) {
  const std::string path = m_folder.Write("report.txt", "old contents");
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  try {
    SaveReport(path, m_heading, m_view);
    FAIL() << "saved over a read-only file";
  } catch (const FileError& error) {
    EXPECT_NE(std::string(error.what()).find("read-only"), std::string::npos) << error.what();
  }
  EXPECT_EQ(test::ReadFileText(path), "old contents");
}

TEST_F(SaveReportTest, AMissingFolderIsNamedInTheError) {
  const std::string path = m_folder.PathOf("no such folder/report.txt");
  EXPECT_THROW(SaveReport(path, m_heading, m_view), FileError);
}

// A write that fails half-way (the file-size limit reached) leaves the old file whole and no
// temporary file beside it.
TEST_F(SaveReportTest, AWriteFailingHalfWayLeavesTheOldFile) {
  for (int i = 0; i < 2000; ++i) {
    AddSongs(m_view, {{.title = "Title " + std::to_string(i), .artist = "Artist"}});
  }
  const std::string path = m_folder.Write("report.txt", "old contents");
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  bool failed = false;
  try {
    SaveReport(path, m_heading, m_view);
  } catch (const FileError& error) {
    failed = true;
    EXPECT_FALSE(error.Reason().empty());
  }
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &saved), 0);
  EXPECT_TRUE(failed);
  EXPECT_EQ(test::ReadFileText(path), "old contents");
}

class FixedDateFormats : public DateFormats {
 public:
  std::string FullWeekdayName(std::chrono::year_month_day) override { return "Thursday"; }
  std::string ShortDate(std::chrono::year_month_day) override { return "10.12.26"; }
};

TEST(ReportDateTest, IsTheWeekdayNameABlankAndTheShortDate) {
  FixedDateFormats formats;
  using namespace std::chrono;
  EXPECT_EQ(ReportDateText(formats, year{2026} / December / 10), "Thursday 10.12.26");
}

struct LocaleDateCase {
  const char* locale;
  std::string text;
};

class IcuDateTest : public testing::TestWithParam<LocaleDateCase> {};

TEST_P(IcuDateTest, WritesTheLocalesWeekdayAndShortDate) {
  IcuDateFormats formats(GetParam().locale);
  using namespace std::chrono;
  EXPECT_EQ(ReportDateText(formats, year{2026} / December / 10), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Locales, IcuDateTest,
                         testing::Values(LocaleDateCase{"en_US", "Thursday 12/10/26"},
                                         LocaleDateCase{"sv_SE", "torsdag 2026-12-10"},
                                         LocaleDateCase{"de_DE", "Donnerstag 10.12.26"}));

}  // namespace
}  // namespace tunedex
