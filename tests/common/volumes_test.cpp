// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/volumes.h"

#include <gtest/gtest.h>

namespace tunedex {
namespace {

TEST(VolumeHoldingTest, LongestMountPointAtAFolderBoundary) {
  std::vector<Volume> volumes;
  for (const char* place : {"/", "/media/host/SONGS", "/mnt/nas/", "/media/host/SONGS"}) {
    Volume volume;
    volume.mountPoint = place;
    volume.label = std::to_string(volumes.size());
    volumes.push_back(volume);
  }
  const struct {
    const char* path;
    const char* label;
  } cases[] = {
      {"/home/a.kar", "0"},
      {"/media/host/SONGS", "3"},  // stacked: the last mount hides the first
      {"/media/host/SONGS/pop/a.kar", "3"},
      {"/media/host/SONGSTER/a.kar", "0"},
      {"/mnt/nas/a.kar", "2"},
      {"/mnt/nas", "2"},
  };
  for (const auto& c : cases) {
    const std::optional<Volume> volume = VolumeHolding(volumes, c.path);
    ASSERT_TRUE(volume) << c.path;
    EXPECT_EQ(volume->label, c.label) << c.path;
  }
  EXPECT_FALSE(VolumeHolding({}, "/a"));
  EXPECT_FALSE(VolumeHolding({volumes[1]}, "relative/a.kar"));
}

}  // namespace
}  // namespace tunedex

namespace tunedex {
namespace {

// Only volumes songs may be kept on are offered: the system's own RAM and image mounts are not.
TEST(SongVolumesTest, TheSystemsOwnMountsAreLeftOut) {
  const auto volume = [](std::string mountPoint, std::string fileSystem, VolumeKind kind) {
    Volume made;
    made.mountPoint = std::move(mountPoint);
    made.fileSystem = std::move(fileSystem);
    made.kind = kind;
    return made;
  };
  const std::vector<Volume> mounted = {
      volume("/", "overlay", VolumeKind::Fixed),
      volume("/dev/shm", "tmpfs", VolumeKind::Ram),
      volume("/run", "tmpfs", VolumeKind::Ram),
      volume("/run/user/1000", "tmpfs", VolumeKind::Ram),
      volume("/tmp", "tmpfs", VolumeKind::Ram),
      volume("/snap/core/1", "squashfs", VolumeKind::Fixed),
      volume("/home", "ext4", VolumeKind::Fixed),
      volume("/run/media/ann/SONGS", "vfat", VolumeKind::Removable),
      volume("/mnt/ramdisk", "tmpfs", VolumeKind::Ram),
      volume("/srv/karaoke", "nfs4", VolumeKind::Remote),
  };
  std::vector<std::string> kept;
  for (const Volume& each : SongVolumes(mounted)) kept.push_back(each.mountPoint);
  EXPECT_EQ(kept, (std::vector<std::string>{"/", "/home", "/run/media/ann/SONGS", "/mnt/ramdisk",
                                            "/srv/karaoke"}));
  EXPECT_EQ(VolumeKindName(VolumeKind::Remote), "remote");
}

}  // namespace
}  // namespace tunedex
