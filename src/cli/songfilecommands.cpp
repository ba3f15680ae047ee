// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include "catalogue/catalogue.h"
#include "catalogue/database.h"
#include "cli/commands.h"
#include "cli/datafileuser.h"
#include "common/fileio.h"
#include "common/recordtext.h"
#include "inspect/backgroundscan.h"
#include "inspect/songfilereader.h"
#include "inspect/songscan.h"
#include "platform/giofilesystem.h"
#include "platform/linuxvolumes.h"
#include "song/songtype.h"

namespace tunedex::cli {
namespace {

const std::string& OneFile(const Arguments& arguments) {
  if (arguments.Positional().size() != 1) throw UsageError("expected one song file");
  return arguments.Positional()[0];
}

std::uint8_t ScanTypesFromNames(const std::string& names) {
  static const std::pair<const char*, std::uint8_t> kTypes[] = {
      {"kar", kScanKar}, {"st3", kScanSt3}, {"midi", kScanMidi}, {"mp3", kScanMp3},
      {"wma", kScanWma}, {"kfn", kScanKfn}, {"mpeg", kScanMpeg}};
  std::uint8_t types = 0;
  std::size_t start = 0;
  while (start <= names.size()) {
    const std::size_t comma = std::min(names.find(',', start), names.size());
    const std::string name = names.substr(start, comma - start);
    bool known = false;
    for (const auto& [typeName, bit] : kTypes) {
      if (name == typeName) {
        types |= bit;
        known = true;
      }
    }
    if (!known) throw UsageError("unknown song type " + name);
    start = comma + 1;
  }
  return types;
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

int RunInspect(const Arguments& arguments, UserInteraction& user, std::FILE* out) {
  arguments.AllowOnly({"settings", "answer"});
  InfoLines lines;
  const InspectStatus status = InspectSongFileStatus(OneFile(arguments), lines, user);
  for (const std::string& line : lines) std::fprintf(out, "%s\n", DecodeRecordText(line).c_str());
  switch (status) {
    case InspectStatus::Recognised:
      return kExitOk;
    case InspectStatus::NotRecognised:
      return kExitNotRecognised;
    case InspectStatus::Missing:
    case InspectStatus::ReadFailed:
      return kExitBadInput;
  }
  return kExitBadInput;
}

int RunRecord(const Arguments& arguments, UserInteraction& user, std::FILE* out) {
  arguments.AllowOnly({"settings", "answer"});
  const std::string& path = OneFile(arguments);
  if (!FileExists(path)) {
    user.ShowError("Cannot find file " + path);
    return kExitBadInput;
  }
  tSongRecord record;
  ReadSongRecord(path, record, user);
  std::fprintf(out,
               "FileName=%s\nFileType=%s\nInternalFormat=%s\nHasLyrics=%d\nTitle=%s\nArtist=%s\n",
               DecodeRecordText(record.FileName()).c_str(),
               std::string(SongTypeName(record.FileType())).c_str(),
               std::string(SongTypeName(record.InternalFormat())).c_str(),
               record.HasLyrics() ? 1 : 0, record.Title().c_str(), record.Artist().c_str());
  return kExitOk;
}

namespace {

// The catalogue a scan adds to: opened when the file exists, else a new one. Nothing when the
// folder it is to be saved in is missing or the file is not a catalogue (told to the user).
bool OpenScanCatalogue(const std::string& database, UserInteraction& user, tCatalogue& catalogue) {
  const std::string folder = std::filesystem::path(database).parent_path().string();
  if (!IsFolder(folder.empty() ? "." : folder)) {
    user.ShowError("Cannot find the folder of " + database);
    return false;
  }
  DataFileUser dataFileUser(user, database);
  return !FileExists(database) || catalogue.Open(database, dataFileUser);
}

// Adds the songs found that the catalogue does not hold, saves it and says how many.
int SaveFoundSongs(tCatalogue& catalogue, const std::string& database,
                   const std::vector<tSongRecord>& found, std::FILE* out) {
  std::vector<tSongRecord> importable;
  for (const tSongRecord& record : found) {
    if (!catalogue.Songs().ContainsFileName(record)) importable.push_back(record);
  }
  const std::size_t added = catalogue.Import(importable);
  catalogue.SaveAs(database);
  std::fprintf(out, "%zu songs found, %zu added\n", found.size(), added);
  return kExitOk;
}

std::uint8_t ChosenScanTypes(const Arguments& arguments) {
  return ScanTypesFromNames(arguments.Option("types").value_or("kar,st3,midi,mp3,wma,kfn,mpeg"));
}

}  // namespace

int RunScan(const Arguments& arguments, UserInteraction& user, std::FILE* out) {
  if (arguments.Flag("computer")) {
    return RunComputerScan(arguments, user, out,
                           {std::make_shared<GioFileSystem>(), std::make_shared<LinuxVolumes>()});
  }
  arguments.AllowOnly({"types", "settings", "answer"});
  const std::vector<std::string>& words = arguments.Positional();
  if (words.size() < 2) throw UsageError("expected a database file and at least one folder");
  const std::string& database = words[0];
  const std::uint8_t types = ChosenScanTypes(arguments);
  for (std::size_t i = 1; i < words.size(); ++i) {
    if (!IsFolder(words[i])) {
      user.ShowError("Cannot find folder " + words[i]);
      return kExitBadInput;
    }
  }
  tCatalogue catalogue;
  if (!OpenScanCatalogue(database, user, catalogue)) return kExitBadInput;

  GioFileSystem files;
  SongScan scan(
      ScanPatternText(types),
      [&catalogue](const tSongRecord& record) {
        return catalogue.Songs().ContainsFileName(record);
      },
      user, files);
  for (std::size_t i = 1; i < words.size() && !scan.Stopped(); ++i) {
    std::string root = std::filesystem::absolute(words[i]).lexically_normal().string();
    if (root.size() > 1 && root.back() == '/') root.pop_back();
    scan.Walk(root);
  }
  if (::isatty(::fileno(stderr))) std::fputc('\n', stderr);
  // Song files that could not be read were told as they were met; the folders that could not
  // be entered are named now.
  for (const ScanProblem& problem : scan.Problems()) {
    if (problem.isFolder)
      user.ShowWarning("Cannot enter folder " + problem.path + ": " + problem.reason);
  }
  std::vector<tSongRecord> found;
  for (const ScanResult& result : scan.Results()) found.push_back(result.record);
  return SaveFoundSongs(catalogue, database, found, out);
}

int RunComputerScan(const Arguments& arguments, UserInteraction& user, std::FILE* out,
                    const ScanServices& services) {
  arguments.AllowOnly({"types", "settings", "answer", "computer"});
  const std::vector<std::string>& words = arguments.Positional();
  if (words.size() != 1) throw UsageError("expected a database file and no folder with --computer");
  const std::string& database = words[0];
  const std::uint8_t types = ChosenScanTypes(arguments);
  tCatalogue catalogue;
  if (!OpenScanCatalogue(database, user, catalogue)) return kExitBadInput;

  // The walk of the Computer node, as the scan wizard runs it; its problems are told at the end.
  tBackgroundScan scan({services.files, services.volumes}, ScanPatternText(types),
                       tScanStart::Computer());
  std::vector<tSongRecord> found;
  std::vector<ScanProblem> problems;
  for (;;) {
    tScanBatch batch = scan.TakeBatch();
    for (ScanResult& result : batch.results) found.push_back(std::move(result.record));
    for (ScanProblem& problem : batch.problems) problems.push_back(std::move(problem));
    user.Progress(static_cast<std::int64_t>(found.size()),
                  batch.announcements.empty() ? std::string_view() : batch.announcements.back());
    if (batch.finished) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  if (::isatty(::fileno(stderr))) std::fputc('\n', stderr);
  for (const ScanProblem& problem : problems) {
    if (problem.isFolder) {
      user.ShowWarning("Cannot enter folder " + problem.path + ": " + problem.reason);
    } else {
      user.ShowError("Cannot read file " + problem.path + ": " + problem.reason);
    }
  }
  return SaveFoundSongs(catalogue, database, found, out);
}

}  // namespace tunedex::cli
