// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "inspect/reusablebuffer.h"

#include "inspect/bytes.h"

namespace tunedex {

// A song file's bytes: a small file is read whole into a buffer kept between files, a larger
// one is mapped read-only, so that only the pages a reader touches are read and a large video
// inspects as fast as a small song. Throws FileError when the file cannot be opened or is not
// a regular file.
class MappedFile {
 public:
  explicit MappedFile(const std::string& path);
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  Bytes Data() const { return {m_data, m_size}; }
  // The offset of the first byte that is not zero, found without reading the holes of a sparse
  // file; Data().size() when every byte is zero.
  std::size_t FirstNonZero() const;

 private:
  static constexpr std::size_t kReadLimit = 256 * 1024;

  void ReadIntoBuffer();

  int m_fd = -1;
  std::unique_ptr<ReusableBuffer> m_buffer;  // a small file's bytes
  const std::uint8_t* m_data = nullptr;
  std::size_t m_size = 0;
};

}  // namespace tunedex
