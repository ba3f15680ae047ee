// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/songfileparts.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/fileio.h"

namespace tunedex {

SongFileParts::SongFileParts(Bytes file)
    : m_size(file.size()),
      m_memory(file),
      m_start(Slice(file, 0, kFirstRead)),
      m_end(Slice(file, file.size() - std::min<std::size_t>(file.size(), kEndSize), kEndSize)),
      m_endRead(true) {}

SongFileParts::SongFileParts(const std::string& path, FileKind kind, int folder) {
  // Non-blocking, so that a named pipe posing as a song cannot hang the caller.
  constexpr int kFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;
  if (folder >= 0) {
    const std::string_view name = FileNamePart(path);  // the end of path, so ends in a zero
    m_fd = ::openat(folder, path.c_str() + (path.size() - name.size()), kFlags);
  } else {
    m_fd = ::open(path.c_str(), kFlags);
  }
  if (m_fd < 0) throw FileError("Cannot open", path, std::strerror(errno), errno);
  const auto fail = [&](const char* action, const char* reason, int error) {
    ::close(m_fd);
    m_fd = -1;
    throw FileError(action, path, reason, error);
  };
  if (kind == FileKind::Unknown) {
    struct stat info {};
    if (::fstat(m_fd, &info) != 0) fail("Cannot open", std::strerror(errno), errno);
    if (S_ISDIR(info.st_mode)) fail("Cannot open", std::strerror(EISDIR), EISDIR);
    if (!S_ISREG(info.st_mode)) fail("Cannot open", "Not a regular file", EINVAL);
    m_size = static_cast<std::uint64_t>(info.st_size);
  } else {
    m_sizeKnown = false;  // asked when needed: most files are known by their first read
  }
  std::vector<std::uint8_t>& bytes = m_buffer.Bytes();
  if (bytes.size() < kFirstRead) bytes.resize(kFirstRead);
  const ssize_t got = ReadFileAt(m_fd, bytes.data(), kFirstRead, 0);
  if (got < 0) fail("Cannot read", std::strerror(errno), errno);
  m_start = Bytes(bytes).subspan(0, static_cast<std::size_t>(got));
  m_bytesRead = m_start.size();
  // A file that changed size meanwhile is taken as far as it was read; a short first read
  // gives the size of a file not asked yet.
  if (m_start.size() < kFirstRead || (m_sizeKnown && m_size < m_start.size())) {
    m_size = m_start.size();
    m_sizeKnown = true;
  }
}

std::uint64_t SongFileParts::Size() {
  if (!m_sizeKnown) {
    m_sizeKnown = true;
    m_size = m_start.size();
    struct stat info {};
    if (::fstat(m_fd, &info) == 0 && S_ISREG(info.st_mode)) {
      m_size = std::max<std::uint64_t>(static_cast<std::uint64_t>(info.st_size), m_size);
    }
  }
  return m_size;
}

SongFileParts::~SongFileParts() {
  if (m_fd >= 0) ::close(m_fd);
}

Bytes SongFileParts::StartUpTo(std::uint64_t end) {
  if (std::min(end, kWindow) <= m_start.size()) return m_start;
  end = std::min({end, Size(), kWindow});
  if (end <= m_start.size()) return m_start;
  if (m_fd < 0) {
    m_start = Slice(m_memory, 0, static_cast<std::size_t>(end));
    return m_start;
  }
  std::vector<std::uint8_t>& bytes = m_buffer.Bytes();
  const std::size_t had = m_start.size();
  if (bytes.size() < end) bytes.resize(static_cast<std::size_t>(end));
  const std::size_t got = static_cast<std::size_t>(std::max<ssize_t>(
      0, ReadFileAt(m_fd, bytes.data() + had, static_cast<std::size_t>(end) - had, had)));
  m_start = Bytes(bytes).subspan(0, had + got);
  m_bytesRead += got;
  if (had + got < end) m_size = had + got;  // the file shrank meanwhile
  return m_start;
}

Bytes SongFileParts::End() {
  if (m_endRead) return m_end;
  m_endRead = true;
  if (Size() <= m_start.size()) {
    m_end = m_start;
    return m_end;
  }
  const std::uint64_t count = std::min<std::uint64_t>(kEndSize, m_size);
  m_end = ReadAt(m_endBuffer, m_size - count, static_cast<std::size_t>(count));
  return m_end;
}

Bytes SongFileParts::Tail(std::size_t count) {
  if (m_endRead) return m_end.last(std::min(count, m_end.size()));
  if (Size() <= m_start.size()) return m_start.last(std::min(count, m_start.size()));
  const std::uint64_t take = std::min<std::uint64_t>(count, m_size);
  return ReadAt(m_tailBuffer, m_size - take, static_cast<std::size_t>(take));
}

Bytes SongFileParts::ReadAt(std::vector<std::uint8_t>& buffer, std::uint64_t offset,
                            std::size_t count) const {
  if (m_fd < 0) {
    return offset < m_memory.size() ? Slice(m_memory, static_cast<std::size_t>(offset), count)
                                    : Bytes();
  }
  buffer.resize(count);
  const ssize_t got = ReadFileAt(m_fd, buffer.data(), count, offset);
  const std::size_t read = static_cast<std::size_t>(std::max<ssize_t>(got, 0));
  m_bytesRead += read;
  return Bytes(buffer).subspan(0, read);
}

std::uint64_t SongFileParts::FirstNonZero() {
  for (std::size_t i = 0; i < m_start.size(); ++i) {
    if (m_start[i] != 0) return i;
  }
  Size();
  std::uint64_t offset = m_start.size();
  std::uint64_t looked = offset;  // bytes of data looked at
  std::vector<std::uint8_t> chunk;
  while (offset < m_size && looked < kWindow) {
    std::uint64_t end = m_size;  // no hole information: read on
    if (m_fd >= 0) {
      // Holes read as zeros: jump to the next region with data.
      const off_t data = ::lseek(m_fd, static_cast<off_t>(offset), SEEK_DATA);
      if (data < 0 && errno == ENXIO) return m_size;  // only a hole remains
      if (data >= 0) {
        offset = static_cast<std::uint64_t>(data);
        const off_t hole = ::lseek(m_fd, data, SEEK_HOLE);
        if (hole >= 0) end = std::min(static_cast<std::uint64_t>(hole), m_size);
      }
    }
    const std::size_t count =
        static_cast<std::size_t>(std::min<std::uint64_t>({end - offset, kWindow - looked, 65536}));
    const Bytes bytes = ReadAt(chunk, offset, count);
    if (bytes.empty()) return m_size;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] != 0) return offset + i;
    }
    offset += bytes.size();
    looked += bytes.size();
  }
  return m_size;
}

Bytes SongFileParts::WindowFrom(std::uint64_t offset) {
  if (offset == 0) return StartWindow();
  if (offset >= Size()) return {};
  const std::uint64_t count = std::min(kWindow, m_size - offset);
  return ReadAt(m_windowBuffer, offset, static_cast<std::size_t>(count));
}

}  // namespace tunedex
