// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/mappedfile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "common/fileio.h"

namespace tunedex {

MappedFile::MappedFile(const std::string& path) {
  // Non-blocking, so that a named pipe posing as a song cannot hang the caller.
  m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (m_fd < 0) throw FileError("Cannot open", path, std::strerror(errno));
  struct stat info {};
  if (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    const int error = errno;
    ::close(m_fd);
    throw FileError("Cannot open", path,
                    S_ISREG(info.st_mode) ? std::strerror(error) : "Not a regular file");
  }
  m_size = static_cast<std::size_t>(info.st_size);
  if (m_size == 0) return;
  if (m_size <= kReadLimit) {
    ReadIntoBuffer();
    return;
  }
  void* data = ::mmap(nullptr, m_size, PROT_READ, MAP_PRIVATE, m_fd, 0);
  if (data == MAP_FAILED) {
    const int error = errno;
    ::close(m_fd);
    throw FileError("Cannot read", path, std::strerror(error));
  }
  m_data = static_cast<const std::uint8_t*>(data);
}

void MappedFile::ReadIntoBuffer() {
  m_buffer = std::make_unique<ReusableBuffer>();
  std::vector<std::uint8_t>& bytes = m_buffer->Bytes();
  if (bytes.size() < m_size) bytes.resize(m_size);
  // A file that shrank meanwhile is read as far as it goes.
  m_size =
      static_cast<std::size_t>(std::max<ssize_t>(0, ReadFileAt(m_fd, bytes.data(), m_size, 0)));
  m_data = bytes.data();
}

MappedFile::~MappedFile() {
  if (m_data != nullptr && !m_buffer) ::munmap(const_cast<std::uint8_t*>(m_data), m_size);
  if (m_fd >= 0) ::close(m_fd);
}

std::size_t MappedFile::FirstNonZero() const {
  std::size_t offset = 0;
  while (offset < m_size) {
    // Holes read as zeros: jump to the next region with data.
    const off_t data = ::lseek(m_fd, static_cast<off_t>(offset), SEEK_DATA);
    if (data < 0 && errno == ENXIO) return m_size;  // only a hole remains
    std::size_t end = m_size;                       // no hole information: read on
    if (data >= 0) {
      offset = static_cast<std::size_t>(data);
      const off_t hole = ::lseek(m_fd, data, SEEK_HOLE);
      if (hole >= 0) end = std::min(static_cast<std::size_t>(hole), m_size);
    }
    for (; offset < end; ++offset) {
      if (m_data[offset] != 0) return offset;
    }
  }
  return m_size;
}

}  // namespace tunedex
