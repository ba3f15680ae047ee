// SPDX-License-Identifier: GPL-3.0-or-later
#include "songfilerename.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>

#include "catalogue/songtype.h"

namespace tunedex {

bool RenameWithoutReplacing(const std::string& oldPath, const std::string& newPath) {
  if (renameat2(AT_FDCWD, oldPath.c_str(), AT_FDCWD, newPath.c_str(), RENAME_NOREPLACE) == 0) {
    return true;
  }
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without the no-replace rename: a hard link refuses an existing target too.
  if (link(oldPath.c_str(), newPath.c_str()) != 0) return false;
  return unlink(oldPath.c_str()) == 0;
}

bool RenameSongFile(const std::string& oldPath, const std::string& newPath, tSongRecord& record,
                    bool confirm, UserInteraction& user) {
  if (newPath.empty()) return false;
  const std::uint8_t newType = ExtToSongType(newPath);
  if (newType != record.FileType() && newType != record.InternalFormat()) {
    if (!confirm) return false;
    if (user.ShowMessage(MessageKind::Confirmation, kChangeExtensionQuestion,
                         {Button::Yes, Button::No}) != Button::Yes) {
      return false;
    }
  }
  if (!RenameWithoutReplacing(oldPath, newPath)) return false;
  record.SetFileName(newPath);
  record.SetFileType(newType);
  return true;
}

}  // namespace tunedex
