// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QStyledItemDelegate>

namespace tunedex {

// The base of the lists and grids over a window's logic: rows are read from the logic when
// they are drawn, nothing is copied. Each cell gives its raw value under RawValueRole and the
// text shown under the display role; the delegate formats and paints from those.
class TListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Role : int {
    RawValueRole = Qt::UserRole + 1,  // the value as the logic holds it
    RowIndexRole,                     // the row's index in the logic's list
  };

  // captions: one per column; hints: the header's and the cells' tool tips.
  TListModel(QStringList captions, QString headerHint, QString cellHint, QObject* parent);

  int rowCount(const QModelIndex& parent = {}) const final;
  int columnCount(const QModelIndex& parent = {}) const final;
  QVariant data(const QModelIndex& index, int role) const final;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const final;
  QHash<int, QByteArray> roleNames() const override;

  // The logic's rows changed (rebuilt, sorted, filtered): every view reads them again.
  void Reset();

 protected:
  virtual int RowCount() const = 0;
  // The raw value of a cell; an invalid value for cells that show no value.
  virtual QVariant RawValue(int row, int column) const = 0;
  // The text shown: the raw value as text unless a model says otherwise.
  virtual QString DisplayText(int row, int column) const;
  // The picture shown beside a cell's text; none unless a model says otherwise.
  virtual QVariant Decoration(int row, int column) const;

 private:
  QStringList m_captions;
  QString m_headerHint;
  QString m_cellHint;
};

// The delegate of such a model: painting a cell is PaintCell, which a test can call with a
// painter over an image.
class TCellDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const final;
  virtual void PaintCell(QPainter& painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const = 0;
};

}  // namespace tunedex
