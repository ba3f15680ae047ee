// SPDX-License-Identifier: GPL-3.0-or-later
#include "songgrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include "ui/widgets/pictures.h"
#include "ui/widgets/qtuser.h"

namespace tunedex {

namespace {

// Cell texts lose their leading and trailing blanks and control characters.
QString CellText(const std::string& text) {
  QString shown = ToQt(text);
  qsizetype start = 0;
  qsizetype end = shown.size();
  while (start < end && shown[start].unicode() <= u' ') ++start;
  while (end > start && shown[end - 1].unicode() <= u' ') --end;
  return shown.mid(start, end - start);
}

std::string FieldText(const tSongRecord& record, int column) {
  for (const SortKeyInfo& key : kSortKeys) {
    if (static_cast<int>(key.gridColumn) == column) return record.Text(key.field);
  }
  return {};
}

}  // namespace

SongGridModel::SongGridModel(tCatalogueWindow& window, QObject* parent)
    : TListModel({QString(), QString(), QStringLiteral("ID"), QStringLiteral("Title"),
                  QStringLiteral("Artist")},
                 QStringLiteral("Click to sort songs"), QStringLiteral("Songs in list"), parent),
      m_window(window) {}

int SongGridModel::RowCount() const {
  return static_cast<int>(m_window.RowCount());
}

QVariant SongGridModel::RawValue(int row, int column) const {
  const tSong* song = m_window.SongAt(row);
  if (!song) return {};
  switch (static_cast<GridColumn>(column)) {
    case GridColumn::Pointer:
      return row == m_window.CurrentRow();
    case GridColumn::TypePicture:
      return TypePictureIndex(song->Record(),
                              m_window.Files().FileExists(std::string(song->Record().FileName())));
    default:
      return ToQt(FieldText(song->Record(), column));
  }
}

QString SongGridModel::DisplayText(int row, int column) const {
  const tSong* song = m_window.SongAt(row);
  if (!song || column < static_cast<int>(GridColumn::IdCode)) return {};
  return CellText(FieldText(song->Record(), column));
}

void SongGridDelegate::PaintCell(QPainter& painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
  const QRect cell = option.rect;
  const bool selected = (option.state & QStyle::State_Selected) != 0;
  const QPalette& palette = option.palette;
  const QColor background =
      ColourOf(m_grid->hasFocus() ? kFocusedGridColour : kHighlightTextColour);
  painter.fillRect(cell, selected && index.column() >= static_cast<int>(GridColumn::IdCode)
                             ? palette.color(QPalette::Highlight)
                             : background);
  const tSong* song = m_window.SongAt(index.row());
  if (!song) return;
  const tSongRecord& record = song->Record();
  const QColor fontColour = ColourOf(m_window.Settings().font.colour);
  const auto column = static_cast<GridColumn>(index.column());
  switch (column) {
    case GridColumn::Pointer: {
      if (m_window.Display().showFormatMismatches && ShowsFormatMismatch(record)) {
        QFont bold = option.font;
        bold.setBold(true);
        painter.setFont(bold);
        painter.setPen(Qt::red);
        painter.drawText(cell.adjusted(0, 3, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                         QStringLiteral("*"));
      }
      if (index.row() == m_window.CurrentRow()) {
        static const QPixmap pointer = ArtPixmap("pointer", 14, 14);
        painter.drawPixmap(cell.left() + 4, (cell.top() + cell.bottom() - 14) / 2, pointer);
      }
      return;
    }
    case GridColumn::TypePicture: {
      // The file system is asked at every drawing, so a vanished file shows at once.
      const bool exists = m_window.Files().FileExists(std::string(record.FileName()));
      painter.drawPixmap(cell.left() + 1, (cell.top() + cell.bottom() - 17) / 2 + 1,
                         TypePicture(TypePictureIndex(record, exists)));
      return;
    }
    default:
      break;
  }
  const QString text = CellText(FieldText(record, index.column()));
  QColor textColour = selected ? palette.color(QPalette::HighlightedText) : fontColour;
  const QRect textRect = cell.adjusted(2, 0, 0, 0);
  if (column == GridColumn::IdCode && record.HasLyrics() && !text.isEmpty()) {
    if (const std::optional<ColourValue> lyrics = LyricsColour(record.FileType())) {
      const int width = std::min(option.fontMetrics.horizontalAdvance(text) + 4, cell.width());
      painter.fillRect(QRect(cell.left(), cell.top(), width, cell.height()), ColourOf(*lyrics));
      textColour = selected ? palette.color(QPalette::Highlight) : fontColour;
    }
  }
  painter.setFont(option.font);
  painter.setPen(textColour);
  painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

TSongGrid::TSongGrid(tCatalogueWindow& window, QWidget* parent)
    : QTableView(parent), m_window(window), m_model(new SongGridModel(window, this)) {
  setObjectName(QStringLiteral("SongGrid"));
  setModel(m_model);
  setItemDelegate(new SongGridDelegate(window, this));
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setWordWrap(false);
  setTabKeyNavigation(false);
  setToolTip(QStringLiteral("Songs in list"));
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  QHeaderView* header = horizontalHeader();
  header->setHighlightSections(false);
  header->setSectionsClickable(true);
  header->setMinimumSectionSize(0);
  header->setStretchLastSection(false);
  header->setSectionResizeMode(0, QHeaderView::Fixed);
  header->setToolTip(QStringLiteral("Click to sort songs"));
  connect(header, &QHeaderView::sectionClicked, this, [this](int section) {
    // The type picture's section sorts by nothing; the text sections by their key.
    int code = 0;
    for (const SortKeyInfo& key : kSortKeys) {
      if (static_cast<int>(key.gridColumn) == section) code = key.code;
    }
    if (section != static_cast<int>(GridColumn::TypePicture) && code == 0) return;
    m_window.SetSort(code);
    if (changed) changed();
  });
  connect(header, &QHeaderView::sectionResized, this, [this](int section, int, int size) {
    if (m_syncing || section < 1) return;
    m_window.Columns().SectionResized(section, size);
    UpdateVisibleRows();
  });
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
    if (m_syncing) return;
    m_window.SetTopRow(value);
    if (changed) changed();
  });
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (m_syncing || !current.isValid()) return;
            m_window.SelectRow(current.row());
            if (changed) changed();
          });
}

