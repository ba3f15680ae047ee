// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "common/userinteraction.h"
#include "playlist/playlistitem.h"

namespace tunedex {

// A playlist file (".tdp") has no header, count or checksum: it is the items' records one
// after the other, in running order, to the end of the file. An empty list is a file of zero
// bytes. One record:
//
//   offset  size  content
//        0     1  n: length of the singer's name (at most 25 characters when written; a
//                 reader takes 0..255)
//        1     n  the singer's name, stored like a record text (Windows-1252 when every
//                 character fits, else UTF-8), no terminator
//      1+n     1  m: length of the song's file name
//      2+n     m  the song's FileName, byte for byte as the song record holds it
//
// Songs are found again by file name, ignoring case, in the catalogue's master list.

inline constexpr std::string_view kPlayListExtension = ".tdp";
// Larger files are refused: a thousand-item evening takes some tens of kilobytes.
inline constexpr std::size_t kMaxPlayListFileSize = 16u << 20;

// The bytes of a whole list.
std::string PlayListBytes(const tPlayList& list);

enum class LoadOutcome {
  Missing,    // no file of that name: nothing changed, nothing said
  Loaded,     // read to its end (items naming unknown files were dropped after OK)
  Cancelled,  // the user stopped at an unknown file; the items read so far stay
  Failed,     // not readable as a playlist (a folder, too large, vanished): said why, list kept
};

// Replaces the list's items by those of the bytes, asking about each file name that the
// catalogue does not hold ("Cannot find NAME\rin current Song list.", OK goes on, Cancel stops).
// A record cut short after its singer is dropped silently; a singer's length that runs past the
// end stops reading there, keeping the complete items, and says nothing.
LoadOutcome ReadPlayList(std::span<const std::uint8_t> bytes, tPlayList& list,
                         UserInteraction& user);

// LoadPlayList: a missing file loads nothing and says nothing; a file that cannot be read as a
// playlist is reported and leaves the list as it was.
LoadOutcome LoadPlayList(const std::string& path, tPlayList& list, UserInteraction& user);

// SavePlayList: replaces the file atomically. A failed save keeps the old file, says why and
// returns false.
bool SavePlayList(const std::string& path, const tPlayList& list, UserInteraction& user);

// The active playlist of a catalogue: its file name with the extension replaced by ".tdp".
std::string ActivePlayListName(std::string_view catalogueFile);

// True for a name ending in ".tdp", in any case.
bool IsPlaylistFileName(std::string_view path);

}  // namespace tunedex
