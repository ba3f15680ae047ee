// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/foldertreemodel.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QPalette>
#include <QSocketNotifier>
#include <QStyle>
#include <algorithm>

namespace tunedex {

struct TFolderTreeModel::Node {
  NodeKind kind = NodeKind::Folder;
  FolderTop top = FolderTop::Home;  // of a top node
  std::string caption;
  std::string path;
  VolumeKind volumeKind = VolumeKind::Fixed;  // of a place
  enum class State : std::uint8_t { Unlisted, Listing, Listed } state = State::Unlisted;
  bool notAnswering = false;
  bool expanded = false;
  bool watched = false;
  Node* parent = nullptr;
  std::vector<std::unique_ptr<Node>> children;

  int Row() const {
    const auto& siblings = parent->children;
    const auto at = std::find_if(siblings.begin(), siblings.end(),
                                 [this](const auto& sibling) { return sibling.get() == this; });
    return static_cast<int>(at - siblings.begin());
  }
};

// What a node under a parent should be; a node whose every field matches is kept as it is.
struct TFolderTreeModel::ChildSpec {
  NodeKind kind;
  std::string caption;
  std::string path;
  VolumeKind volumeKind = VolumeKind::Fixed;

  bool Matches(const Node& node) const {
    return node.kind == kind && node.caption == caption && node.path == path &&
           node.volumeKind == volumeKind;
  }
};

struct TFolderTreeModel::Icons {
  QIcon home, computer, network, folder, harddisk, removable, optical, remote;
};

namespace {

QIcon ThemeIcon(const char* name, QStyle::StandardPixmap fallback) {
  return QIcon::fromTheme(QString::fromLatin1(name), QApplication::style()->standardIcon(fallback));
}

// Whether folder lies in or below root (root may end in "/").
bool Holds(std::string_view root, std::string_view folder) {
  while (root.size() > 1 && root.back() == '/') root.remove_suffix(1);
  if (root == "/") return folder.starts_with('/');
  return folder.starts_with(root) && (folder.size() == root.size() || folder[root.size()] == '/');
}

}  // namespace

TFolderTreeModel::TFolderTreeModel(std::shared_ptr<Volumes> volumes,
                                   std::shared_ptr<FileSystem> files, std::string home,
                                   std::string gvfsRoot, FolderTreeTiming timing, QObject* parent)
    : QAbstractItemModel(parent),
      m_volumes(std::move(volumes)),
      m_files(std::move(files)),
      m_home(NormalFolderPath(home)),
      m_gvfsRoot(NormalFolderPath(gvfsRoot)),
      m_timing(std::move(timing)),
      m_root(std::make_unique<Node>()),
      m_icons(std::make_unique<Icons>()) {
  m_icons->home = ThemeIcon("user-home", QStyle::SP_DirHomeIcon);
  m_icons->computer = ThemeIcon("computer", QStyle::SP_ComputerIcon);
  m_icons->network = ThemeIcon("network-workgroup", QStyle::SP_DriveNetIcon);
  m_icons->folder = ThemeIcon("folder", QStyle::SP_DirIcon);
  m_icons->harddisk = ThemeIcon("drive-harddisk", QStyle::SP_DriveHDIcon);
  m_icons->removable = ThemeIcon("drive-removable-media", QStyle::SP_DriveFDIcon);
  m_icons->optical = ThemeIcon("media-optical", QStyle::SP_DriveCDIcon);
  m_icons->remote = ThemeIcon("folder-remote", QStyle::SP_DriveNetIcon);

  const std::pair<FolderTop, const char*> tops[] = {{FolderTop::Home, "Home"},
                                                    {FolderTop::Computer, "Computer"},
                                                    {FolderTop::Network, "Network"}};
  for (const auto& [top, caption] : tops) {
    auto node = std::make_unique<Node>();
    node->kind = NodeKind::Top;
    node->top = top;
    node->caption = caption;
    node->parent = m_root.get();
    if (top == FolderTop::Home) node->path = m_home;
    m_tops[static_cast<int>(top)] = node.get();
    m_root->children.push_back(std::move(node));
  }

  connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this](const QString& changed) {
    std::string folder = changed.toStdString();
    // A place's root is watched with its trailing "/", which may come back without.
    if (!m_watchCounts.contains(folder)) folder = PlaceRoot(folder);
    RequestListing(folder, true);
  });
  connect(&m_rescan, &QTimer::timeout, this, [this] {
    ReadPlaces();
    if (!m_gvfsRoot.empty()) RequestListing(m_gvfsRoot, false);
  });
  m_rescan.start(m_timing.rescanInterval);
  if (!m_timing.mountTable.empty()) {
    // The mount table signals a change as an exceptional condition, until it is read again.
    m_mountTableFd = ::open(m_timing.mountTable.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_mountTableFd >= 0) {
      m_mountTableNotifier = new QSocketNotifier(m_mountTableFd, QSocketNotifier::Exception, this);
      connect(m_mountTableNotifier, &QSocketNotifier::activated, this,
              &TFolderTreeModel::OnMountTableChanged);
    }
  }

  ReadPlaces();
  if (!m_gvfsRoot.empty()) RequestListing(m_gvfsRoot, false);
  if (!m_home.empty()) RequestListing(m_home, false);
}

