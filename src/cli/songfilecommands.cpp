// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "catalogue/catalogue.h"
#include "catalogue/database.h"
#include "cli/commands.h"
#include "cli/datafileuser.h"
#include "common/fileio.h"
#include "common/recordtext.h"
#include "inspect/songfilereader.h"
#include "inspect/songscan.h"
#include "platform/giofilesystem.h"
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

int RunScan(const Arguments& arguments, UserInteraction& user, std::FILE* out) {
  arguments.AllowOnly({"types", "settings", "answer"});
  const std::vector<std::string>& words = arguments.Positional();
  if (words.size() < 2) throw UsageError("expected a database file and at least one folder");
  const std::string& database = words[0];
  const std::uint8_t types =
      ScanTypesFromNames(arguments.Option("types").value_or("kar,st3,midi,mp3,wma,kfn,mpeg"));

  const std::string folder = std::filesystem::path(database).parent_path().string();
  if (!IsFolder(folder.empty() ? "." : folder)) {
    user.ShowError("Cannot find the folder of " + database);
    return kExitBadInput;
  }
  for (std::size_t i = 1; i < words.size(); ++i) {
    if (!IsFolder(words[i])) {
      user.ShowError("Cannot find folder " + words[i]);
      return kExitBadInput;
    }
  }
  tCatalogue catalogue;
  DataFileUser dataFileUser(user, database);
  if (FileExists(database) && !catalogue.Open(database, dataFileUser)) return kExitBadInput;

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

  std::vector<tSongRecord> importable;
  for (const ScanResult& result : scan.Results()) {
    if (!result.inCatalogue) importable.push_back(result.record);
  }
  const std::size_t added = catalogue.Import(importable);
  catalogue.SaveAs(database);
  std::fprintf(out, "%zu songs found, %zu added\n", scan.Results().size(), added);
  return kExitOk;
}

}  // namespace tunedex::cli
