// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "common/filesystem.h"
#include "common/userinteraction.h"
#include "song/songrecord.h"

namespace tunedex {

inline constexpr std::string_view kChangeExtensionQuestion =
    "If you change a filename extension the file may become unusable.\r\rAre you sure you want "
    "to change it?";

// Renames a song file on disk. A new name whose type matches neither the record's FileType nor
// its InternalFormat is refused, or with confirm asked about first. On success the record takes
// the new path and its type. False when nothing was renamed. An existing file is never
// replaced.
bool RenameSongFile(const std::string& oldPath, const std::string& newPath, tSongRecord& record,
                    bool confirm, UserInteraction& user, FileSystem& files);

}  // namespace tunedex
