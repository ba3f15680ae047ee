// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTreeView>
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "catalogue/songexplorer.h"
#include "ui/widgets/listmodel.h"

namespace tunedex {

// The format of a drag that starts in a list of song files; the window that owns the list
// knows which files are selected.
inline constexpr const char* kSongFilesMimeFormat = "application/x-tunedex-song-files";

// The rows of a list of song files: file name with the song type's picture, title and artist,
// read from the items when drawn.
class TSongFileListModel : public TListModel {
  Q_OBJECT

 public:
  TSongFileListModel(const std::vector<tExplorerItem>& items, QObject* parent);

  // When set, a file name can be edited in place; false refuses the new name.
  std::function<bool(int row, const std::string& name)> rename;

  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QModelIndexList& indexes) const override;
  Qt::DropActions supportedDragActions() const override;

 protected:
  int RowCount() const override;
  QVariant RawValue(int row, int column) const override;
  QVariant Decoration(int row, int column) const override;

 private:
  const std::vector<tExplorerItem>& m_items;
};

// A list of song files with three columns ("Filename", "Song Title", "Artist"), several rows
// selectable, a click on a header reported for sorting, and files dragged from it.
class TSongFileList : public QTreeView {
  Q_OBJECT

 public:
  TSongFileList(const std::vector<tExplorerItem>& items, const QString& hint, QWidget* parent);

  TSongFileListModel& Model() { return *m_model; }
  // The rows were rebuilt: show them and the selection the items hold.
  void ShowItems();
  // Selects the rows the items say are selected and makes row current, without reporting it.
  void ShowSelection(std::optional<std::size_t> current);
  bool Editing() const { return state() == QAbstractItemView::EditingState; }
  std::array<int, 3> ColumnWidths() const;
  void SetColumnWidths(const std::array<int, 3>& widths);

 Q_SIGNALS:
  // The user changed the selection: the items' flags are to be set from SelectedRows().
  void SelectionEdited();
  // The user moved to another row.
  void CurrentRowChanged(int row);
  void HeaderClicked(int column);

 public:
  std::vector<int> SelectedRows() const;

 private:
  TSongFileListModel* m_model;
  const std::vector<tExplorerItem>& m_items;
  bool m_showing = false;  // selection changes made by the window are not the user's
};

// The user's selection in the list, handed to a window's rules (SetSelected per item that
// changed).
template <typename Logic>
void TakeSelection(const TSongFileList& list, Logic& logic) {
  std::vector<bool> selected(logic.Items().size(), false);
  for (int row : list.SelectedRows()) {
    if (row >= 0 && static_cast<std::size_t>(row) < selected.size()) {
      selected[static_cast<std::size_t>(row)] = true;
    }
  }
  for (std::size_t i = 0; i < selected.size(); ++i) {
    if (logic.Items()[i].selected != selected[i]) logic.SetSelected(i, selected[i]);
  }
}

// The key to the song pictures: each picture of the strip with its label, in two rows of four
// so the key fits a narrow pane.
QWidget* SongIconKey(QWidget* parent, const std::vector<std::pair<int, std::string_view>>& entries);

}  // namespace tunedex
