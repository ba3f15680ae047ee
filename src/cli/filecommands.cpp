// SPDX-License-Identifier: GPL-3.0-or-later
// tunedex-cli files: renaming, moving, copying, deleting and trashing song files with the
// catalogue kept in step.
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "catalogue/catalogue.h"
#include "catalogue/songfileoperations.h"
#include "cli/commands.h"
#include "cli/datafileuser.h"
#include "inspect/songfilereader.h"
#include "platform/giofilesystem.h"

namespace tunedex::cli {
namespace {

std::string Absolute(const std::string& path) {
  return std::filesystem::absolute(path).lexically_normal().string();
}

// Without --answer a script's question is answered No: nothing is replaced and no song type is
// changed unless the caller said so.
class CautiousUser final : public ForwardingUser {
 public:
  using ForwardingUser::ForwardingUser;
  Button ShowMessage(MessageKind kind, std::string_view text,
                     std::initializer_list<Button> buttons) override {
    if (kind == MessageKind::Confirmation &&
        std::find(buttons.begin(), buttons.end(), Button::No) != buttons.end()) {
      return Button::No;
    }
    return ForwardingUser::ShowMessage(kind, text, buttons);
  }
};

void PrintDone(const char* verb, const FileOperationReport& report, std::FILE* out) {
  for (const FileDone& file : report.done) {
    if (file.to.empty()) {
      std::fprintf(out, "%s %s\n", verb, file.from.c_str());
    } else {
      std::fprintf(out, "%s %s -> %s\n", verb, file.from.c_str(), file.to.c_str());
    }
  }
}

}  // namespace

int RunFiles(const Arguments& arguments, UserInteraction& user, std::FILE* out) {
  arguments.AllowOnly({"no-cdg", "settings", "answer"});
  const std::vector<std::string>& words = arguments.Positional();
  if (words.empty()) throw UsageError("expected rename, move, copy, delete or trash");
  const std::string& action = words[0];
  const bool transfer = action == "move" || action == "copy";
  const bool removal = action == "delete" || action == "trash";
  if (action == "rename") {
    if (words.size() != 4) throw UsageError("expected files rename DB OLD NEW");
    if (words[3].empty() || words[3].find('/') != std::string::npos) {
      throw UsageError("the new name must be a file name without a folder: " + words[3]);
    }
  } else if (transfer) {
    if (words.size() < 4) throw UsageError("expected files " + action + " DB FILE... FOLDER");
  } else if (removal) {
    if (words.size() < 3) throw UsageError("expected files " + action + " DB FILE...");
  } else {
    throw UsageError("unknown files action " + action);
  }

  // Everything is checked before anything is touched.
  GioFileSystem files;
  const std::string& database = words[1];
  // Rename's last word and a transfer's are not files yet.
  const std::vector<std::string> named(words.begin() + 2,
                                       words.end() - (action == "rename" || transfer ? 1 : 0));
  std::vector<std::string> paths;
  for (const std::string& path : named) {
    if (!files.FileExists(path)) {
      user.ShowError("Cannot find file " + path);
      return kExitBadInput;
    }
    paths.push_back(Absolute(path));
  }
  std::string folder;
  if (transfer) {
    folder = Absolute(words.back());
    if (!files.FolderExists(folder)) {
      user.ShowError("Cannot find folder " + words.back());
      return kExitBadInput;
    }
  }
  if (!files.FileExists(database)) {
    user.ShowError("Cannot find catalogue " + database);
    return kExitBadInput;
  }
  // The catalogue is saved by replacing its file: a file or folder that cannot be written
  // would leave the moved files' songs behind.
  const std::string databaseFolder = std::filesystem::path(Absolute(database)).parent_path();
  if (::access(database.c_str(), W_OK) != 0 || ::access(databaseFolder.c_str(), W_OK) != 0) {
    user.ShowError("Cannot write catalogue " + database);
    return kExitBadInput;
  }
  tCatalogue catalogue;
  DataFileUser dataFileUser(user, database);
  if (!catalogue.Open(database, dataFileUser)) return kExitBadInput;

  // The command line is the confirmation; existing files are replaced, and song types changed
  // by a rename, only as --answer says.
  FileOperationOptions options;
  options.confirm = false;
  options.companions = arguments.Flag("no-cdg") ? CompanionRule::Leave : CompanionRule::Take;
  options.showErrors = false;
  CautiousUser cautious(user);
  UserInteraction& asked = arguments.Option("answer") ? user : cautious;
  tSongFileOperations operations(catalogue, files, asked);
  FileOperationReport report;
  if (action == "rename") {
    tSongRecord record;
    if (!catalogue.Songs().FindByFileName(paths[0])) ReadSongRecord(paths[0], record, user);
    report = operations.Rename(paths[0], words[3], record, true, options);
    PrintDone("renamed", report, out);
  } else if (action == "move") {
    report = operations.Move(paths, folder, options);
    PrintDone("moved", report, out);
  } else if (action == "copy") {
    report = operations.Copy(paths, folder, options);
    PrintDone("copied", report, out);
  } else if (action == "delete") {
    report = operations.Delete(paths, options);
    PrintDone("deleted", report, out);
  } else {
    report = operations.Trash(paths, options);
    PrintDone("trashed", report, out);
  }
  if (catalogue.Modified()) catalogue.SaveAs(database);
  for (const FileNotDone& file : report.failed) {
    std::fprintf(stderr, "tunedex-cli: %s: %s\n", file.path.c_str(), file.reason.c_str());
  }
  if (report.cancelled) std::fputs("tunedex-cli: stopped\n", stderr);
  return report.Complete() ? kExitOk : kExitFailed;
}

}  // namespace tunedex::cli
