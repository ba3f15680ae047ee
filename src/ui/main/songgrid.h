// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTableView>
#include <functional>

#include "catalogue/cataloguewindow.h"
#include "ui/widgets/listmodel.h"

namespace tunedex {

// The view list as five columns: pointer, type picture, ID code, title, artist. The raw values
// are whether the row is the current one, the type picture's slot and the stored texts; the
// display texts are trimmed.
class SongGridModel : public TListModel {
  Q_OBJECT

 public:
  explicit SongGridModel(tCatalogueWindow& window, QObject* parent = nullptr);

 protected:
  int RowCount() const override;
  QVariant RawValue(int row, int column) const override;
  QString DisplayText(int row, int column) const override;

 private:
  tCatalogueWindow& m_window;
};

// Draws every cell of the song grid.
class SongGridDelegate : public TCellDelegate {
  Q_OBJECT

 public:
  SongGridDelegate(tCatalogueWindow& window, QWidget* grid)
      : TCellDelegate(grid), m_window(window), m_grid(grid) {}
  void PaintCell(QPainter& painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;

 private:
  tCatalogueWindow& m_window;
  QWidget* m_grid;
};

// The song grid: whole-row selection, its own wheel rule, type-ahead and mouse rules. It tells
// the window about user changes through the callbacks and shows the window's state on Sync().
class TSongGrid : public QTableView {
  Q_OBJECT

 public:
  explicit TSongGrid(tCatalogueWindow& window, QWidget* parent = nullptr);

  void Sync();
  void ApplyFont(const QFont& font);
  int RowHeight() const { return m_rowHeight; }
  SongGridModel& Model() const { return *m_model; }

  std::function<void()> changed;        // the window's state changed
  std::function<void()> ctrlClicked;    // "Full Song &Details..."
  std::function<void()> doubleClicked;  // play

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void UpdateVisibleRows();
  void ApplyColumnWidths();

  tCatalogueWindow& m_window;
  SongGridModel* m_model;
  std::uint64_t m_rowsRevision = 0;
  int m_rowHeight = 17;
  bool m_syncing = false;
  bool m_laidOut = false;  // shown once: widths from now on are real
};

}  // namespace tunedex
