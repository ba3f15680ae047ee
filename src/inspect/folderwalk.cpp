// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/folderwalk.h"

#include <cstdint>
#include <optional>
#include <set>
#include <utility>

namespace tunedex {

bool FolderWalk::Walk(const std::string& root) {
  // Each folder with the device of the folder it was found in (none for the root).
  std::vector<std::pair<std::string, std::optional<std::uint64_t>>> stack{{root, std::nullopt}};
  std::set<std::pair<std::uint64_t, std::uint64_t>> entered;
  while (!stack.empty()) {
    const auto [folder, parentDevice] = std::move(stack.back());
    stack.pop_back();
    if (m_enter && !m_enter(folder)) continue;
    const std::optional<FileInfo> info = m_files.Info(folder);
    if (!info || !info->isFolder) continue;
    if (m_mayCross && parentDevice && info->device != *parentDevice && !m_mayCross(folder)) {
      continue;
    }
    if (!entered.insert({info->device, info->inode}).second) continue;
    FolderListing listing = m_files.List(folder);
    if (!listing.result && m_problem) m_problem(folder, listing.result);
    const std::vector<FolderEntry> entries = std::move(listing.entries);
    const std::string prefix = folder.ends_with('/') ? folder : folder + "/";
    if (m_folderStep) m_folderStep(prefix, entries);

    // One buffer holds each file's path in turn: no allocation per file.
    std::string path;
    path.reserve(prefix.size() + 64);
    for (const FolderEntry& entry : entries) {
      const std::string& name = entry.name;
      if (entry.isFolder) {
        // A link to a folder is not followed.
        if (!entry.isLink && name.front() != '.') stack.emplace_back(prefix + name, info->device);
        continue;
      }
      // A link counts as what it leads to.
      if (!entry.isRegularFile) continue;
      if (!m_fileStep) continue;
      path.assign(prefix).append(name);
      if (!m_fileStep(path, name)) return false;
    }
  }
  return true;
}

}  // namespace tunedex
