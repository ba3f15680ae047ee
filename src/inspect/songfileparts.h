// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "inspect/bytes.h"
#include "inspect/reusablebuffer.h"

namespace tunedex {

class MappedFile;

// The parts of a song file that reading its record needs, read when a reader asks for them:
// its first bytes, more of its start, its last bytes. Most files are known by their first KiB
// and tags near either end, so a scan reads little of each file; and it reads rather than maps,
// since touching a mapped page costs more than reading it.
class SongFileParts {
 public:
  // Over bytes in memory.
  explicit SongFileParts(Bytes file);
  // Opens a file and reads its first bytes. Throws FileError, also for a folder or a pipe.
  explicit SongFileParts(const std::string& path);
  ~SongFileParts();
  SongFileParts(const SongFileParts&) = delete;
  SongFileParts& operator=(const SongFileParts&) = delete;

  std::uint64_t Size();  // asked of the file system only when the first read did not tell
  // The file from its first byte, at least up to offset end (less only when the file is shorter).
  Bytes StartUpTo(std::uint64_t end);
  Bytes Start() const { return m_start; }  // what has been read of the start so far
  // The file's last bytes: at least 65,537 of them, enough for any reader that looks back from
  // the end by a 16-bit distance, or the whole file.
  Bytes End();
  Bytes Whole() { return StartUpTo(Size()); }

 private:
  static constexpr std::size_t kFirstRead = 4 * 1024;
  static constexpr std::size_t kEndSize = 64 * 1024 + 16;
  static constexpr std::uint64_t kReadLimit = 16 * 1024 * 1024;  // larger files are mapped

  std::string m_path;
  int m_fd = -1;
  std::uint64_t m_size = 0;
  bool m_sizeKnown = false;
  Bytes m_start;
  Bytes m_end;
  bool m_endRead = false;
  ReusableBuffer m_buffer;
  std::vector<std::uint8_t> m_endBuffer;
  std::unique_ptr<MappedFile> m_mapped;
};

}  // namespace tunedex
