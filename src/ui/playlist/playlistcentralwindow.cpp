// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlistcentralwindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>
#include <array>
#include <cmath>
#include <utility>

#include "players/playercontrol.h"
#include "playlist/playlistsettings.h"
#include "ui/playlist/itemeditorwindow.h"
#include "ui/playlist/playlistviewwindows.h"
#include "ui/widgets/listmodel.h"
#include "ui/widgets/pictures.h"

namespace tunedex {

namespace {

constexpr int kDesignedWidth = 420;
constexpr int kDesignedHeight = 460;
constexpr int kMarkSize = 12;

QStringList Captions() {
  QStringList captions;
  for (std::string_view caption : PlaylistCentralColumns()) captions << ToQt(caption);
  return captions;
}

// The toolbar's pictures: the program's art where it has one, else the style's.
QIcon ButtonIcon(const QStyle& style, PlaylistCommand command) {
  switch (command) {
    case PlaylistCommand::Close:
      return ArtIcon("exit");
    case PlaylistCommand::Open:
      return style.standardIcon(QStyle::SP_DialogOpenButton);
    case PlaylistCommand::ClearList:
      return ArtIcon("trash");
    case PlaylistCommand::Save:
    case PlaylistCommand::SaveListAs:
      return style.standardIcon(QStyle::SP_DialogSaveButton);
    case PlaylistCommand::AddItem:
      return ArtIcon("add");
    case PlaylistCommand::DeleteItem:
      return ArtIcon("delete");
    case PlaylistCommand::ChangeItem:
      return ArtIcon("edit");
    case PlaylistCommand::MoveUp:
      return style.standardIcon(QStyle::SP_ArrowUp);
    case PlaylistCommand::MoveDown:
      return style.standardIcon(QStyle::SP_ArrowDown);
    case PlaylistCommand::CheckAvailability:
      return ArtIcon("filter");
    case PlaylistCommand::SelectPrevious:
      return ArtIcon("previous");
    case PlaylistCommand::SelectNext:
      return ArtIcon("next");
    case PlaylistCommand::SetStarting:
      return ArtIcon("pointer");
    case PlaylistCommand::Run:
      return ArtIcon("play");
    case PlaylistCommand::ShowAudience:
      return ArtIcon("globe");
    case PlaylistCommand::Help:
      return ArtIcon("info");
    default:
      return {};
  }
}

}  // namespace

// The rows of the list, read from the core when drawn; column 0 carries the row's mark.
class TPlaylistModel final : public TListModel {
 public:
  TPlaylistModel(const std::unique_ptr<tPlaylistCentral>& central, QObject* parent)
      : TListModel(Captions(), {}, ToQt(kPlaylistListHint), parent), m_central(central) {
    m_marks[1] = ArtPixmap("pointer", kMarkSize, kMarkSize);
    m_marks[2] = ArtPixmap("play", kMarkSize, kMarkSize);
  }

 protected:
  int RowCount() const override { return m_central ? static_cast<int>(m_central->RowCount()) : 0; }
  QVariant RawValue(int row, int column) const override {
    const PlaylistRow shown = m_central->Row(static_cast<std::size_t>(row));
    switch (column) {
      case 0:
        return ToQt(shown.number);
      case 1:
        return ToQt(shown.title);
      default:
        return ToQt(shown.singer);
    }
  }
  QVariant Decoration(int row, int column) const override {
    if (column != 0) return {};
    const int mark = m_central->Row(static_cast<std::size_t>(row)).mark;
    if (mark == 0) {
      QPixmap blank(kMarkSize, kMarkSize);
      blank.fill(Qt::transparent);
      return blank;
    }
    return m_marks[static_cast<std::size_t>(mark)];
  }

