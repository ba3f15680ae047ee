// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/songscan.h"

#include <dirent.h>
#include <sys/stat.h>

#include <set>
#include <unordered_set>
#include <utility>

#include "catalogue/songimport.h"
#include "inspect/songfilereader.h"

namespace tunedex {

std::string ScanPatternText(std::uint8_t types) {
  static constexpr std::pair<std::uint8_t, const char*> kPatterns[] = {
      {kScanKar, "*.kar;"},        {kScanSt3, "*.st3;"}, {kScanMidi, "*.mi;*.mid;*.midi;*.rmi;"},
      {kScanMp3, "*.mp3;"},        {kScanWma, "*.wma;"}, {kScanKfn, "*.kfn;"},
      {kScanMpeg, "*.mpg;*.mpeg;"}};
  std::string text;
  for (const auto& [type, patterns] : kPatterns) {
    if (types & type) text += patterns;
  }
  return text;
}

bool MatchesScanPattern(std::string_view fileName, std::string_view patternText) {
  const std::size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos) return false;  // no extension never matches
  std::string ext(fileName.substr(dot));
  for (char& ch : ext) {
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch + 32);
  }
  ext += ';';
  return patternText.find(ext) != std::string_view::npos;
}

void SongScan::FileStep(const std::string& path, std::string_view name,
                        const std::function<bool(const std::string&)>& exists) {
  if (!MatchesScanPattern(name, m_pattern)) return;
  ScanResult result;
  result.name = std::string(name);
  ReadSongRecord(path, result.record, m_user, exists);
  FillUnknownTitleAndArtist(result.record, name);
  result.inCatalogue = m_master.ContainsFileName(result.record);
  m_results.push_back(std::move(result));
}

bool SongScan::Walk(const std::string& root) {
  std::vector<std::string> stack{root};
  std::set<std::pair<dev_t, ino_t>> entered;
  while (!stack.empty() && !m_stopped) {
    const std::string folder = std::move(stack.back());
    stack.pop_back();
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !entered.insert({info.st_dev, info.st_ino}).second) {
      continue;
    }
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) continue;  // unreadable: passed over
    // The folder's entries in the file system's order; their names also answer whether a
    // song's companion file (its ".cdg") is there.
    std::vector<std::pair<std::string, unsigned char>> entries;
    while (const dirent* entry = ::readdir(dir)) {
      const std::string_view name = entry->d_name;
      if (name != "." && name != "..") entries.emplace_back(name, entry->d_type);
    }
    ::closedir(dir);
    const std::string prefix = folder.ends_with('/') ? folder : folder + "/";
    std::unordered_set<std::string> names;
    for (const auto& [name, type] : entries) names.insert(prefix + name);
    const auto exists = [&](const std::string& path) { return names.count(path) > 0; };

    for (const auto& [name, entryType] : entries) {
      const std::string path = prefix + name;
      unsigned char type = entryType;
      if (type == DT_UNKNOWN || type == DT_LNK) {
        struct stat entryInfo {};
        if (::lstat(path.c_str(), &entryInfo) != 0) continue;
        if (S_ISLNK(entryInfo.st_mode)) {
          // A link to a folder is not followed; a link to a file is a file.
          if (::stat(path.c_str(), &entryInfo) != 0 || S_ISDIR(entryInfo.st_mode)) continue;
          type = DT_REG;
        } else {
          type = S_ISDIR(entryInfo.st_mode) ? DT_DIR : DT_REG;
        }
      }
      if (type == DT_DIR) {
        if (name.front() != '.') stack.push_back(path);
        continue;
      }
      // A name with nothing before its last "." (".kar") is not a song.
      if (name.rfind('.') == 0) continue;
      FileStep(path, name, exists);
      ++m_filesSeen;
      if (!m_user.Progress(static_cast<std::int64_t>(m_results.size()), path)) {
        m_stopped = true;
        break;
      }
    }
  }
  return !m_stopped;
}

}  // namespace tunedex
