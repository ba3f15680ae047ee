// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "inspect/bytes.h"
#include "song/songrecord.h"

namespace tunedex {

// The 1024-byte header block of a KaraFun file: at the start of a version 1 file; in a
// version 2 (ZIP) file as many bytes before the end as its last two bytes say. Texts end at
// their first zero byte.
//
//   offset field            offset field
//        8 title               720 year
//       72 artist              736 track
//      136 album               752 genre code (32-bit little-endian)
//      520 comment             756 language
//                              768 karaoke version
class tKFunHeader {
 public:
  static constexpr std::size_t kSize = 1024;

  // A block cut short by the end of the file keeps zeros for the rest.
  tKFunHeader(Bytes file, int version);

  std::string Title() const { return Text(8); }
  std::string Artist() const { return Text(72); }
  std::string Album() const { return Text(136); }
  std::string Comment() const { return Text(520); }
  std::string Year() const { return Text(720); }
  std::string Track() const { return Text(736); }
  std::string Genre() const;  // the genre name, or "Unknown"
  std::string Language() const { return Text(756); }
  std::string KaraokeVersion() const { return Text(768); }

 private:
  std::string Text(std::size_t offset) const;

  std::array<std::uint8_t, kSize> m_block{};
};

bool ReadKfnInfo(Bytes file, int version, InfoLines& lines);  // always true
// True when a title or an artist was found.
bool ReadKfnRecord(Bytes file, int version, tSongRecord& record);

}  // namespace tunedex
