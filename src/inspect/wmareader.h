// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "inspect/bytes.h"
#include "song/songrecord.h"

namespace tunedex {

// The header of a Windows Media Audio (ASF) file: audio properties, a validity verdict and the
// tags of its content description objects.
class TWMAfile {
 public:
  enum class ReadResult {
    NotAsf,       // the file does not start with the ASF header object
    Completed,    // the header was walked; Valid tells whether it is usable audio
    ReadFailure,  // the header runs past the end of the file
  };

  // file holds the file's bytes from its start, at least the whole header; fileSize is the
  // size of the whole file.
  ReadResult ReadFromFile(Bytes file, std::uint64_t fileSize);
  ReadResult ReadFromFile(Bytes file) { return ReadFromFile(file, file.size()); }

  // How many bytes from the file's start the header object claims (0 when the file does not
  // start with one), so a caller can read just those.
  static std::uint64_t HeaderExtent(Bytes start);

  bool Valid = false;
  std::int32_t FileSize = 0;
  std::int32_t Channels = 0;
  std::int32_t SampleRate = 0;
  double Duration = 0;
  std::int32_t BitRate = 0;  // kbit/s
  std::string Title;
  std::string Artist;
  std::string Album;
  std::int32_t Track = 0;
  std::string Year;
  std::string Genre;
  std::string Comment;
};

bool ReadWmaInfo(const TWMAfile& wma, InfoLines& lines);  // always true
void ReadWmaRecord(const TWMAfile& wma, tSongRecord& record);

}  // namespace tunedex
