// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/reusablebuffer.h"

namespace tunedex {
namespace {

struct Spare {
  std::vector<std::uint8_t> bytes;
  bool lent = false;
};
thread_local Spare t_spare;

}  // namespace

ReusableBuffer::ReusableBuffer() : m_bytes(&m_own) {
  if (!t_spare.lent) {
    t_spare.lent = true;
    m_borrowed = true;
    m_bytes = &t_spare.bytes;
  }
}

ReusableBuffer::~ReusableBuffer() {
  if (m_borrowed) t_spare.lent = false;
}

}  // namespace tunedex