TFolderTreeModel::~TFolderTreeModel() {
  delete m_mountTableNotifier;
  if (m_mountTableFd >= 0) ::close(m_mountTableFd);
}

TFolderTreeModel::Node* TFolderTreeModel::NodeOf(const QModelIndex& index) const {
  return index.isValid() ? static_cast<Node*>(index.internalPointer()) : m_root.get();
}

QModelIndex TFolderTreeModel::IndexOf(const Node* node) const {
  if (!node || node == m_root.get()) return {};
  return createIndex(node->Row(), 0, const_cast<Node*>(node));
}

QModelIndex TFolderTreeModel::index(int row, int column, const QModelIndex& parent) const {
  const Node* node = NodeOf(parent);
  if (column != 0 || row < 0 || row >= static_cast<int>(node->children.size())) return {};
  return createIndex(row, 0, node->children[static_cast<std::size_t>(row)].get());
}

QModelIndex TFolderTreeModel::parent(const QModelIndex& child) const {
  if (!child.isValid()) return {};
  return IndexOf(NodeOf(child)->parent);
}

int TFolderTreeModel::rowCount(const QModelIndex& parent) const {
  if (parent.column() > 0) return 0;
  return static_cast<int>(NodeOf(parent)->children.size());
}

int TFolderTreeModel::columnCount(const QModelIndex&) const {
  return 1;
}

QVariant TFolderTreeModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const Node& node = *NodeOf(index);
  switch (role) {
    case Qt::DisplayRole: {
      QString caption = QString::fromStdString(node.caption);
      if (node.notAnswering) caption += QStringLiteral(" (not answering)");
      return caption;
    }
    case Qt::DecorationRole:
      return IconOf(node);
    case Qt::ToolTipRole:
    case PathRole:
      return QString::fromStdString(node.path);
    case Qt::ForegroundRole:
      if (node.notAnswering)
        return QApplication::palette().brush(QPalette::Disabled, QPalette::Text);
      return {};
    case NotAnsweringRole:
      return node.notAnswering;
    default:
      return {};
  }
}

Qt::ItemFlags TFolderTreeModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

QIcon TFolderTreeModel::IconOf(const Node& node) const {
  switch (node.kind) {
    case NodeKind::Top:
      if (node.top == FolderTop::Home) return m_icons->home;
      return node.top == FolderTop::Computer ? m_icons->computer : m_icons->network;
    case NodeKind::Place:
      switch (node.volumeKind) {
        case VolumeKind::Removable:
          return m_icons->removable;
        case VolumeKind::Optical:
          return m_icons->optical;
        case VolumeKind::Remote:
          return m_icons->remote;
        case VolumeKind::Fixed:
        case VolumeKind::Ram:
          break;
      }
      return m_icons->harddisk;
    case NodeKind::Folder:
      break;
  }
  return m_icons->folder;
}

bool TFolderTreeModel::hasChildren(const QModelIndex& parent) const {
  const Node* node = NodeOf(parent);
  if (node == m_root.get()) return true;
  // Until a folder is listed, it may have subfolders.
  if (!IsListed(parent)) return true;
  return !node->children.empty();
}

