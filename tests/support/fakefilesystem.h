// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

#include "common/filesystem.h"

namespace tunedex::test {

// An in-memory tree of folders, files and links under "/". Every operation is counted, and
// any can be made to fail, for every path or for one.
class FakeFileSystem : public FileSystem {
 public:
  enum class Op { Info, List, Rename, Copy, Move, Delete, Trash, FreeSpace, kCount };

  FakeFileSystem();

  // The folders above a new entry are made as needed; entries list in the order they were
  // added.
  void AddFolder(const std::string& path);
  void AddFile(const std::string& path, std::string bytes = {},
               std::chrono::system_clock::time_point modified = {});
  void AddLink(const std::string& path, const std::string& target);
  // On another volume: moving there copies and deletes.
  void SetDevice(const std::string& folder, std::uint64_t device) { m_devices[folder] = device; }

  // Makes op fail with failure, for path only or (empty) for every path; None heals it.
  void Fail(Op op, FileFailure failure, const std::string& path = {});
  int Calls(Op op) const { return m_calls[static_cast<std::size_t>(op)]; }
  const std::vector<std::string>& Trashed() const { return m_trashed; }
  std::string Contents(const std::string& path) const;  // a file's bytes, empty when none
  void SetFreeSpace(std::optional<std::uint64_t> bytes) { m_free = bytes; }
  void SetProgressStep(std::uint64_t bytes) { m_step = bytes; }

  std::optional<FileInfo> Info(const std::string& path) override;
  FolderListing List(const std::string& folder,
                     const std::vector<std::string>& patterns = {}) override;
  FileResult RenameWithoutReplacing(const std::string& from, const std::string& to) override;
  FileResult Copy(const std::string& from, const std::string& to,
                  const FileProgress& progress = {}) override;
  FileResult Move(const std::string& from, const std::string& to,
                  const FileProgress& progress = {}) override;
  FileResult Delete(const std::string& path) override;
  FileResult Trash(const std::string& path) override;
  std::optional<std::uint64_t> FreeSpace(const std::string& path) override;

 private:
  struct Node {
    bool isFolder = false;
    std::string bytes;
    std::string linkTarget;  // not empty for a link
    std::chrono::system_clock::time_point modified;
    std::uint64_t inode = 0;
    std::vector<std::string> children;  // names, in the order added
  };

  FileResult Begin(Op op, const std::string& path);
  const Node* Resolve(const std::string& path) const;  // links followed
  Node& Add(const std::string& path, Node node);
  void Remove(const std::string& path);
  // Moves an entry and everything below it; children keep their names and order.
  void Relocate(const std::string& from, const std::string& to);
  std::uint64_t DeviceOf(const std::string& path) const;
  FileResult CopyBytes(const Node& source, const std::string& to, const FileProgress& progress);

  std::map<std::string, Node> m_nodes;
  std::map<std::string, std::uint64_t> m_devices;
  std::map<std::pair<Op, std::string>, FileFailure> m_failures;
  std::array<int, static_cast<std::size_t>(Op::kCount)> m_calls{};
  std::vector<std::string> m_trashed;
  std::optional<std::uint64_t> m_free = std::uint64_t{1} << 30;
  std::uint64_t m_step = 4096;
  std::uint64_t m_nextInode = 1;
};

}  // namespace tunedex::test
