// SPDX-License-Identifier: GPL-3.0-or-later
#include "songfilelist.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMimeData>

#include "ui/widgets/pictures.h"
#include "ui/widgets/qtuser.h"

namespace tunedex {

TSongFileListModel::TSongFileListModel(const std::vector<tExplorerItem>& items, QObject* parent)
    : TListModel(
          {QStringLiteral("Filename"), QStringLiteral("Song Title"), QStringLiteral("Artist")}, {},
          {}, parent),
      m_items(items) {}

int TSongFileListModel::RowCount() const {
  return static_cast<int>(m_items.size());
}

QVariant TSongFileListModel::RawValue(int row, int column) const {
  if (row < 0 || static_cast<std::size_t>(row) >= m_items.size()) return {};
  const tExplorerItem& item = m_items[static_cast<std::size_t>(row)];
  // A name that is not valid UTF-8 shows its bad bytes as replacement characters; the item
  // keeps the bytes.
  switch (column) {
    case 0:
      return ToQt(item.caption);
    case 1:
      return ToQt(item.title);
    case 2:
      return ToQt(item.artist);
    default:
      return {};
  }
}

QVariant TSongFileListModel::Decoration(int row, int column) const {
  if (column != 0 || row < 0 || static_cast<std::size_t>(row) >= m_items.size()) return {};
  return TypePicture(m_items[static_cast<std::size_t>(row)].picture);
}

Qt::ItemFlags TSongFileListModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = TListModel::flags(index);
  if (!index.isValid()) return flags;
  flags |= Qt::ItemIsDragEnabled;
  if (rename && index.column() == 0) flags |= Qt::ItemIsEditable;
  return flags;
}

bool TSongFileListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || index.column() != 0 || !rename) return false;
  // The edited text is taken as typed; a name the file system cannot hold is refused there.
  const bool renamed = rename(index.row(), FromQt(value.toString()));
  Q_EMIT dataChanged(index.siblingAtColumn(0), index.siblingAtColumn(2));
  return renamed;
}

QStringList TSongFileListModel::mimeTypes() const {
  return {QString::fromLatin1(kSongFilesMimeFormat)};
}

QMimeData* TSongFileListModel::mimeData(const QModelIndexList& indexes) const {
  if (indexes.isEmpty()) return nullptr;
  auto* data = new QMimeData;
  data->setData(QString::fromLatin1(kSongFilesMimeFormat), QByteArray());
  return data;
}

Qt::DropActions TSongFileListModel::supportedDragActions() const {
  return Qt::CopyAction | Qt::MoveAction;
}

TSongFileList::TSongFileList(const std::vector<tExplorerItem>& items, const QString& hint,
                             QWidget* parent)
    : QTreeView(parent), m_model(new TSongFileListModel(items, this)), m_items(items) {
  setModel(m_model);
  setToolTip(hint);
  setRootIsDecorated(false);
  setUniformRowHeights(true);
  setItemsExpandable(false);
  setAllColumnsShowFocus(true);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
  setDragEnabled(true);
  setDragDropMode(QAbstractItemView::DragOnly);
  setDefaultDropAction(Qt::MoveAction);
  setIconSize(QSize(16, 16));
  header()->setSectionsClickable(true);
  header()->setStretchLastSection(false);
  connect(header(), &QHeaderView::sectionClicked, this,
          [this](int column) { Q_EMIT HeaderClicked(column); });
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    if (!m_showing) Q_EMIT SelectionEdited();
  });
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (!m_showing && current.isValid()) Q_EMIT CurrentRowChanged(current.row());
          });
}

std::vector<int> TSongFileList::SelectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& index : selectionModel()->selectedRows()) rows.push_back(index.row());
  return rows;
}

std::array<int, 3> TSongFileList::ColumnWidths() const {
  return {columnWidth(0), columnWidth(1), columnWidth(2)};
}

void TSongFileList::SetColumnWidths(const std::array<int, 3>& widths) {
  for (int column = 0; column < 3; ++column) {
    setColumnWidth(column, widths[static_cast<std::size_t>(column)]);
  }
}

void TSongFileList::ShowItems() {
  m_showing = true;
  m_model->Reset();
  m_showing = false;
}

void TSongFileList::ShowSelection(std::optional<std::size_t> current) {
  m_showing = true;
  QItemSelection selection;
  const int last = m_model->columnCount() - 1;
  for (std::size_t i = 0; i < m_items.size(); ++i) {
    if (!m_items[i].selected) continue;
    const int row = static_cast<int>(i);
    // Neighbouring rows are joined into one range so a large selection stays cheap.
    if (!selection.isEmpty() && selection.last().bottom() == row - 1) {
      const QItemSelectionRange range = selection.takeLast();
      selection.append(QItemSelectionRange(range.topLeft(), m_model->index(row, last)));
    } else {
      selection.append(QItemSelectionRange(m_model->index(row, 0), m_model->index(row, last)));
    }
  }
  selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  if (current && *current < m_items.size()) {
    const QModelIndex index = m_model->index(static_cast<int>(*current), 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    scrollTo(index);
  }
  m_showing = false;
}

QWidget* SongIconKey(QWidget* parent,
                     const std::vector<std::pair<int, std::string_view>>& entries) {
  auto* key = new QWidget(parent);
  key->setToolTip(QStringLiteral("Key to song icons"));
  auto* layout = new QGridLayout(key);
  layout->setContentsMargins(4, 2, 4, 2);
  layout->setHorizontalSpacing(4);
  layout->setVerticalSpacing(0);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const auto& [picture, label] = entries[i];
    const int row = static_cast<int>(i / 4);
    const int column = static_cast<int>(i % 4) * 2;
    auto* icon = new QLabel(key);
    icon->setPixmap(TypePicture(picture));
    layout->addWidget(icon, row, column);
    layout->addWidget(new QLabel(ToQt(label), key), row, column + 1);
  }
  layout->setColumnStretch(8, 1);
  return key;
}

}  // namespace tunedex
