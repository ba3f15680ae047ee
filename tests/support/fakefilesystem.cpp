// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fakefilesystem.h"

#include <algorithm>

namespace tunedex::test {

namespace {

std::string Parent(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == 0 || slash == std::string::npos ? "/" : path.substr(0, slash);
}

std::string Name(const std::string& path) {
  return path.substr(path.rfind('/') + 1);
}

std::string Normal(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

FakeFileSystem::FakeFileSystem() {
  Node root;
  root.isFolder = true;
  root.inode = m_nextInode++;
  m_nodes["/"] = root;
}

FakeFileSystem::Node& FakeFileSystem::Add(const std::string& rawPath, Node node) {
  const std::string path = Normal(rawPath);
  const std::string parent = Parent(path);
  if (m_nodes.count(parent) == 0) AddFolder(parent);
  auto [it, added] = m_nodes.insert_or_assign(path, std::move(node));
  if (added) m_nodes[parent].children.push_back(Name(path));
  it->second.inode = m_nextInode++;
  return it->second;
}

void FakeFileSystem::AddFolder(const std::string& path) {
  if (m_nodes.count(Normal(path)) != 0) return;
  Node node;
  node.isFolder = true;
  Add(path, std::move(node));
}

void FakeFileSystem::AddFile(const std::string& path, std::string bytes,
                             std::chrono::system_clock::time_point modified) {
  Node node;
  node.bytes = std::move(bytes);
  node.modified = modified;
  Add(path, std::move(node));
}

void FakeFileSystem::AddLink(const std::string& path, const std::string& target) {
  Node node;
  node.linkTarget = target;
  Add(path, std::move(node));
}

void FakeFileSystem::Remove(const std::string& path) {
  const auto it = m_nodes.find(path);
  if (it == m_nodes.end()) return;
  for (const std::string& child : it->second.children) Remove(path + "/" + child);
  m_nodes.erase(path);
  std::vector<std::string>& siblings = m_nodes[Parent(path)].children;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), Name(path)), siblings.end());
}

void FakeFileSystem::Fail(Op op, FileFailure failure, const std::string& path) {
  if (failure == FileFailure::None) {
    m_failures.erase({op, path});
  } else {
    m_failures[{op, path}] = failure;
  }
}

FileResult FakeFileSystem::Begin(Op op, const std::string& path) {
  ++m_calls[static_cast<std::size_t>(op)];
  for (const std::string& key : {path, std::string()}) {
    const auto it = m_failures.find({op, key});
    if (it != m_failures.end()) return FileResult::Failed(it->second, "made to fail: " + path);
  }
  return {};
}

const FakeFileSystem::Node* FakeFileSystem::Resolve(const std::string& rawPath) const {
  std::string path = Normal(rawPath);
  for (int hops = 0; hops < 40; ++hops) {
    const auto it = m_nodes.find(path);
    if (it == m_nodes.end()) return nullptr;
    if (it->second.linkTarget.empty()) return &it->second;
    const std::string& target = it->second.linkTarget;
    path = Normal(target.front() == '/' ? target : Parent(path) + "/" + target);
  }
  return nullptr;
}

std::uint64_t FakeFileSystem::DeviceOf(const std::string& path) const {
  std::uint64_t device = 1;
  std::size_t longest = 0;
  for (const auto& [folder, id] : m_devices) {
    const bool holds = path == folder || path.starts_with(folder + "/");
    if (holds && folder.size() >= longest) {
      longest = folder.size();
      device = id;
    }
  }
  return device;
}

std::string FakeFileSystem::Contents(const std::string& path) const {
  const Node* node = Resolve(path);
  return node && !node->isFolder ? node->bytes : std::string();
}

std::optional<FileInfo> FakeFileSystem::Info(const std::string& path) {
  if (!Begin(Op::Info, path)) return std::nullopt;
  const Node* node = Resolve(path);
  if (!node) return std::nullopt;
  FileInfo info;
  info.isFolder = node->isFolder;
  info.isRegularFile = !node->isFolder;
  info.size = node->bytes.size();
  info.modified = node->modified;
  info.device = DeviceOf(Normal(path));
  info.inode = node->inode;
  return info;
}

FolderListing FakeFileSystem::List(const std::string& rawFolder,
                                   const std::vector<std::string>& patterns) {
  FolderListing listing;
  const std::string folder = Normal(rawFolder);
  listing.result = Begin(Op::List, folder);
  if (!listing.result) return listing;
  const Node* node = Resolve(folder);
  if (!node || !node->isFolder) {
    listing.result = FileResult::Failed(FileFailure::NotFound, "no folder " + folder);
    return listing;
  }
  const std::string prefix = folder == "/" ? "/" : folder + "/";
  for (const std::string& name : node->children) {
    const Node& child = m_nodes.at(prefix + name);
    const Node* target = Resolve(prefix + name);
    FolderEntry entry{name, target && target->isFolder, target && !target->isFolder,
                      !child.linkTarget.empty()};
    if (entry.isFolder || MatchesAnyNamePattern(name, patterns)) listing.entries.push_back(entry);
  }
  return listing;
}

