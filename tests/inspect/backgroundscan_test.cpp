// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/backgroundscan.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "inspect/scanstart.h"
#include "platform/giofilesystem.h"
#include "support/fakevolumes.h"
#include "support/gatedfilesystem.h"
#include "support/songfilebuilders.h"
#include "support/tempfolder.h"

namespace tunedex {
namespace {

using namespace std::chrono_literals;

Volume MountedAt(std::string mountPoint, VolumeKind kind = VolumeKind::Fixed,
                 std::string fileSystem = "ext4") {
  Volume volume;
  volume.mountPoint = std::move(mountPoint);
  volume.kind = kind;
  volume.fileSystem = std::move(fileSystem);
  return volume;
}

std::vector<std::string> Folders(const std::vector<tScanRoot>& roots) {
  std::vector<std::string> folders;
  for (const tScanRoot& root : roots) folders.push_back(root.folder);
  return folders;
}

TEST(PlanScanRootsTest, TheComputerIsEveryVolumeInMountPointOrderEachWithoutTheOthers) {
  const std::vector<Volume> mounted = {
      MountedAt("/"),
      MountedAt("/proc", VolumeKind::Ram, "proc"),
      MountedAt("/media/host/STICK", VolumeKind::Removable, "vfat"),
      MountedAt("/home"),
      MountedAt("/media/host/STICK/inner", VolumeKind::Removable, "vfat"),
      MountedAt("/mnt/server", VolumeKind::Remote, "nfs4"),
  };
  const std::vector<tScanRoot> roots = PlanScanRoots(tScanStart::Computer(), mounted);
  ASSERT_EQ(Folders(roots), (std::vector<std::string>{"/", "/home", "/media/host/STICK",
                                                      "/media/host/STICK/inner", "/mnt/server"}))
      << "system file systems are not volumes of the Computer node";
  EXPECT_EQ(roots[0].announcement, "Searching drive / for songs");
  EXPECT_EQ(roots[2].announcement, "Searching drive /media/host/STICK for songs");
  EXPECT_EQ(roots[0].notEntered,
            (std::vector<std::string>{"/home", "/media/host/STICK", "/media/host/STICK/inner",
                                      "/mnt/server", "/proc"}));
  EXPECT_EQ(roots[2].notEntered, (std::vector<std::string>{"/media/host/STICK/inner"}));
  EXPECT_TRUE(roots[1].notEntered.empty());
  for (const tScanRoot& root : roots) {
    EXPECT_TRUE(root.volume) << root.folder;
    EXPECT_TRUE(root.crossInto.empty()) << "each volume is walked on its own device only";
  }
}

TEST(PlanScanRootsTest, AVolumeMountedOverAnotherIsWalkedOnce) {
  const std::vector<tScanRoot> roots =
      PlanScanRoots(tScanStart::Computer(), {MountedAt("/"), MountedAt("/data", VolumeKind::Fixed),
                                             MountedAt("/data", VolumeKind::Remote, "nfs")});
  ASSERT_EQ(Folders(roots), (std::vector<std::string>{"/", "/data"}));
  EXPECT_EQ(roots[1].volume->kind, VolumeKind::Remote) << "the last mounted hides the others";
}

TEST(PlanScanRootsTest, AFolderEntersSongVolumesBelowItButNotSystemOnes) {
  const std::vector<Volume> mounted = {MountedAt("/"), MountedAt("/proc", VolumeKind::Ram, "proc"),
                                       MountedAt("/media/STICK", VolumeKind::Removable, "vfat")};
  struct Case {
    std::string folder;
    std::string walked;
    std::vector<std::string> notEntered;
    std::vector<std::string> crossInto;
  };
  const Case cases[] = {
      {"/", "/", {"/proc"}, {"/media/STICK"}},
      {"/media/", "/media", {}, {"/media/STICK"}},
      {"/proc", "/proc", {}, {}},  // chosen as a folder, it is walked
  };
  for (const Case& c : cases) {
    const std::vector<tScanRoot> roots = PlanScanRoots(tScanStart::Folder(c.folder), mounted);
    ASSERT_EQ(roots.size(), 1u) << c.folder;
    EXPECT_EQ(roots[0].folder, c.walked);
    EXPECT_EQ(roots[0].announcement, "Searching folder " + c.folder + " for songs");
    EXPECT_EQ(roots[0].notEntered, c.notEntered) << c.folder;
    EXPECT_EQ(roots[0].crossInto, c.crossInto) << c.folder;
    EXPECT_FALSE(roots[0].volume) << "a folder is walked without asking its volume";
  }
  EXPECT_TRUE(PlanScanRoots(tScanStart{}, mounted).empty()) << "a node without a folder";
}

// Real folders stand in for volumes: the fake volumes are mounted at folders of a temporary
// tree, one of them inside another.
class BackgroundScanTest : public testing::Test {
 protected:
  void SetUp() override {
    namespace fs = std::filesystem;
    for (const char* folder : {"disk/media/stick/deep", "disk/songs", "dead"}) {
      fs::create_directories(m_folder.PathOf(folder));
    }
    m_folder.Write("disk/songs/one.kar", test::MidiFile({{1, "@KMIDI KARAOKE FILE"}}));
    m_folder.Write("disk/songs/two.mp3", test::Id3v2File({{"TIT2", "two"}}));
    m_folder.Write("disk/media/stick/three.kar", test::MidiFile({{3, "three"}}));
    m_folder.Write("disk/media/stick/deep/four.mid", test::MidiFile({{3, "four"}}));
    m_folder.Write("dead/five.kar", test::MidiFile({{3, "five"}}));
    m_volumes->Mount(MountedAt(m_folder.PathOf("disk")));
    m_volumes->Mount(MountedAt(m_folder.PathOf("disk/media/stick"), VolumeKind::Removable));
    m_volumes->Mount(MountedAt(m_folder.PathOf("dead"), VolumeKind::Remote));
    m_volumes->SetReady(m_folder.PathOf("dead"), false);
  }

