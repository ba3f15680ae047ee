// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

namespace tunedex {

// Song type codes as stored in FileType and InternalFormat. As a bit set, type n is 2^(n-1).
enum SongType : std::uint8_t {
  kSongTypeNone = 0,
  kSongTypeKar = 1,
  kSongTypeSt3 = 2,
  kSongTypeMidi = 3,
  kSongTypeRmid = 4,
  kSongTypeMp3 = 5,
  kSongTypeWma = 6,
  kSongTypeKfn = 7,
  kSongTypeMpeg = 8,
};

constexpr std::uint8_t kLastSongType = kSongTypeMpeg;

// The type of a file from its name's extension (the text after the last "."), matched as a
// prefix of an entry of the type table, so ".mid", ".mi" and ".rmi" are recognised.
std::uint8_t ExtToSongType(std::string_view fileName);

// "KAR", "ST3", "MIDI", "RMID", "MP3", "WMA", "KFN", "MPEG"; empty for 0 and unknown codes.
std::string_view SongTypeName(std::uint8_t type);

constexpr std::uint32_t SongTypeBit(std::uint8_t type) {
  return type == 0 ? 0 : (1u << (type - 1));
}

}  // namespace tunedex
