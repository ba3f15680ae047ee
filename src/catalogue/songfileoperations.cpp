// SPDX-License-Identifier: GPL-3.0-or-later
#include "songfileoperations.h"

#include <algorithm>
#include <cstdint>

#include "catalogue/songfilerename.h"
#include "song/songtype.h"

namespace tunedex {
namespace {

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiLower(x) == AsciiLower(y);
         });
}

std::string::size_type NameStart(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? 0 : slash + 1;
}

std::string FolderOf(const std::string& path) {
  const auto start = NameStart(path);
  if (start == 0) return ".";
  return start == 1 ? "/" : path.substr(0, start - 1);
}

std::string NameOf(const std::string& path) {
  return path.substr(NameStart(path));
}

// The path without its extension (the dot too); the whole path when the name has none.
std::string WithoutExtension(const std::string& path) {
  const auto start = NameStart(path);
  const auto dot = path.rfind('.');
  return dot == std::string::npos || dot <= start ? path : path.substr(0, dot);
}

std::string ExtensionOf(const std::string& path) {
  const std::string stem = WithoutExtension(path);
  return stem.size() < path.size() ? path.substr(stem.size() + 1) : std::string();
}

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

std::string Reason(const FileResult& result) {
  if (!result.reason.empty()) return result.reason;
  switch (result.failure) {
    case FileFailure::NotFound:
      return "not found";
    case FileFailure::AlreadyExists:
      return "already exists";
    case FileFailure::PermissionDenied:
      return "permission denied";
    case FileFailure::NoSpace:
      return "no space left";
    case FileFailure::NotSupported:
      return "not supported";
    case FileFailure::Cancelled:
      return "cancelled";
    case FileFailure::None:
    case FileFailure::Other:
      break;
  }
  return "failed";
}

std::string FailureList(const std::vector<FileNotDone>& failed) {
  std::string text;
  for (const FileNotDone& file : failed) text += "\r" + file.path + ": " + file.reason;
  return text;
}

}  // namespace

bool TakesCdgCompanion(const std::string& songPath) {
  const std::string extension = ExtensionOf(songPath);
  return EqualIgnoringAsciiCase(extension, "mp3") || EqualIgnoringAsciiCase(extension, "wma");
}

std::optional<std::string> FindCdgCompanion(const std::string& songPath, FileSystem& files) {
  const std::string stem = WithoutExtension(songPath);
  if (EqualIgnoringAsciiCase(ExtensionOf(songPath), "cdg")) return std::nullopt;
  if (files.FileExists(stem + ".cdg")) return stem + ".cdg";
  // Collections copied from Windows spell the extension ".CDG", or any mix; the name itself
  // must match exactly.
  const std::string folder = FolderOf(songPath);
  const std::string stemName = NameOf(stem);
  const FolderListing listing = files.List(folder);
  for (const FolderEntry& entry : listing.entries) {
    const std::string_view name = entry.name;
    if (!entry.isFolder && name.size() == stemName.size() + 4 && name.starts_with(stemName) &&
        EqualIgnoringAsciiCase(name.substr(stemName.size()), ".cdg")) {
      return Join(folder, entry.name);
    }
  }
  return std::nullopt;
}

std::string DescribeFiles(const std::vector<std::string>& paths) {
  if (paths.size() == 1) return "'" + NameOf(paths[0]) + "'";
  return "these " + std::to_string(paths.size()) + " items";
}

void tSongFileOperations::Forget(const std::string& path) {
  if (const tSong* song = m_catalogue.Songs().FindByFileName(path)) m_catalogue.Remove(song);
}

void tSongFileOperations::Follow(const std::string& from, const std::string& to) {
  tSong* song = m_catalogue.Songs().FindByFileName(from);
  if (!song) return;
  tSongRecord record = song->Record();
  record.SetFileName(to);
  m_catalogue.ChangeRecord(*song, record);
}

std::vector<tSongFileOperations::ListedFile> tSongFileOperations::WithCompanions(
    const std::vector<std::string>& paths, CompanionRule rule, const std::string& question) {
  std::vector<std::optional<std::string>> companions;
  std::size_t count = 0;
  for (const std::string& path : paths) {
    companions.push_back(rule != CompanionRule::Leave && TakesCdgCompanion(path)
                             ? FindCdgCompanion(path, m_files)
                             : std::nullopt);
    if (companions.back()) ++count;
  }
  bool take = count > 0;
  if (take && rule == CompanionRule::Ask) {
    const std::string text =
        "Send the " + std::to_string(count) + " matching .cdg files to " + question + " also?";
    take = m_user.ShowMessage(MessageKind::Confirmation, text, {Button::Yes, Button::No}) ==
           Button::Yes;
  }
  std::vector<ListedFile> list;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    list.push_back({paths[i], false});
    if (take && companions[i]) list.push_back({*companions[i], true});
  }
  return list;
}