bool TFolderTreeModel::canFetchMore(const QModelIndex& parent) const {
  const Node* node = NodeOf(parent);
  return parent.isValid() && !node->path.empty() && node->state == Node::State::Unlisted;
}

void TFolderTreeModel::fetchMore(const QModelIndex& parent) {
  List(parent, false);
}

QModelIndex TFolderTreeModel::TopIndex(FolderTop top) const {
  return IndexOf(m_tops[static_cast<int>(top)]);
}

std::string TFolderTreeModel::PathOf(const QModelIndex& index) const {
  return index.isValid() ? NodeOf(index)->path : std::string();
}

QModelIndex TFolderTreeModel::ChildWithPath(const QModelIndex& parent,
                                            const std::string& path) const {
  for (const auto& child : NodeOf(parent)->children) {
    if (child->path == path) return IndexOf(child.get());
  }
  return {};
}

bool TFolderTreeModel::IsListed(const QModelIndex& index) const {
  const Node* node = NodeOf(index);
  if (node->kind == NodeKind::Top && node->top == FolderTop::Computer) return m_volumesKnown;
  if (node->kind == NodeKind::Top && node->top == FolderTop::Network) {
    return m_volumesKnown && (m_gvfsRoot.empty() || m_gvfsKnown);
  }
  return node->state == Node::State::Listed;
}

bool TFolderTreeModel::IsNotAnswering(const QModelIndex& index) const {
  return index.isValid() && NodeOf(index)->notAnswering;
}

std::optional<FolderRoute> TFolderTreeModel::RouteOf(const std::string& path) const {
  return tunedex::RouteOf(path, m_home, ComputerPlaces(m_mounted),
                          NetworkPlaces(m_mounted, m_gvfsRoot, m_gvfs));
}

std::vector<TFolderTreeModel::Node*> TFolderTreeModel::NodesWithPath(
    const std::string& path) const {
  std::vector<Node*> found;
  std::vector<Node*> pending{m_root.get()};
  while (!pending.empty()) {
    Node* node = pending.back();
    pending.pop_back();
    if (!node->path.empty() && node->path == path) found.push_back(node);
    for (const auto& child : node->children) {
      // A folder's nodes lie only below the nodes of the folders holding it.
      if (child->path.empty() || Holds(child->path, path)) pending.push_back(child.get());
    }
  }
  return found;
}

void TFolderTreeModel::List(const QModelIndex& index, bool again) {
  Node* node = NodeOf(index);
  if (node->kind == NodeKind::Top && node->top != FolderTop::Home) {
    ReadPlaces();
    if (node->top == FolderTop::Network && !m_gvfsRoot.empty()) RequestListing(m_gvfsRoot, again);
    return;
  }
  if (!node->path.empty()) RequestListing(node->path, again);
}

void TFolderTreeModel::RequestListing(const std::string& path, bool again) {
  if (const auto running = m_requests.find(path); running != m_requests.end()) {
    running->second.again = running->second.again || again;
    return;
  }
  const std::uint64_t serial = ++m_serial;
  m_requests[path] = {serial, std::chrono::steady_clock::now(), false};
  for (Node* node : NodesWithPath(path)) {
    if (node->state == Node::State::Unlisted) node->state = Node::State::Listing;
  }
  const bool started = m_calls.Run<FolderListing>(
      [files = m_files, path] { return files->List(path); },
      [this, path, serial](FolderListing listing) { OnListed(path, serial, std::move(listing)); });
  if (!started) {
    m_requests.erase(path);
    return;
  }
  QTimer::singleShot(m_timing.answerBound, this, [this, path, serial] { OnOverdue(path, serial); });
}

