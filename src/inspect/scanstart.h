// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/volumes.h"

namespace tunedex {

// Where a scan starts: a folder (a volume's root included), the Computer node (every volume
// songs may be kept on), or a node without a folder, where nothing is searched.
struct tScanStart {
  enum class Kind : std::uint8_t { Nothing, Folder, Computer };

  Kind kind = Kind::Nothing;
  std::string folder;  // for Kind::Folder

  static tScanStart Folder(std::string path) { return {Kind::Folder, std::move(path)}; }
  static tScanStart Computer() { return {Kind::Computer, {}}; }

  friend bool operator==(const tScanStart&, const tScanStart&) = default;
};

// One folder a scan walks.
struct tScanRoot {
  std::string folder;
  std::string announcement;  // "Searching folder /x for songs", "Searching drive / for songs"
  // The volume whose root this is, when it must answer before it is walked (the Computer node's
  // volumes); one that does not answer is passed over without a word.
  std::optional<Volume> volume;
  // Folders below the root that the walk does not enter: the mount points of other volumes.
  std::vector<std::string> notEntered;
  // The only folders on another device than their parent that the walk enters: the song
  // volumes mounted below a chosen folder. File systems the mount list leaves out (/proc, /sys)
  // are thus never entered.
  std::vector<std::string> crossInto;

  friend bool operator==(const tScanRoot&, const tScanRoot&) = default;
};

// The folders a scan walks, in order, given the volumes mounted now.
// - A folder: itself, entering every song volume mounted below it but none of the system's own
//   file systems (/proc and the like).
// - The Computer node: the root of every song volume (SongVolumes), in the order of their mount
//   points, each walked without entering any other volume mounted below it, so that a volume
//   mounted inside another is walked once, as itself. Of volumes mounted at the same place the
//   last one, which hides the others, is walked.
std::vector<tScanRoot> PlanScanRoots(const tScanStart& start, const std::vector<Volume>& mounted);

}  // namespace tunedex
