// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "inspect/bytes.h"
#include "song/songrecord.h"

namespace tunedex {

// STAR DATA (.st3) karaoke files: a fixed header of zero-padded text fields.
//
//   offset length field
//        0     16 file type ("STAR DATA V3")
//       20     48 song title
//       68     32 lyrics written by
//      132     32 singer (the artist)
//      164     32 MIDI arranged by
//      196     32 lyrics synchronised by
//      228     32 description
inline constexpr std::size_t kMinimumStarDataSize = 177;  // a file must be longer

bool ReadSt3Info(Bytes head, InfoLines& lines);  // always true
// True when a title or an artist was found.
bool ReadSt3Record(Bytes file, tSongRecord& record);

}  // namespace tunedex
