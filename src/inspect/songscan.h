// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/filesystem.h"
#include "common/userinteraction.h"
#include "song/songrecord.h"

namespace tunedex {

// The seven type boxes of a scan, in their order, as bits of a choice.
enum ScanType : std::uint8_t {
  kScanKar = 1,
  kScanSt3 = 2,
  kScanMidi = 4,
  kScanMp3 = 8,
  kScanWma = 16,
  kScanKfn = 32,
  kScanMpeg = 64,
  kScanAllTypes = 127,
};

// The extension patterns of the chosen boxes, in the boxes' order ("*.kar;*.st3;...").
std::string ScanPatternText(std::uint8_t types);

// Whether a file's extension, lower-cased and followed by ";", occurs anywhere in the pattern
// text: "a.KAR" matches "*.kar;", and so does "b.ar", whose extension is a tail of a chosen one.
// A name without an extension never matches.
bool MatchesScanPattern(std::string_view fileName, std::string_view patternText);

// Something the scan could not read: a folder it could not enter, a song file it could not read
// or a damaged one (which is still a result). The user was told of a file as it was met; folders
// are only listed here.
struct ScanProblem {
  std::string path;
  std::string reason;  // the system's words ("Permission denied")
  bool isFolder = false;
};

struct ScanResult {
  std::string name;  // the file name without its folder
  tSongRecord record;
  bool inCatalogue = false;
};

// Walks folders depth first (the last-found subfolder first) and reads a record from every
// file whose extension the pattern text holds. Subfolders whose names begin with "." are left
// out; links to folders are not followed and no folder is entered twice; folders that cannot
// be entered are passed over and kept among the problems, and so are song files that cannot be
// read (which are not results). Only regular files are read, reached directly or through links:
// named pipes, sockets, devices and links that lead to none of them are passed over. The folders
// are listed through files; the songs are read from the disk. After every file the user hears the
// number of results and may stop the walk.
class SongScan {
 public:
  // Whether the catalogue holds a song of the record's file.
  using CatalogueLookup = std::function<bool(const tSongRecord& record)>;

  SongScan(std::string patternText, CatalogueLookup inCatalogue, UserInteraction& user,
           FileSystem& files)
      : m_pattern(std::move(patternText)),
        m_inCatalogue(std::move(inCatalogue)),
        m_user(user),
        m_files(files) {}

  // Asked before a folder (the root too) is entered; false passes it over without a word.
  using FolderFilter = std::function<bool(const std::string& folder)>;
  void SetFolderFilter(FolderFilter enter) { m_enter = std::move(enter); }

  // Asked when a folder lies on another device than the folder it was found in (a volume
  // mounted there, /proc below "/"); false passes it over without a word. Without a rule every
  // device is entered.
  using CrossingRule = std::function<bool(const std::string& folder)>;
  void SetCrossingRule(CrossingRule mayCross) { m_mayCross = std::move(mayCross); }

  // Walks one root folder; false when the user stopped.
  bool Walk(const std::string& root);

  const std::deque<ScanResult>& Results() const { return m_results; }
  const std::vector<ScanProblem>& Problems() const { return m_problems; }
  std::int64_t FilesSeen() const { return m_filesSeen; }
  bool Stopped() const { return m_stopped; }

 private:
  // Reads a song file; folder is a descriptor of its folder to open it from, or -1.
  void FileStep(const std::string& path, std::string_view name,
                const std::function<bool(const std::string&)>& exists, int folder);

  std::string m_pattern;
  CatalogueLookup m_inCatalogue;
  FolderFilter m_enter;
  CrossingRule m_mayCross;
  UserInteraction& m_user;
  FileSystem& m_files;
  // A deque: the records are large, and a growing vector would copy them all again and again.
  std::deque<ScanResult> m_results;
  std::vector<ScanProblem> m_problems;
  std::int64_t m_filesSeen = 0;
  bool m_stopped = false;
};

}  // namespace tunedex
