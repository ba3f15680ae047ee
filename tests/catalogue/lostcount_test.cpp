// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/lostcount.h"

#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "support/fakefilesystem.h"
#include "support/fakevolumes.h"
#include "support/songfixtures.h"

namespace tunedex {
namespace {

using test::AVolume;

using test::MakeRecord;

// A computer with a volume of every kind, and a stick the system knows but that is not
// plugged in.
class LostCountTest : public testing::Test {
 protected:
  LostCountTest() {
    m_volumes.Mount(AVolume("/", VolumeKind::Fixed));
    m_volumes.Mount(AVolume("/media/host/STICK", VolumeKind::Removable));
    m_volumes.Mount(AVolume("/media/host/DVD", VolumeKind::Optical));
    m_volumes.Mount(AVolume("/mnt/nas", VolumeKind::Remote));
    m_volumes.Mount(AVolume("/mnt/ram", VolumeKind::Ram));
    m_volumes.AddKnown(AVolume("/media/host/OLD", VolumeKind::Removable));
  }

  void AddSongs(const std::vector<std::string>& paths) {
    std::vector<tSongRecord> records;
    for (std::size_t i = 0; i < paths.size(); ++i) {
      records.push_back(MakeRecord({.title = "t" + std::to_string(i),
                                    .fileName = paths[i],
                                    .idCode = "ID" + std::to_string(i)}));
    }
    m_catalogue.Import(records);
  }

  std::vector<LostSong> Lost(const LostIgnore& ignore) {
    return FindLostSongs(m_catalogue.Songs(), m_files, m_volumes, ignore);
  }