void TFolderTreeModel::OnListed(const std::string& path, std::uint64_t serial,
                                FolderListing listing) {
  const auto request = m_requests.find(path);
  if (request == m_requests.end() || request->second.serial != serial) return;
  const bool again = request->second.again;
  m_requests.erase(request);

  std::vector<std::string> names = SubfolderNames(std::move(listing));
  if (path == m_gvfsRoot) {
    m_gvfs = names;
    m_gvfsKnown = true;
    SetNotAnswering(m_tops[static_cast<int>(FolderTop::Network)], false);
    SyncPlaces();
    if (m_volumesKnown) Q_EMIT Answered(TopIndex(FolderTop::Network));
  }
  for (Node* node : NodesWithPath(path)) {
    std::vector<ChildSpec> wanted;
    wanted.reserve(names.size());
    for (const std::string& name : names) {
      wanted.push_back({NodeKind::Folder, name, ChildPath(node->path, name)});
    }
    SyncChildren(node, wanted);
    node->state = Node::State::Listed;
    SetNotAnswering(node, false);
    const QModelIndex index = IndexOf(node);
    Q_EMIT dataChanged(index, index);
    Q_EMIT Answered(index);
  }
  if (again) RequestListing(path, false);
}

void TFolderTreeModel::OnOverdue(const std::string& path, std::uint64_t serial) {
  const auto request = m_requests.find(path);
  if (request == m_requests.end() || request->second.serial != serial) return;
  if (path == m_gvfsRoot && !m_gvfsKnown) {
    SetNotAnswering(m_tops[static_cast<int>(FolderTop::Network)], true);
    Q_EMIT Answered(TopIndex(FolderTop::Network));
  }
  for (Node* node : NodesWithPath(path)) {
    SetNotAnswering(node, true);
    Q_EMIT Answered(IndexOf(node));
  }
}

void TFolderTreeModel::SetNotAnswering(Node* node, bool notAnswering) {
  if (node->notAnswering == notAnswering) return;
  node->notAnswering = notAnswering;
  const QModelIndex index = IndexOf(node);
  Q_EMIT dataChanged(index, index);
}

void TFolderTreeModel::ReadPlaces() {
  if (m_readingPlaces) {
    m_readPlacesAgain = true;
    return;
  }
  m_readingPlaces = true;
  const bool started = m_calls.Run<std::vector<Volume>>(
      [volumes = m_volumes] { return volumes->Mounted(); },
      [this](std::vector<Volume> mounted) { OnMounted(std::move(mounted)); });
  if (!started) {
    m_readingPlaces = false;
    return;
  }
  if (!m_volumesKnown) {
    QTimer::singleShot(m_timing.answerBound, this, [this] {
      if (m_volumesKnown) return;
      SetNotAnswering(m_tops[static_cast<int>(FolderTop::Computer)], true);
      Q_EMIT Answered(TopIndex(FolderTop::Computer));
    });
  }
}

void TFolderTreeModel::OnMounted(std::vector<Volume> mounted) {
  m_readingPlaces = false;
  const bool first = !m_volumesKnown;
  m_volumesKnown = true;
  if (mounted != m_mounted || first) {
    m_mounted = std::move(mounted);
    SyncPlaces();
  }
  SetNotAnswering(m_tops[static_cast<int>(FolderTop::Computer)], false);
  if (first) {
    // Folders expanded before the mounts were known wait for them to tell local from remote.
    std::vector<Node*> pending{m_root.get()};
    while (!pending.empty()) {
      Node* node = pending.back();
      pending.pop_back();
      UpdateWatch(node);
      for (const auto& child : node->children) pending.push_back(child.get());
    }
    Q_EMIT Answered(TopIndex(FolderTop::Computer));
    if (m_gvfsRoot.empty() || m_gvfsKnown) Q_EMIT Answered(TopIndex(FolderTop::Network));
  }
  if (m_readPlacesAgain) {
    m_readPlacesAgain = false;
    ReadPlaces();
  }
}

void TFolderTreeModel::OnMountTableChanged() {
  // Reading the table to its end re-arms the signal.
  char buffer[4096];
  ::lseek(m_mountTableFd, 0, SEEK_SET);
  while (::read(m_mountTableFd, buffer, sizeof buffer) > 0) {
  }
  ReadPlaces();
}

void TFolderTreeModel::SyncPlaces() {
  const std::pair<FolderTop, std::vector<FolderPlace>> groups[] = {
      {FolderTop::Computer, ComputerPlaces(m_mounted)},
      {FolderTop::Network, NetworkPlaces(m_mounted, m_gvfsRoot, m_gvfs)}};
  for (const auto& [top, places] : groups) {
    std::vector<ChildSpec> wanted;
    for (const FolderPlace& place : places) {
      wanted.push_back({NodeKind::Place, place.caption, place.path, place.kind});
    }
    SyncChildren(m_tops[static_cast<int>(top)], wanted);
  }
}