 private:
  const std::unique_ptr<tPlaylistCentral>& m_central;  // null until the core exists
  std::array<QPixmap, 3> m_marks;
};

TPlaylistCentralWindow::TPlaylistCentralWindow(PlaylistCentralContext context, QWidget* parent)
    : QDialog(parent), m_context(std::move(context)), m_user(this) {
  setObjectName(QStringLiteral("PlaylistCentral"));
  setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
  setModal(false);
  setSizeGripEnabled(true);
  resize(kDesignedWidth, kDesignedHeight);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  BuildMenu();
  BuildToolbar();
  layout->addWidget(m_toolbar);
  m_title = new QLabel(ToQt(kPlaylistTitle), this);
  m_title->setToolTip(ToQt(kPlaylistTitleHint));
  m_title->setContentsMargins(4, 2, 4, 2);
  layout->addWidget(m_title);
  BuildList();
  layout->addWidget(m_list, 1);
  BuildStatusBar();
  layout->addWidget(m_status);

  for (QWidget* source : {static_cast<QWidget*>(m_toolbar), static_cast<QWidget*>(m_title),
                          static_cast<QWidget*>(m_list), static_cast<QWidget*>(m_status)}) {
    source->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(source, &QWidget::customContextMenuRequested, this,
            [this, source](const QPoint& position) { ShowMenuAt(source, position); });
  }

  m_views = std::make_unique<TPlaylistViewWindows>(*this, m_context.settingsPath, m_context.help);
  m_central = std::make_unique<tPlaylistCentral>(tPlaylistCentral::Services{
      m_context.catalogue, m_context.viewSongCount,
      m_context.user ? *m_context.user : static_cast<UserInteraction&>(m_user), m_context.files,
      m_context.sleeper, m_context.programs, m_context.playerOptions, *this, *m_views});
  m_central->SetViewsAvailable(true);
  m_list->installEventFilter(this);
  m_list->viewport()->installEventFilter(this);
  Sync();
}

TPlaylistCentralWindow::~TPlaylistCentralWindow() {
  if (TItemEditorWindow* editor = OpenedItemEditor()) editor->CloseQuietly();
  // The list reads the core's rows: it goes before the core does, and this window stops
  // watching it first.
  m_list->viewport()->removeEventFilter(this);
  m_list->removeEventFilter(this);
  delete std::exchange(m_list, nullptr);
  m_model = nullptr;
}

void TPlaylistCentralWindow::BuildMenu() {
  m_menu = new QMenu(this);
  for (const PlaylistMenuEntry& entry : PlaylistCentralMenu()) {
    QAction* item = m_menu->addAction(ToQt(entry.text));
    if (!entry.shortcut.empty()) {
      item->setShortcut(QKeySequence(ToQt(entry.shortcut)));
      item->setShortcutContext(Qt::WindowShortcut);
      addAction(item);  // the shortcut works while the menu is closed
    }
    const PlaylistCommand command = entry.command;
    if (command == PlaylistCommand::PlayerInFront) item->setCheckable(true);
    connect(item, &QAction::triggered, this, [this, command] { Run(command); });
    m_menuItems[command] = item;
    if (entry.separatorAfter) m_menu->addSeparator();
  }
}

void TPlaylistCentralWindow::BuildToolbar() {
  m_toolbar = new QToolBar(this);
  m_toolbar->setIconSize(QSize(16, 16));
  for (const PlaylistToolButton& spec : PlaylistCentralToolbar()) {
    QAction* button = m_toolbar->addAction(ButtonIcon(*style(), spec.command), ToQt(spec.hint));
    button->setToolTip(ToQt(spec.hint));
    const PlaylistCommand command = spec.command;
    connect(button, &QAction::triggered, this, [this, command] { Run(command); });
    m_buttons[command] = button;
  }
}

void TPlaylistCentralWindow::BuildList() {
  m_model = new TPlaylistModel(m_central, this);
  m_list = new QTreeView(this);
  m_list->setModel(m_model);
  m_list->setRootIsDecorated(false);
  m_list->setUniformRowHeights(true);
  m_list->setAllColumnsShowFocus(true);
  m_list->setSelectionMode(QAbstractItemView::SingleSelection);
  m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_list->setToolTip(ToQt(kPlaylistListHint));
  m_list->header()->setStretchLastSection(false);
  m_list->setAutoFillBackground(true);
  connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (m_syncing || !m_central) return;
            m_central->SelectRow(current.isValid() ? current.row() : -1);
            Sync();
          });
}