  // Polls until the scan has ended, gathering every batch.
  tScanBatch RunToEnd(tBackgroundScan& scan) {
    tScanBatch all;
    std::vector<std::string> announcements;
    for (;;) {
      tScanBatch batch = scan.TakeBatch();
      for (ScanResult& result : batch.results) all.results.push_back(std::move(result));
      for (ScanProblem& problem : batch.problems) all.problems.push_back(std::move(problem));
      for (std::string& text : batch.announcements) m_announcements.push_back(std::move(text));
      if (batch.finished) break;
      std::this_thread::sleep_for(1ms);
    }
    return all;
  }

  static std::vector<std::string> Names(const tScanBatch& batch) {
    std::vector<std::string> names;
    for (const ScanResult& result : batch.results) names.push_back(result.name);
    return names;
  }

  test::TempFolder m_folder;
  std::shared_ptr<GioFileSystem> m_disk = std::make_shared<GioFileSystem>();
  std::shared_ptr<test::FakeVolumes> m_volumes = std::make_shared<test::FakeVolumes>();
  std::vector<std::string> m_announcements;
};

TEST_F(BackgroundScanTest, TheComputerWalksEachReadyVolumeOnceOnItsOwn) {
  tBackgroundScan scan({m_disk, m_volumes}, ScanPatternText(kScanAllTypes), tScanStart::Computer());
  const tScanBatch found = RunToEnd(scan);
  // Depth first, the last-found subfolder first; within a volume the walk order, volume by
  // volume in mount-point order.
  std::vector<std::string> names = Names(found);
  ASSERT_EQ(names.size(), 4u) << "the stick's songs are found once, the dead volume's never";
  std::sort(names.begin(), names.begin() + 2);
  std::sort(names.begin() + 2, names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"one.kar", "two.mp3", "four.mid", "three.kar"}));
  EXPECT_EQ(m_announcements,
            (std::vector<std::string>{
                "Searching drive " + m_folder.PathOf("disk") + " for songs",
                "Searching drive " + m_folder.PathOf("disk/media/stick") + " for songs"}))
      << "a volume that does not answer is passed over without a word";
  EXPECT_TRUE(found.problems.empty());
  EXPECT_EQ(m_volumes->ReadyQuestions(), 3);
}