FileOperationReport tSongFileOperations::Delete(const std::vector<std::string>& paths,
                                                const FileOperationOptions& options) {
  FileOperationReport report;
  if (paths.empty()) return report;
  if (options.confirm &&
      m_user.ShowMessage(MessageKind::Confirmation,
                         "Are you sure that you wish to delete " + DescribeFiles(paths) + "?",
                         {Button::Yes, Button::No}) != Button::Yes) {
    report.declined = true;
    return report;
  }
  // Unasked, only the companions that would travel with their songs go; asked, every song's.
  std::vector<std::string> companions;
  if (options.companions != CompanionRule::Leave) {
    for (const std::string& path : paths) {
      if (options.companions == CompanionRule::Take && !TakesCdgCompanion(path)) continue;
      if (auto companion = FindCdgCompanion(path, m_files)) companions.push_back(*companion);
    }
  }
  for (const std::string& path : paths) {
    const FileResult result = m_files.Delete(path);
    if (result) {
      Forget(path);
      report.done.push_back({path, {}});
    } else {
      report.failed.push_back({path, Reason(result)});
    }
  }
  if (!report.failed.empty() && options.showErrors) {
    m_user.ShowError("Could not delete " + std::to_string(report.failed.size()) + " items");
  }
  if (!companions.empty() && options.companions == CompanionRule::Ask &&
      m_user.ShowMessage(
          MessageKind::Confirmation,
          "Delete the " + std::to_string(companions.size()) + " matching .cdg files also?",
          {Button::Yes, Button::No}) != Button::Yes) {
    companions.clear();
  }
  for (const std::string& companion : companions) {
    const FileResult result = m_files.Delete(companion);
    if (result) {
      report.done.push_back({companion, {}});
    } else {
      report.failed.push_back({companion, Reason(result)});
    }
  }
  return report;
}

FileOperationReport tSongFileOperations::Trash(const std::vector<std::string>& paths,
                                               const FileOperationOptions& options) {
  FileOperationReport report;
  if (paths.empty()) return report;
  const std::vector<ListedFile> list = WithCompanions(paths, options.companions, "the Trash");
  if (options.confirm && m_user.ShowMessage(MessageKind::Confirmation,
                                            "Send " + DescribeFiles(paths) + " to the Trash?",
                                            {Button::Yes, Button::No}) != Button::Yes) {
    report.declined = true;
    return report;
  }
  std::vector<std::string> noTrash;
  bool songDone = false;
  for (const auto& [path, companion] : list) {
    if (companion && !songDone) continue;
    const FileResult result = m_files.Trash(path);
    if (!companion) songDone = result.Ok();
    if (result) {
      Forget(path);
      report.done.push_back({path, {}});
    } else {
      if (result.failure == FileFailure::NotSupported) noTrash.push_back(path);
      report.failed.push_back({path, Reason(result)});
    }
  }
  if (options.showErrors && !noTrash.empty()) {
    std::string text = "The volume holding these files has no Trash; they were not deleted:";
    for (const std::string& path : noTrash) text += "\r" + path;
    m_user.ShowError(text);
  }
  if (options.showErrors && report.failed.size() > noTrash.size()) {
    std::vector<FileNotDone> others;
    for (const FileNotDone& file : report.failed) {
      if (std::find(noTrash.begin(), noTrash.end(), file.path) == noTrash.end()) {
        others.push_back(file);
      }
    }
    m_user.ShowError("Could not send " + std::to_string(others.size()) +
                     " items to the Trash:" + FailureList(others));
  }
  return report;
}

FileOperationReport tSongFileOperations::Copy(const std::vector<std::string>& paths,
                                              const std::string& folder,
                                              const FileOperationOptions& options) {
  return TransferFiles(Transfer::Copy, paths, folder, options);
}

FileOperationReport tSongFileOperations::Move(const std::vector<std::string>& paths,
                                              const std::string& folder,
                                              const FileOperationOptions& options) {
  return TransferFiles(Transfer::Move, paths, folder, options);
}

