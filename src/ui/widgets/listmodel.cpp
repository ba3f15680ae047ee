// SPDX-License-Identifier: GPL-3.0-or-later
#include "listmodel.h"

#include <QPainter>

namespace tunedex {

TListModel::TListModel(QStringList captions, QString headerHint, QString cellHint, QObject* parent)
    : QAbstractTableModel(parent),
      m_captions(std::move(captions)),
      m_headerHint(std::move(headerHint)),
      m_cellHint(std::move(cellHint)) {}

int TListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : RowCount();
}

int TListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_captions.size());
}

QVariant TListModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
    return {};
  }
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return DisplayText(index.row(), index.column());
    case Qt::DecorationRole:
      return Decoration(index.row(), index.column());
    case Qt::ToolTipRole:
      return m_cellHint.isEmpty() ? QVariant() : QVariant(m_cellHint);
    case RawValueRole:
      return RawValue(index.row(), index.column());
    case RowIndexRole:
      return index.row();
    default:
      return {};
  }
}

QString TListModel::DisplayText(int row, int column) const {
  return RawValue(row, column).toString();
}

QVariant TListModel::Decoration(int, int) const {
  return {};
}

QVariant TListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= m_captions.size()) return {};
  if (role == Qt::DisplayRole) return m_captions[section];
  if (role == Qt::ToolTipRole && !m_headerHint.isEmpty()) return m_headerHint;
  return {};
}

QHash<int, QByteArray> TListModel::roleNames() const {
  QHash<int, QByteArray> names = QAbstractTableModel::roleNames();
  names.insert(RawValueRole, "rawValue");
  names.insert(RowIndexRole, "rowIndex");
  return names;
}

void TListModel::Reset() {
  beginResetModel();
  endResetModel();
}

void TCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
  painter->save();
  PaintCell(*painter, option, index);
  painter->restore();
}

}  // namespace tunedex
