// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/filesystem.h"

namespace tunedex {

// The walk every search of song files shares: folders depth first (the last-found subfolder
// first), subfolders whose names begin with "." left out, links to folders not followed, no
// folder entered twice. Only regular files are handed on, reached directly or through links:
// named pipes, sockets, devices and links that lead to none of them are passed over.
class FolderWalk {
 public:
  // Asked before a folder (the root too) is entered; false passes it over without a word.
  using FolderFilter = std::function<bool(const std::string& folder)>;
  // Asked when a folder lies on another device than the folder it was found in; false passes
  // it over without a word. Without a rule every device is entered.
  using CrossingRule = std::function<bool(const std::string& folder)>;
  // A folder that was entered, with its path ending in "/" and its entries in the file
  // system's order (as many as could be read), before any of its files is handed on. The
  // entries stay where they are until the folder's last file has been handed on.
  using FolderStep =
      std::function<void(const std::string& prefix, const std::vector<FolderEntry>& entries)>;
  // A folder whose listing failed (perhaps after some entries).
  using FolderProblem = std::function<void(const std::string& folder, const FileResult& result)>;
  // A regular file; false ends the walk.
  using FileStep = std::function<bool(const std::string& path, std::string_view name)>;

  explicit FolderWalk(FileSystem& files) : m_files(files) {}

  void SetFolderFilter(FolderFilter enter) { m_enter = std::move(enter); }
  void SetCrossingRule(CrossingRule mayCross) { m_mayCross = std::move(mayCross); }
  void OnFolder(FolderStep step) { m_folderStep = std::move(step); }
  void OnFolderProblem(FolderProblem problem) { m_problem = std::move(problem); }
  void OnFile(FileStep step) { m_fileStep = std::move(step); }

  // Walks one root folder; false when a file step ended it.
  bool Walk(const std::string& root);

 private:
  FileSystem& m_files;
  FolderFilter m_enter;
  CrossingRule m_mayCross;
  FolderStep m_folderStep;
  FolderProblem m_problem;
  FileStep m_fileStep;
};

}  // namespace tunedex
