// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/songscan.h"
#include "catalogue/songlist.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <optional>

#include "platform/giofilesystem.h"
#include "support/fakefilesystem.h"
#include "support/process.h"
#include "support/scripteduser.h"
#include "support/songfilebuilders.h"
#include "support/songfixtures.h"
#include "support/tempfolder.h"

namespace tunedex {
namespace {

SongScan::CatalogueLookup InCatalogue(const tSongList& songs) {
  return [&songs](const tSongRecord& record) { return songs.ContainsFileName(record); };
}

TEST(ScanPatternTest, FollowsTheBoxesInOrder) {
  EXPECT_EQ(ScanPatternText(kScanAllTypes),
            "*.kar;*.st3;*.mi;*.mid;*.midi;*.rmi;*.mp3;*.wma;*.kfn;*.mpg;*.mpeg;");
  EXPECT_EQ(ScanPatternText(kScanMidi | kScanMpeg), "*.mi;*.mid;*.midi;*.rmi;*.mpg;*.mpeg;");
  const std::string all = ScanPatternText(kScanAllTypes);
  for (const char* name : {"a.KAR", "b.mid", "c.Mpeg", "d.rmi", "a.ar", "e.peg"})
    EXPECT_TRUE(MatchesScanPattern(name, all)) << name << ": a tail of a chosen extension";
  for (const char* name : {"b", "c.mp4", "d.rmid", "e.cdg", "f.", "g.ka"})
    EXPECT_FALSE(MatchesScanPattern(name, all)) << name;
  EXPECT_TRUE(MatchesScanPattern("b.ar", ScanPatternText(kScanKar)));
  EXPECT_FALSE(MatchesScanPattern("b.ar", ScanPatternText(kScanMp3)));
}

class SongScanTest : public testing::Test {
 protected:
  void SetUp() override {
    namespace fs = std::filesystem;
    fs::create_directories(m_folder.PathOf("a/deep"));
    fs::create_directories(m_folder.PathOf(".hidden"));
    fs::create_directories(m_folder.PathOf("b"));
    m_folder.Write("a/one.kar", test::MidiFile({{1, "@KMIDI KARAOKE FILE"}, {1, "@Tfirst song"}}));
    m_folder.Write("a/deep/two.mp3", test::Id3v2File({{"TIT2", "second"}, {"TPE1", "band"}}));
    m_folder.Write("b/three.MID", test::MidiFile({{3, "third"}}));
    m_folder.Write("b/notes.txt", "not a song");
    m_folder.Write("b/.kar", "no name before the dot");
    m_folder.Write(".hidden/four.kar", "hidden");
    // A link back up the tree would make the walk endless if it were followed.
    fs::create_directory_symlink(m_folder.Path(), m_folder.PathOf("b/loop"));
    fs::create_symlink(m_folder.PathOf("a/one.kar"), m_folder.PathOf("b/linked.kar"));
  }

  std::vector<std::string> Names(const SongScan& scan) {
    std::vector<std::string> names;
    for (const ScanResult& result : scan.Results()) names.push_back(result.name);
    std::sort(names.begin(), names.end());
    return names;
  }

