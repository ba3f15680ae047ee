// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/foldertreerules.h"

#include <algorithm>
#include <utility>

#include "common/collation.h"

namespace tunedex {
namespace {

std::string_view LastPart(std::string_view path) {
  while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// Sorted by caption, equal captions by path, so the order does not depend on the mount table's.
void SortByCaption(std::vector<FolderPlace>& places) {
  std::vector<std::pair<std::string, FolderPlace>> keyed;
  keyed.reserve(places.size());
  for (FolderPlace& place : places) keyed.emplace_back(FolderSortKey(place.caption), place);
  std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first < b.first : a.second.path < b.second.path;
  });
  places.clear();
  for (auto& [key, place] : keyed) places.push_back(std::move(place));
}

FolderPlace PlaceOf(const Volume& volume) {
  return {VolumeCaption(volume), PlaceRoot(volume.mountPoint), volume.kind};
}

// Whether folder (a normal path) is root or lies below it; root may end in "/".
bool Holds(std::string_view root, std::string_view folder) {
  while (root.size() > 1 && root.back() == '/') root.remove_suffix(1);
  if (root == "/") return true;
  return folder.starts_with(root) && (folder.size() == root.size() || folder[root.size()] == '/');
}

// The deepest place holding folder, or nothing.
const FolderPlace* Deepest(const std::vector<FolderPlace>& places, std::string_view folder) {
  const FolderPlace* best = nullptr;
  for (const FolderPlace& place : places) {
    if (Holds(place.path, folder) && (!best || place.path.size() > best->path.size())) {
      best = &place;
    }
  }
  return best;
}

// The steps below base down to folder (which base holds), each a child of the one before.
std::vector<std::string> StepsBelow(std::string base, std::string_view folder) {
  std::vector<std::string> steps;
  std::string_view rest = folder.substr(std::min(folder.size(), NormalFolderPath(base).size()));
  while (!rest.empty()) {
    if (rest.front() == '/') {
      rest.remove_prefix(1);
      continue;
    }
    const std::size_t slash = rest.find('/');
    const std::string_view name = rest.substr(0, slash);
    base = ChildPath(base, name);
    steps.push_back(base);
    rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash);
  }
  return steps;
}

}  // namespace

std::string PlaceRoot(std::string_view mountPoint) {
  std::string root(mountPoint);
  if (root.empty() || root.back() != '/') root += '/';
  return root;
}

std::string ChildPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (path.empty() || path.back() != '/') path += '/';
  path += name;
  return path;
}

std::string NormalFolderPath(std::string_view path) {
  if (!path.starts_with('/')) return {};
  std::vector<std::string_view> parts;
  while (!path.empty()) {
    const std::size_t slash = path.find('/');
    const std::string_view part = path.substr(0, slash);
    path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  std::string normal;
  for (std::string_view part : parts) {
    normal += '/';
    normal += part;
  }
  return normal.empty() ? "/" : normal;
}

std::string VolumeCaption(const Volume& volume) {
  if (!volume.label.empty()) return volume.label;
  const std::string_view last = LastPart(volume.mountPoint);
  if (!last.empty() && last != "/") return std::string(last);
  return volume.mountPoint.empty() ? "/" : volume.mountPoint;
}

std::string NetworkMountCaption(std::string_view name) {
  // "TYPE:key=value,key=value", the values percent-escaped by the desktop.
  const std::size_t colon = name.find(':');
  if (colon == std::string_view::npos) return std::string(name);
  std::string server;
  std::string share;
  std::string_view rest = name.substr(colon + 1);
  while (!rest.empty()) {
    const std::size_t comma = rest.find(',');
    const std::string_view pair = rest.substr(0, comma);
    rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    const std::size_t equals = pair.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view key = pair.substr(0, equals);
    const std::string_view value = pair.substr(equals + 1);
    if (key == "server" || key == "host") server = value;
    if (key == "share" || key == "volume") share = value;
  }
  if (server.empty()) return std::string(name);
  return share.empty() ? server : share + " on " + server;
}

std::vector<FolderPlace> ComputerPlaces(const std::vector<Volume>& mounted) {
  std::vector<FolderPlace> places;
  std::optional<FolderPlace> root;
  for (const Volume& volume : SongVolumes(mounted)) {
    FolderPlace place = PlaceOf(volume);
    // Of volumes mounted at one place only the last is seen.
    std::erase_if(places, [&](const FolderPlace& known) { return known.path == place.path; });
    if (place.path == "/") {
      root = std::move(place);
    } else {
      places.push_back(std::move(place));
    }
  }
  SortByCaption(places);
  if (root) places.insert(places.begin(), std::move(*root));
  return places;
}

std::vector<FolderPlace> NetworkPlaces(const std::vector<Volume>& mounted,
                                       const std::string& gvfsRoot,
                                       const std::vector<std::string>& gvfs) {
  std::vector<FolderPlace> places;
  for (const FolderPlace& place : ComputerPlaces(mounted)) {
    if (place.kind == VolumeKind::Remote) places.push_back(place);
  }
  if (!gvfsRoot.empty()) {
    for (const std::string& name : gvfs) {
      if (name.empty() || name.front() == '.') continue;
      places.push_back(
          {NetworkMountCaption(name), PlaceRoot(ChildPath(gvfsRoot, name)), VolumeKind::Remote});
    }
  }
  SortByCaption(places);
  return places;
}

std::string FolderSortKey(std::string_view caption) {
  return UserSortKey(caption);
}

std::vector<std::string> SubfolderNames(FolderListing listing) {
  std::vector<std::pair<std::string, std::string>> keyed;
  for (FolderEntry& entry : listing.entries) {
    if (!entry.isFolder || entry.name.empty() || entry.name.front() == '.') continue;
    keyed.emplace_back(FolderSortKey(entry.name), std::move(entry.name));
  }
  std::sort(keyed.begin(), keyed.end());
  std::vector<std::string> names;
  names.reserve(keyed.size());
  for (auto& [key, name] : keyed) names.push_back(std::move(name));
  return names;
}

std::optional<FolderRoute> RouteOf(std::string_view path, std::string_view home,
                                   const std::vector<FolderPlace>& computer,
                                   const std::vector<FolderPlace>& network) {
  const std::string folder = NormalFolderPath(path);
  if (folder.empty()) return std::nullopt;
  const std::string homeFolder = NormalFolderPath(home);
  if (!homeFolder.empty() && Holds(homeFolder, folder)) {
    return FolderRoute{FolderTop::Home, StepsBelow(homeFolder, folder)};
  }
  const FolderPlace* local = Deepest(computer, folder);
  const FolderPlace* remote = Deepest(network, folder);
  if (remote && (!local || remote->path.size() > local->path.size())) {
    FolderRoute route{FolderTop::Network, {remote->path}};
    for (std::string& step : StepsBelow(remote->path, folder)) route.steps.push_back(step);
    return route;
  }
  if (!local) return std::nullopt;
  FolderRoute route{FolderTop::Computer, {local->path}};
  for (std::string& step : StepsBelow(local->path, folder)) route.steps.push_back(step);
  return route;
}

}  // namespace tunedex
