// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileio.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <utility>

#include "common/savetemporary.h"

namespace tunedex {
namespace {

std::string SystemReason(int error) {
  return std::strerror(error);
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : m_fd(fd) {}
  ~FileDescriptor() {
    if (m_fd >= 0) ::close(m_fd);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return m_fd; }
  int Release() { return std::exchange(m_fd, -1); }

 private:
  int m_fd;
};

// Why a file of this kind holds no catalogue, playlist or settings; empty for a regular file.
std::string NotARegularFileReason(mode_t mode) {
  if (S_ISREG(mode)) return {};
  if (S_ISDIR(mode)) return SystemReason(EISDIR);
  if (S_ISFIFO(mode)) return "Is a named pipe, not a file";
  if (S_ISSOCK(mode)) return "Is a socket, not a file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "Is a device, not a file";
  return "Is not a regular file";
}

FileDescriptor OpenForReading(const std::string& path) {
  return FileDescriptor(OpenRegularFile(path));
}

// The file a path finally names, so that saving through a link replaces the linked file.
std::string ResolveLinks(const std::string& path) {
  char resolved[PATH_MAX];
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode) &&
      ::realpath(path.c_str(), resolved) != nullptr) {
    return resolved;
  }
  return path;
}

}  // namespace

std::string FolderPart(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string_view FileNamePart(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

namespace {

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

void WriteAll(int fd, std::string_view bytes, const std::string& path) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      throw FileError("Cannot write", path, SystemReason(errno));
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

}  // namespace

FileError::FileError(std::string action, std::string path, std::string reason, int systemError)
    : std::runtime_error(action + " " + path + ": " + reason),
      m_path(std::move(path)),
      m_reason(std::move(reason)),
      m_systemError(systemError) {}

int OpenRegularFile(const std::string& path) {
  // What the path leads to is checked before opening, so that a socket is named as such rather
  // than failing to open; the open itself does not wait for a writer should a pipe have taken
  // the file's place in between, and what was opened is checked again.
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) {
    const std::string reason = NotARegularFileReason(info.st_mode);
    if (!reason.empty()) throw FileError("Cannot open", path, reason);
  }
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (fd.Get() < 0 || ::fstat(fd.Get(), &info) != 0) {
    const int error = errno;
    throw FileError("Cannot open", path, SystemReason(error), error);
  }
  const std::string reason = NotARegularFileReason(info.st_mode);
  if (!reason.empty()) throw FileError("Cannot open", path, reason);
  const int flags = ::fcntl(fd.Get(), F_GETFL);
  if (flags >= 0) ::fcntl(fd.Get(), F_SETFL, flags & ~O_NONBLOCK);
  return fd.Release();
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
  return ReadFileHead(path, std::numeric_limits<std::size_t>::max());
}

std::vector<std::uint8_t> ReadFileHead(const std::string& path, std::size_t maxBytes,
                                       bool* truncated) {
  // The size the file system tells only guides the first reservation: it may be far beyond
  // what memory holds (a sparse file) and the file may grow or shrink while it is read.
  constexpr std::uint64_t kMostReserved = 64 << 20;
  std::vector<std::uint8_t> bytes;
  bool more = false;
  ReadFileInChunks(
      path, 1 << 20,
      [&](const std::uint8_t* data, std::size_t size) {
        const std::size_t take = std::min(size, maxBytes - bytes.size());
        bytes.insert(bytes.end(), data, data + take);
        more = take < size;
        return !more;
      },
      [&](std::uint64_t size) {
        bytes.reserve(
            static_cast<std::size_t>(std::min<std::uint64_t>({size, maxBytes, kMostReserved})));
      });
  if (truncated) *truncated = more;
  return bytes;
}

ssize_t ReadFileAt(int fd, std::uint8_t* into, std::size_t count, std::uint64_t offset) {
  std::size_t done = 0;
  while (done < count) {
    const ssize_t got = ::pread(fd, into + done, count - done, static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return done > 0 ? static_cast<ssize_t>(done) : -1;
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return static_cast<ssize_t>(done);
}

void ReadFileInChunks(const std::string& path, std::size_t chunkSize,
                      const std::function<bool(const std::uint8_t*, std::size_t)>& consume,
                      const std::function<void(std::uint64_t)>& sizeKnown) {
  FileDescriptor fd = OpenForReading(path);
  struct stat info {};
  if (sizeKnown && ::fstat(fd.Get(), &info) == 0)
    sizeKnown(static_cast<std::uint64_t>(info.st_size));
  std::vector<std::uint8_t> buffer(chunkSize);
  std::size_t filled = 0;
  for (;;) {
    const ssize_t got = ::read(fd.Get(), buffer.data() + filled, buffer.size() - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      throw FileError("Cannot read", path, SystemReason(errno));
    }
    filled += static_cast<std::size_t>(got);
    if (got == 0 || filled == buffer.size()) {
      if (filled > 0 && !consume(buffer.data(), filled)) return;
      if (got == 0) return;
      filled = 0;
    }
  }
}

void CreateFolders(const std::string& folder, mode_t mode) {
  std::string path = folder;
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  if (path.empty() || path == "/") return;
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) return;
  const std::size_t slash = path.rfind('/');
  if (slash != std::string::npos && slash > 0) CreateFolders(path.substr(0, slash), mode);
  if (::mkdir(path.c_str(), mode) != 0 && errno != EEXIST) {
    throw FileError("Cannot create folder", path, SystemReason(errno), errno);
  }
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  const std::string target = ResolveLinks(path);
  std::optional<mode_t> targetMode;
  struct stat existing {};
  if (::stat(target.c_str(), &existing) == 0) {
    // A pipe or device in the file's place is not replaced by a file.
    const std::string reason = NotARegularFileReason(existing.st_mode);
    if (!reason.empty()) throw FileError("Cannot save", path, reason);
    // Renaming over a file needs only the folder's permission; a file that may not be written
    // is not replaced either. Without any write bit it is read-only even to root, whom access()
    // lets write anything.
    if ((existing.st_mode & 0222) == 0 ||
        (::access(target.c_str(), W_OK) != 0 && (errno == EACCES || errno == EPERM))) {
      throw FileError("Cannot save", path, std::string(kReadOnlyReason), EACCES);
    }
    targetMode = existing.st_mode & 07777;
  }

  SaveTemporary temporary(target, targetMode, path);
  WriteAll(temporary.Fd(), bytes, path);
  temporary.ReplaceTarget();
  // The rename is durable once the folder is flushed too.
  FileDescriptor folderFd(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folderFd.Get() >= 0) ::fsync(folderFd.Get());
}

}  // namespace tunedex