void TPlaylistCentralWindow::BuildStatusBar() {
  m_status = new QStatusBar(this);
  m_status->setSizeGripEnabled(false);
  m_panel1 = new QLabel(QStringLiteral("Empty Playlist"), m_status);
  m_panel2 = new QLabel(QStringLiteral("0/0"), m_status);
  m_panel2->setAlignment(Qt::AlignCenter);
  m_panel2->setFixedWidth(60);
  m_status->addWidget(m_panel1);
  m_status->addWidget(m_panel2);
  LayOutPanels();
}

QAction* TPlaylistCentralWindow::MenuItem(PlaylistCommand command) const {
  const auto found = m_menuItems.find(command);
  return found == m_menuItems.end() ? nullptr : found->second;
}

QAction* TPlaylistCentralWindow::Button(PlaylistCommand command) const {
  const auto found = m_buttons.find(command);
  return found == m_buttons.end() ? nullptr : found->second;
}

// ---------------------------------------------------------------------------------------------
// Showing the core's state

void TPlaylistCentralWindow::Sync() {
  if (!m_central || !m_list || m_syncing) return;
  m_syncing = true;
  setWindowTitle(ToQt(m_central->Caption()));
  m_model->Reset();
  const int selected = m_central->SelectedRow();
  if (selected >= 0 && selected < m_model->rowCount()) {
    m_list->setCurrentIndex(m_model->index(selected, 0));
  } else {
    m_list->clearSelection();
  }
  const QString hint = ToQt(m_central->ListHint());
  if (!m_list->hasFocus() || !hint.isEmpty()) {
    m_list->setToolTip(hint.isEmpty() ? ToQt(kPlaylistListHint) : hint);
  }
  const QFontMetrics metrics = m_panel1->fontMetrics();
  m_panel1->setText(
      ToQt(m_central->StatusPanel1(m_panel1->width(), [&metrics](std::string_view text) {
        return metrics.horizontalAdvance(ToQt(text));
      })));
  m_panel2->setText(ToQt(m_central->StatusPanel2()));
  const PlaylistControls controls = m_central->Controls();
  for (const auto& [command, item] : m_menuItems) {
    item->setEnabled(CommandEnabled(controls, command));
  }
  for (const auto& [command, button] : m_buttons) {
    button->setEnabled(CommandEnabled(controls, command));
  }
  m_menuItems.at(PlaylistCommand::PlayerInFront)->setChecked(controls.playerInFrontChecked);
  m_syncing = false;
}

void TPlaylistCentralWindow::PrepareMenu() {
  m_central->UpdateControls();
  Sync();
}

void TPlaylistCentralWindow::ShowMenuAt(QWidget* source, const QPoint& position) {
  PrepareMenu();
  QWidget* over = source == m_list ? m_list->viewport() : source;
  m_menu->popup(over->mapToGlobal(position));
}

void TPlaylistCentralWindow::LayOutPanels() {
  // Panel 1 takes what panel 2 leaves, or a fixed 100 pixels in a narrow window.
  const int panel1 = width() > 200 ? std::max(0, m_status->width() - m_panel2->width() - 12) : 100;
  m_panel1->setFixedWidth(panel1);
}

// ---------------------------------------------------------------------------------------------
// Commands

void TPlaylistCentralWindow::Run(PlaylistCommand command) {
  switch (command) {
    case PlaylistCommand::Close:
      close();
      return;
    case PlaylistCommand::Help:
      if (m_context.help) m_context.help(kPlaylistHelpTopic);
      return;
    default:
      break;
  }
  if (!CommandEnabled(m_central->Controls(), command)) return;
  RunCommand(*m_central, command);
  Sync();
}

