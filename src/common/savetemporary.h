// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

namespace tunedex {

// The temporary file a save writes beside its target before renaming it over the target. Its
// name, ".NAME.saving-PID-XXXXXX", tells whose it is, so that one left by a process that no
// longer runs (killed, or its machine stopped) is recognised and removed by the next save of
// the same target. It is removed when the save fails, and when SIGINT, SIGTERM or SIGHUP ends
// the process while it exists; a file-size limit meanwhile fails the write instead of ending
// the process.
class SaveTemporary {
 public:
  // Removes the stale temporaries of target, then creates one with the target's mode, so that
  // the file never has another; with none (a new target) it gets the usual mode of a new file.
  // shownPath is the path messages name. Throws FileError.
  SaveTemporary(const std::string& target, std::optional<mode_t> targetMode,
                const std::string& shownPath);
  // Removes the file unless it replaced the target.
  ~SaveTemporary();
  SaveTemporary(const SaveTemporary&) = delete;
  SaveTemporary& operator=(const SaveTemporary&) = delete;

  int Fd() const { return m_fd; }
  const std::string& Path() const { return m_path; }
  // Flushes the file to disk, closes it and renames it over the target. Throws FileError.
  void ReplaceTarget();

 private:
  void Release();

  std::string m_target;
  std::string m_shownPath;
  std::string m_path;
  int m_fd = -1;
  int m_slot = -1;
  bool m_guarded = false;
  bool m_done = false;
};

// The process whose save made a file of this name for a target of targetName, or nothing when
// the name is not one of a save's temporary files of that target.
std::optional<pid_t> SaveTemporaryOwner(std::string_view fileName, std::string_view targetName);

// Removes the temporary files of target's saves whose processes no longer run; returns how
// many.
int RemoveStaleSaveTemporaries(const std::string& target);

}  // namespace tunedex
