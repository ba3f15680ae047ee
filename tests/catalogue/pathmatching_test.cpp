// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/pathmatching.h"

#include <gtest/gtest.h>

#include "support/fakefilesystem.h"
#include "support/fakevolumes.h"
#include "support/songfixtures.h"

namespace tunedex {
namespace {

using test::MakeRecord;

struct MatchCase {
  const char* name;
  const char* path;
  const char* find;
  const char* replacement;
  std::optional<std::string> expected;
};

void PrintTo(const MatchCase& c, std::ostream* out) {
  *out << c.name;
}

class MatchedPathRule : public testing::TestWithParam<MatchCase> {};

const MatchCase kMatchCases[] = {
    // Windows paths.
    {"DriveToDrive", "D:\\Karaoke\\Pop\\a.kar", "D:\\Karaoke", "E:\\Songs",
     "E:\\Songs\\Pop\\a.kar"},
    {"CaseMatters", "D:\\Karaoke\\Pop\\a.kar", "d:\\karaoke", "E:\\Songs", std::nullopt},
    {"FindLosesItsSeparatorWhenTheReplacementHasNone", "D:\\Karaoke\\Pop\\a.kar", "D:\\Karaoke\\",
     "E:\\Songs", "E:\\Songs\\Pop\\a.kar"},
    {"FindTakesASeparatorWhenTheReplacementHasOne", "D:\\Karaoke\\Pop\\a.kar", "D:\\Karaoke",
     "E:\\Songs\\\\", "E:\\Songs\\Pop\\a.kar"},
    {"TrailingSeparatorsCollapse", "D:\\Karaoke\\a.kar", "D:\\Karaoke\\\\\\", "E:\\S\\",
     "E:\\S\\a.kar"},
    {"ADriveRootKeepsItsSeparatorAndTheReplacementGainsOne", "C:\\a.kar", "C:\\",
     "D:", "D:\\a.kar"},
    {"ADriveRootDeeper", "C:\\Pop\\a.kar", "C:\\", "D:", "D:\\Pop\\a.kar"},
    {"OnlyTheFirstOccurrence", "D:\\Music\\Music\\a.kar", "Music", "Songs",
     "D:\\Songs\\Music\\a.kar"},
    {"TheFileNameIsNeverMatched", "D:\\Pop\\Music.kar", "Music", "Songs", std::nullopt},
    {"AWindowsCatalogueMovesHere", "D:\\Karaoke\\Pop\\a.kar", "D:\\Karaoke", "/home/host/Karaoke",
     "/home/host/Karaoke/Pop/a.kar"},
    {"AWindowsCatalogueMovesHereWithSeparators", "D:\\Karaoke\\Pop\\a.kar", "D:\\Karaoke\\",
     "/home/host/Karaoke/", "/home/host/Karaoke/Pop/a.kar"},
    {"AWindowsRootMovesHere", "C:\\Pop\\a.kar", "C:\\", "/mnt/c", "/mnt/c/Pop/a.kar"},
    {"AServerShareMovesHere", "\\\\server\\share\\Pop\\a.kar", "\\\\server\\share", "/mnt/share",
     "/mnt/share/Pop/a.kar"},
    {"AWindowsCataloguesLettersAreSpeltHereInUtf8", "D:\\Musik\\\xC4rzte\\\xE9.kar", "D:\\Musik",
     "/m", "/m/\xC3\x84rzte/\xC3\xA9.kar"},
    {"ANothingLeftFindMatchesNothing", "D:\\Pop\\a.kar", "\\", "x", std::nullopt},
    // Paths of this system.
    {"FolderToFolder", "/mnt/karaoke/Pop/a.kar", "/mnt/karaoke", "/srv/songs",
     "/srv/songs/Pop/a.kar"},
    {"CaseMattersHere", "/mnt/Karaoke/Pop/a.kar", "/mnt/karaoke", "/srv/songs", std::nullopt},
    {"FindLosesItsSlash", "/mnt/karaoke/Pop/a.kar", "/mnt/karaoke/", "/srv/songs",
     "/srv/songs/Pop/a.kar"},
    {"TheRootKeepsItsSlashAndTheReplacementGainsOne", "/Pop/a.kar", "/", "/mnt/old",
     "/mnt/old/Pop/a.kar"},
    {"OnlyTheFirstOccurrenceHere", "/Music/Music/a.kar", "Music", "Songs", "/Songs/Music/a.kar"},
    {"APieceInsideAName", "/mnt/karaoke2/a.kar", "/mnt/karaoke", "/srv/songs", "/srv/songs2/a.kar"},
    {"ASlashFindNeedsAWholeFolder", "/mnt/karaoke2/a.kar", "/mnt/karaoke/", "/srv/songs/",
     std::nullopt},
};

TEST_P(MatchedPathRule, ReplacesTheFirstOccurrenceInTheFolder) {
  const MatchCase& c = GetParam();
  EXPECT_EQ(MatchedPath(c.path, c.find, c.replacement), c.expected);
}

INSTANTIATE_TEST_SUITE_P(BothForms, MatchedPathRule, testing::ValuesIn(kMatchCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(PathMatching, FolderAndNameParts) {
  EXPECT_EQ(SongFolderPart("D:\\Karaoke\\a.kar"), "D:\\Karaoke\\");
  EXPECT_EQ(SongFolderPart("D:a.kar"), "D:");
  EXPECT_EQ(SongFolderPart("/home/a.kar"), "/home/");
  EXPECT_EQ(SongFolderPart("a.kar"), "");
  // A backslash is part of a name on this system.
  EXPECT_EQ(SongNamePart("/home/a\\b.kar"), "a\\b.kar");
  EXPECT_EQ(SongNamePart("D:\\Pop\\a.kar"), "a.kar");
}

TEST(PathMatching, TheQuestionNamesBothTexts) {
  EXPECT_EQ(PathMatchQuestion("D:\\Karaoke", "/home/host"),
            "Replace \"D:\\Karaoke\"\rin the filepaths of all lost files containing it\r"
            "with \"/home/host\"?\r\rAre you sure?");
}

class MatchLostPathsTest : public testing::Test {
 protected:
  std::vector<LostSong> AllLost() {
    std::vector<LostSong> lost;
    for (tSong* song : m_catalogue.Songs()) lost.push_back({song, LostReason::Missing});
    return lost;
  }
  std::vector<std::string> FileNames() const {
    std::vector<std::string> names;
    for (const tSong* song : m_catalogue.Songs()) names.emplace_back(song->Record().FileName());
    return names;
  }

  tCatalogue m_catalogue;
  test::FakeFileSystem m_files;
};

// Only songs whose new file exists and is nobody's yet are changed; the rest keep their paths.
TEST_F(MatchLostPathsTest, ASongTakesItsNewPathOnlyWhenTheFileIsThereAndNobodysYet) {
  m_catalogue.Import({MakeRecord({.title = "a", .fileName = "D:\\Karaoke\\Pop\\a.kar"}),
                      MakeRecord({.title = "b", .fileName = "D:\\Karaoke\\Pop\\b.kar"}),
                      MakeRecord({.title = "c", .fileName = "D:\\Karaoke\\Rock\\c.kar"}),
                      MakeRecord({.title = "d", .fileName = "/HOME/host/Karaoke/Rock/c.kar"}),
                      MakeRecord({.title = "e", .fileName = "E:\\Other\\e.kar"})});
  m_catalogue.SetModified(false);
  m_files.AddFile("/home/host/Karaoke/Pop/a.kar");
  m_files.AddFile("/home/host/Karaoke/Rock/c.kar");  // also "d"'s file, ignoring case
  m_files.AddFile("/home/host/Karaoke/e.kar");
  EXPECT_EQ(MatchLostPaths(m_catalogue, AllLost(), "D:\\Karaoke", "/home/host/Karaoke", m_files),
            1u);
  EXPECT_EQ(FileNames(),
            (std::vector<std::string>{"/home/host/Karaoke/Pop/a.kar", "D:\\Karaoke\\Pop\\b.kar",
                                      "D:\\Karaoke\\Rock\\c.kar", "/HOME/host/Karaoke/Rock/c.kar",
                                      "E:\\Other\\e.kar"}));
  EXPECT_TRUE(m_catalogue.Modified());
}

// A record holds 255 bytes of path; a longer one cut would name another file.
TEST_F(MatchLostPathsTest, ANewPathLongerThanARecordHoldsIsLeftAlone) {
  const std::string longFolder = "/" + std::string(250, 'x');
  m_catalogue.Import({MakeRecord({.title = "a", .fileName = "/old/a.kar"})});
  m_files.AddFile(longFolder + "/a.kar");
  m_catalogue.SetModified(false);
  EXPECT_EQ(MatchLostPaths(m_catalogue, AllLost(), "/old", longFolder, m_files), 0u);
  EXPECT_EQ(FileNames(), (std::vector<std::string>{"/old/a.kar"}));
  EXPECT_FALSE(m_catalogue.Modified());
}

}  // namespace
}  // namespace tunedex
