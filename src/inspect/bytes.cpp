// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/bytes.h"

#include <algorithm>
#include <cstring>

namespace tunedex {

Bytes TrimZeros(Bytes bytes) {
  std::size_t first = 0;
  while (first < bytes.size() && bytes[first] == 0) ++first;
  std::size_t last = bytes.size();
  // A head read from a short or sparse file ends in many zeros: skip them a word at a time.
  while (last - first >= sizeof(std::uint64_t)) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes.data() + last - sizeof word, sizeof word);
    if (word != 0) break;
    last -= sizeof word;
  }
  while (last > first && bytes[last - 1] == 0) --last;
  return bytes.subspan(first, last - first);
}

Bytes Slice(Bytes bytes, std::size_t offset, std::size_t count) {
  if (offset >= bytes.size()) return {};
  return bytes.subspan(offset, std::min(count, bytes.size() - offset));
}

std::string AsText(Bytes bytes) {
  return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

bool StartsWith(Bytes bytes, std::string_view prefix) {
  return HasAt(bytes, 0, prefix);
}

bool HasAt(Bytes bytes, std::size_t offset, std::string_view text) {
  return offset <= bytes.size() && bytes.size() - offset >= text.size() &&
         std::memcmp(bytes.data() + offset, text.data(), text.size()) == 0;
}

bool ContainsUpperCased(Bytes bytes, std::string_view text) {
  const auto upper = [](std::uint8_t byte) {
    return (byte >= 'a' && byte <= 'z') ? static_cast<std::uint8_t>(byte - 32) : byte;
  };
  return std::search(bytes.begin(), bytes.end(), text.begin(), text.end(),
                     [&](std::uint8_t byte, char ch) {
                       return upper(byte) == static_cast<std::uint8_t>(ch);
                     }) != bytes.end();
}

std::string UpToZero(std::string_view text) {
  return std::string(text.substr(0, text.find('\0')));
}

std::string TrimControls(std::string_view text) {
  std::size_t first = 0;
  while (first < text.size() && static_cast<unsigned char>(text[first]) <= ' ') ++first;
  std::size_t last = text.size();
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') --last;
  return std::string(text.substr(first, last - first));
}

std::uint16_t ReadLE16(Bytes bytes, std::size_t offset) {
  const Bytes b = Slice(bytes, offset, 2);
  if (b.size() < 2) return 0;
  return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::uint32_t ReadLE32(Bytes bytes, std::size_t offset) {
  const Bytes b = Slice(bytes, offset, 4);
  if (b.size() < 4) return 0;
  return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
         (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

Bytes ByteReader::Read(std::size_t count) {
  if (m_position > m_bytes.size() || m_bytes.size() - m_position < count) {
    m_failed = true;
    return {};
  }
  const Bytes read = m_bytes.subspan(m_position, count);
  m_position += count;
  return read;
}

std::uint16_t ByteReader::ReadU16() {
  return ReadLE16(Read(2), 0);
}

std::uint32_t ByteReader::ReadU32() {
  return ReadLE32(Read(4), 0);
}

}  // namespace tunedex
