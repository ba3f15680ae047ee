// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdio>
#include <string_view>
#include <vector>

namespace tunedex::cli {

// Output gathered in one large buffer and handed to a stream in large pieces, so that printing
// many short lines costs one write call per buffer rather than one library call per line.
class OutputBuffer {
 public:
  explicit OutputBuffer(std::FILE* out, std::size_t capacity = 1 << 16);
  // Writes what is left; a failure then goes unnoticed (call Flush to see it).
  ~OutputBuffer();
  OutputBuffer(const OutputBuffer&) = delete;
  OutputBuffer& operator=(const OutputBuffer&) = delete;

  // Room for at least size bytes at the returned place; Commit then says where the written
  // bytes end.
  char* Reserve(std::size_t size) {
    if (m_bytes.size() - m_used < size) MakeRoom(size);
    return m_bytes.data() + m_used;
  }
  void Commit(const char* end) { m_used = static_cast<std::size_t>(end - m_bytes.data()); }

  void Put(char c) {
    *Reserve(1) = c;
    ++m_used;
  }
  void Append(std::string_view bytes);
  // Appends a text with each control character written as a blank, as fields are printed.
  void AppendField(std::string_view text);

  // Writes the buffered bytes; false when the stream refused them.
  bool Flush();

 private:
  void MakeRoom(std::size_t size);

  std::FILE* m_out;
  std::vector<char> m_bytes;
  std::size_t m_used = 0;
};

// A byte of a printed field: the control characters (below 32, and DEL) become blanks, so a
// field can neither break the line, nor shift the columns, nor send escape sequences to a
// terminal. Bytes of UTF-8 sequences are all 128 or above and pass unchanged.
inline char FieldByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte < 0x20 || byte == 0x7F) ? ' ' : c;
}

// Copies a text to out with each control character written as a blank; returns the end.
char* CopyField(std::string_view text, char* out);

}  // namespace tunedex::cli
