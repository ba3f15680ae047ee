// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "common/filesystem.h"

namespace tunedex::test {

// Passes every call on to another file system, except that listing one chosen folder hangs
// until the test releases it (as a dead network mount does), and listing others can be made to
// fail. Safe to call from several threads.
class GatedFileSystem : public FileSystem {
 public:
  explicit GatedFileSystem(std::shared_ptr<FileSystem> inner) : m_inner(std::move(inner)) {}

  void HangListing(const std::string& folder);
  void FailListing(const std::string& folder, const std::string& reason);
  // Waits until a call hangs at the gate; false when none did within the time.
  bool WaitUntilHanging(std::chrono::milliseconds within);
  // Lets the hanging call return and waits until it has (within the time).
  bool Release(std::chrono::milliseconds within);

  std::optional<FileInfo> Info(const std::string& path) override { return m_inner->Info(path); }
  FolderListing List(const std::string& folder,
                     const std::vector<std::string>& patterns = {}) override;
  FileResult RenameWithoutReplacing(const std::string& from, const std::string& to) override {
    return m_inner->RenameWithoutReplacing(from, to);
  }
  FileResult Copy(const std::string& from, const std::string& to,
                  const FileProgress& progress = {}) override {
    return m_inner->Copy(from, to, progress);
  }
  FileResult Move(const std::string& from, const std::string& to,
                  const FileProgress& progress = {}) override {
    return m_inner->Move(from, to, progress);
  }
  FileResult Delete(const std::string& path) override { return m_inner->Delete(path); }
  FileResult Trash(const std::string& path) override { return m_inner->Trash(path); }
  std::optional<std::uint64_t> FreeSpace(const std::string& path) override {
    return m_inner->FreeSpace(path);
  }

 private:
  std::shared_ptr<FileSystem> m_inner;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::string m_hangAt;
  std::map<std::string, std::string> m_failures;
  int m_hanging = 0;
  bool m_released = false;
};

}  // namespace tunedex::test
