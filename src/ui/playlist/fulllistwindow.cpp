// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/playlist/fulllistwindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QFontDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <utility>

#include "ui/widgets/fonts.h"
#include "ui/widgets/listmodel.h"
#include "ui/widgets/pictures.h"
#include "ui/widgets/qtuser.h"
#include "ui/widgets/screenmenu.h"

namespace tunedex {

namespace {

QStringList Captions() {
  QStringList captions;
  for (int column = 0; column < kFullListColumns; ++column) {
    captions << ToQt(ColumnInfo(static_cast<FullListColumn>(column)).caption);
  }
  return captions;
}

QColor Shown(ColourValue value) {
  return ColourOf(value);
}

ColourValue Stored(const QColor& colour) {
  return RgbColour(colour.red(), colour.green(), colour.blue());
}

// The grid's pixels per inch.
int PixelsPerInch(const QWidget& widget) {
  const int ppi = widget.logicalDpiY();
  return ppi > 0 ? ppi : 96;
}

}  // namespace

// The rows of the grid, read from the core when drawn.
class TFullListModel final : public TListModel {
 public:
  TFullListModel(const tFullListView& logic, QObject* parent)
      : TListModel(Captions(), ToQt(kFullListHeaderHint), ToQt(kFullListGridHint), parent),
        m_logic(logic) {}

  FullListCell Cell(int row, int column) const {
    return m_logic.Cell(row, static_cast<FullListColumn>(column));
  }

 protected:
  int RowCount() const override { return m_logic.RowCount(); }
  QVariant RawValue(int row, int column) const override { return ToQt(Cell(row, column).text); }

 private:
  const tFullListView& m_logic;
};

// Paints a cell as the core describes it: the number at left + 1, the singer at left + 20 with
// the ">" mark before it, the title at left + 1, the texts 2 pixels down.
class TFullListDelegate final : public TCellDelegate {
 public:
  TFullListDelegate(const TFullListModel& model, const QFont& font, const tFullListView& logic,
                    QObject* parent)
      : TCellDelegate(parent), m_model(model), m_font(font), m_logic(logic) {
    m_markFont.setPointSize(kFullListMarkPoints);
    m_markFont.setBold(true);
  }

  void PaintCell(QPainter& painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override {
    const QRect cell = option.rect;
    QColor background = Shown(m_logic.Settings().background);
    if (option.state & QStyle::State_Selected) background = background.darker(130);
    painter.fillRect(cell, background);
    const FullListCell shown = m_model.Cell(index.row(), index.column());
    if (shown.text.empty()) return;
    const QString text = ToQt(shown.text);
    painter.save();
    painter.setClipRect(cell);
    painter.setFont(m_font);
    painter.setPen(Shown(shown.colour));
    constexpr int kFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    switch (static_cast<FullListColumn>(index.column())) {
      case FullListColumn::Number:
        painter.drawText(cell.adjusted(1, 0, 0, 0), kFlags, text);
        break;
      case FullListColumn::Singer:
        painter.drawText(cell.adjusted(20, 2, 0, 0), kFlags, text);
        if (shown.marked) {
          painter.setFont(m_markFont);
          const int top = cell.top() + cell.height() / 2 - kFullListMarkPoints / 2 - 2;
          painter.drawText(QRect(cell.left() + 1, top, cell.width() - 1, cell.bottom() - top + 1),
                           kFlags, ToQt(kFullListMark));
        }
        break;
      case FullListColumn::Title:
        painter.drawText(cell.adjusted(1, 2, 0, 0), kFlags, text);
        break;
    }
    painter.restore();
  }

 private:
  const TFullListModel& m_model;
  const QFont& m_font;
  const tFullListView& m_logic;
  QFont m_markFont;
};

TFullListView::TFullListView(FullListContext context, QWidget* parent)
    : QWidget(parent, Qt::Window), m_context(std::move(context)), m_logic(m_context.items) {
  setObjectName(QStringLiteral("FullList"));
  setWindowTitle(ToQt(kFullListCaption));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  BuildGrid();
  layout->addWidget(m_grid, 1);
  BuildStatusBar();
  layout->addWidget(m_status);
  BuildMenu();
  for (QWidget* source :
       {static_cast<QWidget*>(m_grid->viewport()),
        static_cast<QWidget*>(m_grid->horizontalHeader()), static_cast<QWidget*>(m_status)}) {
    source->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(source, &QWidget::customContextMenuRequested, this, [this, source](const QPoint& at) {
      UpdateFit();
      m_menu->popup(source->mapToGlobal(at));
    });
  }
  ReadSettings();
  m_created = true;
}

TFullListView::~TFullListView() {
  m_grid->viewport()->removeEventFilter(this);
  m_grid->removeEventFilter(this);
}

void TFullListView::BuildGrid() {
  m_model = new TFullListModel(m_logic, this);
  m_grid = new QTableView(this);
  m_grid->setModel(m_model);
  m_grid->setItemDelegate(new TFullListDelegate(*m_model, m_gridFont, m_logic, m_grid));
  m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
  m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_grid->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  m_grid->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  m_grid->setShowGrid(true);
  m_grid->setWordWrap(false);
  m_grid->setToolTip(ToQt(kFullListGridHint));
  m_grid->verticalHeader()->hide();
  m_grid->verticalHeader()->setMinimumSectionSize(1);
  m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  QHeaderView& header = *m_grid->horizontalHeader();
  header.setToolTip(ToQt(kFullListHeaderHint));
  header.setSectionsClickable(false);
  header.setHighlightSections(false);
  header.setStretchLastSection(false);
  header.setMinimumSectionSize(1);
  header.setSectionResizeMode(0, QHeaderView::Fixed);
  header.resizeSection(0, kNumberColumnWidth + kGridLineWidth);
  connect(&header, &QHeaderView::sectionResized, this,
          [this](int section, int, int size) { ColumnDragged(section, size); });
  connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this] { UpdateStatus(); });
  m_grid->viewport()->setMouseTracking(true);
  m_grid->viewport()->installEventFilter(this);
  m_grid->installEventFilter(this);
}

