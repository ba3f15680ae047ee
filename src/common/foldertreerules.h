// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/filesystem.h"
#include "common/volumes.h"

namespace tunedex {

// The rules of the folder tree that need no window: which places show under "Computer" and
// "Network", what a folder's children are, and the way down to a path.

// A volume or network place as a node of the tree.
struct FolderPlace {
  std::string caption;
  std::string path;  // the place's root folder, ending in "/"
  VolumeKind kind = VolumeKind::Fixed;

  bool operator==(const FolderPlace&) const = default;
};

// The folder a mount point is the root of, ending in "/" ("/" stays "/").
std::string PlaceRoot(std::string_view mountPoint);

// The folder under folder called name; folder may end in "/".
std::string ChildPath(std::string_view folder, std::string_view name);

// An absolute path without repeated or trailing "/" and with "." and ".." worked out; empty
// when path is not absolute.
std::string NormalFolderPath(std::string_view path);

// A volume's caption: its label, else its mount point's last part, else the mount point.
std::string VolumeCaption(const Volume& volume);

// The caption of an entry of the desktop's network mounts ("smb-share:server=nas,share=music"
// reads "music on nas"); the name itself when it does not have that form.
std::string NetworkMountCaption(std::string_view name);

// The places under "Computer": "/" first, then every other volume songs may be kept on (see
// SongVolumes), by caption in the user's collation ignoring case.
std::vector<FolderPlace> ComputerPlaces(const std::vector<Volume>& mounted);

// The places under "Network": the network volumes songs may be kept on and the folders of the
// desktop's network mounts (gvfsRoot's entries, listed in gvfs; none when gvfsRoot is empty),
// by caption.
std::vector<FolderPlace> NetworkPlaces(const std::vector<Volume>& mounted,
                                       const std::string& gvfsRoot,
                                       const std::vector<std::string>& gvfs);

// The subfolders a listing shows: folders (links to folders too) whose names do not begin with
// ".", in the user's collation ignoring case, equal names in byte order.
std::vector<std::string> SubfolderNames(FolderListing listing);

// Places and subfolders sort by this key.
std::string FolderSortKey(std::string_view caption);

enum class FolderTop : std::uint8_t { Home, Computer, Network };

// The way down the tree to a folder: the top node, then the path of each node below it, the
// last being the folder itself. A path inside home goes under Home (which is home itself: no
// steps); else under the deepest place holding it, "Computer" winning a tie.
struct FolderRoute {
  FolderTop top = FolderTop::Home;
  std::vector<std::string> steps;

  bool operator==(const FolderRoute&) const = default;
};

// Nothing when path is not absolute or no place holds it.
std::optional<FolderRoute> RouteOf(std::string_view path, std::string_view home,
                                   const std::vector<FolderPlace>& computer,
                                   const std::vector<FolderPlace>& network);

}  // namespace tunedex
