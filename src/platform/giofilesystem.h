// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/filesystem.h"

namespace tunedex {

// The local file system: copying, moving, deleting, the trash and free space through GIO (the
// calls the desktop's file manager makes); looking at files, listing folders and renaming
// through the plain system calls, where GIO would add only cost.
class GioFileSystem : public FileSystem {
 public:
  std::optional<FileInfo> Info(const std::string& path) override;
  FolderListing List(const std::string& folder,
                     const std::vector<std::string>& patterns = {}) override;
  FileResult RenameWithoutReplacing(const std::string& from, const std::string& to) override;
  FileResult Copy(const std::string& from, const std::string& to,
                  const FileProgress& progress = {}) override;
  FileResult Move(const std::string& from, const std::string& to,
                  const FileProgress& progress = {}) override;
  FileResult Delete(const std::string& path) override;
  FileResult Trash(const std::string& path) override;
  std::optional<std::uint64_t> FreeSpace(const std::string& path) override;
};

// The failure a system error number stands for.
FileFailure FailureOfErrno(int error);

}  // namespace tunedex
