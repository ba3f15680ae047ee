// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "common/filesystem.h"
#include "common/userinteraction.h"
#include "song/songrecord.h"

namespace tunedex {

// What happens to the ".cdg" lyrics companion of a song file.
enum class CompanionRule {
  Ask,    // asked once for all companions (the window)
  Take,   // taken along unasked
  Leave,  // left where it is
};

struct FileOperationOptions {
  // Ask "Are you sure ..." / "Send ... to the Trash?" before deleting or trashing.
  bool confirm = true;
  CompanionRule companions = CompanionRule::Ask;
  // Tell the files that failed in a message; a script reports them itself.
  bool showErrors = true;
};

// One file the operation did: where it was and, for a copy, move or rename, where it is now.
struct FileDone {
  std::string from;
  std::string to;
};

struct FileNotDone {
  std::string path;
  std::string reason;
};

struct FileOperationReport {
  std::vector<FileDone> done;
  std::vector<FileNotDone> failed;
  bool declined = false;   // the user answered No to the opening question
  bool cancelled = false;  // stopped part way through a progress or replace question
  bool Complete() const { return failed.empty() && !declined && !cancelled; }
};

// The file of a song path's ".cdg" companion (same folder, same name, extension "cdg" in any
// case), or nothing when there is none.
std::optional<std::string> FindCdgCompanion(const std::string& songPath, FileSystem& files);
// Whether a song file's companion travels with it: MP3 and WMA songs, extension in any case.
bool TakesCdgCompanion(const std::string& songPath);

// Deleting, trashing, renaming, copying and moving song files, keeping the catalogue in step
// with what actually happened on disk: a record goes only once its file is gone, a moved or
// renamed file's record takes the new path, and a file that stays keeps its record.
class tSongFileOperations {
 public:
  tSongFileOperations(tCatalogue& catalogue, FileSystem& files, UserInteraction& user)
      : m_catalogue(catalogue), m_files(files), m_user(user) {}

  FileOperationReport Delete(const std::vector<std::string>& paths,
                             const FileOperationOptions& options = {});
  FileOperationReport Trash(const std::vector<std::string>& paths,
                            const FileOperationOptions& options = {});
  FileOperationReport Copy(const std::vector<std::string>& paths, const std::string& folder,
                           const FileOperationOptions& options = {});
  FileOperationReport Move(const std::vector<std::string>& paths, const std::string& folder,
                           const FileOperationOptions& options = {});

  // Renames oldPath to newName in the same folder. record describes the file as listed (used
  // for the extension check when the catalogue does not hold the file). A name holding "/" or
  // empty is refused; confirm asks before changing the song type.
  FileOperationReport Rename(const std::string& oldPath, const std::string& newName,
                             const tSongRecord& record, bool confirm,
                             const FileOperationOptions& options = {});

 private:
  enum class Transfer { Copy, Move };
  enum class Replace { Ask, All };

  FileOperationReport TransferFiles(Transfer kind, const std::vector<std::string>& paths,
                                    const std::string& folder, const FileOperationOptions& options);
  struct ListedFile {
    std::string path;
    bool companion = false;  // follows its song, and stays when the song does
  };
  // The paths with the companions the rule takes along, each right after its song.
  std::vector<ListedFile> WithCompanions(const std::vector<std::string>& paths, CompanionRule rule,
                                         const std::string& question);
  void Forget(const std::string& path);
  void Follow(const std::string& from, const std::string& to);

  tCatalogue& m_catalogue;
  FileSystem& m_files;
  UserInteraction& m_user;
};

// "these N items" for several paths, the file name between single quotes for one.
std::string DescribeFiles(const std::vector<std::string>& paths);

}  // namespace tunedex
