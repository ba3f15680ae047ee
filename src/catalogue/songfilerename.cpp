// SPDX-License-Identifier: GPL-3.0-or-later
#include "songfilerename.h"

#include "song/songtype.h"

namespace tunedex {

bool RenameSongFile(const std::string& oldPath, const std::string& newPath, tSongRecord& record,
                    bool confirm, UserInteraction& user, FileSystem& files) {
  if (newPath.empty()) return false;
  const std::uint8_t newType = ExtToSongType(newPath);
  if (newType != record.FileType() && newType != record.InternalFormat()) {
    if (!confirm) return false;
    if (user.ShowMessage(MessageKind::Confirmation, kChangeExtensionQuestion,
                         {Button::Yes, Button::No}) != Button::Yes) {
      return false;
    }
  }
  if (!files.RenameWithoutReplacing(oldPath, newPath)) return false;
  record.SetFileName(newPath);
  record.SetFileType(newType);
  return true;
}

}  // namespace tunedex
