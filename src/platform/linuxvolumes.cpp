// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linuxvolumes.h"

#include <dirent.h>
#include <pwd.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <set>
#include <sstream>

#include "platform/boundedcall.h"

namespace tunedex {

namespace {

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t at = 0;
  while (true) {
    at = line.find_first_not_of(" \t", at);
    if (at == std::string_view::npos) break;
    const std::size_t end = std::min(line.find_first_of(" \t", at), line.size());
    fields.push_back(line.substr(at, end - at));
    at = end;
  }
  return fields;
}

template <typename Each>
void ForEachLine(std::string_view text, Each each) {
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    each(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
  }
}

std::string LastPart(const std::string& path) {
  if (path == "/") return path;
  const std::size_t slash = path.find_last_of('/', path.size() - 2);
  std::string last = path.substr(slash == std::string::npos ? 0 : slash + 1);
  if (last.size() > 1 && last.back() == '/') last.pop_back();
  return last;
}

std::string Canonical(const std::string& path) {
  std::error_code error;
  const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
  return error ? path : resolved.string();
}

bool IsMountPointIn(const std::vector<Volume>& volumes, const std::string& place) {
  return std::any_of(volumes.begin(), volumes.end(),
                     [&place](const Volume& volume) { return volume.mountPoint == place; });
}

}  // namespace

std::string DecodeMountField(std::string_view field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    const auto octal = [&](std::size_t at) { return field[at] >= '0' && field[at] <= '7'; };
    if (field[i] == '\\' && i + 3 < field.size() && octal(i + 1) && octal(i + 2) && octal(i + 3)) {
      out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                               (field[i + 3] - '0'));
      i += 3;
    } else {
      out += field[i];
    }
  }
  return out;
}

std::string DecodeUdevName(std::string_view name) {
  const auto hex = [](char ch) -> int {
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    return -1;
  };
  std::string out;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x' && hex(name[i + 2]) >= 0 &&
        hex(name[i + 3]) >= 0) {
      out += static_cast<char>(hex(name[i + 2]) * 16 + hex(name[i + 3]));
      i += 3;
    } else {
      out += name[i];
    }
  }
  return out;
}

bool IsPseudoFileSystem(std::string_view type) {
  static constexpr std::string_view kPseudo[] = {"autofs",
                                                 "binfmt_misc",
                                                 "bpf",
                                                 "cgroup",
                                                 "cgroup2",
                                                 "configfs",
                                                 "debugfs",
                                                 "devpts",
                                                 "devtmpfs",
                                                 "efivarfs",
                                                 "fuse.gvfsd-fuse",
                                                 "fuse.portal",
                                                 "fusectl",
                                                 "hugetlbfs",
                                                 "mqueue",
                                                 "nsfs",
                                                 "proc",
                                                 "pstore",
                                                 "rpc_pipefs",
                                                 "securityfs",
                                                 "selinuxfs",
                                                 "swap",
                                                 "sysfs",
                                                 "tracefs",
                                                 "none",
                                                 "ignore",
                                                 "nfsd",
                                                 "binder",
                                                 "rootfs"};
  return std::find(std::begin(kPseudo), std::end(kPseudo), type) != std::end(kPseudo);
}

VolumeKind KindOfFileSystem(std::string_view type) {
  type = type.substr(0, type.find(','));
  static constexpr std::pair<std::string_view, VolumeKind> kKinds[] = {
      {"nfs", VolumeKind::Remote},        {"nfs4", VolumeKind::Remote},
      {"cifs", VolumeKind::Remote},       {"smb3", VolumeKind::Remote},
      {"smbfs", VolumeKind::Remote},      {"sshfs", VolumeKind::Remote},
      {"fuse.sshfs", VolumeKind::Remote}, {"fuse.rclone", VolumeKind::Remote},
      {"davfs", VolumeKind::Remote},      {"fuse.davfs2", VolumeKind::Remote},
      {"afs", VolumeKind::Remote},        {"ceph", VolumeKind::Remote},
      {"glusterfs", VolumeKind::Remote},  {"fuse.glusterfs", VolumeKind::Remote},
      {"9p", VolumeKind::Remote},         {"tmpfs", VolumeKind::Ram},
      {"ramfs", VolumeKind::Ram},         {"iso9660", VolumeKind::Optical},
      {"udf", VolumeKind::Optical},
  };
  for (const auto& [name, kind] : kKinds) {
    if (type == name) return kind;
  }
  return VolumeKind::Fixed;
}

std::vector<Volume> ParseMountInfo(std::string_view text) {
  // Each line: id parent major:minor root mount-point options [optional fields...] - type
  // source super-options.
  std::vector<Volume> volumes;
  ForEachLine(text, [&volumes](std::string_view line) {
    const std::vector<std::string_view> fields = Fields(line);
    const auto dash = std::find(fields.begin(), fields.end(), "-");
    if (fields.size() < 6 || dash == fields.end() || fields.end() - dash < 3 ||
        dash - fields.begin() < 6) {
      return;
    }
    Volume volume;
    volume.mountPoint = DecodeMountField(fields[4]);
    volume.fileSystem = DecodeMountField(dash[1]);
    volume.device = DecodeMountField(dash[2]);
    if (IsPseudoFileSystem(volume.fileSystem)) return;
    volume.kind = KindOfFileSystem(volume.fileSystem);
    // A later mount at the same place hides the earlier one.
    std::erase_if(volumes,
                  [&volume](const Volume& v) { return v.mountPoint == volume.mountPoint; });
    volumes.push_back(std::move(volume));
  });
  return volumes;
}

