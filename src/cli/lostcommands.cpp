// SPDX-License-Identifier: GPL-3.0-or-later
// tunedex-cli lost, match-paths and relink: the lost songs of a catalogue and their repairs, with
// the Lost Files window's rules.
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "catalogue/catalogue.h"
#include "catalogue/lostcount.h"
#include "catalogue/movedfiles.h"
#include "catalogue/pathmatching.h"
#include "cli/commands.h"
#include "cli/datafileuser.h"
#include "common/recordtext.h"
#include "platform/giofilesystem.h"
#include "platform/linuxvolumes.h"

namespace tunedex::cli {
namespace {

LostIgnore IgnoreFromNames(const std::string& names) {
  LostIgnore ignore;
  std::size_t start = 0;
  while (start < names.size()) {
    const std::size_t comma = std::min(names.find(',', start), names.size());
    const std::string name = names.substr(start, comma - start);
    if (name == "removable") {
      ignore.removable = true;
    } else if (name == "remote") {
      ignore.remote = true;
    } else if (name == "ram") {
      ignore.ram = true;
    } else {
      throw UsageError("unknown kind of volume " + name + " (removable, remote or ram)");
    }
    start = comma + 1;
  }
  return ignore;
}

// Opens the catalogue; when it is to be saved, its file and folder must be writable, so that no
// repair is made that cannot be kept.
bool OpenCatalogue(const std::string& database, bool forWriting, UserInteraction& user,
                   tCatalogue& catalogue) {
  GioFileSystem files;
  if (!files.FileExists(database)) {
    user.ShowError("Cannot find catalogue " + database);
    return false;
  }
  if (forWriting) {
    const std::string folder =
        std::filesystem::absolute(database).lexically_normal().parent_path().string();
    if (::access(database.c_str(), W_OK) != 0 || ::access(folder.c_str(), W_OK) != 0) {
      user.ShowError("Cannot write catalogue " + database);
      return false;
    }
  }
  DataFileUser dataFileUser(user, database);
  return catalogue.Open(database, dataFileUser);
}

// Every lost song, whatever kind of volume it is on.
std::vector<LostSong> AllLost(const tCatalogue& catalogue, FileSystem& files) {
  LinuxVolumes volumes;
  return FindLostSongs(catalogue.Songs(), files, volumes, LostIgnore{});
}

std::string Shown(std::string_view stored) {
  return DecodeRecordText(stored);
}

}  // namespace

int RunLost(const Arguments& arguments, UserInteraction& user, std::FILE* out) {
  arguments.AllowOnly({"ignore", "settings", "answer"});
  if (arguments.Positional().size() != 1) throw UsageError("expected one database file");
  const LostIgnore ignore = IgnoreFromNames(arguments.Option("ignore").value_or(""));
  tCatalogue catalogue;
  if (!OpenCatalogue(arguments.Positional()[0], false, user, catalogue)) return kExitBadInput;
  GioFileSystem files;
  LinuxVolumes volumes;
  const std::vector<LostSong> lost = FindLostSongs(catalogue.Songs(), files, volumes, ignore);
  for (const LostSong& song : lost) {
    const tSongRecord& record = song.song->Record();
    std::fprintf(out, "%s\t%s\t%s\n", record.IdCode().c_str(), Shown(record.FileName()).c_str(),
                 std::string(LostReasonName(song.reason)).c_str());
  }
  std::fprintf(out, "lost: %zu\n", lost.size());
  return kExitOk;
}

int RunMatchPaths(const Arguments& arguments, UserInteraction& user, std::FILE* out) {
  arguments.AllowOnly({"settings", "answer"});
  const std::vector<std::string>& words = arguments.Positional();
  if (words.size() != 3) throw UsageError("expected match-paths DB FIND REPLACEMENT");
  if (words[1].empty() || words[2].empty()) {
    throw UsageError("the text to find and its replacement must not be empty");
  }
  const std::string& database = words[0];
  tCatalogue catalogue;
  if (!OpenCatalogue(database, true, user, catalogue)) return kExitBadInput;
  GioFileSystem files;
  const std::size_t repaired =
      MatchLostPaths(catalogue, AllLost(catalogue, files), words[1], words[2], files);
  if (repaired > 0) catalogue.SaveAs(database);
  std::fprintf(out, "%zu songs repaired\n", repaired);
  return kExitOk;
}

int RunRelink(const Arguments& arguments, UserInteraction& user, std::FILE* out,
              std::shared_ptr<FileSystem> files) {
  arguments.AllowOnly({"apply", "settings", "answer"});
  const std::vector<std::string>& words = arguments.Positional();
  if (words.size() != 2) throw UsageError("expected relink DB FOLDER");
  const std::string& database = words[0];
  const bool apply = arguments.Flag("apply");
  if (!files->FolderExists(words[1])) {
    user.ShowError("Cannot find folder " + words[1]);
    return kExitBadInput;
  }
  std::string folder = std::filesystem::absolute(words[1]).lexically_normal().string();
  if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  tCatalogue catalogue;
  if (!OpenCatalogue(database, apply, user, catalogue)) return kExitBadInput;

  // The walk runs as the window's does, on a thread of its own.
  tMovedFiles search(catalogue, files, folder, AllLost(catalogue, *files));
  for (;;) {
    const tMovedFilesSearch::Progress progress = search.Poll();
    if (progress.finished) break;
    user.Progress(progress.filesSeen, progress.folder);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  if (::isatty(::fileno(stderr))) std::fputc('\n', stderr);
  const MovedFilesFindings& findings = search.Findings();
  const char* verb = apply ? "relinked" : "relink";
  for (const MovedFileProposal& proposal : findings.proposals) {
    std::fprintf(out, "%s %s -> %s\n", verb, Shown(proposal.oldPath).c_str(),
                 proposal.newPath.c_str());
  }
  for (const AmbiguousName& name : findings.ambiguous) {
    for (const std::string& lostPath : name.lostPaths) {
      for (const std::string& candidate : name.candidates) {
        std::fprintf(out, "ambiguous %s -> %s\n", Shown(lostPath).c_str(), candidate.c_str());
      }
    }
  }
  const std::size_t proposed = findings.proposals.size();
  if (!apply) {
    std::fprintf(out, "%zu songs to relink, %zu names found more than once\n", proposed,
                 findings.ambiguous.size());
    return kExitOk;
  }
  const std::size_t changed = search.Accept();
  if (changed > 0) catalogue.SaveAs(database);
  std::fprintf(out, "%zu songs relinked\n", changed);
  return kExitOk;
}

int RunRelink(const Arguments& arguments, UserInteraction& user, std::FILE* out) {
  return RunRelink(arguments, user, out, std::make_shared<GioFileSystem>());
}

}  // namespace tunedex::cli
