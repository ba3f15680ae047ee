// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tunedex {

// Why a file operation failed, in words the logic can act on; the system's own words travel
// beside it in FileResult::reason.
enum class FileFailure : std::uint8_t {
  None,
  NotFound,
  AlreadyExists,
  PermissionDenied,
  NoSpace,
  NotSupported,  // for example a folder moved to another file system
  Cancelled,
  Other,
};

// The outcome of a file operation: success, or the failure and the system's reason.
struct FileResult {
  FileFailure failure = FileFailure::None;
  std::string reason;

  bool Ok() const { return failure == FileFailure::None; }
  explicit operator bool() const { return Ok(); }
  static FileResult Failed(FileFailure failure, std::string reason) {
    return {failure, std::move(reason)};
  }
};

// What a path leads to (links followed).
struct FileInfo {
  bool isFolder = false;
  bool isRegularFile = false;
  std::uint64_t size = 0;
  std::chrono::system_clock::time_point modified;
  // Two paths with the same device and inode are the same file or folder.
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
};

// One entry of a folder. isFolder and isRegularFile describe what a link leads to; a link that
// leads nowhere is neither.
struct FolderEntry {
  std::string name;
  bool isFolder = false;
  bool isRegularFile = false;
  bool isLink = false;
};

struct FolderListing {
  std::vector<FolderEntry> entries;  // in the file system's order, without "." and ".."
  FileResult result;                 // why the folder could not be read
};

// Bytes done and bytes in all, as a copy or move goes on; returning false cancels it.
using FileProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

// The file system as the catalogue, the scan and the file windows use it.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // What path leads to, or nothing when it leads nowhere.
  virtual std::optional<FileInfo> Info(const std::string& path) = 0;

  // A folder's entries. With patterns ("*.kar", "?x.mid"; compared ignoring ASCII case), the
  // files whose names match any of them and every folder; with none, every entry.
  virtual FolderListing List(const std::string& folder,
                             const std::vector<std::string>& patterns = {}) = 0;

  // Renames within one file system; fails with AlreadyExists rather than replace a file.
  virtual FileResult RenameWithoutReplacing(const std::string& from, const std::string& to) = 0;

  // Copies a file; never replaces one that exists. A cancelled or failed copy leaves no part
  // of the target behind.
  virtual FileResult Copy(const std::string& from, const std::string& to,
                          const FileProgress& progress = {}) = 0;

  // Moves a file, across file systems by copying and then deleting the source; never replaces
  // one that exists. A cancelled or failed move leaves the source as it was and no part of
  // the target.
  virtual FileResult Move(const std::string& from, const std::string& to,
                          const FileProgress& progress = {}) = 0;

  // Deletes a file or an empty folder.
  virtual FileResult Delete(const std::string& path) = 0;

  // Moves a file or folder to the desktop's trash.
  virtual FileResult Trash(const std::string& path) = 0;

  // The bytes free to the user on the volume holding path, or nothing when it cannot be told.
  virtual std::optional<std::uint64_t> FreeSpace(const std::string& path) = 0;

  // Something that is not a folder exists at path.
  bool FileExists(const std::string& path);
  bool FolderExists(const std::string& path);
};

// Whether a file name matches a pattern of "*" (any run) and "?" (one character), ignoring
// ASCII case.
bool MatchesNamePattern(std::string_view name, std::string_view pattern);

// Whether a file name matches any of the patterns; every name matches an empty list.
bool MatchesAnyNamePattern(std::string_view name, const std::vector<std::string>& patterns);

}  // namespace tunedex
