// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/scanstart.h"

#include <algorithm>
#include <map>
#include <set>
#include <string_view>

namespace tunedex {
namespace {

// Whether path lies inside folder (and is not folder itself).
bool IsBelow(std::string_view path, std::string_view folder) {
  if (folder == "/") return path.size() > 1 && path.front() == '/';
  return path.size() > folder.size() + 1 && path.starts_with(folder) && path[folder.size()] == '/';
}

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::vector<std::string> MountPointsBelow(const std::string& folder,
                                          const std::set<std::string>& mountPoints) {
  std::vector<std::string> below;
  for (const std::string& mountPoint : mountPoints) {
    if (IsBelow(mountPoint, folder)) below.push_back(mountPoint);
  }
  return below;
}

}  // namespace

std::vector<tScanRoot> PlanScanRoots(const tScanStart& start, const std::vector<Volume>& mounted) {
  std::set<std::string> allMountPoints;
  for (const Volume& volume : mounted)
    allMountPoints.insert(WithoutTrailingSlash(volume.mountPoint));
  // By mount point, the last mounted volume of each place.
  std::map<std::string, Volume> songVolumes;
  for (const Volume& volume : SongVolumes(mounted)) {
    songVolumes.insert_or_assign(WithoutTrailingSlash(volume.mountPoint), volume);
  }

  std::vector<tScanRoot> roots;
  switch (start.kind) {
    case tScanStart::Kind::Nothing:
      break;
    case tScanStart::Kind::Folder: {
      if (start.folder.empty()) break;
      tScanRoot root;
      root.folder = WithoutTrailingSlash(start.folder);
      root.announcement = "Searching folder " + start.folder + " for songs";
      std::set<std::string> systemMountPoints;
      for (const std::string& mountPoint : allMountPoints) {
        if (!songVolumes.contains(mountPoint)) systemMountPoints.insert(mountPoint);
      }
      root.notEntered = MountPointsBelow(root.folder, systemMountPoints);
      std::set<std::string> songMountPoints;
      for (const auto& [mountPoint, volume] : songVolumes) songMountPoints.insert(mountPoint);
      root.crossInto = MountPointsBelow(root.folder, songMountPoints);
      roots.push_back(std::move(root));
      break;
    }
    case tScanStart::Kind::Computer:
      for (const auto& [mountPoint, volume] : songVolumes) {
        tScanRoot root;
        root.folder = mountPoint;
        root.announcement = "Searching drive " + volume.mountPoint + " for songs";
        root.volume = volume;
        root.notEntered = MountPointsBelow(mountPoint, allMountPoints);
        roots.push_back(std::move(root));
      }
      break;
  }
  return roots;
}

}  // namespace tunedex
