// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/volumes.h"

namespace tunedex {

// Where the system describes its volumes; tests point these at files of their own.
struct VolumeSources {
  std::string mountInfo = "/proc/self/mountinfo";
  std::string fstab = "/etc/fstab";
  std::string labelFolder = "/dev/disk/by-label";
  std::string blockFolder = "/sys/class/block";
  std::vector<std::string> mediaFolders;  // each subfolder is a place removable media appear
};

// /media/USER and /run/media/USER for the user running the program.
std::vector<std::string> UserMediaFolders();

// The volumes of a Linux system: the mount table, fstab, the label links of udev and the
// removable flags of the block devices.
class LinuxVolumes : public Volumes {
 public:
  // Answers whether the volume mounted at a mount point can be used; may hang.
  using Probe = std::function<bool(const std::string& mountPoint)>;

  explicit LinuxVolumes(VolumeSources sources = DefaultSources(), Probe probe = DefaultProbe,
                        std::chrono::milliseconds bound = std::chrono::seconds(2));

  std::vector<Volume> Mounted() override;
  std::vector<Volume> KnownUnmounted() override;
  // A volume that is not mounted, or whose probe is still stuck from an earlier question, is
  // not ready; no question waits longer than the bound.
  bool IsReady(const Volume& volume) override;

  static VolumeSources DefaultSources();
  // Reads the mount point's file system figures and its first entry.
  static bool DefaultProbe(const std::string& mountPoint);

 private:
  void Describe(Volume& volume) const;
  struct Stuck;

  VolumeSources m_sources;
  Probe m_probe;
  std::chrono::milliseconds m_bound;
  std::shared_ptr<Stuck> m_stuck;  // mount points whose probe has not come back
};

// The mounted volumes a mount table (/proc/self/mountinfo) lists, pseudo file systems left out,
// stacked mounts at one place reduced to the visible one; kind from the file-system type.
std::vector<Volume> ParseMountInfo(std::string_view text);

// The places an fstab lists for volumes (swap and pseudo file systems left out), with the label
// its LABEL= names; marked not mounted.
std::vector<Volume> ParseFstab(std::string_view text);

// Decodes the octal escapes of the mount tables ("\040" for a blank).
std::string DecodeMountField(std::string_view field);

// Decodes the "\x20" escapes of udev's link names.
std::string DecodeUdevName(std::string_view name);

bool IsPseudoFileSystem(std::string_view type);

// The kind a file-system type tells (the first of a list like "udf,iso9660"); Fixed when it
// tells nothing.
VolumeKind KindOfFileSystem(std::string_view type);

}  // namespace tunedex
