// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTreeView>
#include <memory>
#include <string>

#include "common/filesystem.h"
#include "common/volumes.h"

class QMimeData;

namespace tunedex {

class TFolderTreeModel;

// The tree of folders a song window browses: "Home" (the user's home folder), "Computer" (the
// volumes songs may be kept on) and "Network" (network mounts and the desktop's own network
// places). Folders are listed lazily and off the window thread, each within a bound; a volume
// or folder that does not answer shows so and the window goes on. Mounts coming and going and
// folders made or removed elsewhere show without a restart.
class TFolderTree : public QTreeView {
  Q_OBJECT

 public:
  struct Services {
    Volumes& volumes;
    FileSystem& files;
    std::string home;      // the user's home folder
    std::string gvfsRoot;  // the desktop's network mounts ($XDG_RUNTIME_DIR/gvfs); may be empty
  };

  TFolderTree(Services services, QWidget* parent = nullptr);
  ~TFolderTree() override;

  // Expands the tree down to path and selects it; when path is gone, its nearest existing
  // parent folder. Reports the selection change like a click does.
  void SetPath(const std::string& path);
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

 private:
  std::unique_ptr<TFolderTreeModel> m_model;
  QString m_dropFormat;
};

}  // namespace tunedex
