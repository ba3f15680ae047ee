// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/giofilesystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <gio/gio.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

namespace tunedex {

namespace {

struct GObjectDeleter {
  void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T>
using GPtr = std::unique_ptr<T, GObjectDeleter>;

GPtr<GFile> FileOf(const std::string& path) {
  return GPtr<GFile>(g_file_new_for_path(path.c_str()));
}

FileResult FromErrno(int error, const std::string& action, const std::string& path) {
  return FileResult::Failed(FailureOfErrno(error),
                            action + " " + path + ": " + std::strerror(error));
}

// Takes the error over and frees it.
FileResult FromGError(GError* error) {
  FileFailure failure = FileFailure::Other;
  if (error->domain == G_IO_ERROR) {
    switch (error->code) {
      case G_IO_ERROR_NOT_FOUND:
        failure = FileFailure::NotFound;
        break;
      case G_IO_ERROR_EXISTS:
        failure = FileFailure::AlreadyExists;
        break;
      case G_IO_ERROR_PERMISSION_DENIED:
        failure = FileFailure::PermissionDenied;
        break;
      case G_IO_ERROR_NO_SPACE:
        failure = FileFailure::NoSpace;
        break;
      case G_IO_ERROR_CANCELLED:
        failure = FileFailure::Cancelled;
        break;
      case G_IO_ERROR_NOT_SUPPORTED:
      case G_IO_ERROR_WOULD_RECURSE:
      case G_IO_ERROR_WOULD_MERGE:
        failure = FileFailure::NotSupported;
        break;
      default:
        break;
    }
  }
  FileResult result = FileResult::Failed(failure, error->message);
  g_error_free(error);
  return result;
}

bool PathExists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

struct ProgressRelay {
  const FileProgress* progress;
  GCancellable* cancellable;
};

void RelayProgress(goffset done, goffset total, gpointer data) {
  auto* relay = static_cast<ProgressRelay*>(data);
  if (!(*relay->progress)(static_cast<std::uint64_t>(done), static_cast<std::uint64_t>(total))) {
    g_cancellable_cancel(relay->cancellable);
  }
}

using GioTransfer = gboolean (*)(GFile*, GFile*, GFileCopyFlags, GCancellable*,
                                 GFileProgressCallback, gpointer, GError**);

// Copies or moves without replacing anything; whatever a failed transfer left of the target
// is removed, so the caller never sees a half-written song.
FileResult Transfer(GioTransfer transfer, const std::string& from, const std::string& to,
                    const FileProgress& progress) {
  if (PathExists(to)) {
    return FileResult::Failed(FileFailure::AlreadyExists, to + ": the file exists");
  }
  const GPtr<GFile> source = FileOf(from);
  const GPtr<GFile> target = FileOf(to);
  const GPtr<GCancellable> cancellable(g_cancellable_new());
  ProgressRelay relay{&progress, cancellable.get()};
  GError* error = nullptr;
  const auto flags = static_cast<GFileCopyFlags>(G_FILE_COPY_ALL_METADATA);
  if (transfer(source.get(), target.get(), flags, cancellable.get(),
               progress ? RelayProgress : nullptr, progress ? &relay : nullptr, &error)) {
    return {};
  }
  FileResult result = FromGError(error);
  // Someone else's file that appeared at the target meanwhile stays; anything else there is
  // the part this transfer wrote.
  if (result.failure != FileFailure::AlreadyExists && PathExists(from)) ::unlink(to.c_str());
  return result;
}

}  // namespace

FileFailure FailureOfErrno(int error) {
  switch (error) {
    case 0:
      return FileFailure::None;
    case ENOENT:
    case ENOTDIR:
      return FileFailure::NotFound;
    case EEXIST:
    case ENOTEMPTY:
      return FileFailure::AlreadyExists;
    case EACCES:
    case EPERM:
    case EROFS:
      return FileFailure::PermissionDenied;
    case ENOSPC:
    case EDQUOT:
      return FileFailure::NoSpace;
    case EXDEV:
    case ENOTSUP:
    case ENOSYS:
      return FileFailure::NotSupported;
    case ECANCELED:
      return FileFailure::Cancelled;
    default:
      return FileFailure::Other;
  }
}

std::optional<FileInfo> GioFileSystem::Info(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  FileInfo info;
  info.isFolder = S_ISDIR(st.st_mode);
  info.isRegularFile = S_ISREG(st.st_mode);
  info.size = static_cast<std::uint64_t>(st.st_size);
  info.modified = std::chrono::system_clock::time_point(
      std::chrono::duration_cast<std::chrono::system_clock::duration>(
          std::chrono::seconds(st.st_mtim.tv_sec) + std::chrono::nanoseconds(st.st_mtim.tv_nsec)));
  info.device = static_cast<std::uint64_t>(st.st_dev);
  info.inode = static_cast<std::uint64_t>(st.st_ino);
  return info;
}

FolderListing GioFileSystem::List(const std::string& folder,
                                  const std::vector<std::string>& patterns) {
  FolderListing listing;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) {
    listing.result = FromErrno(errno, "Cannot read folder", folder);
    return listing;
  }
  const int fd = ::dirfd(dir);
  errno = 0;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    FolderEntry item{std::string(name), entry->d_type == DT_DIR, entry->d_type == DT_REG,
                     entry->d_type == DT_LNK};
    if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
      struct stat info {};
      if (::fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0) {
        item.isLink = S_ISLNK(info.st_mode);
        if (item.isLink && ::fstatat(fd, entry->d_name, &info, 0) != 0) info.st_mode = 0;
        item.isFolder = S_ISDIR(info.st_mode);
        item.isRegularFile = S_ISREG(info.st_mode);
      }
    }
    if (item.isFolder || MatchesAnyNamePattern(item.name, patterns)) {
      listing.entries.push_back(std::move(item));
    }
    errno = 0;
  }
  if (errno != 0) listing.result = FromErrno(errno, "Cannot read folder", folder);
  ::closedir(dir);
  return listing;
}

