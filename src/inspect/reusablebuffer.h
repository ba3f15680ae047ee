// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

namespace tunedex {

// A byte buffer borrowed from the thread's spare while it is free, else made anew. Reading many
// files one after another then reuses one buffer: new memory for every file would cost a page
// fault per page touched, more than the reading itself.
class ReusableBuffer {
 public:
  ReusableBuffer();
  ~ReusableBuffer();
  ReusableBuffer(const ReusableBuffer&) = delete;
  ReusableBuffer& operator=(const ReusableBuffer&) = delete;

  std::vector<std::uint8_t>& Bytes() { return *m_bytes; }

 private:
  std::vector<std::uint8_t> m_own;
  std::vector<std::uint8_t>* m_bytes;
  bool m_borrowed = false;
};

}  // namespace tunedex
