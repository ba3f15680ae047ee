// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linuxvolumes.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <future>
#include <thread>

#include "platform/boundedcall.h"
#include "support/tempfolder.h"

namespace tunedex {
namespace {

namespace fs = std::filesystem;

// Lines as the kernel writes them: optional fields before "-", octal escapes in paths.
constexpr std::string_view kMountInfo =
    "22 1 0:21 / /proc rw,nosuid,nodev,noexec,relatime shared:12 - proc proc rw\n"
    "23 1 0:22 / /sys rw,nosuid shared:2 - sysfs sysfs rw\n"
    "26 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw,errors=remount-ro\n"
    "27 26 0:5 / /dev rw,nosuid shared:2 - devtmpfs udev rw,size=8G\n"
    "28 27 0:26 / /dev/pts rw shared:3 - devpts devpts rw,gid=5\n"
    "29 26 0:27 / /run rw,nosuid,nodev shared:5 - tmpfs tmpfs rw,size=1G\n"
    "30 26 0:28 / /sys/fs/cgroup rw - cgroup2 cgroup2 rw\n"
    "31 29 8:17 / /media/host/MY\\040SONGS rw shared:7 - vfat /dev/sdb1 rw,uid=1000\n"
    "32 26 0:45 / /mnt/karaoke rw shared:8 master:3 - nfs4 server:/export/karaoke rw,vers=4.2\n"
    "33 26 11:0 / /media/cdrom0 ro - iso9660 /dev/sr0 ro\n"
    "34 26 0:46 / /mnt/stack rw - ext4 /dev/sdc1 rw\n"
    "35 26 0:47 / /mnt/stack rw - fuse.sshfs host:/music rw\n"
    "36 26 0:48 / /mnt/broken rw no-dash-here\n";

TEST(MountTableTest, ListsRealVolumesWithTheirKinds) {
  const std::vector<Volume> volumes = ParseMountInfo(kMountInfo);
  std::vector<std::string> lines;
  for (const Volume& volume : volumes) {
    lines.push_back(volume.mountPoint + "|" + volume.fileSystem + "|" + volume.device + "|" +
                    std::to_string(static_cast<int>(volume.kind)));
  }
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "/|ext4|/dev/sda2|0",
                       "/run|tmpfs|tmpfs|4",
                       "/media/host/MY SONGS|vfat|/dev/sdb1|0",
                       "/mnt/karaoke|nfs4|server:/export/karaoke|3",
                       "/media/cdrom0|iso9660|/dev/sr0|2",
                       "/mnt/stack|fuse.sshfs|host:/music|3",
                   }));
}

TEST(MountTableTest, KindsFromFileSystemTypes) {
  const std::pair<const char*, VolumeKind> cases[] = {
      {"nfs", VolumeKind::Remote},    {"cifs", VolumeKind::Remote},
      {"smb3", VolumeKind::Remote},   {"fuse.sshfs", VolumeKind::Remote},
      {"tmpfs", VolumeKind::Ram},     {"ramfs", VolumeKind::Ram},
      {"udf", VolumeKind::Optical},   {"udf,iso9660", VolumeKind::Optical},
      {"ext4", VolumeKind::Fixed},    {"vfat", VolumeKind::Fixed},
      {"fuseblk", VolumeKind::Fixed},
  };
  for (const auto& [type, kind] : cases) EXPECT_EQ(KindOfFileSystem(type), kind) << type;
}

TEST(MountTableTest, DecodesEscapes) {
  EXPECT_EQ(DecodeMountField("/a\\040b\\011c\\134d"), "/a b\tc\\d");
  EXPECT_EQ(DecodeMountField("/end\\04"), "/end\\04") << "a cut escape stays as it is";
  EXPECT_EQ(DecodeMountField("/x\\089"), "/x\\089") << "8 and 9 are not octal";
  EXPECT_EQ(DecodeUdevName("MY\\x20SONGS\\x2f1"), "MY SONGS/1");
  EXPECT_EQ(DecodeUdevName("A\\xZZ"), "A\\xZZ");
}

