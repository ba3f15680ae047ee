// SPDX-License-Identifier: GPL-3.0-or-later
#include "outputbuffer.h"

#include <algorithm>
#include <cstring>

namespace tunedex::cli {

OutputBuffer::OutputBuffer(std::FILE* out, std::size_t capacity)
    : m_out(out), m_bytes(std::max<std::size_t>(capacity, 1)) {}

OutputBuffer::~OutputBuffer() {
  Flush();
}

void OutputBuffer::MakeRoom(std::size_t size) {
  Flush();
  if (m_bytes.size() < size) m_bytes.resize(size);
}

// A refused write drops the bytes rather than letting the buffer grow without end.
bool OutputBuffer::Flush() {
  const std::size_t used = m_used;
  m_used = 0;
  return used == 0 || std::fwrite(m_bytes.data(), 1, used, m_out) == used;
}

void OutputBuffer::Append(std::string_view bytes) {
  if (bytes.empty()) return;
  Commit(static_cast<char*>(std::memcpy(Reserve(bytes.size()), bytes.data(), bytes.size())) +
         bytes.size());
}

void OutputBuffer::AppendField(std::string_view text) {
  Commit(CopyField(text, Reserve(text.size())));
}

char* CopyField(std::string_view text, char* out) {
  for (const char c : text) *out++ = FieldByte(c);
  return out;
}

}  // namespace tunedex::cli
