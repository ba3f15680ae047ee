// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tunedex {

enum class VolumeKind : std::uint8_t { Fixed, Removable, Optical, Remote, Ram };

struct Volume {
  std::string mountPoint;  // "/media/host/SONGS"
  std::string label;       // the file system's label, else the mount point's last part
  std::string fileSystem;  // "ext4", "vfat", "nfs4", ...
  std::string device;      // "/dev/sdb1", "server:/export", ...
  VolumeKind kind = VolumeKind::Fixed;
  bool mounted = true;  // false for a place the system mounts volumes at, empty now

  bool operator==(const Volume&) const = default;
};

// The drives songs live on.
class Volumes {
 public:
  virtual ~Volumes() = default;

  // The volumes mounted now, in the order they were mounted.
  virtual std::vector<Volume> Mounted() = 0;
  // The places the system knows volumes are mounted at that hold none now.
  virtual std::vector<Volume> KnownUnmounted() = 0;
  // Whether a volume answers (a disc in the drive, a reachable server). Answers within a
  // bound of about two seconds; a volume that does not answer in time is not ready.
  virtual bool IsReady(const Volume& volume) = 0;

  // The mounted volume holding path, or nothing.
  std::optional<Volume> VolumeOf(const std::string& path);
};

// The volume whose mount point is the longest leading part of path (at a "/"); of volumes
// mounted at the same place the last one, which hides the others.
std::optional<Volume> VolumeHolding(const std::vector<Volume>& volumes, std::string_view path);

// The volumes songs may be kept on, as the folder tree and `tunedex-cli volumes` show them: "/"
// and every real file system; the system's own RAM file systems (under /dev, /run, /proc, /sys
// and /tmp), overlay and squashfs mounts are left out.
std::vector<Volume> SongVolumes(const std::vector<Volume>& mounted);

// "fixed", "removable", "optical", "remote" or "ram".
std::string_view VolumeKindName(VolumeKind kind);

}  // namespace tunedex