TEST(MountTableTest, FstabPlacesWithoutSwapOrPseudoFileSystems) {
  const std::vector<Volume> volumes = ParseFstab(
      "# <file system> <mount point> <type> <options> <dump> <pass>\n"
      "UUID=1234-abcd  /  ext4  errors=remount-ro 0 1\n"
      "UUID=99 none swap sw 0 0\n"
      "proc /proc proc defaults 0 0\n"
      "\n"
      "   /dev/sr0 /media/cdrom0 udf,iso9660 user,noauto 0 0   # the drive\n"
      "LABEL=Karaoke\\040Disk /srv/karaoke\\040disk ext4 noauto 0 2\n"
      "//nas/songs /mnt/nas cifs credentials=/etc/nas 0 0\n"
      "broken-line\n");
  ASSERT_EQ(volumes.size(), 4u);
  EXPECT_EQ(volumes[0].mountPoint, "/");
  EXPECT_EQ(volumes[1].mountPoint, "/media/cdrom0");
  EXPECT_EQ(volumes[1].kind, VolumeKind::Optical);
  EXPECT_EQ(volumes[2].mountPoint, "/srv/karaoke disk");
  EXPECT_EQ(volumes[2].label, "Karaoke Disk");
  EXPECT_EQ(volumes[3].kind, VolumeKind::Remote);
  for (const Volume& volume : volumes) EXPECT_FALSE(volume.mounted);
}

// A system's files made in a temporary folder: the mount table, fstab, udev's label links and
// the block devices' removable flags.
class LinuxVolumesTest : public testing::Test {
 protected:
  void SetUp() override {
    const std::string dev = m_root.PathOf("dev");
    fs::create_directories(dev);
    fs::create_directories(m_root.PathOf("by-label"));
    fs::create_directories(m_root.PathOf("block/sdb/sdb1"));
    fs::create_directories(m_root.PathOf("block/sda/sda2"));
    m_root.Write("dev/sdb1", "");
    m_root.Write("dev/sda2", "");
    fs::create_directory_symlink(m_root.PathOf("block/sdb/sdb1"), m_root.PathOf("block/sdb1"));
    fs::create_directory_symlink(m_root.PathOf("block/sda/sda2"), m_root.PathOf("block/sda2"));
    m_root.Write("block/sdb/removable", "1\n");
    m_root.Write("block/sda/removable", "0\n");
    fs::create_symlink("../dev/sdb1", m_root.PathOf("by-label/MY\\x20SONGS"));
    m_root.Write("mountinfo", "26 1 8:2 / / rw - ext4 " + dev +
                                  "/sda2 rw\n"
                                  "27 26 0:5 / /proc rw - proc proc rw\n"
                                  "31 26 8:17 / " +
                                  m_root.PathOf("media/host/stick") + " rw - vfat " + dev +
                                  "/sdb1 rw\n"
                                  "32 26 0:45 / /mnt/karaoke rw - nfs4 server:/karaoke rw\n");
    m_root.Write("fstab",
                 "UUID=1 / ext4 defaults 0 1\n"
                 "/dev/sr0 /media/cdrom0 udf,iso9660 user,noauto 0 0\n"
                 "server:/karaoke /mnt/karaoke nfs4 defaults 0 0\n");
    fs::create_directories(m_root.PathOf("media/host/stick"));
    fs::create_directories(m_root.PathOf("media/host/OLD CARD"));
    m_sources.mountInfo = m_root.PathOf("mountinfo");
    m_sources.fstab = m_root.PathOf("fstab");
    m_sources.labelFolder = m_root.PathOf("by-label");
    m_sources.blockFolder = m_root.PathOf("block");
    m_sources.mediaFolders = {m_root.PathOf("media/host"), m_root.PathOf("no-such-folder")};
  }

  test::TempFolder m_root;
  VolumeSources m_sources;
};

