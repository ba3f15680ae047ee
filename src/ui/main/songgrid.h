// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>

#include "catalogue/cataloguewindow.h"

namespace tunedex {

// The view list as five columns: pointer, type picture, ID code, title, artist. Rows are read
// from the window's view list when drawn; nothing is copied.
class SongGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit SongGridModel(tCatalogueWindow& window, QObject* parent = nullptr)
      : QAbstractTableModel(parent), m_window(window) {}

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  // The view was rebuilt.
  void Reset();

 private:
  tCatalogueWindow& m_window;
};

// Draws every cell of the song grid.
class SongGridDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  SongGridDelegate(tCatalogueWindow& window, QObject* parent)
      : QStyledItemDelegate(parent), m_window(window) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

 private:
  tCatalogueWindow& m_window;
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
