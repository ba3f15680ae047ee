// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "inspect/bytes.h"
#include "inspect/reusablebuffer.h"

namespace tunedex {

// What a caller knows of a song file before opening it.
enum class FileKind {
  Unknown,      // anything: it is checked once opened, and only a regular file is read
  RegularFile,  // a folder listing said so (as a scan's does): the system is asked for the
                // file's size only when a part beyond the first read needs it
};

// The parts of a song file that the readers need, read when a reader asks for them: its first
// bytes, more of its start, its last bytes, a window from its first byte that is not zero. Most
// files are known by their first KiB and tags near either end, so a scan reads little of each
// file; and it reads rather than maps, since touching a mapped page costs more than reading it.
// No part is longer than kWindow: a file of any size is read in bounded time and memory.
class SongFileParts {
 public:
  // The longest part read: the start, or a window. A reader that would go further (a tag or
  // header that claims to be longer, a MIDI file longer than this) sees the file cut there.
  static constexpr std::uint64_t kWindow = 16 * 1024 * 1024;

  // Over bytes in memory.
  explicit SongFileParts(Bytes file);
  // Opens a file and reads its first bytes. Throws FileError when it cannot be opened or read,
  // and for anything of unknown kind that is not a regular file (a folder, a pipe, a device).
  // A listed regular file that is something else by now fails to read (a folder, a pipe) or is
  // taken as long as its first read was. With a descriptor of the file's folder (open for
  // reading) the file is opened by its name from there, sparing the system the walk through the
  // path's folders; the path still names it in errors.
  explicit SongFileParts(const std::string& path, FileKind kind = FileKind::Unknown,
                         int folder = -1);
  ~SongFileParts();
  SongFileParts(const SongFileParts&) = delete;
  SongFileParts& operator=(const SongFileParts&) = delete;

  std::uint64_t Size();
  // The file from its first byte, at least up to offset end (less only when the file or
  // kWindow is shorter).
  Bytes StartUpTo(std::uint64_t end);
  Bytes Start() const { return m_start; }  // what has been read of the start so far
  // The file's first kHead bytes (all of a shorter file): room for every format's header.
  static constexpr std::uint64_t kHead = 4 * 1024;
  Bytes Head() { return StartUpTo(kHead); }
  // The file's start as far as kWindow goes.
  Bytes StartWindow() { return StartUpTo(kWindow); }
  // The file's last bytes: at least 65,537 of them, enough for any reader that looks back from
  // the end by a 16-bit distance, or the whole file.
  Bytes End();
  // The file's last count bytes (all of a shorter file), for a reader that needs only a few
  // (the 128 bytes of an ID3v1 tag): from what was read already, else read alone.
  Bytes Tail(std::size_t count);
  // The offset of the first byte that is not zero. The holes of a sparse file are skipped
  // without reading them; at most kWindow bytes of data are looked at, and a file whose data
  // holds nothing but zeros that far counts as all zero (the answer is then Size()).
  std::uint64_t FirstNonZero();
  // At most kWindow bytes from offset on.
  Bytes WindowFrom(std::uint64_t offset);

  // How many bytes were read from the file so far, every part counted (none for bytes in
  // memory): what a scan costs on a slow volume.
  std::uint64_t BytesRead() const { return m_bytesRead; }

 private:
  // What the opening reads: the format tests and the common readers need no more.
  static constexpr std::size_t kFirstRead = 1024;
  static constexpr std::size_t kEndSize = 64 * 1024 + 16;

  // Reads count bytes at offset into buffer; as many as there were.
  Bytes ReadAt(std::vector<std::uint8_t>& buffer, std::uint64_t offset, std::size_t count) const;

  int m_fd = -1;
  std::uint64_t m_size = 0;
  bool m_sizeKnown = true;
  mutable std::uint64_t m_bytesRead = 0;
  Bytes m_memory;  // the bytes of a file in memory
  Bytes m_start;
  Bytes m_end;
  bool m_endRead = false;
  ReusableBuffer m_buffer;
  std::vector<std::uint8_t> m_endBuffer;
  std::vector<std::uint8_t> m_tailBuffer;
  std::vector<std::uint8_t> m_windowBuffer;
};

}  // namespace tunedex
