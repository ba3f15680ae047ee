// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/gatedfilesystem.h"

namespace tunedex::test {

void GatedFileSystem::HangListing(const std::string& folder) {
  const std::lock_guard lock(m_mutex);
  m_hangAt = folder;
}

void GatedFileSystem::FailListing(const std::string& folder, const std::string& reason) {
  const std::lock_guard lock(m_mutex);
  m_failures[folder] = reason;
}

bool GatedFileSystem::WaitUntilHanging(std::chrono::milliseconds within) {
  std::unique_lock lock(m_mutex);
  return m_changed.wait_for(lock, within, [&] { return m_hanging > 0; });
}

bool GatedFileSystem::Release(std::chrono::milliseconds within) {
  std::unique_lock lock(m_mutex);
  m_released = true;
  m_changed.notify_all();
  return m_changed.wait_for(lock, within, [&] { return m_hanging == 0; });
}

FolderListing GatedFileSystem::List(const std::string& folder,
                                    const std::vector<std::string>& patterns) {
  bool held = false;
  {
    std::unique_lock lock(m_mutex);
    if (const auto failure = m_failures.find(folder); failure != m_failures.end()) {
      FolderListing listing;
      listing.result = FileResult::Failed(FileFailure::Other, failure->second);
      return listing;
    }
    if (folder == m_hangAt && !m_released) {
      ++m_hanging;
      m_changed.notify_all();
      m_changed.wait(lock, [&] { return m_released; });
      held = true;
    }
  }
  FolderListing listing = m_inner->List(folder, patterns);
  if (held) {
    // Counted as hanging until the whole call is done, so a test that released it may end
    // and free the file systems at once.
    const std::lock_guard lock(m_mutex);
    --m_hanging;
    m_changed.notify_all();
  }
  return listing;
}

}  // namespace tunedex::test