void TFullListView::BuildStatusBar() {
  m_status = new QStatusBar(this);
  m_status->setSizeGripEnabled(true);
  m_panel1 = new QLabel(m_status);
  // The panel takes its width up to the rule's, and never holds the window wider.
  m_panel1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  m_panel1->setMaximumWidth(tFullListView::StatusPanelWidth(width()));
  m_panel2 = new QLabel(ToQt(kFullListEmptyStatus), m_status);
  m_panel2->setAlignment(Qt::AlignCenter);
  m_panel2->setFixedWidth(kStatusPanel2Width);
  m_status->addWidget(m_panel1, 1);
  m_status->addWidget(m_panel2);
  struct StatusButton {
    FullListCommand command;
    std::string_view hint;
    QIcon icon;
  };
  const StatusButton buttons[] = {
      {FullListCommand::Close, kFullListCloseHint, ArtIcon("exit")},
      {FullListCommand::FitVertically, kFullListFitHint,
       style()->standardIcon(QStyle::SP_ToolBarVerticalExtensionButton)},
      {FullListCommand::Help, kFullListHelpHint, ArtIcon("info")},
  };
  for (const StatusButton& shown : buttons) {
    auto* button = new QToolButton(m_status);
    button->setIcon(shown.icon);
    button->setAutoRaise(true);
    button->setToolTip(ToQt(shown.hint));
    const FullListCommand command = shown.command;
    connect(button, &QToolButton::clicked, this, [this, command] { Run(command); });
    m_status->addPermanentWidget(button);
    m_buttons[command] = button;
  }
  m_buttons.at(FullListCommand::FitVertically)->setEnabled(false);
}

void TFullListView::BuildMenu() {
  m_menu = new QMenu(this);
  m_screens = new TScreenFollower(*this, {});
  for (const FullListMenuEntry& entry : FullListMenu()) {
    if (entry.command == FullListCommand::Close) m_menu->addMenu(&m_screens->Menu());
    QAction* item = m_menu->addAction(ToQt(entry.text));
    if (!entry.shortcut.empty()) {
      item->setShortcut(QKeySequence(ToQt(entry.shortcut)));
      item->setShortcutContext(Qt::WindowShortcut);
      addAction(item);  // the shortcut works while the menu is closed
    }
    const FullListCommand command = entry.command;
    connect(item, &QAction::triggered, this, [this, command] { Run(command); });
    m_menuItems[command] = item;
    if (entry.separatorAfter) m_menu->addSeparator();
  }
  m_menuItems.at(FullListCommand::FitVertically)->setEnabled(false);
}

QMenu& TFullListView::ScreenMenu() {
  return m_screens->Menu();
}

QAction* TFullListView::MenuItem(FullListCommand command) const {
  const auto found = m_menuItems.find(command);
  return found == m_menuItems.end() ? nullptr : found->second;
}

QToolButton* TFullListView::Button(FullListCommand command) const {
  const auto found = m_buttons.find(command);
  return found == m_buttons.end() ? nullptr : found->second;
}

// ---------------------------------------------------------------------------------------------
// Playlist Central's calls

void TFullListView::AttachItems() {
  m_model->Reset();
  SetRows(m_logic.StartingRow(), m_logic.CurrentRow());
}