bool TPlaylistCentralWindow::HandleKey(const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  std::optional<PlaylistKey> key;
  if ((modifiers & ~Qt::KeypadModifier) == Qt::ControlModifier) {
    if (event.key() == Qt::Key_Up) key = PlaylistKey::CtrlUp;
    if (event.key() == Qt::Key_Down) key = PlaylistKey::CtrlDown;
  } else if (modifiers & Qt::KeypadModifier) {
    if (event.key() == Qt::Key_Plus) key = PlaylistKey::KeypadPlus;
    if (event.key() == Qt::Key_Minus) key = PlaylistKey::KeypadMinus;
  }
  if (!key) return false;
  const bool consumed = tunedex::HandleKey(*m_central, *key);
  Sync();
  return consumed;
}

bool TPlaylistCentralWindow::eventFilter(QObject* watched, QEvent* event) {
  if (m_list == nullptr) return QDialog::eventFilter(watched, event);  // being destroyed
  switch (event->type()) {
    case QEvent::KeyPress:
      if (watched == m_list && HandleKey(static_cast<QKeyEvent&>(*event))) return true;
      break;
    case QEvent::FocusIn:
      if (watched == m_list) {
        QPalette palette = m_list->palette();
        palette.setColor(QPalette::Base, QColor(kFocusRed, kFocusGreen, kFocusBlue));
        m_list->setPalette(palette);
      }
      break;
    case QEvent::FocusOut:
      if (watched == m_list) {
        m_list->setPalette(QPalette());
        m_list->setToolTip(ToQt(kPlaylistListHint));
      }
      break;
    case QEvent::MouseButtonPress:
      if (watched == m_list->viewport()) {
        auto& mouse = static_cast<QMouseEvent&>(*event);
        const QModelIndex index = m_list->indexAt(mouse.position().toPoint());
        if (index.isValid()) {
          ClickRow(
              *m_central, index.row(),
              mouse.button() == Qt::LeftButton && (mouse.modifiers() & Qt::ControlModifier) != 0);
          Sync();
          m_list->setFocus();
          return mouse.button() != Qt::LeftButton ? false : true;
        }
      }
      break;
    case QEvent::MouseButtonDblClick:
      if (watched == m_list->viewport()) {
        const QModelIndex index =
            m_list->indexAt(static_cast<QMouseEvent&>(*event).position().toPoint());
        if (index.isValid()) {
          DoubleClickRow(*m_central, index.row());
          Sync();
          return true;
        }
      }
      break;
    case QEvent::Resize:
      if (watched == m_list->viewport()) ScaleColumns();
      break;
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

void TPlaylistCentralWindow::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  LayOutPanels();
  if (m_central) Sync();
}

void TPlaylistCentralWindow::ScaleColumns() {
  // The columns keep their proportions of the list's width.
  if (!m_settingsApplied || m_columnSum <= 0) return;
  const int client = m_list->viewport()->width();
  if (client <= 0) return;
  const double factor = static_cast<double>(client) / m_columnSum;
  int sum = 0;
  for (int column = 0; column < 3; ++column) {
    const int width = static_cast<int>(std::lround(m_list->header()->sectionSize(column) * factor));
    m_list->header()->resizeSection(column, width);
    sum += width;
  }
  m_columnSum = sum;
  const int selected = m_central->SelectedRow();
  if (selected >= 0) ScrollIntoView(selected);
}

// ---------------------------------------------------------------------------------------------
// The host of the core

void TPlaylistCentralWindow::PlaySong(const tSong& song, bool playerInFront) {
  if (!m_context.players) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  m_context.players->PlaySong(static_cast<WindowHandle>(winId()),
                              std::string(song.Record().FileName()), song.Record().FileType(),
                              playerInFront);
  QApplication::restoreOverrideCursor();
}

void TPlaylistCentralWindow::ClosePlayer() {
  if (m_context.players) m_context.players->ClosePlayer();
}

void TPlaylistCentralWindow::SetCatalogueWindowVisible(bool visible) {
  if (m_context.showCatalogueWindow) m_context.showCatalogueWindow(visible);
}

void TPlaylistCentralWindow::ShowSongDetails(const tSong& song) {
  if (m_context.showSongDetails) m_context.showSongDetails(song);
}

void TPlaylistCentralWindow::OpenItemEditor(int mode) {
  if (m_context.openItemEditor) m_context.openItemEditor(mode);
}

void TPlaylistCentralWindow::BringToFront(bool audienceToo) {
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
  if (audienceToo) m_views->BringAudienceForward();
}

void TPlaylistCentralWindow::BringAudienceForward() {
  m_views->BringAudienceForward();
}

void TPlaylistCentralWindow::ShowNormal() {
  if (m_closed) return;
  showNormal();
}

void TPlaylistCentralWindow::Refresh() {
  Sync();
}

void TPlaylistCentralWindow::ScrollIntoView(int row) {
  if (m_list && row >= 0 && row < m_model->rowCount()) m_list->scrollTo(m_model->index(row, 0));
}

// ---------------------------------------------------------------------------------------------
// Settings and closing

void TPlaylistCentralWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!m_switchBack && m_context.players) {
    // Shift+F10 from the player comes back here, then brings the open views forward.
    m_switchBack = std::make_unique<SwitchBackRegistration>(
        m_context.players->SwitchBacks(), static_cast<WindowHandle>(winId()), [this] {
          if (m_closed) return;
          if (isVisible() && !isMinimized()) {
            raise();
            activateWindow();
          }
          m_central->SwitchBack();
        });
  }
  if (!m_settingsApplied) ApplySettings();
  m_central->UpdateControls();
  Sync();
}