TEST_F(BackgroundScanTest, AFolderIsWalkedWholeAndFindsOnlyTheChosenTypes) {
  tBackgroundScan scan({m_disk, m_volumes}, ScanPatternText(kScanKar),
                       tScanStart::Folder(m_folder.PathOf("disk")));
  std::vector<std::string> names = Names(RunToEnd(scan));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"one.kar", "three.kar"}))
      << "a song volume mounted below the folder is entered";
  EXPECT_EQ(m_announcements, (std::vector<std::string>{"Searching folder " +
                                                       m_folder.PathOf("disk") + " for songs"}));
}

TEST_F(BackgroundScanTest, FoldersAndFilesThatCannotBeReadAreProblemsNobodyIsAsked) {
  auto gated = std::make_shared<test::GatedFileSystem>(m_disk);
  gated->FailListing(m_folder.PathOf("disk/media/stick/deep"), "Input/output error");
  const std::string damaged = m_folder.Write("disk/songs/bad.wma", test::WmaFile({}).substr(0, 70));
  tBackgroundScan scan({gated, m_volumes}, ScanPatternText(kScanAllTypes),
                       tScanStart::Folder(m_folder.PathOf("disk")));
  const tScanBatch found = RunToEnd(scan);
  ASSERT_EQ(found.problems.size(), 2u);
  const auto& [file, folder] =
      std::pair(found.problems[0].isFolder ? found.problems[1] : found.problems[0],
                found.problems[0].isFolder ? found.problems[0] : found.problems[1]);
  EXPECT_EQ(file.path, damaged);
  EXPECT_EQ(file.reason, "It may be corrupted or be in an unknown format.");
  EXPECT_EQ(folder.path, m_folder.PathOf("disk/media/stick/deep"));
  EXPECT_EQ(folder.reason, "Input/output error");
  EXPECT_EQ(Names(found).size(), 4u) << "the damaged file is listed with what could be read";
}

TEST_F(BackgroundScanTest, StopLeavesAWalkStuckInACallThatNeverReturns) {
  auto gated = std::make_shared<test::GatedFileSystem>(m_disk);
  const std::string stuck = m_folder.PathOf("disk/media/stick");
  gated->HangListing(stuck);
  auto scan = std::make_unique<tBackgroundScan>(tBackgroundScan::Services{gated, m_volumes},
                                                ScanPatternText(kScanAllTypes),
                                                tScanStart::Folder(m_folder.PathOf("disk")));
  ASSERT_TRUE(gated->WaitUntilHanging(10s));
  EXPECT_EQ(scan->Stop(), stuck) << "the folder that does not answer is named";
  EXPECT_TRUE(scan->Abandoned());
  const tScanBatch after = scan->TakeBatch();
  EXPECT_TRUE(after.finished);
  EXPECT_TRUE(after.results.empty()) << "whatever the walk finds later is dropped";
  scan.reset();  // the wizard may go while the walk still hangs
  EXPECT_TRUE(gated->Release(10s));
}

TEST_F(BackgroundScanTest, StopEndsAWalkThatAnswersAndKeepsWhatItFound) {
  tBackgroundScan scan({m_disk, m_volumes}, ScanPatternText(kScanAllTypes), tScanStart::Computer());
  while (scan.TakeBatch().results.empty()) std::this_thread::sleep_for(1ms);
  EXPECT_EQ(scan.Stop(), std::nullopt);
  EXPECT_FALSE(scan.Abandoned());
  EXPECT_TRUE(scan.TakeBatch().finished);
}

}  // namespace
}  // namespace tunedex
