// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/lostcount.h"

#include <map>
#include <optional>
#include <string>

namespace tunedex {

std::string_view LostReasonName(LostReason reason) {
  switch (reason) {
    case LostReason::Missing:
      return "missing";
    case LostReason::VolumeNotReady:
      return "volume not ready";
    case LostReason::WindowsPath:
      break;
  }
  return "Windows path";
}

bool LostIgnore::Ignores(VolumeKind kind) const {
  switch (kind) {
    case VolumeKind::Removable:
    case VolumeKind::Optical:
      return removable;
    case VolumeKind::Remote:
      return remote;
    case VolumeKind::Ram:
      return ram;
    case VolumeKind::Fixed:
      break;
  }
  return false;
}

bool IsWindowsPath(std::string_view path) {
  if (path.starts_with("\\\\")) return true;
  const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  return path.size() >= 2 && isLetter(path[0]) && path[1] == ':';
}

namespace {

// The place a removable volume of path would be mounted at when path lies below one of the
// places the desktop mounts them ("/media/USER/NAME", "/run/media/USER/NAME"), else empty.
std::string_view MediaPlace(std::string_view path) {
  for (std::string_view base : {std::string_view("/media/"), std::string_view("/run/media/")}) {
    if (!path.starts_with(base)) continue;
    const std::size_t user = path.find('/', base.size());
    if (user == std::string_view::npos || user == base.size()) return {};
    const std::size_t name = path.find('/', user + 1);
    if (name == std::string_view::npos || name == user + 1) return {};
    return path.substr(0, name);
  }
  return {};
}

// Tells the volume of each song's path and whether it is ready, asking each volume once.
class VolumeReadiness {
 public:
  struct Answer {
    VolumeKind kind = VolumeKind::Fixed;
    bool ready = true;
  };

  explicit VolumeReadiness(Volumes& volumes)
      : m_volumes(volumes), m_mounted(volumes.Mounted()), m_known(volumes.KnownUnmounted()) {}

  Answer Of(std::string_view path) {
    // Songs of one folder follow one another; their volume is the same.
    const std::string_view folder = path.substr(0, path.rfind('/') + 1);
    if (!m_lastFolder.empty() && folder == m_lastFolder) return m_lastAnswer;
    m_lastFolder.assign(folder);
    m_lastAnswer = Resolve(path);
    return m_lastAnswer;
  }

 private:
  Answer Resolve(std::string_view path) {
    const std::optional<Volume> mounted = VolumeHolding(m_mounted, path);
    const std::size_t mountedLength = mounted ? mounted->mountPoint.size() : 0;
    const std::optional<Volume> known = VolumeHolding(m_known, path);
    if (known && known->mountPoint.size() > mountedLength) return {known->kind, false};
    const std::string_view place = MediaPlace(path);
    if (!place.empty() && place.size() > mountedLength) return {VolumeKind::Removable, false};
    if (!mounted) return {VolumeKind::Fixed, true};
    const auto [it, added] = m_ready.try_emplace(mounted->mountPoint, false);
    if (added) it->second = m_volumes.IsReady(*mounted);
    return {mounted->kind, it->second};
  }

  Volumes& m_volumes;
  std::vector<Volume> m_mounted;
  std::vector<Volume> m_known;
  std::map<std::string, bool> m_ready;
  std::string m_lastFolder;
  Answer m_lastAnswer;
};

}  // namespace

std::vector<LostSong> FindLostSongs(const tSongList& songs, FileSystem& files, Volumes& volumes,
                                    const LostIgnore& ignore) {
  std::vector<LostSong> lost;
  VolumeReadiness readiness(volumes);
  std::string path;
  for (tSong* song : songs) {
    path.assign(song->Record().FileName());
    if (IsWindowsPath(path)) {
      lost.push_back({song, LostReason::WindowsPath});
      continue;
    }
    const VolumeReadiness::Answer volume = readiness.Of(path);
    if (!volume.ready) {
      if (!ignore.Ignores(volume.kind)) lost.push_back({song, LostReason::VolumeNotReady});
      continue;
    }
    if (!files.FileExists(path)) lost.push_back({song, LostReason::Missing});
  }
  return lost;
}

}  // namespace tunedex
