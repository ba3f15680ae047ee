// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPersistentModelIndex>
#include <QString>
#include <QTreeView>
#include <cstdint>
#include <memory>
#include <string>

#include "common/filesystem.h"
#include "common/volumes.h"
#include "ui/widgets/foldertreemodel.h"

class QMimeData;

namespace tunedex {

// The tree of folders a song window browses: "Home" (the user's home folder), "Computer" (the
// volumes songs may be kept on) and "Network" (network mounts and the desktop's own network
// places). Folders are listed lazily and off the window thread, each within a bound; a volume
// or folder that does not answer shows so and the window goes on. Mounts coming and going and
// folders made or removed elsewhere show without a restart.
class TFolderTree : public QTreeView {
  Q_OBJECT

 public:
  struct Services {
    // Called from threads of their own, which may outlive the tree when a call never returns.
    std::shared_ptr<Volumes> volumes;
    std::shared_ptr<FileSystem> files;
    std::string home;      // the user's home folder
    std::string gvfsRoot;  // the desktop's network mounts ($XDG_RUNTIME_DIR/gvfs); may be empty
  };

  // The services are called from threads of the tree's own and must outlive the program's
  // last call into them (a call stuck on a dead mount may never return).
  TFolderTree(Services services, QWidget* parent = nullptr);
  TFolderTree(Services services, FolderTreeTiming timing, QWidget* parent = nullptr);
  ~TFolderTree() override;

  // Expands the tree down to path and selects it; when path is gone, its nearest existing
  // parent folder (the nearest the tree shows: hidden folders are not shown), and Home when
  // no volume holds it. Reports the selection change like a click does. Folders not listed
  // yet are listed first, so the selection may come later, with SelectionChanged; a folder
  // that does not answer within the bound is selected meanwhile, and the way goes on down
  // when it answers, unless another node was selected by then.
  void SetPath(const std::string& path);
  // Whether SetPath's way down is still waiting for folders to be listed; it stays so at a
  // folder that does not answer, until that folder answers or another node is selected.
  bool PathPending() const { return m_walk != nullptr; }
  // The selected node's folder, a volume's root with a trailing "/"; empty for the Computer
  // and Network nodes and when nothing is selected.
  std::string Path() const;
  bool IsComputerSelected() const;
  // The folder of the node under a point of the viewport, empty where there is none.
  std::string PathAt(const QPoint& viewportPoint) const;
  // Reads the selected folder and its parent again.
  void Refresh();

  // Drops carrying this format are offered to the window (see Dropped); others are refused.
  void AcceptDropsOf(const QString& mimeFormat);

 Q_SIGNALS:
  // The selected node changed (by the user or by SetPath).
  void SelectionChanged();
  // Something of the accepted format was dropped on the folder target; copy when Ctrl was
  // held.
  void Dropped(const QString& target, bool copy);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

 private:
  struct Walk;

  void ContinueWalk();
  void SelectNode(const QModelIndex& index);
  QModelIndex Selected() const;
  void OnSelectionChanged();
  void OnRowsAboutToBeRemoved(const QModelIndex& parent, int first, int last);
  void OnRowsRemoved();
  // The folder a drag over point would drop on, empty where it may not drop.
  std::string DropTargetAt(const QDropEvent& event) const;
  void SetDropTarget(const QModelIndex& index);

  std::unique_ptr<TFolderTreeModel> m_model;
  QString m_dropFormat;
  std::unique_ptr<Walk> m_walk;
  std::uint64_t m_walks = 0;
  QPersistentModelIndex m_selected;      // the node last reported selected
  QPersistentModelIndex m_afterRemoval;  // selected once the selected node's rows are gone
  bool m_removingSelected = false;
  bool m_selecting = false;  // a selection made by the tree itself
  QPersistentModelIndex m_dropTarget;
};

}  // namespace tunedex
