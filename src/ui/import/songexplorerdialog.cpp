// SPDX-License-Identifier: GPL-3.0-or-later
#include "songexplorerdialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <array>
#include <utility>

#include "ui/import/songfilelist.h"
#include "ui/widgets/foldertree.h"
#include "ui/widgets/pictures.h"
#include "ui/widgets/progressuser.h"
#include "ui/widgets/qtuser.h"

namespace tunedex {

namespace {

using Action = TSongExplorerDialog::Action;

// Records read between two turns of the event loop: small enough that the window answers at
// once, large enough that a folder of thousands fills within a second.
constexpr std::size_t kLoadSlice = 40;
// A folder that does not list within this is not answering (a dead network mount).
constexpr std::chrono::milliseconds kListBound{2000};

struct MenuItemSpec {
  Action action;
  const char* caption;
  QKeySequence shortcut;
};

struct StatusButton {
  Action action;
  const char* icon;
  const char* hint;
};

constexpr std::array<StatusButton, 10> kButtons = {{
    {Action::Close, "exit", "Close Song Explorer"},
    {Action::Import, "add", "Import songs to database"},
    {Action::Delete, "delete", "Delete file"},
    {Action::Trash, "trash", "Move song to recycle bin"},
    {Action::SelectAll, "select-all", "Select all songs"},
    {Action::Cut, "cut", "Cut"},
    {Action::Copy, "copy", "Copy"},
    {Action::Paste, "paste", "Paste"},
    {Action::Play, "play", "Play selected song"},
    {Action::Help, "info", "Show Help"},
}};

// The icon key: the not-in-catalogue picture of each type with its label.
const std::vector<std::pair<int, std::string_view>> kIconKey = {
    {0, "kar"}, {2, "st3"},  {4, "mid - lyrics"}, {6, "mid - no lyrics"},
    {8, "mp3"}, {10, "wma"}, {19, "kfn"},         {22, "mpg"}};

}  // namespace

TSongExplorerDialog::TSongExplorerDialog(SongExplorerContext context, const std::string& folder,
                                         QWidget* parent)
    : QDialog(parent), m_context(std::move(context)) {
  setObjectName(QStringLiteral("SongExplorer"));
  setWindowTitle(QStringLiteral("Song Explorer"));
  setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
  setSizeGripEnabled(true);
  resize(kExplorerDesignedWidth, kExplorerDesignedHeight);
  m_user = std::make_unique<ProgressUser>(m_context.user, this, QStringLiteral("Song Explorer"));
  tSongExplorer::Services list{
      m_context.catalogue, *m_context.files, *m_user, m_context.playerOptions, {}};
  list.players = m_context.players;
  list.listBound = kListBound;
  m_logic = std::make_unique<tSongExplorerWindow>(tSongExplorerWindow::Services{std::move(list)});

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  m_toolbar = new QWidget(this);
  BuildMenus(m_toolbar);
  layout->addWidget(m_toolbar);
  BuildPanes();
  layout->addWidget(m_columns, 1);
  auto* status = new QStatusBar(this);
  status->setSizeGripEnabled(false);
  m_status = new QLabel(QStringLiteral("Directory"), status);
  m_status->setFixedWidth(460);
  m_count = new QLabel(QStringLiteral("0/0"), status);
  m_count->setFixedWidth(50);
  m_count->setAlignment(Qt::AlignCenter);
  status->addWidget(m_status);
  status->addWidget(m_count);
  layout->addWidget(status);

  m_loader = new QTimer(this);
  m_loader->setInterval(0);
  connect(m_loader, &QTimer::timeout, this, &TSongExplorerDialog::LoadSlice);

  for (QObject* watched : {static_cast<QObject*>(m_list), static_cast<QObject*>(m_info),
                           static_cast<QObject*>(m_info->viewport()), static_cast<QObject*>(m_tree),
                           static_cast<QObject*>(m_toolbar), static_cast<QObject*>(m_inFront),
                           static_cast<QObject*>(m_list->viewport())}) {
    watched->installEventFilter(this);
  }
  m_inFront->setChecked(m_logic->List().PlayerInFront());
  m_menuItems.at(Action::PlayerInFront)->setChecked(m_inFront->isChecked());

  m_tree->SetPath(m_logic->StartFolder(folder, m_context.programFolder));
  FolderChosen();
  connect(m_tree, &TFolderTree::SelectionChanged, this, &TSongExplorerDialog::FolderChosen);
}

TSongExplorerDialog::~TSongExplorerDialog() {
  if (m_busyCursor) QApplication::restoreOverrideCursor();
  // The list shows the rules' items: it goes before they do (child widgets would otherwise
  // outlive the members). This window stops watching it first.
  m_list->viewport()->removeEventFilter(this);
  m_list->removeEventFilter(this);
  delete std::exchange(m_list, nullptr);
}

void TSongExplorerDialog::BuildMenus(QWidget* toolbarHost) {
  auto* menuBar = new QMenuBar(this);
  auto add = [this, menuBar](QMenu* menu, const MenuItemSpec& spec) {
    QAction* item = menu->addAction(QString::fromUtf8(spec.caption));
    if (!spec.shortcut.isEmpty()) {
      item->setShortcut(spec.shortcut);
      item->setShortcutContext(Qt::WindowShortcut);
    }
    const Action action = spec.action;
    connect(item, &QAction::triggered, this, [this, action] { Run(action); });
    m_menuItems[action] = item;
    (void)menuBar;
  };
  QMenu* file = menuBar->addMenu(QStringLiteral("&File"));
  for (const MenuItemSpec& spec :
       {MenuItemSpec{Action::Import, "&Import selected files", QKeySequence(Qt::CTRL | Qt::Key_I)},
        MenuItemSpec{Action::Delete, "&Delete", QKeySequence(Qt::SHIFT | Qt::Key_Delete)},
        MenuItemSpec{Action::Trash, "Send to Re&cycle bin", {}},
        MenuItemSpec{Action::Rename, "Re&name", {}},
        MenuItemSpec{Action::Refresh, "Re&fresh", QKeySequence(Qt::Key_F5)},
        MenuItemSpec{Action::Close, "&Close", {}}}) {
    add(file, spec);
  }
  QMenu* edit = menuBar->addMenu(QStringLiteral("&Edit"));
  for (const MenuItemSpec& spec :
       {MenuItemSpec{Action::SelectAll, "Select &All", {}}, MenuItemSpec{Action::Cut, "Cu&t", {}},
        MenuItemSpec{Action::Copy, "&Copy", {}}, MenuItemSpec{Action::Paste, "&Paste", {}}}) {
    add(edit, spec);
  }
  QMenu* play = menuBar->addMenu(QStringLiteral("&Play"));
  add(play, {Action::Play, "&Play song", QKeySequence(Qt::Key_F9)});
  add(play, {Action::PlayerInFront, "&Player in front", {}});
  m_menuItems.at(Action::PlayerInFront)->setCheckable(true);
  QAction* help = menuBar->addAction(QStringLiteral("&Help"));
  connect(help, &QAction::triggered, this, [this] { Run(Action::Help); });
  m_menuItems[Action::Help] = help;

  auto* hostLayout = new QVBoxLayout(toolbarHost);
  hostLayout->setContentsMargins(0, 0, 0, 0);
  hostLayout->setSpacing(0);
  hostLayout->addWidget(menuBar);
  auto* toolbar = new QToolBar(toolbarHost);
  toolbar->setIconSize(QSize(16, 16));
  for (const StatusButton& spec : kButtons) {
    QAction* button = toolbar->addAction(ArtIcon(spec.icon), QString::fromLatin1(spec.hint));
    button->setToolTip(QString::fromLatin1(spec.hint));
    const Action action = spec.action;
    connect(button, &QAction::triggered, this, [this, action] { Run(action); });
    m_buttons[action] = button;
    if (action == Action::Help) toolbar->addSeparator();
  }
  m_inFront = new QCheckBox(QStringLiteral("Player in Front"), toolbar);
  m_inFront->setToolTip(QStringLiteral("Show player in front of Song Explorer"));
  toolbar->addWidget(m_inFront);
  connect(m_inFront, &QCheckBox::toggled, this, [this](bool ticked) {
    m_menuItems.at(Action::PlayerInFront)->setChecked(ticked);
    m_logic->List().SetPlayerInFront(ticked);
  });
  hostLayout->addWidget(toolbar);
}

void TSongExplorerDialog::BuildPanes() {
  m_columns = new QSplitter(Qt::Horizontal, this);
  m_columns->setChildrenCollapsible(false);
  m_list = new TSongFileList(m_logic->List().Items(), QStringLiteral("Song files"), m_columns);
  m_list->setMinimumWidth(kSmallestPane);
  m_list->Model().rename = [this](int row, const std::string& name) {
    const bool renamed = m_logic->Rename(static_cast<std::size_t>(row), name);
    if (!renamed) QApplication::beep();
    Sync();
    return renamed;
  };
  connect(m_list, &TSongFileList::SelectionEdited, this, &TSongExplorerDialog::SelectionEdited);
  connect(m_list, &TSongFileList::CurrentRowChanged, this, &TSongExplorerDialog::MovedTo);
  connect(m_list, &TSongFileList::HeaderClicked, this, [this](int column) {
    m_logic->List().SortByColumn(column);
    ShowList();
  });
  connect(m_list, &QAbstractItemView::doubleClicked, this, [this] { Run(Action::Play); });
  m_columns->addWidget(m_list);

  auto* right = new QWidget(m_columns);
  right->setMinimumWidth(kSmallestPane);
  auto* rightLayout = new QVBoxLayout(right);
  rightLayout->setContentsMargins(0, 0, 0, 0);
  rightLayout->setSpacing(2);
  m_rightPane = new QSplitter(Qt::Vertical, right);
  m_rightPane->setChildrenCollapsible(false);
  m_info = new QPlainTextEdit(m_rightPane);
  m_info->setReadOnly(true);
  m_info->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  m_info->setToolTip(QStringLiteral("Info in song-file tags"));
  m_info->setMinimumHeight(kSmallestPane);
  m_rightPane->addWidget(m_info);
  m_tree = new TFolderTree({m_context.volumes, m_context.files, m_context.home, m_context.gvfsRoot},
                           m_rightPane);
  m_tree->setToolTip(QStringLiteral("Directory tree"));
  m_tree->setMinimumHeight(kSmallestPane);
  m_tree->AcceptDropsOf(QString::fromLatin1(kSongFilesMimeFormat));
  // The drop is done once the drag has ended, so its questions and progress are not shown
  // inside the drag.
  connect(m_tree, &TFolderTree::Dropped, this, &TSongExplorerDialog::Dropped, Qt::QueuedConnection);
  m_rightPane->addWidget(m_tree);
  rightLayout->addWidget(m_rightPane, 1);
  rightLayout->addWidget(SongIconKey(right, kIconKey));
  m_columns->addWidget(right);
  m_columns->setStretchFactor(0, 0);
  m_columns->setStretchFactor(1, 1);
}

QAction* TSongExplorerDialog::Button(Action action) const {
  const auto found = m_buttons.find(action);
  return found == m_buttons.end() ? nullptr : found->second;
}

std::string TSongExplorerDialog::Folder() const {
  return m_logic->List().Folder();
}

// ---------------------------------------------------------------------------------------------
// Loading

void TSongExplorerDialog::FolderChosen() {
  m_loader->stop();
  m_info->clear();
  m_infoShownFor.reset();
  m_logic->List().ChooseFolder(m_tree->Path());
  StartLoading();
}

void TSongExplorerDialog::StartLoading() {
  ShowList();
  if (!m_logic->List().Loading()) return;
  if (!m_busyCursor) {
    QApplication::setOverrideCursor(Qt::BusyCursor);
    m_busyCursor = true;
  }
  m_loader->start();
}

void TSongExplorerDialog::LoadSlice() {
  if (!m_logic->List().LoadSlice(kLoadSlice)) {
    m_loader->stop();
    if (m_busyCursor) QApplication::restoreOverrideCursor();
    m_busyCursor = false;
  }
  ShowList();
}

void TSongExplorerDialog::FinishLoading() {
  while (m_loader->isActive()) LoadSlice();
}

void TSongExplorerDialog::ShowList() {
  m_list->ShowItems();
  m_list->ShowSelection(m_logic->List().Position());
  ShowInfo();
  Sync();
}

void TSongExplorerDialog::SelectionEdited() {
  TakeSelection(*m_list, m_logic->List());
  Sync();
}

void TSongExplorerDialog::MovedTo(int row) {
  SelectionEdited();
  m_logic->List().MoveTo(static_cast<std::size_t>(row));
  ShowInfo();
  Sync();
}

void TSongExplorerDialog::ShowInfo() {
  const std::optional<std::size_t> position = m_logic->List().Position();
  if (position == m_infoShownFor) return;
  m_infoShownFor = position;
  QStringList lines;
  for (const std::string& line : m_logic->Info()) lines << ToQt(line);
  m_info->setPlainText(lines.join(QLatin1Char('\n')));
}

void TSongExplorerDialog::Sync() {
  const tSongExplorer& list = m_logic->List();
  m_status->setText(ToQt(list.StatusText()));
  m_count->setText(ToQt(list.CountText()));
  const tExplorerCommands commands = list.Commands();
  const std::array<std::pair<Action, bool>, 10> enabled = {{{Action::Import, commands.import},
                                                            {Action::Delete, commands.deleteFiles},
                                                            {Action::Trash, commands.trash},
                                                            {Action::Rename, commands.rename},
                                                            {Action::Cut, commands.cut},
                                                            {Action::Copy, commands.copy},
                                                            {Action::Paste, commands.paste},
                                                            {Action::Play, commands.play},
                                                            {Action::SelectAll, commands.selectAll},
                                                            {Action::Refresh, true}}};
  for (const auto& [action, on] : enabled) {
    m_menuItems.at(action)->setEnabled(on);
    if (QAction* button = Button(action)) button->setEnabled(on);
  }
}

// ---------------------------------------------------------------------------------------------
// Commands

void TSongExplorerDialog::Run(Action action) {
  tSongExplorer& list = m_logic->List();
  switch (action) {
    case Action::Close:
      close();
      return;
    case Action::Import:
      FinishLoading();
      list.Import();
      break;
    case Action::Delete:
      m_logic->Delete();
      break;
    case Action::Trash:
      m_logic->Trash();
      break;
    case Action::Rename:
      if (list.Position()) {
        m_list->edit(m_list->model()->index(static_cast<int>(*list.Position()), 0));
      }
      return;
    case Action::Refresh:
      m_loader->stop();
      m_tree->Refresh();
      list.Refresh();
      break;
    case Action::SelectAll:
      list.SelectAll();
      break;
    case Action::Cut:
      m_logic->Cut();
      break;
    case Action::Copy:
      m_logic->Copy();
      break;
    case Action::Paste:
      m_logic->Paste(m_tree->Path());
      break;
    case Action::Play:
      list.Play(static_cast<WindowHandle>(winId()));
      return;
    case Action::PlayerInFront:
      m_inFront->toggle();
      return;
    case Action::Help:
      if (m_context.help) m_context.help(kExplorerHelpTopic);
      return;
  }
  AfterCommand();
}

void TSongExplorerDialog::AfterCommand() {
  // The progress window goes, and the list (perhaps refreshed) is shown again.
  m_user->Done();
  m_infoShownFor.reset();
  StartLoading();
}

void TSongExplorerDialog::Dropped(const QString& target, bool copy) {
  m_logic->Drop(FromQt(target), copy);
  AfterCommand();
}

bool TSongExplorerDialog::HandleKey(QKeyEvent& event) {
  ExplorerKey key = ExplorerKey::Other;
  const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
  if (event.key() == Qt::Key_Delete && modifiers == Qt::NoModifier) {
    key = ExplorerKey::Delete;
  } else if (modifiers == Qt::ControlModifier) {
    key = event.key() == Qt::Key_C   ? ExplorerKey::CtrlC
          : event.key() == Qt::Key_V ? ExplorerKey::CtrlV
          : event.key() == Qt::Key_X ? ExplorerKey::CtrlX
                                     : ExplorerKey::Other;
  }
  if (key == ExplorerKey::Other) return false;
  if (!m_logic->Key(key, m_list->Editing())) return false;
  AfterCommand();
  return true;
}

bool TSongExplorerDialog::eventFilter(QObject* watched, QEvent* event) {
  if (m_list == nullptr) return QDialog::eventFilter(watched, event);  // being destroyed
  switch (event->type()) {
    case QEvent::KeyPress:
      if (watched != m_info->viewport() && HandleKey(static_cast<QKeyEvent&>(*event))) return true;
      break;
    case QEvent::ShortcutOverride: {
      // Ctrl+C in the list would otherwise copy its text to the desktop's clipboard.
      auto& key = static_cast<QKeyEvent&>(*event);
      if (key.modifiers() == Qt::ControlModifier &&
          (key.key() == Qt::Key_C || key.key() == Qt::Key_V || key.key() == Qt::Key_X)) {
        event->accept();
        return true;
      }
      break;
    }
    case QEvent::Enter:
      // The pointer gives the keyboard to what it is over, while the window is active.
      if (isActiveWindow()) {
        if (watched == m_toolbar) {
          m_inFront->setFocus();
        } else if (watched == m_list || watched == m_tree || watched == m_info) {
          static_cast<QWidget*>(watched)->setFocus();
        }
      }
      break;
    case QEvent::Resize:
      if (watched == m_list->viewport()) ListResized();
      break;
    case QEvent::MouseButtonRelease:
      if (watched == m_info->viewport()) {
        QTextCursor cursor = m_info->textCursor();
        cursor.select(QTextCursor::LineUnderCursor);
        m_info->setTextCursor(cursor);
      }
      break;
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

void TSongExplorerDialog::ListResized() {
  // The columns keep their shares of the list's width.
  const int client = m_list->viewport()->width();
  if (m_settingsApplied && m_listClientWidth > 0 && client != m_listClientWidth) {
    m_list->SetColumnWidths(ScaleColumns(m_list->ColumnWidths(), m_listClientWidth, client,
                                         m_list->verticalScrollBar()->sizeHint().width()));
  }
  m_listClientWidth = client;
}

// ---------------------------------------------------------------------------------------------
// Settings

void TSongExplorerDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (m_settingsApplied) return;
  m_settingsApplied = true;
  ApplySettings();
}

void TSongExplorerDialog::ApplySettings() {
  const tExplorerSettings settings = m_logic->ReadSettings(m_context.settingsPath);
  if (settings.state == 0) {
    move(settings.left, settings.top);
    resize(settings.width, settings.height);
  }
  const int width = settings.state == 0 ? settings.width : this->width();
  const int listWidth = ListWidthWithin(settings.verticalDivision, width);
  m_columns->setSizes({listWidth, std::max(kSmallestPane, width - listWidth)});
  const int infoHeight = std::max(kSmallestPane, settings.horizontalDivision);
  m_rightPane->setSizes({infoHeight, std::max(kSmallestPane, m_rightPane->height() - infoHeight)});
  m_list->SetColumnWidths(settings.columns);
  m_listClientWidth = 0;  // the stored widths are the starting point of later scaling
  if (settings.state == 2) showMaximized();
  if (settings.state == 1) showMinimized();
}

tExplorerSettings TSongExplorerDialog::CurrentSettings() const {
  tExplorerSettings settings;
  settings.state = isMaximized() ? 2 : isMinimized() ? 1 : 0;
  settings.left = x();
  settings.top = y();
  settings.width = width();
  settings.height = height();
  settings.verticalDivision = m_list->width();
  settings.horizontalDivision = m_info->height();
  settings.columns = m_list->ColumnWidths();
  return settings;
}

void TSongExplorerDialog::done(int result) {
  m_loader->stop();
  // A picture taken unattended leaves the settings as they were.
  if (!Unattended()) m_logic->WriteSettings(m_context.settingsPath, CurrentSettings());
  QDialog::done(result);
}

void RunSongExplorer(QWidget* parent, SongExplorerContext context, std::string& folder) {
  TSongExplorerDialog dialog(std::move(context), folder, parent);
  dialog.exec();
  if (!dialog.Folder().empty()) folder = dialog.Folder();
}

}  // namespace tunedex
