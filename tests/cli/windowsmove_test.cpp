// SPDX-License-Identifier: GPL-3.0-or-later
// A host moving from the Windows program: a catalogue whose songs carry Windows paths, the song
// folders copied here, the paths repaired with match-paths, and the catalogue then complete.
#include <gtest/gtest.h>

#include <filesystem>

#include "song/songtype.h"
#include "support/process.h"
#include "support/songfilebuilders.h"
#include "support/songfixtures.h"
#include "support/tempfolder.h"

namespace tunedex {
namespace {

namespace fs = std::filesystem;
using test::RunProgram;

struct WindowsSong {
  const char* id;
  const char* title;
  const char* artist;
  const char* language;
  const char* notes;
  const char* windowsPath;  // as the Windows program wrote it: in the Windows code page
  const char* here;         // the file's path below the test folder
  std::uint8_t type;
};

// Two drives of the Windows computer: the songs folder on D: and a stick on E:, copied to the
// host's home folder and to a stick mounted here.
const WindowsSong kSongs[] = {
    {"AB001", "Waterloo", "ABBA", "Eng", "key of D", "D:\\Karaoke\\Pop\\ABBA - Waterloo.kar",
     "home/Karaoke/Pop/ABBA - Waterloo.kar", kSongTypeKar},
    {"QU001", "Bohemian Rhapsody", "Queen", "Eng", "", "D:\\Karaoke\\Rock\\Queen - Bohemian.mp3",
     "home/Karaoke/Rock/Queen - Bohemian.mp3", kSongTypeMp3},
    {"SK001", "Hooked on a Feeling", "Björn Skifs", "Sve", "Anna's favourite",
     "D:\\Karaoke\\Svenska\\Bj\xF6rn Skifs - Hooked.kar",
     "home/Karaoke/Svenska/Björn Skifs - Hooked.kar", kSongTypeKar},
    {"TO001", "Africa", "Toto", "", "", "E:\\Songs\\Toto - Africa.mid",
     "stick/Songs/Toto - Africa.mid", kSongTypeMidi},
};

// A Windows path as the commands print it: its Windows code page bytes as UTF-8.
std::string Printed(const std::string& windowsPath) {
  std::string utf8;
  for (const char byte : windowsPath) {
    const auto code = static_cast<unsigned char>(byte);
    if (code < 0x80) {
      utf8 += byte;
    } else {
      utf8 += static_cast<char>(0xC0 | (code >> 6));
      utf8 += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return utf8;
}

class WindowsMoveTest : public testing::Test {
 protected:
  void SetUp() override {
    std::vector<tSongRecord> records;
    for (const WindowsSong& song : kSongs) {
      fs::create_directories(fs::path(m_folder.PathOf(song.here)).parent_path());
      const std::string title = song.title;
      const std::string artist = song.artist;
      switch (song.type) {
        case kSongTypeKar:
          m_folder.Write(song.here, test::MidiFile({{1, "@KMIDI KARAOKE FILE"},
                                                    {1, "@T" + title},
                                                    {1, "@T" + artist},
                                                    {1, "\\Sing"}}));
          break;
        case kSongTypeMp3:
          m_folder.Write(song.here, test::Id3v2File({{"TIT2", title}, {"TPE1", artist}}, 3,
                                                    std::string(64, '\0')));
          break;
        default:
          m_folder.Write(song.here, test::MidiFile({{3, title}, {3, artist}, {5, "la"}}));
      }
      tSongRecord record = test::MakeRecord({.title = title,
                                             .artist = artist,
                                             .language = song.language,
                                             .fileName = song.windowsPath,
                                             .idCode = song.id,
                                             .notes = song.notes});
      record.SetFileType(song.type);
      record.SetInternalFormat(song.type);
      record.SetHasLyrics(true);
      records.push_back(record);
    }
    m_db = m_folder.Write("songs.tdb", test::DatabaseFile(0, records));
  }

  test::ProcessResult Cli(const std::vector<std::string>& arguments) {
    return RunProgram(TUNEDEX_CLI, arguments);
  }

  test::TempFolder m_folder;
  std::string m_db;
};

TEST_F(WindowsMoveTest, MatchPathsRepairsEveryDriveAndTheCatalogueIsWholeAgain) {
  // Before: every song is lost, as a Windows path.
  const test::ProcessResult before = Cli({"lost", m_db});
  ASSERT_EQ(before.exitCode, 0) << before.err;
  std::string expectedLost;
  for (const WindowsSong& song : kSongs) {
    expectedLost += std::string(song.id) + "\t" + Printed(song.windowsPath) + "\tWindows path\n";
  }
  EXPECT_EQ(before.out, expectedLost + "lost: 4\n");

  const std::string home = m_folder.PathOf("home/Karaoke");
  const std::string stick = m_folder.PathOf("stick/Songs");
  const test::ProcessResult drive = Cli({"match-paths", m_db, "D:\\Karaoke", home});
  ASSERT_EQ(drive.exitCode, 0) << drive.err;
  EXPECT_EQ(drive.out, "3 songs repaired\n");
  // A trailing separator on either side makes no difference.
  const test::ProcessResult second = Cli({"match-paths", m_db, "E:\\Songs\\", stick + "/"});
  ASSERT_EQ(second.exitCode, 0) << second.err;
  EXPECT_EQ(second.out, "1 songs repaired\n");

  const test::ProcessResult after = Cli({"lost", m_db});
  ASSERT_EQ(after.exitCode, 0) << after.err;
  EXPECT_EQ(after.out, "lost: 0\n");

  // Every song keeps its record and now names its file here.
  const test::ProcessResult list = Cli({"list", m_db});
  ASSERT_EQ(list.exitCode, 0) << list.err;
  std::string expectedList;
  for (const WindowsSong& song : kSongs) {
    const std::string type = song.type == kSongTypeKar   ? "KAR"
                             : song.type == kSongTypeMp3 ? "MP3"
                                                         : "MIDI";
    expectedList += std::string(song.id) + "\t" + song.title + "\t" + song.artist + "\t" +
                    song.language + "\t" + m_folder.PathOf(song.here) + "\t" + type + "\t" + type +
                    "\t1\t" + song.notes + "\n";
  }
  EXPECT_EQ(list.out, expectedList);

  // Scanning the copied folders afterwards finds the songs the catalogue already holds.
  const test::ProcessResult scan = Cli({"scan", m_db, home, stick});
  ASSERT_EQ(scan.exitCode, 0) << scan.err;
  EXPECT_EQ(scan.out, "4 songs found, 0 added\n");
}

TEST_F(WindowsMoveTest, SongsWhoseFilesWereNotCopiedStayLost) {
  fs::remove(m_folder.PathOf(kSongs[1].here));
  const test::ProcessResult drive =
      Cli({"match-paths", m_db, "D:\\Karaoke", m_folder.PathOf("home/Karaoke")});
  ASSERT_EQ(drive.exitCode, 0) << drive.err;
  EXPECT_EQ(drive.out, "2 songs repaired\n");
  const test::ProcessResult lost = Cli({"lost", m_db});
  EXPECT_EQ(lost.out, std::string("QU001\t") + kSongs[1].windowsPath + "\tWindows path\n" +
                          "TO001\t" + kSongs[3].windowsPath + "\tWindows path\nlost: 2\n");
}

}  // namespace
}  // namespace tunedex