FileResult GioFileSystem::RenameWithoutReplacing(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return {};
  if (errno != EINVAL && errno != ENOSYS) return FromErrno(errno, "Cannot rename", from);
  // A file system without the no-replace rename: a hard link refuses an existing target too.
  if (::link(from.c_str(), to.c_str()) != 0) return FromErrno(errno, "Cannot rename", from);
  if (::unlink(from.c_str()) != 0) {
    const int error = errno;
    ::unlink(to.c_str());
    return FromErrno(error, "Cannot rename", from);
  }
  return {};
}

FileResult GioFileSystem::Copy(const std::string& from, const std::string& to,
                               const FileProgress& progress) {
  return Transfer(g_file_copy, from, to, progress);
}

FileResult GioFileSystem::Move(const std::string& from, const std::string& to,
                               const FileProgress& progress) {
  return Transfer(g_file_move, from, to, progress);
}

FileResult GioFileSystem::Delete(const std::string& path) {
  GError* error = nullptr;
  if (g_file_delete(FileOf(path).get(), nullptr, &error)) return {};
  return FromGError(error);
}

FileResult GioFileSystem::Trash(const std::string& path) {
  GError* error = nullptr;
  if (g_file_trash(FileOf(path).get(), nullptr, &error)) return {};
  return FromGError(error);
}

std::optional<std::uint64_t> GioFileSystem::FreeSpace(const std::string& path) {
  GError* error = nullptr;
  const GPtr<GFileInfo> info(g_file_query_filesystem_info(
      FileOf(path).get(), G_FILE_ATTRIBUTE_FILESYSTEM_FREE, nullptr, &error));
  if (!info) {
    g_error_free(error);
    return std::nullopt;
  }
  if (!g_file_info_has_attribute(info.get(), G_FILE_ATTRIBUTE_FILESYSTEM_FREE)) {
    return std::nullopt;
  }
  return g_file_info_get_attribute_uint64(info.get(), G_FILE_ATTRIBUTE_FILESYSTEM_FREE);
}

}  // namespace tunedex
