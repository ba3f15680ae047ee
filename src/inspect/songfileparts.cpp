// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/songfileparts.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/fileio.h"
#include "inspect/mappedfile.h"

namespace tunedex {

SongFileParts::SongFileParts(Bytes file)
    : m_size(file.size()), m_sizeKnown(true), m_start(file), m_end(file), m_endRead(true) {}

SongFileParts::SongFileParts(const std::string& path) : m_path(path) {
  m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (m_fd < 0) throw FileError("Cannot open", path, std::strerror(errno), errno);
  std::vector<std::uint8_t>& bytes = m_buffer.Bytes();
  if (bytes.size() < kFirstRead) bytes.resize(kFirstRead);
  const ssize_t got = ReadFileAt(m_fd, bytes.data(), kFirstRead, 0);
  if (got < 0) {
    const int error = errno;
    ::close(m_fd);
    m_fd = -1;
    throw FileError("Cannot read", path, std::strerror(error), error);
  }
  m_start = Bytes(bytes).subspan(0, static_cast<std::size_t>(got));
  if (m_start.size() < kFirstRead) {  // the whole file
    m_size = m_start.size();
    m_sizeKnown = true;
  }
}

std::uint64_t SongFileParts::Size() {
  if (!m_sizeKnown) {
    struct stat info {};
    m_size = ::fstat(m_fd, &info) == 0 ? static_cast<std::uint64_t>(info.st_size) : m_start.size();
    m_size = std::max<std::uint64_t>(m_size, m_start.size());
    m_sizeKnown = true;
  }
  return m_size;
}

SongFileParts::~SongFileParts() {
  if (m_fd >= 0) ::close(m_fd);
}

Bytes SongFileParts::StartUpTo(std::uint64_t end) {
  if (end <= m_start.size()) return m_mapped ? m_mapped->Data() : m_start;
  end = std::min(end, Size());
  if (m_fd < 0 || m_start.size() >= end || m_mapped) return m_mapped ? m_mapped->Data() : m_start;
  if (end > kReadLimit) {
    m_mapped = std::make_unique<MappedFile>(m_path);
    m_start = m_mapped->Data();
    return m_start;
  }
  std::vector<std::uint8_t>& bytes = m_buffer.Bytes();
  const std::size_t had = m_start.size();
  if (bytes.size() < end) bytes.resize(static_cast<std::size_t>(end));
  const std::size_t got = static_cast<std::size_t>(std::max<ssize_t>(
      0, ReadFileAt(m_fd, bytes.data() + had, static_cast<std::size_t>(end) - had, had)));
  m_start = Bytes(bytes).subspan(0, had + got);
  if (had + got < end) m_size = had + got;  // the file shrank meanwhile
  return m_start;
}

Bytes SongFileParts::End() {
  if (m_endRead) return m_end;
  m_endRead = true;
  if (Size() <= m_start.size() || m_mapped) {
    m_end = m_mapped ? m_mapped->Data() : m_start;
    return m_end;
  }
  const std::uint64_t count = std::min<std::uint64_t>(kEndSize, m_size);
  m_endBuffer.resize(static_cast<std::size_t>(count));
  const ssize_t got = ReadFileAt(m_fd, m_endBuffer.data(), m_endBuffer.size(), m_size - count);
  m_end = Bytes(m_endBuffer).subspan(0, static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
  return m_end;
}

}  // namespace tunedex