void TSongGrid::ApplyFont(const QFont& font) {
  setFont(font);
  const int pixels = QFontInfo(font).pixelSize();
  m_rowHeight = GridRowHeight(-pixels, logicalDpiY());
  verticalHeader()->setDefaultSectionSize(m_rowHeight);
  verticalHeader()->setMinimumSectionSize(1);
  UpdateVisibleRows();
}

void TSongGrid::ApplyColumnWidths() {
  const tGridColumns& columns = m_window.Columns();
  for (int column = 0; column < 5; ++column) {
    const int width = column < 1 ? columns.ColumnWidth(column) + tGridColumns::kLineWidth
                                 : columns.SectionWidth(column);
    if (columnWidth(column) != width) setColumnWidth(column, width);
  }
}

void TSongGrid::Sync() {
  m_syncing = true;
  if (m_rowsRevision != m_window.RowsRevision()) {
    m_rowsRevision = m_window.RowsRevision();
    m_model->Reset();
  }
  ApplyColumnWidths();
  const QModelIndex current = m_model->index(m_window.CurrentRow(), 2);
  if (selectionModel()->currentIndex().row() != current.row() ||
      !selectionModel()->isRowSelected(current.row(), {})) {
    selectionModel()->setCurrentIndex(
        current, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  }
  if (verticalScrollBar()->value() != m_window.TopRow()) {
    verticalScrollBar()->setValue(m_window.TopRow());
  }
  viewport()->update();
  m_syncing = false;
}

void TSongGrid::UpdateVisibleRows() {
  m_window.SetVisibleRows(std::max(1, viewport()->height() / std::max(1, m_rowHeight)));
}

void TSongGrid::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  if (!text.isEmpty() && (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0 &&
      text.front().unicode() >= 32 && text.front().unicode() != 127) {
    m_window.TypeAhead(FromQt(text));
    if (changed) changed();
    return;
  }
  if (event->key() == Qt::Key_Escape) {
    m_window.TypeAhead("\x1b");
    return;
  }
  QTableView::keyPressEvent(event);
}

void TSongGrid::mousePressEvent(QMouseEvent* event) {
  m_window.MouseDownOnGrid();
  QTableView::mousePressEvent(event);
  const QModelIndex index = indexAt(event->position().toPoint());
  if (index.isValid() && (event->modifiers() & Qt::ControlModifier) && ctrlClicked) {
    ctrlClicked();
  }
}

void TSongGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  if (indexAt(event->position().toPoint()).isValid() && doubleClicked) doubleClicked();
}

void TSongGrid::wheelEvent(QWheelEvent* event) {
  event->accept();
  if (!hasFocus()) return;
  const int distance = event->angleDelta().y();
  if (distance == 0) return;
  m_window.SetTopRow(WheelScrolledTop(m_window.TopRow(), distance, QApplication::wheelScrollLines(),
                                      static_cast<int>(m_window.RowCount()),
                                      m_window.VisibleRows()));
  if (changed) changed();
}

void TSongGrid::showEvent(QShowEvent* event) {
  QTableView::showEvent(event);
  // The first width on the screen is the base the columns follow from; widths the grid had
  // before it was laid out mean nothing.
  if (!m_laidOut) {
    m_laidOut = true;
    m_window.Columns().GridResized(width());
  }
}

void TSongGrid::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  if (m_laidOut) {
    m_window.Columns().GridResized(width());
    ApplyColumnWidths();
  }
  UpdateVisibleRows();
}

void TSongGrid::enterEvent(QEnterEvent* event) {
  QTableView::enterEvent(event);
  if (QApplication::activeWindow() == window()) setFocus(Qt::MouseFocusReason);
}

void TSongGrid::focusInEvent(QFocusEvent* event) {
  QTableView::focusInEvent(event);
  viewport()->update();
}

void TSongGrid::focusOutEvent(QFocusEvent* event) {
  QTableView::focusOutEvent(event);
  viewport()->update();
}

}  // namespace tunedex