void TPlaylistCentralWindow::ApplySettings() {
  PlaylistWindowSettings designed;
  designed.left = x();
  designed.top = y();
  designed.width = width();
  designed.height = height();
  const PlaylistWindowSettings stored = ReadPlaylistCentralSettings(
      m_context.settingsPath.empty() ? tIniFile() : tIniFile::Load(m_context.settingsPath),
      designed);
  move(stored.left, stored.top);
  resize(stored.width, stored.height);
  m_columnSum = 0;
  for (int column = 0; column < 3; ++column) {
    const int width = stored.columns[static_cast<std::size_t>(column)];
    m_list->header()->resizeSection(column, width);
    m_columnSum += width;
  }
  m_settingsApplied = true;
  if (stored.state == 2) showMaximized();
  if (stored.state == 1) showMinimized();
}

void TPlaylistCentralWindow::WriteSettings() {
  if (m_context.settingsPath.empty() || Unattended()) return;
  PlaylistWindowSettings window;
  window.state = isMaximized() ? 2 : isMinimized() ? 1 : 0;
  window.left = x();
  window.top = y();
  window.width = width();
  window.height = height();
  for (int column = 0; column < 3; ++column) {
    window.columns[static_cast<std::size_t>(column)] = m_list->header()->sectionSize(column);
  }
  try {
    tIniFile ini = tIniFile::Load(m_context.settingsPath);
    WritePlaylistCentralSettings(ini, window, m_central->PlayerInFront());
    ini.Save(m_context.settingsPath);
  } catch (const std::exception& error) {
    (m_context.user ? *m_context.user : static_cast<UserInteraction&>(m_user))
        .ShowWarning(std::string("The settings were not saved.\r") + error.what());
  }
}

void TPlaylistCentralWindow::reject() {
  // Escape closes the window as its close button does.
  close();
}

void TPlaylistCentralWindow::closeEvent(QCloseEvent* event) {
  if (!m_closed) {
    m_closed = true;
    // The item editor works on this window's list: it goes first.
    if (TItemEditorWindow* editor = OpenedItemEditor()) editor->CloseQuietly();
    hide();
    WriteSettings();
    m_central->Close();
  }
  QDialog::closeEvent(event);
}

}  // namespace tunedex