FileResult FakeFileSystem::RenameWithoutReplacing(const std::string& rawFrom,
                                                  const std::string& rawTo) {
  const std::string from = Normal(rawFrom), to = Normal(rawTo);
  if (FileResult result = Begin(Op::Rename, from); !result) return result;
  if (m_nodes.count(from) == 0) return FileResult::Failed(FileFailure::NotFound, from);
  if (m_nodes.count(to) != 0) return FileResult::Failed(FileFailure::AlreadyExists, to);
  const Node* parent = Resolve(Parent(to));
  if (!parent || !parent->isFolder) return FileResult::Failed(FileFailure::NotFound, to);
  if (DeviceOf(from) != DeviceOf(to)) return FileResult::Failed(FileFailure::NotSupported, to);
  if (to.starts_with(from + "/")) return FileResult::Failed(FileFailure::NotSupported, to);
  Relocate(from, to);
  return {};
}

void FakeFileSystem::Relocate(const std::string& from, const std::string& to) {
  std::vector<std::pair<std::string, Node>> moved;
  for (auto it = m_nodes.lower_bound(from); it != m_nodes.end(); ++it) {
    if (it->first != from && !it->first.starts_with(from + "/")) continue;
    moved.emplace_back(to + it->first.substr(from.size()), it->second);
  }
  Remove(from);
  // The parents come first in the map's order, so each one is there before its children.
  for (auto& [path, node] : moved) {
    m_nodes[path] = std::move(node);
  }
  m_nodes[Parent(to)].children.push_back(Name(to));
}

FileResult FakeFileSystem::CopyBytes(const Node& source, const std::string& to,
                                     const FileProgress& progress) {
  const std::uint64_t total = source.bytes.size();
  for (std::uint64_t done = 0; progress;) {
    done = std::min(total, done + m_step);
    if (!progress(done, total)) return FileResult::Failed(FileFailure::Cancelled, "cancelled");
    if (done == total) break;
  }
  Node copy;
  copy.bytes = source.bytes;
  copy.modified = source.modified;
  Add(to, std::move(copy));
  return {};
}

FileResult FakeFileSystem::Copy(const std::string& rawFrom, const std::string& rawTo,
                                const FileProgress& progress) {
  const std::string from = Normal(rawFrom), to = Normal(rawTo);
  if (FileResult result = Begin(Op::Copy, from); !result) return result;
  const Node* source = Resolve(from);
  if (!source) return FileResult::Failed(FileFailure::NotFound, from);
  if (source->isFolder) return FileResult::Failed(FileFailure::NotSupported, from);
  if (m_nodes.count(to) != 0) return FileResult::Failed(FileFailure::AlreadyExists, to);
  if (!Resolve(Parent(to))) return FileResult::Failed(FileFailure::NotFound, to);
  return CopyBytes(*source, to, progress);
}

FileResult FakeFileSystem::Move(const std::string& rawFrom, const std::string& rawTo,
                                const FileProgress& progress) {
  const std::string from = Normal(rawFrom), to = Normal(rawTo);
  if (FileResult result = Begin(Op::Move, from); !result) return result;
  const auto it = m_nodes.find(from);
  if (it == m_nodes.end()) return FileResult::Failed(FileFailure::NotFound, from);
  if (m_nodes.count(to) != 0) return FileResult::Failed(FileFailure::AlreadyExists, to);
  if (!Resolve(Parent(to))) return FileResult::Failed(FileFailure::NotFound, to);
  if (DeviceOf(from) == DeviceOf(to)) {
    if (to.starts_with(from + "/")) return FileResult::Failed(FileFailure::NotSupported, to);
    Relocate(from, to);
    return {};
  }
  if (it->second.isFolder) return FileResult::Failed(FileFailure::NotSupported, from);
  const Node source = it->second;
  if (FileResult copied = CopyBytes(source, to, progress); !copied) return copied;
  Remove(from);
  return {};
}

FileResult FakeFileSystem::Delete(const std::string& rawPath) {
  const std::string path = Normal(rawPath);
  if (FileResult result = Begin(Op::Delete, path); !result) return result;
  const auto it = m_nodes.find(path);
  if (it == m_nodes.end()) return FileResult::Failed(FileFailure::NotFound, path);
  if (!it->second.children.empty()) return FileResult::Failed(FileFailure::AlreadyExists, path);
  Remove(path);
  return {};
}

FileResult FakeFileSystem::Trash(const std::string& rawPath) {
  const std::string path = Normal(rawPath);
  if (FileResult result = Begin(Op::Trash, path); !result) return result;
  if (m_nodes.count(path) == 0) return FileResult::Failed(FileFailure::NotFound, path);
  Remove(path);
  m_trashed.push_back(path);
  return {};
}

std::optional<std::uint64_t> FakeFileSystem::FreeSpace(const std::string& path) {
  if (!Begin(Op::FreeSpace, path)) return std::nullopt;
  return Resolve(path) ? m_free : std::nullopt;
}

}  // namespace tunedex::test
