// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "catalogue/songlist.h"
#include "common/userinteraction.h"

namespace tunedex {

// A catalogue file:
//
//   offset  size       content
//        0     9       magic "TunedxDB2" (no length, no terminator)
//        9     1       SortOrder of the saved list, a signed sort code
//       10   657 each  song records in list order, byte for byte
//
// There is no count or trailer. Records that are empty are skipped when loading; a short last
// record is read with its missing tail zero. Files starting "LEGACY3DB" are version-1.0
// catalogues, which are imported (see legacyimport.h) and saved in this format afterwards.
inline constexpr std::string_view kDatabaseMagic = "TunedxDB2";
inline constexpr std::string_view kLegacyDatabaseMagic = "LEGACY3DB";
inline constexpr std::string_view kInvalidDataFileMessage = "Invalid data-file";

// The most songs a catalogue file may hold, empty records counted: 4 GiB of records, about
// 6.5 million songs. A larger file is refused before anything of it is kept.
inline constexpr std::uint64_t kMaxCatalogueSongs = (std::uint64_t{4} << 30) / tSongRecord::kSize;

enum class LoadResult {
  Loaded,       // the list holds the file's songs
  InvalidFile,  // not a catalogue; "Invalid data-file" was shown
  NotImported,  // a version-1.0 catalogue whose import the user cancelled
};

// Replaces the list's songs with the file's and sets its SortOrder. Shows its own messages
// through user. A file that cannot be read, is not a regular file, holds more than
// kMaxCatalogueSongs or needs more memory than there is throws FileError. The list is left
// empty then, as it is by any result but Loaded.
LoadResult LoadDatabase(tSongList& list, const std::string& path, UserInteraction& user);

// The same over bytes already in memory.
LoadResult LoadDatabaseBytes(tSongList& list, std::span<const std::uint8_t> bytes,
                             UserInteraction& user);

// Writes the list in the current format, replacing the file atomically. Throws FileError; the
// old file is then unchanged.
void SaveDatabase(const tSongList& list, const std::string& path);

// The bytes SaveDatabase writes.
std::string DatabaseBytes(const tSongList& list);

}  // namespace tunedex