FileOperationReport tSongFileOperations::TransferFiles(Transfer kind,
                                                       const std::vector<std::string>& paths,
                                                       const std::string& folder,
                                                       const FileOperationOptions& options) {
  FileOperationReport report;
  // Copying and moving take the companions along without asking, as the window's clipboard
  // and drag do.
  const CompanionRule rule =
      options.companions == CompanionRule::Leave ? CompanionRule::Leave : CompanionRule::Take;
  const std::vector<ListedFile> list = WithCompanions(paths, rule, {});
  const bool move = kind == Transfer::Move;
  auto run = [&](const std::string& from, const std::string& to, const FileProgress& progress) {
    return move ? m_files.Move(from, to, progress) : m_files.Copy(from, to, progress);
  };
  bool replaceAll = false;
  std::int64_t filesDone = 0;
  bool songDone = false;
  for (const auto& [from, companion] : list) {
    if (companion && !songDone) continue;
    if (!companion) songDone = false;
    const std::string name = NameOf(from);
    const std::string to = Join(folder, name);
    if (!m_user.Progress(filesDone, name)) {
      report.cancelled = true;
      break;
    }
    const FileProgress progress = [&](std::uint64_t done, std::uint64_t total) {
      return m_user.Progress(filesDone, name + " (" + std::to_string(done) + " of " +
                                            std::to_string(total) + " bytes)");
    };
    const std::optional<FileInfo> source = m_files.Info(from);
    if (!source) {
      report.failed.push_back({from, "not found"});
      continue;
    }
    const std::optional<FileInfo> existing = m_files.Info(to);
    FileResult result;
    if (existing) {
      if (existing->device == source->device && existing->inode == source->inode) {
        report.failed.push_back({from, "it is already there"});
        continue;
      }
      if (existing->isFolder) {
        report.failed.push_back({from, "a folder of that name is in the way"});
        continue;
      }
      if (!replaceAll) {
        const Button answer = m_user.ShowMessage(
            MessageKind::Confirmation,
            "A file named '" + name + "' already exists in " + folder + ". Replace it?",
            {Button::Yes, Button::YesToAll, Button::No, Button::Cancel});
        if (answer == Button::Cancel) {
          report.cancelled = true;
          break;
        }
        if (answer == Button::No) {
          report.failed.push_back({from, "not replaced"});
          continue;
        }
        replaceAll = answer == Button::YesToAll;
      }
      // The new file is brought in beside the old one first, so that a failed or cancelled
      // transfer leaves the old one as it was.
      const std::string partial = Join(folder, "." + name + ".tunedex-part");
      result = run(from, partial, progress);
      if (result) {
        FileResult swap = m_files.Delete(to);
        if (swap) swap = m_files.RenameWithoutReplacing(partial, to);
        if (!swap) {
          // Put everything back as it was.
          if (move) {
            m_files.Move(partial, from);
          } else {
            m_files.Delete(partial);
          }
          result = swap;
        }
      }
    } else {
      result = run(from, to, progress);
    }
    if (result) {
      songDone = true;
      ++filesDone;
      if (move) Follow(from, to);
      report.done.push_back({from, to});
    } else if (result.failure == FileFailure::Cancelled) {
      report.cancelled = true;
      break;
    } else {
      report.failed.push_back({from, Reason(result)});
    }
  }
  if (options.showErrors && !report.failed.empty()) {
    m_user.ShowError(std::string(move ? "Could not move " : "Could not copy ") +
                     std::to_string(report.failed.size()) + " items:" + FailureList(report.failed));
  }
  return report;
}

FileOperationReport tSongFileOperations::Rename(const std::string& oldPath,
                                                const std::string& newName,
                                                const tSongRecord& record, bool confirm,
                                                const FileOperationOptions& options) {
  FileOperationReport report;
  if (newName.empty() || newName == "." || newName == ".." ||
      newName.find('/') != std::string::npos) {
    report.failed.push_back({oldPath, "'" + newName + "' is not a file name"});
    return report;
  }
  const std::string newPath = Join(FolderOf(oldPath), newName);
  if (newPath == oldPath) return report;
  if (!m_files.FileExists(oldPath)) {
    report.failed.push_back({oldPath, "not found"});
    return report;
  }
  if (m_files.Info(newPath)) {
    report.failed.push_back({oldPath, newName + " already exists"});
    return report;
  }
  tSong* song = m_catalogue.Songs().FindByFileName(oldPath);
  tSongRecord renamed = song ? song->Record() : record;
  const std::optional<std::string> companion =
      options.companions != CompanionRule::Leave && TakesCdgCompanion(oldPath)
          ? FindCdgCompanion(oldPath, m_files)
          : std::nullopt;
  if (!RenameSongFile(oldPath, newPath, renamed, confirm, m_user, m_files)) {
    const std::uint8_t newType = ExtToSongType(newPath);
    const bool typeChanges = newType != renamed.FileType() && newType != renamed.InternalFormat();
    report.failed.push_back(
        {oldPath, typeChanges ? "not renamed: the song type would change" : "not renamed"});
    return report;
  }
  report.done.push_back({oldPath, newPath});
  if (song) m_catalogue.ChangeRecord(*song, renamed);
  // A new extension with the same name leaves the companion as it is.
  if (companion && WithoutExtension(newPath) != WithoutExtension(oldPath)) {
    const std::string newCompanion = WithoutExtension(newPath) + "." + ExtensionOf(*companion);
    const FileResult result = m_files.RenameWithoutReplacing(*companion, newCompanion);
    if (result) {
      report.done.push_back({*companion, newCompanion});
    } else {
      report.failed.push_back({*companion, Reason(result)});
    }
  }
  return report;
}

}  // namespace tunedex
