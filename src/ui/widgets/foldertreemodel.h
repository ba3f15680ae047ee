// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractItemModel>
#include <QFileSystemWatcher>
#include <QIcon>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/filesystem.h"
#include "common/foldertreerules.h"
#include "common/volumes.h"
#include "ui/widgets/backgroundcalls.h"

class QSocketNotifier;

namespace tunedex {

// How long the folder tree waits for an answer before a node shows as not answering, how often
// it reads the mounts again, and the mount table whose changes make it read them at once
// (empty: none).
struct FolderTreeTiming {
  std::chrono::milliseconds answerBound{2000};
  std::chrono::milliseconds rescanInterval{2000};
  std::string mountTable = "/proc/self/mountinfo";
};

// The nodes of the folder tree: Home, Computer and Network at the top, places (volumes and
// network mounts) under Computer and Network, folders below. Every folder is listed on a
// thread of its own when first needed; its answer updates the children in place, so the
// view keeps its expansion and selection. The services are called from those threads and
// must outlive every call, a stuck one included.
class TFolderTreeModel : public QAbstractItemModel {
  Q_OBJECT

 public:
  enum class NodeKind : std::uint8_t { Top, Place, Folder };
  enum Role {
    PathRole = Qt::UserRole + 1,  // QString: the node's folder, empty for Computer and Network
    NotAnsweringRole,             // bool: the node's listing is overdue
  };

  // The listings run on threads of their own, which may outlive the model when a call never
  // returns: they share the services.
  TFolderTreeModel(std::shared_ptr<Volumes> volumes, std::shared_ptr<FileSystem> files,
                   std::string home, std::string gvfsRoot, FolderTreeTiming timing,
                   QObject* parent = nullptr);
  ~TFolderTreeModel() override;

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool hasChildren(const QModelIndex& parent = {}) const override;
  bool canFetchMore(const QModelIndex& parent) const override;
  void fetchMore(const QModelIndex& parent) override;

  QModelIndex TopIndex(FolderTop top) const;
  std::string PathOf(const QModelIndex& index) const;
  QModelIndex ChildWithPath(const QModelIndex& parent, const std::string& path) const;
  // Whether a node's children are known (for Computer: the mounts were read).
  bool IsListed(const QModelIndex& index) const;
  bool IsNotAnswering(const QModelIndex& index) const;
  bool PlacesKnown() const { return m_volumesKnown; }
  std::optional<FolderRoute> RouteOf(const std::string& path) const;
  const FolderTreeTiming& Timing() const { return m_timing; }

  // Lists a node's folder unless a listing of it is under way; again says to list it once
  // more after one under way (the folder changed since it began).
  void List(const QModelIndex& index, bool again);
  // Expanded local folders are watched for folders made and removed; folders on network
  // volumes, where a watch can hang, are listed again on each expansion instead.
  void SetExpanded(const QModelIndex& index, bool expanded);
  void ReadPlaces();

 Q_SIGNALS:
  // A node's listing came, or is overdue: a walk down the tree may go on.
  void Answered(const QModelIndex& node);

 private:
  struct Node;
  struct ChildSpec;
  struct Request {
    std::uint64_t serial = 0;
    std::chrono::steady_clock::time_point started;
    bool again = false;
  };

  Node* NodeOf(const QModelIndex& index) const;
  QModelIndex IndexOf(const Node* node) const;
  std::vector<Node*> NodesWithPath(const std::string& path) const;
  void RequestListing(const std::string& path, bool again);
  void OnListed(const std::string& path, std::uint64_t serial, FolderListing listing);
  void OnOverdue(const std::string& path, std::uint64_t serial);
  void OnMounted(std::vector<Volume> mounted);
  void OnMountTableChanged();
  void SyncPlaces();
  void SyncChildren(Node* node, const std::vector<ChildSpec>& wanted);
  void SetNotAnswering(Node* node, bool notAnswering);
  void Unwatch(Node* node);  // the node and everything below it
  void UpdateWatch(Node* node);
  bool IsRemote(const std::string& path) const;
  QIcon IconOf(const Node& node) const;

  std::shared_ptr<Volumes> m_volumes;
  std::shared_ptr<FileSystem> m_files;
  std::string m_home;
  std::string m_gvfsRoot;
  FolderTreeTiming m_timing;
  std::unique_ptr<Node> m_root;
  Node* m_tops[3] = {};

  std::vector<Volume> m_mounted;
  bool m_volumesKnown = false;
  bool m_readingPlaces = false;
  bool m_readPlacesAgain = false;
  std::vector<std::string> m_gvfs;
  bool m_gvfsKnown = false;

  std::map<std::string, Request> m_requests;  // listings under way, by folder
  std::uint64_t m_serial = 0;
  QFileSystemWatcher m_watcher;
  std::map<std::string, int> m_watchCounts;  // watched folders, by the nodes showing them
  QTimer m_rescan;
  int m_mountTableFd = -1;
  QSocketNotifier* m_mountTableNotifier = nullptr;
  struct Icons;
  std::unique_ptr<Icons> m_icons;
  TBackgroundCalls m_calls{this};  // last: answers stop before anything else goes
};

}  // namespace tunedex
