// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/volumes.h"

namespace tunedex {

std::optional<Volume> Volumes::VolumeOf(const std::string& path) {
  return VolumeHolding(Mounted(), path);
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
