// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/songscan.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "inspect/folderwalk.h"
#include "inspect/songfilereader.h"
#include "song/unknownnames.h"

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
  // The extension without its dot, so that a tail of a chosen extension is found too.
  std::string ext(fileName.substr(dot + 1));
  if (ext.empty()) return false;
  for (char& ch : ext) {
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch + 32);
  }
  ext += ';';
  return patternText.find(ext) != std::string_view::npos;
}

namespace {

// The system's words of a failure, without the action and path that some reasons start with
// ("Cannot read folder /songs: Permission denied" gives "Permission denied").
std::string ReasonOnly(const FileResult& result, const std::string& path) {
  const std::string& reason = result.reason;
  const std::size_t at = reason.find(path + ": ");
  if (at != std::string::npos) return reason.substr(at + path.size() + 2);
  return reason.empty() ? "Cannot be read" : reason;
}

// The folder whose files are being read, opened when the first of them is: they are then opened
// by name from it, without the system walking through the path's folders for each.
class FolderOpener {
 public:
  FolderOpener() = default;
  ~FolderOpener() { Reset({}); }
  FolderOpener(const FolderOpener&) = delete;
  FolderOpener& operator=(const FolderOpener&) = delete;

  void Reset(std::string_view folder) {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    m_tried = false;
    m_folder = folder;
  }
  // -1 when the folder cannot be opened: its files are then opened by their paths.
  int Descriptor() {
    if (!m_tried) {
      m_tried = true;
      m_fd = ::open(m_folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    }
    return m_fd;
  }

 private:
  std::string m_folder;
  int m_fd = -1;
  bool m_tried = false;
};

}  // namespace

void SongScan::FileStep(const std::string& path, std::string_view name,
                        const std::function<bool(const std::string&)>& exists, int folder) {
  // The record is read in its place among the results (it is large), and taken back out when
  // the file gives none.
  ScanResult& result = m_results.emplace_back();
  std::string why;
  // The walk hands on only what its listing found to be a regular file.
  const SongReadStatus status =
      ReadSongRecord(path, result.record, m_user, exists, &why, FileKind::RegularFile, folder);
  if (status == SongReadStatus::Missing || status == SongReadStatus::Unreadable) {
    m_results.pop_back();
    // A file gone since its folder was listed is not a problem.
    if (status == SongReadStatus::Unreadable) m_problems.push_back({path, why, false});
    return;
  }
  if (status == SongReadStatus::Damaged)
    m_problems.push_back({path, std::string(kDamagedSongFile), false});
  result.name = std::string(name);
  FillUnknownTitleAndArtist(result.record, name);
  result.inCatalogue = m_inCatalogue && m_inCatalogue(result.record);
}

bool SongScan::Walk(const std::string& root) {
  if (m_stopped) return false;
  FolderWalk walk(m_files);
  if (m_enter) walk.SetFolderFilter(m_enter);
  if (m_mayCross) walk.SetCrossingRule(m_mayCross);
  walk.OnFolderProblem([this](const std::string& folder, const FileResult& result) {
    m_problems.push_back({folder, ReasonOnly(result, folder), true});
  });
  // The names of the folder's entries answer whether a song's companion file is there. Songs
  // ask for ".cdg" names, so those are gathered with the folder (as views of its entries, which
  // stay while its files are read); a question for any other name looks through all entries.
  std::string folder;
  const std::vector<FolderEntry>* listed = nullptr;
  std::unordered_set<std::string_view> cdgNames;
  const auto isCdgName = [](std::string_view name) {
    return name.ends_with(".cdg") || name.ends_with(".CDG");
  };
  FolderOpener opener;
  walk.OnFolder([&](const std::string& prefix, const std::vector<FolderEntry>& entries) {
    folder = prefix;
    opener.Reset(prefix);
    listed = &entries;
    cdgNames.clear();
    for (const FolderEntry& entry : entries) {
      if (isCdgName(entry.name)) cdgNames.insert(entry.name);
    }
  });
  const auto exists = [&](const std::string& path) {
    if (!path.starts_with(folder)) return false;
    const std::string_view name = std::string_view(path).substr(folder.size());
    if (name.find('/') != std::string_view::npos) return false;
    if (isCdgName(name)) return cdgNames.count(name) > 0;
    return std::any_of(listed->begin(), listed->end(),
                       [&](const FolderEntry& entry) { return entry.name == name; });
  };
  walk.OnFile([&](const std::string& path, std::string_view name) {
    // A name with nothing before its last "." (".kar") is not a song.
    if (name.rfind('.') == 0) return true;
    if (MatchesScanPattern(name, m_pattern)) FileStep(path, name, exists, opener.Descriptor());
    ++m_filesSeen;
    if (!m_user.Progress(static_cast<std::int64_t>(m_results.size()), path)) {
      m_stopped = true;
      return false;
    }
    return true;
  });
  walk.Walk(root);
  return !m_stopped;
}

}  // namespace tunedex