void TFullListView::SetRows(int starting, int current) {
  m_logic.SetRows(starting, current);
  if (current >= 0 && current < m_model->rowCount()) {
    m_grid->setCurrentIndex(m_model->index(current, 0));
  }
  m_grid->viewport()->update();
}

void TFullListView::Refresh() {
  const int selected = m_grid->currentIndex().row();
  m_model->Reset();
  if (selected >= 0 && selected < m_model->rowCount()) {
    m_grid->setCurrentIndex(m_model->index(selected, 0));
  }
  m_grid->viewport()->update();
}

void TFullListView::MoveToCorner() {
  move(1, 1);
}

void TFullListView::BringForward() {
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
}

// ---------------------------------------------------------------------------------------------
// The look

void TFullListView::ReadSettings() {
  tIniFile ini;
  if (!m_context.settingsPath.empty()) {
    try {
      ini = tIniFile::Load(m_context.settingsPath);
    } catch (const std::exception&) {
      // An unreadable settings file leaves the designed window.
    }
  }
  const FullListSettings read = ReadFullListSettings(ini, DesignedFullListSettings());
  m_storedState = read.state;
  m_screens->Choice() = tScreenChoice(ReadRememberedScreen(ini, kFullListSection));
  m_gridFont = QtFont(read.font);
  const int ppi = PixelsPerInch(*this);
  m_logic.ApplySettings(read, tFullListView::FontPixels(read.font.size, ppi), ppi);
  resize(read.width, read.height);
  move(read.left, read.top);
  m_screens->PlaceAtOpening();
  ApplyLook();
  ApplyColumns();
}

void TFullListView::ApplyLook() {
  QPalette palette = m_grid->palette();
  palette.setColor(QPalette::Base, Shown(m_logic.Settings().background));
  m_grid->setPalette(palette);
  ApplyRowHeight();
  m_grid->viewport()->update();
}

void TFullListView::ApplyRowHeight() {
  m_grid->verticalHeader()->setDefaultSectionSize(m_logic.RowHeight() + kGridLineWidth);
}

void TFullListView::ApplyColumns() {
  m_adjusting = true;
  QHeaderView& header = *m_grid->horizontalHeader();
  for (FullListColumn column : {FullListColumn::Singer, FullListColumn::Title}) {
    header.resizeSection(static_cast<int>(column), m_logic.ColumnWidth(column) + kGridLineWidth);
  }
  m_adjusting = false;
}

void TFullListView::ColumnDragged(int section, int size) {
  if (m_adjusting || section == 0) return;
  const auto column = static_cast<FullListColumn>(section);
  const int width = m_logic.SetHeaderSection(column, size);
  if (width + kGridLineWidth != size) ApplyColumns();
}

void TFullListView::ApplyFont(const QFont& font) {
  const int ppi = PixelsPerInch(*this);
  const int pixels = font.pixelSize() > 0 ? font.pixelSize()
                                          : tFullListView::FontPixels(
                                                font.pointSize() > 0 ? font.pointSize() : 1, ppi);
  m_logic.ChooseFont(FontSettingOf(font, 0, std::max(1, pixels * 72 / ppi)), pixels, ppi);
  m_gridFont = font;
  ApplyRowHeight();
  m_grid->viewport()->update();
}

void TFullListView::ApplyColour(FullListCommand command, const QColor& colour) {
  if (!colour.isValid()) return;
  FullListSettings& look = m_logic.Settings();
  switch (command) {
    case FullListCommand::Background:
      look.background = Stored(colour);
      ApplyLook();
      break;
    case FullListCommand::CurrentColour:
      look.currentColour = Stored(colour);
      break;
    case FullListCommand::OtherColour:
      look.font.colour = Stored(colour);
      break;
    default:
      return;
  }
  m_grid->viewport()->update();
}

// ---------------------------------------------------------------------------------------------
// Commands

void TFullListView::Run(FullListCommand command) {
  const FullListSettings& look = m_logic.Settings();
  switch (command) {
    case FullListCommand::FitVertically:
      FitVertically();
      return;
    case FullListCommand::Font: {
      bool ok = false;
      const QFont chosen = QFontDialog::getFont(&ok, m_gridFont, this);
      if (ok) ApplyFont(chosen);
      return;
    }
    case FullListCommand::Background:
      ApplyColour(command, QColorDialog::getColor(Shown(look.background), this));
      return;
    case FullListCommand::CurrentColour:
      ApplyColour(command, QColorDialog::getColor(Shown(look.currentColour), this));
      return;
    case FullListCommand::OtherColour:
      ApplyColour(command, QColorDialog::getColor(Shown(look.font.colour), this));
      return;
    case FullListCommand::Close:
      close();
      return;
    case FullListCommand::Help:
      if (m_context.help) m_context.help(kFullListHelpTopic);
      return;
  }
}