std::vector<Volume> ParseFstab(std::string_view text) {
  // Each line: device mount-point type options dump pass; "#" begins a comment.
  std::vector<Volume> volumes;
  ForEachLine(text, [&volumes](std::string_view line) {
    line = line.substr(0, line.find('#'));
    const std::vector<std::string_view> fields = Fields(line);
    if (fields.size() < 3 || fields[1].empty() || fields[1].front() != '/') return;
    Volume volume;
    volume.device = DecodeMountField(fields[0]);
    volume.mountPoint = DecodeMountField(fields[1]);
    volume.fileSystem = DecodeMountField(fields[2]);
    volume.mounted = false;
    if (IsPseudoFileSystem(volume.fileSystem)) return;
    volume.kind = KindOfFileSystem(volume.fileSystem);
    if (volume.device.starts_with("LABEL=")) volume.label = volume.device.substr(6);
    volumes.push_back(std::move(volume));
  });
  return volumes;
}

std::vector<std::string> UserMediaFolders() {
  const passwd* user = ::getpwuid(::geteuid());
  if (!user || !user->pw_name) return {};
  const std::string name = user->pw_name;
  return {"/media/" + name, "/run/media/" + name};
}

struct LinuxVolumes::Stuck {
  std::mutex mutex;
  std::set<std::string> mountPoints;
};

LinuxVolumes::LinuxVolumes(VolumeSources sources, Probe probe, std::chrono::milliseconds bound)
    : m_sources(std::move(sources)),
      m_probe(std::move(probe)),
      m_bound(bound),
      m_stuck(std::make_shared<Stuck>()) {}

VolumeSources LinuxVolumes::DefaultSources() {
  VolumeSources sources;
  sources.mediaFolders = UserMediaFolders();
  return sources;
}

bool LinuxVolumes::DefaultProbe(const std::string& mountPoint) {
  struct statvfs figures {};
  if (::statvfs(mountPoint.c_str(), &figures) != 0) return false;
  DIR* dir = ::opendir(mountPoint.c_str());
  if (dir == nullptr) return false;
  ::readdir(dir);
  ::closedir(dir);
  return true;
}

void LinuxVolumes::Describe(Volume& volume) const {
  const std::string device = volume.device.starts_with("/") ? Canonical(volume.device) : "";
  if (volume.label.empty() && !device.empty()) {
    std::error_code error;
    for (const auto& link : std::filesystem::directory_iterator(m_sources.labelFolder, error)) {
      if (Canonical(link.path().string()) == device) {
        volume.label = DecodeUdevName(link.path().filename().string());
        break;
      }
    }
  }
  if (volume.label.empty()) volume.label = LastPart(volume.mountPoint);
  if (device.empty()) return;
  const std::string name = device.substr(device.rfind('/') + 1);
  if (name.starts_with("sr")) {
    volume.kind = VolumeKind::Optical;
    return;
  }
  if (volume.kind != VolumeKind::Fixed) return;
  // A partition's flag is its disk's, one folder up in the device tree.
  const std::string block = m_sources.blockFolder + "/" + name;
  for (const std::string& flag : {block + "/removable", block + "/../removable"}) {
    const std::string value = ReadText(flag);
    if (!value.empty()) {
      if (value.front() == '1') volume.kind = VolumeKind::Removable;
      break;
    }
  }
}

std::vector<Volume> LinuxVolumes::Mounted() {
  std::vector<Volume> volumes = ParseMountInfo(ReadText(m_sources.mountInfo));
  for (Volume& volume : volumes) Describe(volume);
  return volumes;
}

std::vector<Volume> LinuxVolumes::KnownUnmounted() {
  const std::vector<Volume> mounted = ParseMountInfo(ReadText(m_sources.mountInfo));
  std::vector<Volume> known;
  for (Volume& volume : ParseFstab(ReadText(m_sources.fstab))) {
    if (IsMountPointIn(mounted, volume.mountPoint) || IsMountPointIn(known, volume.mountPoint)) {
      continue;
    }
    Describe(volume);
    known.push_back(std::move(volume));
  }
  for (const std::string& folder : m_sources.mediaFolders) {
    std::error_code error;
    std::vector<std::string> places;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
      // A mounted volume is left alone before anything looks at it: it may hang.
      const std::string place = entry.path().string();
      if (IsMountPointIn(mounted, place) || IsMountPointIn(known, place)) continue;
      if (entry.is_directory(error)) places.push_back(place);
    }
    std::sort(places.begin(), places.end());
    for (const std::string& place : places) {
      Volume volume;
      volume.mountPoint = place;
      volume.label = LastPart(place);
      volume.kind = VolumeKind::Removable;
      volume.mounted = false;
      known.push_back(std::move(volume));
    }
  }
  return known;
}

bool LinuxVolumes::IsReady(const Volume& volume) {
  const std::string& place = volume.mountPoint;
  if (!IsMountPointIn(ParseMountInfo(ReadText(m_sources.mountInfo)), place)) return false;
  {
    const std::lock_guard lock(m_stuck->mutex);
    // A probe still stuck on this volume answers the question already; another would only
    // add a second stuck thread.
    if (!m_stuck->mountPoints.insert(place).second) return false;
  }
  const std::optional<bool> ready = AnswerWithin(
      [probe = m_probe, stuck = m_stuck, place] {
        const bool answer = probe(place);
        const std::lock_guard lock(stuck->mutex);
        stuck->mountPoints.erase(place);
        return answer;
      },
      m_bound);
  return ready.value_or(false);
}

}  // namespace tunedex