  test::TempFolder m_folder;
  GioFileSystem m_files;
  test::ScriptedUser m_user;
  tSongList m_master{tSongList::Ownership::OwnsSongs};
};

TEST_F(SongScanTest, WalksEveryFolderOnceSkippingHiddenOnesAndFolderLinks) {
  SongScan scan(ScanPatternText(kScanAllTypes), InCatalogue(m_master), m_user, m_files);
  EXPECT_TRUE(scan.Walk(m_folder.Path()));
  EXPECT_EQ(Names(scan),
            (std::vector<std::string>{"linked.kar", "one.kar", "three.MID", "two.mp3"}));
  EXPECT_EQ(scan.FilesSeen(), 5) << "notes.txt is seen but not a song";
  EXPECT_TRUE(m_user.Messages().empty());
  for (const ScanResult& result : scan.Results()) {
    if (result.name == "two.mp3") {
      EXPECT_EQ(result.record.Title(), "Second");
    }
  }
}

// Named pipes, sockets and links to devices or pipes carry song extensions here; only regular
// files, directly or through a link, become songs, and none of the others is opened for long.
TEST_F(SongScanTest, OnlyRegularFilesAreSongs) {
  namespace fs = std::filesystem;
  fs::create_directories(m_folder.PathOf("odd"));
  m_folder.Write("odd/real.kar", test::MidiFile({{1, "@KMIDI KARAOKE FILE"}, {1, "@Treal"}}));
  ASSERT_EQ(::mkfifo(m_folder.PathOf("odd/pipe.kar").c_str(), 0600), 0);
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(sock, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socketPath = m_folder.PathOf("odd/socket.mid");
  ASSERT_LT(socketPath.size(), sizeof(address.sun_path));
  socketPath.copy(address.sun_path, socketPath.size());
  ASSERT_EQ(::bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
  fs::create_symlink("/dev/null", m_folder.PathOf("odd/null.mp3"));
  fs::create_symlink("/dev/zero", m_folder.PathOf("odd/zero.wma"));
  fs::create_symlink(m_folder.PathOf("odd/pipe.kar"), m_folder.PathOf("odd/to-pipe.kar"));
  fs::create_symlink(m_folder.PathOf("odd/real.kar"), m_folder.PathOf("odd/to-real.kar"));

  SongScan scan(ScanPatternText(kScanAllTypes), InCatalogue(m_master), m_user, m_files);
  EXPECT_TRUE(scan.Walk(m_folder.PathOf("odd")));
  ::close(sock);
  EXPECT_EQ(Names(scan), (std::vector<std::string>{"real.kar", "to-real.kar"}));
  EXPECT_EQ(scan.FilesSeen(), 2);
  EXPECT_TRUE(m_user.Messages().empty());
}

TEST_F(SongScanTest, ChosenTypesOnlyAndStopping) {
  SongScan karOnly(ScanPatternText(kScanKar), InCatalogue(m_master), m_user, m_files);
  karOnly.Walk(m_folder.Path());
  EXPECT_EQ(Names(karOnly), (std::vector<std::string>{"linked.kar", "one.kar"}));
  test::ScriptedUser impatient;
  impatient.StopAfterProgress(0);
  SongScan stopped(ScanPatternText(kScanAllTypes), InCatalogue(m_master), impatient, m_files);
  EXPECT_FALSE(stopped.Walk(m_folder.Path()));
  EXPECT_EQ(stopped.FilesSeen(), 1);
}

TEST_F(SongScanTest, AnUnreadableFolderIsPassedOver) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
  ::chmod(m_folder.PathOf("b").c_str(), 0);
  SongScan scan(ScanPatternText(kScanAllTypes), InCatalogue(m_master), m_user, m_files);
  EXPECT_TRUE(scan.Walk(m_folder.Path()));
  EXPECT_EQ(Names(scan), (std::vector<std::string>{"one.kar", "two.mp3"}));
}

// Listings come from the file system service: a folder it cannot list is passed over (which a
// real disk shows only to a user that permissions bind), links to folders and links that lead
// nowhere are passed over, and each walk lists a folder once.
TEST(SongScanListingTest, PassesOverFoldersThatCannotBeListedAndListsEachOnce) {
  test::FakeFileSystem files;
  files.AddFile("/songs/a/one.txt");
  files.AddFile("/songs/b/two.txt");
  files.AddFile("/songs/b/three.txt");
  files.AddFile("/songs/c/four.txt");
  files.AddLink("/songs/c/up", "/songs");
  files.AddLink("/songs/c/dangling.kar", "/nowhere.kar");
  files.Fail(test::FakeFileSystem::Op::List, FileFailure::PermissionDenied, "/songs/b");
  test::ScriptedUser user;
  tSongList master(tSongList::Ownership::OwnsSongs);
  SongScan scan(ScanPatternText(kScanAllTypes), InCatalogue(master), user, files);
  EXPECT_TRUE(scan.Walk("/songs"));
  EXPECT_TRUE(scan.Walk("/songs/c"));
  EXPECT_EQ(scan.FilesSeen(), 3) << "one.txt, and four.txt on both walks";
  EXPECT_EQ(files.Calls(test::FakeFileSystem::Op::List), 5);
  EXPECT_TRUE(scan.Results().empty());
  EXPECT_TRUE(user.Messages().empty()) << "folders are listed among the problems, not told";
  ASSERT_EQ(scan.Problems().size(), 1u) << "the second walk does not enter /songs/b";
  EXPECT_EQ(scan.Problems()[0].path, "/songs/b");
  EXPECT_EQ(scan.Problems()[0].reason, "made to fail: /songs/b");
  EXPECT_TRUE(scan.Problems()[0].isFolder);
}

// A folder on another device than the one it was found in is entered only when the crossing
// rule allows; without a rule every device is entered.
TEST(SongScanListingTest, CrossesIntoOtherDevicesOnlyWhereTheRuleSays) {
  test::FakeFileSystem files;
  files.AddFile("/songs/a.txt");
  files.AddFile("/songs/stick/b.txt");
  files.AddFile("/songs/proc/c.txt");
  files.AddFile("/songs/proc/inner/d.txt");
  files.SetDevice("/songs/stick", 2);
  files.SetDevice("/songs/proc", 3);
  test::ScriptedUser user;
  struct Case {
    const char* name;
    std::function<bool(const std::string&)> rule;
    std::int64_t filesSeen;
  };
  const Case cases[] = {
      {"no rule", nullptr, 4},
      {"never", [](const std::string&) { return false; }, 1},
      {"the stick", [](const std::string& folder) { return folder == "/songs/stick"; }, 2},
  };
  for (const Case& c : cases) {
    SongScan scan(ScanPatternText(kScanAllTypes), nullptr, user, files);
    if (c.rule) scan.SetCrossingRule(c.rule);
    scan.Walk("/songs");
    EXPECT_EQ(scan.FilesSeen(), c.filesSeen) << c.name;
  }
  SongScan scan(ScanPatternText(kScanAllTypes), nullptr, user, files);
  scan.SetCrossingRule([](const std::string&) { return false; });
  scan.Walk("/songs/proc");
  EXPECT_EQ(scan.FilesSeen(), 2) << "the root is entered whatever its device";
}

// On a real disk, in a process that permissions bind: a song file that cannot be read is told
// with its reason and not added; a folder that cannot be entered is kept among the problems.
TEST_F(SongScanTest, UnreadableFilesAndFoldersAreProblemsNotSongs) {
  namespace fs = std::filesystem;
  fs::create_directories(m_folder.PathOf("perm/locked"));
  m_folder.Write("perm/locked/inside.kar", test::MidiFile({{3, "inside"}}));
  m_folder.Write("perm/open.kar", test::MidiFile({{3, "open"}}));
  const std::string secret = m_folder.Write("perm/secret.kar", test::MidiFile({{3, "secret"}}));
  ASSERT_EQ(::chmod(m_folder.Path().c_str(), 0755), 0);
  ASSERT_EQ(::chmod(m_folder.PathOf("perm/locked").c_str(), 0), 0);
  ASSERT_EQ(::chmod(secret.c_str(), 0), 0);
  const std::optional<std::string> said = test::RunBoundByPermissions([&] {
    test::ScriptedUser user;
    SongScan scan(ScanPatternText(kScanAllTypes), InCatalogue(m_master), user, m_files);
    scan.Walk(m_folder.PathOf("perm"));
    std::string text;
    for (const std::string& name : Names(scan)) text += "song " + name + "\n";
    for (const ScanProblem& problem : scan.Problems()) {
      text +=
          (problem.isFolder ? "folder " : "file ") + problem.path + ": " + problem.reason + "\n";
    }
    for (const auto& message : user.Messages()) text += "told " + message.text + "\n";
    return text;
  });
  ::chmod(m_folder.PathOf("perm/locked").c_str(), 0755);
  if (!said) GTEST_SKIP() << "no user that file permissions bind could be switched to";
  const std::string locked = m_folder.PathOf("perm/locked");
  EXPECT_EQ(*said,
            "song open.kar\n"
            "file " +
                secret +
                ": Permission denied\n"
                "folder " +
                locked +
                ": Permission denied\n"
                "told Cannot read file " +
                secret + ": Permission denied\n")
      << "a folder's files come before its subfolders";
}

TEST_F(SongScanTest, FilesOfTheCatalogueAreMarked) {
  test::AddSongs(
      m_master,
      {{.title = "Zulu",
        .artist = "Q",
        .fileName = m_folder.PathOf("a/one.kar"),
        .idCode = "ON001"},
       {.title = "Alpha", .artist = "Q", .fileName = "/elsewhere.kar", .idCode = "AL001"}});
  SongScan scan(ScanPatternText(kScanAllTypes), InCatalogue(m_master), m_user, m_files);
  scan.Walk(m_folder.Path());
  std::vector<tSongRecord> importable;
  for (const ScanResult& result : scan.Results()) {
    if (result.name == "one.kar") {
      EXPECT_TRUE(result.inCatalogue);
    }
    if (!result.inCatalogue) importable.push_back(result.record);
  }
  EXPECT_EQ(importable.size(), 3u);
}

// An MP3 or WMA song has lyrics when a file or folder of its name with ".cdg" or ".CDG" lies
// beside it, in that folder and no other.
TEST(SongScanCompanionTest, ACdgBesideTheSongMeansLyrics) {
  namespace fs = std::filesystem;
  test::TempFolder folder;
  fs::create_directories(folder.PathOf("songs/sub"));
  const std::string mp3 = test::Id3v2File({{"TIT2", "t"}, {"TPE1", "a"}});
  const std::string wma = test::WmaFile({test::AsfContentDescription("t", "a", "")});
  struct Case {
    const char* song;
    const char* companion;  // made beside it (a folder when it ends in "/"), or nothing
    bool lyrics;
  };
  const Case cases[] = {
      {"songs/lower.mp3", "songs/lower.cdg", true},
      {"songs/upper.mp3", "songs/upper.CDG", true},
      {"songs/mixed.mp3", "songs/mixed.Cdg", false},
      {"songs/video.wma", "songs/video.cdg", true},
      {"songs/folder.mp3", "songs/folder.cdg/", true},
      {"songs/elsewhere.mp3", "songs/sub/elsewhere.cdg", false},
      {"songs/sub/up.mp3", "songs/up.cdg", false},
      {"songs/none.mp3", nullptr, false},
      {"songs/stem.mp3", "songs/stem.mp3.cdg", false},
      {"songs/karaoke.kar", "songs/karaoke.cdg", true},  // a karaoke file has lyrics anyway
  };
  for (const Case& c : cases) {
    const std::string song = c.song;
    folder.Write(song, song.ends_with(".wma")   ? wma
                       : song.ends_with(".kar") ? test::MidiFile({{1, "@KMIDI KARAOKE FILE"}})
                                                : mp3);
    if (c.companion == nullptr) continue;
    const std::string companion = c.companion;
    if (companion.ends_with('/')) {
      fs::create_directories(folder.PathOf(companion));
    } else {
      folder.Write(companion, "cdg");
    }
  }
  GioFileSystem files;
  test::ScriptedUser user;
  SongScan scan(ScanPatternText(kScanAllTypes), {}, user, files);
  ASSERT_TRUE(scan.Walk(folder.PathOf("songs")));
  ASSERT_EQ(scan.Results().size(), std::size(cases));
  for (const Case& c : cases) {
    const auto found =
        std::find_if(scan.Results().begin(), scan.Results().end(), [&](const ScanResult& result) {
          return result.record.FileName() == folder.PathOf(c.song);
        });
    ASSERT_NE(found, scan.Results().end()) << c.song;
    EXPECT_EQ(found->record.HasLyrics(), c.lyrics) << c.song;
  }
}

}  // namespace
}  // namespace tunedex