void TFullListView::FitVertically() {
  ScreenRect area = m_screens->Choice().WorkArea();
  if (area.width <= 0 && screen() != nullptr) area = RectOf(screen()->availableGeometry());
  const QRect frame = frameGeometry();
  const ScreenRect fitted = tFullListView::Fitted(RectOf(frame), area);
  // The frame is placed; the window's own geometry lies inside it.
  const QRect inner = geometry();
  const int above = inner.top() - frame.top();
  const int besides = inner.left() - frame.left();
  const int extraHeight = frame.height() - inner.height();
  if (isMaximized()) showNormal();
  setGeometry(fitted.left + besides, fitted.top + above, inner.width(),
              fitted.height - extraHeight);
  UpdateFit();
}

void TFullListView::UpdateFit() {
  ScreenRect area = m_screens->Choice().WorkArea();
  if (area.width <= 0 && screen() != nullptr) area = RectOf(screen()->availableGeometry());
  const bool enabled = tFullListView::FitEnabled(RectOf(frameGeometry()), area);
  m_menuItems.at(FullListCommand::FitVertically)->setEnabled(enabled);
  m_buttons.at(FullListCommand::FitVertically)->setEnabled(enabled);
}

void TFullListView::UpdateStatus() {
  m_panel2->setText(ToQt(m_logic.StatusText(m_grid->currentIndex().row())));
}

// ---------------------------------------------------------------------------------------------
// Events

bool TFullListView::Wheel(const QWheelEvent& event) {
  const int notches = -event.angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
  if (notches == 0) return true;
  QScrollBar& bar = *m_grid->verticalScrollBar();
  const int visible = m_logic.VisibleRows(m_grid->viewport()->height());
  bar.setValue(m_logic.WheelTop(bar.value(), notches, QApplication::wheelScrollLines(), visible));
  return true;
}

bool TFullListView::eventFilter(QObject* watched, QEvent* event) {
  if (m_grid == nullptr || m_closed) return QWidget::eventFilter(watched, event);
  const bool grid = watched == m_grid || watched == m_grid->viewport();
  if (grid) {
    switch (event->type()) {
      case QEvent::MouseMove:
        if (isActiveWindow() && !m_grid->hasFocus()) m_grid->setFocus(Qt::MouseFocusReason);
        break;
      case QEvent::Wheel:
        if (m_grid->hasFocus()) return Wheel(static_cast<QWheelEvent&>(*event));
        return true;
      case QEvent::Resize:
        if (watched == m_grid->viewport() && m_activated &&
            m_logic.ResizeGrid(m_grid->viewport()->width())) {
          ApplyColumns();
        }
        break;
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TFullListView::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (m_activated) return;
  // First showing: the stored columns, the status count, the stored state.
  m_activated = true;
  ApplyColumns();
  m_logic.ResizeGrid(m_grid->viewport()->width());
  if (!m_context.items.Empty()) UpdateStatus();
  if (m_storedState == kWindowMaximised) setWindowState(windowState() | Qt::WindowMaximized);
  UpdateFit();
}

void TFullListView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  m_panel1->setMaximumWidth(tFullListView::StatusPanelWidth(width()));
  if (!m_created) return;
  m_logic.Settings().width = width();
  m_logic.Settings().height = height();
  UpdateFit();
}

void TFullListView::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (!m_created) return;
  m_screens->WindowMoved();
  UpdateFit();
}

void TFullListView::WriteSettings() {
  if (m_context.settingsPath.empty() || Unattended()) return;
  FullListSettings settings = m_logic.Settings();
  settings.state = isMinimized()   ? kWindowMinimised
                   : isMaximized() ? kWindowMaximised
                                   : kWindowNormal;
  settings.left = x();
  settings.top = y();
  settings.width = width();
  settings.height = height();
  try {
    tIniFile ini = tIniFile::Load(m_context.settingsPath);
    WriteFullListSettings(ini, settings);
    WriteRememberedScreen(ini, kFullListSection, m_screens->Choice().Remembered());
    ini.Save(m_context.settingsPath);
  } catch (const std::exception& error) {
    QtUser(this).ShowWarning(std::string("The settings were not saved.\r") + error.what());
  }
}

void TFullListView::closeEvent(QCloseEvent* event) {
  event->accept();
  if (m_closed) return;
  m_closed = true;
  WriteSettings();
  hide();
  // The owner may delete the window from here on.
  if (m_context.closed) m_context.closed();
}

}  // namespace tunedex
