// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tunedex {

using Bytes = std::span<const std::uint8_t>;

// The ordered text lines an inspection produces, 8-bit as read from the file.
using InfoLines = std::vector<std::string>;

// Helpers every song-file reader uses; none reads outside the bytes it is given.

// The bytes without the zero bytes at both ends; all zero gives empty.
Bytes TrimZeros(Bytes bytes);

// At most count bytes from offset (0-based); empty past the end.
Bytes Slice(Bytes bytes, std::size_t offset, std::size_t count);

std::string AsText(Bytes bytes);
bool StartsWith(Bytes bytes, std::string_view prefix);
bool HasAt(Bytes bytes, std::size_t offset, std::string_view text);
// Whether the bytes, upper-cased in ASCII, contain text (which is upper case).
bool ContainsUpperCased(Bytes bytes, std::string_view text);

// The text up to its first zero byte.
std::string UpToZero(std::string_view text);
// The text without blanks and control characters (bytes up to 32) at both ends.
std::string TrimControls(std::string_view text);

// Little-endian integers; 0 past the end.
std::uint16_t ReadLE16(Bytes bytes, std::size_t offset);
std::uint32_t ReadLE32(Bytes bytes, std::size_t offset);

// Reads through bytes; a read past the end marks the reader failed and gives nothing (zero
// values). Seeking past the end is allowed; only reading there fails.
class ByteReader {
 public:
  explicit ByteReader(Bytes bytes, std::size_t position = 0)
      : m_bytes(bytes), m_position(position) {}

  std::size_t Position() const { return m_position; }
  void Seek(std::size_t position) { m_position = position; }
  void Skip(std::size_t count) { Seek(m_position + count); }
  Bytes Read(std::size_t count);
  std::uint16_t ReadU16();
  std::uint32_t ReadU32();
  bool Failed() const { return m_failed; }

 private:
  Bytes m_bytes;
  std::size_t m_position;
  bool m_failed = false;
};

}  // namespace tunedex