TEST_F(LinuxVolumesTest, LabelsFromUdevLinksElseTheMountPointAndRemovableFromTheDisk) {
  LinuxVolumes volumes(m_sources, [](const std::string&) { return true; });
  const std::vector<Volume> mounted = volumes.Mounted();
  ASSERT_EQ(mounted.size(), 3u);
  EXPECT_EQ(mounted[0].label, "/");
  EXPECT_EQ(mounted[0].kind, VolumeKind::Fixed);
  EXPECT_EQ(mounted[1].label, "MY SONGS");
  EXPECT_EQ(mounted[1].kind, VolumeKind::Removable);
  EXPECT_EQ(mounted[2].label, "karaoke");
  EXPECT_EQ(mounted[2].kind, VolumeKind::Remote);

  const std::optional<Volume> holder = volumes.VolumeOf(m_root.PathOf("media/host/stick/a.kar"));
  ASSERT_TRUE(holder);
  EXPECT_EQ(holder->label, "MY SONGS");
  EXPECT_EQ(volumes.VolumeOf(m_root.PathOf("media/host/sticky/a.kar"))->mountPoint, "/");
}

TEST_F(LinuxVolumesTest, KnownPlacesThatHoldNoVolumeNow) {
  LinuxVolumes volumes(m_sources, [](const std::string&) { return true; });
  std::vector<std::string> places;
  for (const Volume& volume : volumes.KnownUnmounted()) {
    places.push_back(volume.mountPoint + "|" + volume.label + "|" +
                     std::to_string(static_cast<int>(volume.kind)) +
                     (volume.mounted ? "|mounted" : ""));
  }
  EXPECT_EQ(places,
            (std::vector<std::string>{"/media/cdrom0|cdrom0|2",
                                      m_root.PathOf("media/host/OLD CARD") + "|OLD CARD|1"}))
      << "the stick is mounted, the card's folder holds nothing";
}

TEST_F(LinuxVolumesTest, AHungVolumeIsNotReadyWithinTheBoundAndIsNotAskedTwice) {
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  auto calls = std::make_shared<std::atomic<int>>(0);
  LinuxVolumes volumes(
      m_sources,
      [released, calls](const std::string& mountPoint) {
        ++*calls;
        if (mountPoint == "/mnt/karaoke") released.wait();  // a server that never answers
        return true;
      },
      std::chrono::milliseconds(100));
  Volume server;
  server.mountPoint = "/mnt/karaoke";
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(volumes.IsReady(server));
  EXPECT_FALSE(volumes.IsReady(server)) << "still stuck: answered without a second probe";
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5))
      << "the answer never waits for the probe";
  EXPECT_EQ(*calls, 1);

  Volume stick;
  stick.mountPoint = m_root.PathOf("media/host/stick");
  EXPECT_TRUE(volumes.IsReady(stick));
  Volume cdrom;
  cdrom.mountPoint = "/media/cdrom0";
  EXPECT_FALSE(volumes.IsReady(cdrom)) << "not mounted";
  EXPECT_EQ(*calls, 2);

  release.set_value();
  // Once the stuck probe came back, the volume is asked again.
  for (int i = 0; i < 200 && !volumes.IsReady(server); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(volumes.IsReady(server));
}

TEST(AnswerWithinTest, AnswersInTimeOrNotAtAll) {
  EXPECT_EQ(AnswerWithin([] { return true; }, std::chrono::seconds(5)), std::optional<bool>(true));
  EXPECT_EQ(AnswerWithin([] { return false; }, std::chrono::seconds(5)),
            std::optional<bool>(false));
  EXPECT_EQ(AnswerWithin([]() -> bool { throw std::runtime_error("probe failed"); },
                         std::chrono::seconds(5)),
            std::optional<bool>(false));
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  EXPECT_EQ(AnswerWithin(
                [released] {
                  released.wait();
                  return true;
                },
                std::chrono::milliseconds(50)),
            std::nullopt);
  release.set_value();
}

}  // namespace
}  // namespace tunedex
