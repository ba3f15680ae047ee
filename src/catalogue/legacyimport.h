// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/songlist.h"
#include "common/userinteraction.h"
#include "inspect/bytes.h"

namespace tunedex {

// A version-1.0 catalogue after its 9-byte magic "LEGACY3DB":
//
//   offset  size       content
//        0     1       sort code
//        1   530 each  records, to the end of the file
//
// A record (length-prefixed texts):
//
//   offset size content                    becomes
//        0   81 title, at most 80          Title
//       81   41 artist, at most 40         Artist
//      122    4 language, at most 3        Language
//      126  124 file name, at most 123     FileName
//      250   12 a second code, at most 11  (only counted by the empty test)
//      262   12 ID code, at most 11        IdCode
//      274  256 notes, at most 255         Notes
inline constexpr std::size_t kVersion1RecordSize = 530;

inline constexpr std::string_view kVersion1ImportQuestion =
    "Importing file from Tunedex version 1.0\r\rThis may involve some delay\r\rTo avoid this "
    "delay in the future, convert the file\rto the current format by saving it.\r";

// Fills the (empty) list from a version-1.0 catalogue after the user agreed, inspecting each
// song file that still exists for its format and lyrics. False when the user cancelled.
bool ImportVersion1(tSongList& list, Bytes afterMagic, UserInteraction& user);

}  // namespace tunedex