  tCatalogue m_catalogue;
  test::FakeFileSystem m_files;
  test::FakeVolumes m_volumes;
};

struct IgnoreCase {
  const char* name;
  std::string path;
  bool volumeReady;
  LostIgnore ignore;
  std::optional<LostReason> expected;  // nothing: not listed
};

void PrintTo(const IgnoreCase& c, std::ostream* out) {
  *out << c.name;
}

class LostIgnoreRule : public LostCountTest, public testing::WithParamInterface<IgnoreCase> {};

constexpr LostIgnore kAllTicked{true, true, true};
constexpr LostIgnore kNoneTicked{false, false, false};

const IgnoreCase kIgnoreCases[] = {
    {"FixedMissingIsLost", "/songs/a.kar", true, kAllTicked, LostReason::Missing},
    {"RemovableThereMissingIsLost", "/media/host/STICK/a.kar", true, kAllTicked,
     LostReason::Missing},
    {"RemovableNotReadyTickedIsHidden", "/media/host/STICK/a.kar", false, kAllTicked, {}},
    {"RemovableNotReadyClearedIsLost", "/media/host/STICK/a.kar", false, kNoneTicked,
     LostReason::VolumeNotReady},
    {"RemovableThereClearedIsLost", "/media/host/STICK/a.kar", true, kNoneTicked,
     LostReason::Missing},
    {"OpticalFollowsTheRemovableBox", "/media/host/DVD/a.kar", false, {true, false, false}, {}},
    {"OpticalWithoutDiscClearedIsLost",
     "/media/host/DVD/a.kar",
     false,
     {false, true, true},
     LostReason::VolumeNotReady},
    {"OpticalThereMissingIsLost", "/media/host/DVD/a.kar", true, kAllTicked, LostReason::Missing},
    {"RemoteAnsweringMissingIsLost", "/mnt/nas/a.kar", true, kAllTicked, LostReason::Missing},
    {"RemoteDownTickedIsHidden", "/mnt/nas/a.kar", false, {false, true, false}, {}},
    {"RemoteDownOtherBoxesTickedIsLost",
     "/mnt/nas/a.kar",
     false,
     {true, false, true},
     LostReason::VolumeNotReady},
    {"RamMissingIsLost", "/mnt/ram/a.kar", true, kAllTicked, LostReason::Missing},
    {"RamNotReadyTickedIsHidden", "/mnt/ram/a.kar", false, {false, false, true}, {}},
    {"RamNotReadyClearedIsLost",
     "/mnt/ram/a.kar",
     false,
     {true, true, false},
     LostReason::VolumeNotReady},
    {"FixedNotAnsweringIsLostWhateverTheBoxes", "/songs/a.kar", false, kAllTicked,
     LostReason::VolumeNotReady},
};

TEST_P(LostIgnoreRule, ListsAMissingFileAsTheBoxesAndTheVolumeSay) {
  const IgnoreCase& c = GetParam();
  AddSongs({c.path});
  for (const char* mount : {"/", "/media/host/STICK", "/media/host/DVD", "/mnt/nas", "/mnt/ram"})
    m_volumes.SetReady(mount, c.volumeReady);
  const std::vector<LostSong> lost = Lost(c.ignore);
  if (!c.expected) {
    EXPECT_TRUE(lost.empty());
  } else {
    ASSERT_EQ(lost.size(), 1u);
    EXPECT_EQ(lost[0].reason, *c.expected);
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, LostIgnoreRule, testing::ValuesIn(kIgnoreCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(LostCountTest, AFileThatIsThereIsNeverLost) {
  const std::vector<std::string> paths = {"/songs/a.kar", "/media/host/STICK/b.mp3",
                                          "/media/host/DVD/c.mpg", "/mnt/nas/d.kfn",
                                          "/mnt/ram/e.st3"};
  for (const std::string& path : paths) m_files.AddFile(path);
  AddSongs(paths);
  EXPECT_TRUE(Lost(kNoneTicked).empty());
  EXPECT_TRUE(Lost(kAllTicked).empty());
}

// A stick that is not plugged in: its mount point is not a volume now, and a file below it is
// on no ready volume, whether the system lists the place or only its media folder holds it.
TEST_F(LostCountTest, ASongOfAStickThatIsNotPluggedInFollowsTheRemovableBox) {
  AddSongs({"/media/host/OLD/a.kar", "/media/host/GONE/b.kar", "/run/media/host/X/c.kar"});
  EXPECT_TRUE(Lost(kAllTicked).empty());
  const std::vector<LostSong> lost = Lost(kNoneTicked);
  ASSERT_EQ(lost.size(), 3u);
  for (const LostSong& song : lost) EXPECT_EQ(song.reason, LostReason::VolumeNotReady);
  EXPECT_EQ(m_volumes.ReadyQuestions(), 0);
}

TEST_F(LostCountTest, WindowsPathsAreLostWhateverTheBoxesSay) {
  AddSongs({"D:\\Karaoke\\a.kar", "\\\\server\\share\\b.kar", "c:\\c.kar", "/songs/d.kar"});
  m_files.AddFile("/songs/d.kar");
  const std::vector<LostSong> lost = Lost(kAllTicked);
  ASSERT_EQ(lost.size(), 3u);
  for (const LostSong& song : lost) EXPECT_EQ(song.reason, LostReason::WindowsPath);
  EXPECT_EQ(lost[0].song->Record().FileName(), "D:\\Karaoke\\a.kar");
}

TEST(WindowsPath, IsADriveLetterOrTwoBackslashes) {
  const std::pair<const char*, bool> cases[] = {
      {"D:\\Karaoke\\a.kar", true}, {"d:a.kar", true},
      {"\\\\srv\\s\\a.kar", true},  {"/home/host/a.kar", false},
      {"\\single\\a.kar", false},   {"1:\\a.kar", false},
      {"songs/a.kar", false},       {"", false}};
  for (const auto& [path, windows] : cases) EXPECT_EQ(IsWindowsPath(path), windows) << path;
}

// Thousands of songs on a volume that does not answer cost one question, and none of their
// files is looked at (each look could hang).
TEST_F(LostCountTest, ReadinessIsAskedOncePerVolumeAndADeadVolumesFilesAreNotLookedAt) {
  std::vector<std::string> paths;
  for (int i = 0; i < 500; ++i) {
    paths.push_back("/mnt/nas/folder" + std::to_string(i % 7) + "/" + std::to_string(i) + ".kar");
    paths.push_back("/songs/" + std::to_string(i % 3) + "/" + std::to_string(i) + ".kar");
  }
  AddSongs(paths);
  m_volumes.SetReady("/mnt/nas", false);
  const int infoBefore = m_files.Calls(test::FakeFileSystem::Op::Info);
  const std::vector<LostSong> lost = Lost(kNoneTicked);
  EXPECT_EQ(lost.size(), 1000u);
  EXPECT_EQ(m_volumes.ReadyQuestions(), 2);
  EXPECT_EQ(m_files.Calls(test::FakeFileSystem::Op::Info) - infoBefore, 500);
  // Another count asks again.
  Lost(kNoneTicked);
  EXPECT_EQ(m_volumes.ReadyQuestions(), 4);
}

TEST(LostReason, Names) {
  EXPECT_EQ(LostReasonName(LostReason::Missing), "missing");
  EXPECT_EQ(LostReasonName(LostReason::VolumeNotReady), "volume not ready");
  EXPECT_EQ(LostReasonName(LostReason::WindowsPath), "Windows path");
}

}  // namespace
}  // namespace tunedex
