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
