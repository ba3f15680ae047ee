// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>
#include <vector>

#include "catalogue/songlist.h"
#include "common/filesystem.h"
#include "common/volumes.h"

namespace tunedex {

// Why a song counts as lost.
enum class LostReason {
  Missing,         // its volume answers and the file is not there
  VolumeNotReady,  // its volume is not mounted or does not answer
  WindowsPath,     // a drive letter or "\\server" path, which never exists here
};

// "missing", "volume not ready", "Windows path".
std::string_view LostReasonName(LostReason reason);

// The kinds of volume whose songs are left out of the count while the volume is not ready: a
// stick that is not plugged in or a server that is down is no news. A file missing from a
// volume that is there is lost whatever the kinds say.
struct LostIgnore {
  bool removable = false;  // removable and optical
  bool remote = false;
  bool ram = false;

  bool Ignores(VolumeKind kind) const;
};

struct LostSong {
  tSong* song = nullptr;
  LostReason reason = LostReason::Missing;
};

// A path as the Windows program stored it: a drive letter and a colon ("D:\Karaoke\a.kar"), or
// two backslashes ("\\server\share\a.kar").
bool IsWindowsPath(std::string_view path);

// The songs whose files cannot be found, in list order. Each volume holding songs is asked once
// whether it is ready; the files of one that is not are never looked at, so a volume that does
// not answer costs one bound, not one per song. A path under a place the system mounts volumes
// at ("/media/USER/STICK") whose volume is not mounted lies on a removable volume that is not
// ready.
std::vector<LostSong> FindLostSongs(const tSongList& songs, FileSystem& files, Volumes& volumes,
                                    const LostIgnore& ignore);

}  // namespace tunedex