void TFolderTreeModel::SyncChildren(Node* node, const std::vector<ChildSpec>& wanted) {
  const QModelIndex parent = IndexOf(node);
  // Children no longer wanted go, in runs of rows from the end.
  for (int row = static_cast<int>(node->children.size()) - 1; row >= 0;) {
    const auto keep = [&](int at) {
      const Node& child = *node->children[static_cast<std::size_t>(at)];
      return std::any_of(wanted.begin(), wanted.end(),
                         [&](const ChildSpec& spec) { return spec.Matches(child); });
    };
    if (keep(row)) {
      --row;
      continue;
    }
    int first = row;
    while (first > 0 && !keep(first - 1)) --first;
    beginRemoveRows(parent, first, row);
    for (int at = first; at <= row; ++at)
      Unwatch(node->children[static_cast<std::size_t>(at)].get());
    node->children.erase(node->children.begin() + first, node->children.begin() + row + 1);
    endRemoveRows();
    row = first - 1;
  }
  // The rest are in order; the new ones go between them.
  std::size_t row = 0;
  for (const ChildSpec& spec : wanted) {
    if (row < node->children.size() && spec.Matches(*node->children[row])) {
      ++row;
      continue;
    }
    const auto elsewhere =
        std::find_if(node->children.begin() + static_cast<long>(row), node->children.end(),
                     [&](const auto& child) { return spec.Matches(*child); });
    if (elsewhere != node->children.end()) {
      // Out of order (a caption sorting differently now): it moves to its place afresh.
      const int from = static_cast<int>(elsewhere - node->children.begin());
      beginRemoveRows(parent, from, from);
      Unwatch(elsewhere->get());
      node->children.erase(elsewhere);
      endRemoveRows();
    }
    auto child = std::make_unique<Node>();
    child->kind = spec.kind;
    child->caption = spec.caption;
    child->path = spec.path;
    child->volumeKind = spec.volumeKind;
    child->parent = node;
    if (const auto running = m_requests.find(spec.path); running != m_requests.end()) {
      child->state = Node::State::Listing;
      child->notAnswering =
          std::chrono::steady_clock::now() - running->second.started >= m_timing.answerBound;
    }
    const int at = static_cast<int>(row);
    beginInsertRows(parent, at, at);
    Node* added = child.get();
    node->children.insert(node->children.begin() + at, std::move(child));
    endInsertRows();
    ++row;
    // A place is listed at once: that tells whether it answers before anyone opens it.
    if (added->kind == NodeKind::Place) RequestListing(added->path, false);
  }
}

bool TFolderTreeModel::IsRemote(const std::string& path) const {
  if (!m_gvfsRoot.empty() && Holds(m_gvfsRoot, path)) return true;
  const std::optional<Volume> volume = VolumeHolding(m_mounted, path);
  return volume && volume->kind == VolumeKind::Remote;
}

void TFolderTreeModel::SetExpanded(const QModelIndex& index, bool expanded) {
  if (!index.isValid()) return;
  Node* node = NodeOf(index);
  node->expanded = expanded;
  if (expanded && !node->path.empty()) {
    if (node->state == Node::State::Unlisted) {
      RequestListing(node->path, false);
    } else if (m_volumesKnown && IsRemote(node->path)) {
      RequestListing(node->path, true);
    }
  }
  UpdateWatch(node);
}

void TFolderTreeModel::UpdateWatch(Node* node) {
  const bool wanted =
      node->expanded && !node->path.empty() && m_volumesKnown && !IsRemote(node->path);
  if (wanted == node->watched) return;
  node->watched = wanted;
  int& count = m_watchCounts[node->path];
  const QString folder = QString::fromStdString(node->path);
  if (wanted && count++ == 0) {
    m_watcher.addPath(folder);
  } else if (!wanted && --count == 0) {
    m_watcher.removePath(folder);
  }
  if (count == 0) m_watchCounts.erase(node->path);
}

void TFolderTreeModel::Unwatch(Node* node) {
  node->expanded = false;
  UpdateWatch(node);
  for (const auto& child : node->children) Unwatch(child.get());
}

}  // namespace tunedex
