// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/volumes.h"

namespace tunedex {

std::optional<Volume> Volumes::VolumeOf(const std::string& path) {
  return VolumeHolding(Mounted(), path);
}

std::vector<Volume> SongVolumes(const std::vector<Volume>& mounted) {
  constexpr std::string_view kSystemFolders[] = {"/dev", "/run", "/proc", "/sys", "/tmp"};
  const auto isSystemFolder = [&](std::string_view mountPoint) {
    for (std::string_view folder : kSystemFolders) {
      if (mountPoint == folder ||
          (mountPoint.starts_with(folder) && mountPoint[folder.size()] == '/')) {
        // Removable media mount under /run/media/USER, and they are songs' volumes.
        return !mountPoint.starts_with("/run/media/");
      }
    }
    return false;
  };
  std::vector<Volume> volumes;
  for (const Volume& volume : mounted) {
    if (volume.mountPoint != "/") {
      if (volume.fileSystem == "overlay" || volume.fileSystem == "squashfs") continue;
      if (volume.kind == VolumeKind::Ram && isSystemFolder(volume.mountPoint)) continue;
    }
    volumes.push_back(volume);
  }
  return volumes;
}

std::string_view VolumeKindName(VolumeKind kind) {
  switch (kind) {
    case VolumeKind::Fixed:
      return "fixed";
    case VolumeKind::Removable:
      return "removable";
    case VolumeKind::Optical:
      return "optical";
    case VolumeKind::Remote:
      return "remote";
    case VolumeKind::Ram:
      break;
  }
  return "ram";
}

std::optional<Volume> VolumeHolding(const std::vector<Volume>& volumes, std::string_view path) {
  const Volume* best = nullptr;
  std::size_t bestLength = 0;
  for (const Volume& volume : volumes) {
    std::string_view mount = volume.mountPoint;
    while (mount.size() > 1 && mount.back() == '/') mount.remove_suffix(1);
    const bool holds = path.starts_with(mount) &&
                       (mount == "/" || path.size() == mount.size() || path[mount.size()] == '/');
    if (holds && (!best || mount.size() >= bestLength)) {
      best = &volume;
      bestLength = mount.size();
    }
  }
  if (!best) return std::nullopt;
  return *best;
}

}  // namespace tunedex
