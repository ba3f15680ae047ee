// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>
#include <cstdint>

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tunedex {

// A file that could not be read or written; what() is "<action> <path>: <system reason>".
class FileError : public std::runtime_error {
 public:
  FileError(std::string action, std::string path, std::string reason, int systemError = 0);

  const std::string& Path() const { return m_path; }
  const std::string& Reason() const { return m_reason; }
  int SystemError() const { return m_systemError; }  // the errno value, 0 when none

 private:
  std::string m_path;
  std::string m_reason;
  int m_systemError;
};

// The folder part of a path, with its trailing "/" (empty when it has none).
std::string FolderPart(std::string_view path);
// The file-name part of a path: the text after the last "/".
std::string_view FileNamePart(std::string_view path);

// Something that is not a folder exists at path.
bool FileExists(const std::string& path);

// Opens a regular file (links followed) for reading and returns its descriptor, which the caller
// closes. Never waits on a named pipe: a folder, pipe, socket or device throws FileError naming
// the file and what it is, as does a file that cannot be opened.
int OpenRegularFile(const std::string& path);

// The whole of a regular file; throws FileError.
std::vector<std::uint8_t> ReadWholeFile(const std::string& path);

// At most the first maxBytes bytes of a regular file, read in pieces, so that a file of any size
// costs no more than maxBytes of memory; truncated, when given, tells whether the file goes on.
// Throws FileError.
std::vector<std::uint8_t> ReadFileHead(const std::string& path, std::size_t maxBytes,
                                       bool* truncated = nullptr);

// Reads count bytes at offset of an open file: fewer at its end, -1 when it cannot be read
// there at all (a folder or a pipe cannot be read at an offset).
ssize_t ReadFileAt(int fd, std::uint8_t* into, std::size_t count, std::uint64_t offset);

// Reads a regular file in pieces of at most chunkSize bytes, handing each to consume, until its
// end or until consume returns false; sizeKnown, when given, first hears the file's size.
void ReadFileInChunks(const std::string& path, std::size_t chunkSize,
                      const std::function<bool(const std::uint8_t*, std::size_t)>& consume,
                      const std::function<void(std::uint64_t)>& sizeKnown = {});

// Creates a folder and any missing folders above it, each with the given mode (the umask still
// applies); a folder that exists already is left as it is. Throws FileError.
void CreateFolders(const std::string& folder, mode_t mode);

inline constexpr std::string_view kReadOnlyReason = "the file is read-only";

// Replaces a file's contents atomically: the bytes go to a temporary file in the same folder,
// which is flushed to disk and then renamed over the target (which keeps its permissions; a
// link is followed to the file it names). If anything fails, the old file stays as it was. A
// target that may not be written throws "Cannot save PATH: the file is read-only", one that is
// not a regular file names what it is; nothing is written then.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace tunedex
