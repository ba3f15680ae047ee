// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/filesystem.h"

namespace tunedex {

bool FileSystem::FileExists(const std::string& path) {
  const std::optional<FileInfo> info = Info(path);
  return info && !info->isFolder;
}

bool FileSystem::FolderExists(const std::string& path) {
  const std::optional<FileInfo> info = Info(path);
  return info && info->isFolder;
}

namespace {

char Lower(char ch) {
  return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch + 32) : ch;
}

}  // namespace

bool MatchesNamePattern(std::string_view name, std::string_view pattern) {
  // Greedy matching with one back-tracking point: the last "*" seen.
  std::size_t n = 0, p = 0;
  std::size_t starPattern = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starPattern = p++;
      starName = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
      ++p;
      ++n;
    } else if (starPattern != std::string_view::npos) {
      p = starPattern + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool MatchesAnyNamePattern(std::string_view name, const std::vector<std::string>& patterns) {
  if (patterns.empty()) return true;
  for (const std::string& pattern : patterns) {
    if (MatchesNamePattern(name, pattern)) return true;
  }
  return false;
}

}  // namespace tunedex
