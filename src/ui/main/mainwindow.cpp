// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "catalogue/songtype.h"
#include "common/fileio.h"
#include "players/playercontrol.h"
#include "ui/help/helpviewer.h"
#include "ui/import/recordeditordialog.h"
#include "ui/main/customlanguagedialog.h"
#include "ui/main/filterdialog.h"
#include "ui/main/songgrid.h"
#include "ui/players/playeroptionswindow.h"
#include "ui/widgets/pictures.h"

namespace tunedex {

namespace {

// Room the caption leaves beside the path, and what the title bar needs besides the text.
constexpr int kCaptionMargin = 195;

WindowKey KeyOf(int key) {
  switch (key) {
    case Qt::Key_Home:
      return WindowKey::Home;
    case Qt::Key_End:
      return WindowKey::End;
    case Qt::Key_Up:
      return WindowKey::Up;
    case Qt::Key_Down:
      return WindowKey::Down;
    case Qt::Key_Left:
      return WindowKey::Left;
    case Qt::Key_Right:
      return WindowKey::Right;
    case Qt::Key_PageUp:
      return WindowKey::PageUp;
    case Qt::Key_PageDown:
      return WindowKey::PageDown;
    case Qt::Key_Backspace:
      return WindowKey::Backspace;
    case Qt::Key_Delete:
      return WindowKey::Delete;
    case Qt::Key_F9:
      return WindowKey::F9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return WindowKey::Enter;
    case Qt::Key_Escape:
      return WindowKey::Escape;
    case Qt::Key_Clear:
      return WindowKey::Clear;
    default:
      return WindowKey::Other;
  }
}

}  // namespace

QString ProgramNotice() {
  return QStringLiteral(
      "A catalogue of karaoke song files for hosts: find, sort and play your songs.");
}

TTunedexMain::TTunedexMain(tCatalogue& catalogue, std::string settingsPath, QWidget* parent)
    : QMainWindow(parent),
      m_catalogue(catalogue),
      m_settingsPath(std::move(settingsPath)),
      m_user(this) {
  InitUiResources();
  setObjectName(QStringLiteral("TTunedexMain"));
  QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                             {QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
  CatalogueServices services{m_user};
  services.showSongRecord = [this](tSongRecord& record, int mode, std::string& folder) {
    return ShowSongRecord(record, mode, folder);
  };
  services.showFilter = [this](tCustomFilterRec& filter, const std::function<void()>& apply) {
    return ShowFilter(filter, apply);
  };
  services.showPlayerOptions = [this] { ShowPlayerOptions(); };
  services.beep = [] { QApplication::beep(); };
  m_logic = std::make_unique<tCatalogueWindow>(catalogue, std::move(services));

  resize(kDesignWidth, kDesignHeight);
  BuildActions();
  BuildMenus();
  BuildToolbars();
  BuildCentralArea();
  BuildStatusBar();

  tIniFile ini;
  try {
    ini = tIniFile::Load(m_settingsPath);
  } catch (const FileError& error) {
    m_user.ShowWarning(error.what());
  }
  m_logic->Start(ini);
  ApplyGeometry();
  ApplyGridFont();
  ApplyVisibility();
  m_grid->setFocus();
  for (QWidget* area : {static_cast<QWidget*>(m_mainToolbar), m_logoArea, m_navigator,
                        static_cast<QWidget*>(m_grid->horizontalHeader()),
                        static_cast<QWidget*>(statusBar()), m_infoPanel}) {
    m_focusAreas.push_back(area);
  }
  qApp->installEventFilter(this);
  m_catalogue.AddObserver(*this);
  Sync();
}

TTunedexMain::~TTunedexMain() {
  m_catalogue.RemoveObserver(*this);
  qApp->removeEventFilter(this);
}

void TTunedexMain::CatalogueChanged(const CatalogueNotice&) {
  if (m_syncPending) return;
  m_syncPending = true;
  QTimer::singleShot(0, this, [this] {
    m_syncPending = false;
    Sync();
  });
}

void TTunedexMain::SetPlayerServices(const PlayerServices& services) {
  m_players = services;
  m_logic->SetPlayerControl(services.control, services.control ? winId() : 0);
  if (services.control) services.control->SetSwitchToPluginEnabled(m_switchToPlugin->isChecked());
  Sync();
}

// ---------------------------------------------------------------------------------------------
// Building the window

QAction* TTunedexMain::MakeAction(const QString& text, const std::function<void()>& run,
                                  const QKeySequence& shortcut) {
  auto* action = new QAction(text, this);
  if (!shortcut.isEmpty()) {
    action->setShortcut(shortcut);
    addAction(action);
  }
  connect(action, &QAction::triggered, this, [this, run] { Do(run); });
  return action;
}

QAction* TTunedexMain::CommandAction(Command command, const QString& text,
                                     const QKeySequence& shortcut, int tag) {
  QAction* action = MakeAction(
      text, [this, command, tag] { m_logic->Run(command, tag); }, shortcut);
  m_commandActions.emplace(command, action);
  return action;
}

QAction* TTunedexMain::CopyAction(Command command, const QString& text, const QString& shortcutText,
                                  int tag) {
  // Context-menu copies show the main item's key without holding it a second time.
  return CommandAction(command, shortcutText.isEmpty() ? text : text + u'\t' + shortcutText, {},
                       tag);
}

void TTunedexMain::BuildActions() {
  const std::pair<int, Command> views[] = {
      {kViewAll, Command::ViewAll},           {kViewCustomLanguage, Command::ViewCustomLanguage},
      {kViewEnglish, Command::ViewEnglish},   {kViewOtherLanguages, Command::ViewOtherLanguages},
      {kViewNewSongs, Command::ViewNewSongs}, {kViewCustomFiltered, Command::ViewFiltered}};
  for (const auto& [mode, command] : views) {
    QAction* action =
        CommandAction(command, ToQt(m_logic->ViewCaption(mode)),
                      mode == kViewCustomFiltered ? QKeySequence(Qt::Key_F4) : QKeySequence());
    action->setCheckable(true);
    m_viewActions[mode] = action;
    QAction* copy = CopyAction(command, ToQt(m_logic->SelectionMenuCaption(mode)),
                               mode == kViewCustomFiltered ? QStringLiteral("F4") : QString());
    copy->setCheckable(true);
    m_selectionActions[mode] = copy;
  }
  m_viewActions[kViewAll]->setIcon(ArtIcon("all-songs"));
  m_viewActions[kViewEnglish]->setIcon(ArtIcon("flag-eng"));
  m_viewActions[kViewOtherLanguages]->setIcon(ArtIcon("globe"));
  m_viewActions[kViewNewSongs]->setIcon(ArtIcon("unknown-language"));
  m_viewActions[kViewCustomFiltered]->setIcon(ArtIcon("filter"));

  const std::tuple<int, const char*, Qt::Key> sorts[] = {{kSortById, "&IDCode", Qt::Key_F6},
                                                         {kSortByTitle, "&Title", Qt::Key_F7},
                                                         {kSortByArtist, "&Artist", Qt::Key_F8}};
  for (const auto& [code, caption, key] : sorts) {
    const int sortCode = code;
    const auto sort = [this, sortCode] { m_logic->SetSort(sortCode); };
    QAction* main = MakeAction(QString::fromLatin1(caption), sort, key);
    QAction* copy =
        MakeAction(QString::fromLatin1(caption) + u'\t' + QKeySequence(key).toString(), sort);
    m_sortCopies[code] = copy;
    for (QAction* action : {main, copy}) {
      action->setCheckable(true);
      m_sortActions.emplace(code, action);
    }
  }

  const std::pair<bool tDisplayOptions::*, const char*> switches[] = {
      {&tDisplayOptions::confirmSaves, "&Confirm Saves"},
      {&tDisplayOptions::showFormatMismatches, "&Show format mismatches"},
      {&tDisplayOptions::mainToolbar, "Show Main &Toolbar"},
      {&tDisplayOptions::logo, "Show Lo&Go and Song Details"},
      {&tDisplayOptions::navigator, "Show  &Navigator Toolbar"},
      {&tDisplayOptions::programInfo, "Show Program &Info"},
      {&tDisplayOptions::statusBar, "Show Status &Bar"}};
  for (const auto& [flag, caption] : switches) {
    const auto member = flag;
    QAction* action = MakeAction(QString::fromLatin1(caption), [this, member] {
      bool& value = m_logic->Display().*member;
      value = !value;
      ApplyVisibility();
    });
    action->setCheckable(true);
    m_displayActions.emplace_back(flag, action);
  }
  m_playerInFront = MakeAction(QStringLiteral("&Player in Front"),
                               [this] { m_logic->playerInFront = m_playerInFront->isChecked(); });
  m_playerInFront->setCheckable(true);
  m_switchToPlugin = MakeAction(QStringLiteral("&Enable switch to plugin"), [this] {
    m_logic->enableSwitchToPlugin = m_switchToPlugin->isChecked();
    if (m_players.control)
      m_players.control->SetSwitchToPluginEnabled(m_switchToPlugin->isChecked());
  });
  m_switchToPlugin->setCheckable(true);
  m_switchToPlugin->setChecked(true);
}

void TTunedexMain::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->addAction(CommandAction(Command::OpenDatabase, QStringLiteral("&Open database"),
                                QKeySequence(Qt::CTRL | Qt::Key_O)));
  file->addAction(CommandAction(Command::NewDatabase, QStringLiteral("&New database"),
                                QKeySequence(Qt::CTRL | Qt::Key_N)));
  file->addAction(
      CommandAction(Command::Save, QStringLiteral("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S)));
  file->addAction(CommandAction(Command::SaveAs, QStringLiteral("Save &As..."),
                                QKeySequence(Qt::CTRL | Qt::Key_A)));
  file->addAction(CommandAction(Command::SaveSelection, QStringLiteral("Save se&Lection"),
                                QKeySequence(Qt::CTRL | Qt::Key_L)));
  file->addSeparator();
  QAction* explorer = CommandAction(Command::SongExplorer, QStringLiteral("Song &Explorer..."));
  explorer->setIcon(ArtIcon("explorer"));
  explorer->setToolTip(QStringLiteral("Song Explorer"));
  file->addAction(explorer);
  QAction* scan = CommandAction(Command::ScanForSongs, QStringLiteral("S&can for songs..."));
  scan->setIcon(ArtIcon("scan"));
  scan->setToolTip(QStringLiteral("Scan computer for song files"));
  file->addAction(scan);
  file->addSeparator();
  file->addAction(CommandAction(Command::PrintPreview, QStringLiteral("&Print Preview"),
                                QKeySequence(Qt::CTRL | Qt::Key_P)));
  file->addSeparator();
  QAction* exit = MakeAction(
      QStringLiteral("E&xit"), [this] { close(); }, QKeySequence(Qt::CTRL | Qt::Key_X));
  exit->setIcon(ArtIcon("exit"));
  exit->setToolTip(QStringLiteral("Exit"));
  exit->setObjectName(QStringLiteral("exit"));
  file->addAction(exit);

  QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
  for (int mode = kViewAll; mode <= kViewCustomFiltered; ++mode) {
    view->addAction(m_viewActions[mode]);
  }
  QMenu* sort = view->addMenu(QStringLiteral("So&Rt"));
  for (int code : {kSortById, kSortByTitle, kSortByArtist}) {
    sort->addAction(m_sortActions.find(code)->second);
  }
  m_commandActions.emplace(Command::SortMenus, sort->menuAction());
  view->addSeparator();
  view->addAction(CommandAction(Command::FullSongDetails, QStringLiteral("Full Song &Details..."),
                                QKeySequence(Qt::Key_F2), kFullDetailsTag));
  view->addAction(m_playerInFront);
  QAction* playlist =
      CommandAction(Command::PlaylistCentral, QStringLiteral("&Playlist Central..."), Qt::Key_F5);
  playlist->setIcon(ArtIcon("playlist"));
  playlist->setToolTip(QStringLiteral("Show Playlist Central"));
  view->addAction(playlist);
  view->addAction(CommandAction(Command::FindNext, QStringLiteral("Find ne&Xt"), Qt::Key_F3));

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  QAction* editSong =
      CommandAction(Command::EditSong, QStringLiteral("&Selected Song..."), {}, kEditSongTag);
  editSong->setIcon(ArtIcon("edit"));
  editSong->setToolTip(QStringLiteral("Edit current song"));
  edit->addAction(editSong);
  QAction* add = CommandAction(Command::AddSong, QStringLiteral("&Add Song"));
  add->setIcon(ArtIcon("add"));
  add->setToolTip(QStringLiteral("Add new song"));
  edit->addAction(add);
  QAction* remove = CommandAction(Command::DeleteSong, QStringLiteral("&Delete Song..."));
  remove->setIcon(ArtIcon("delete"));
  remove->setToolTip(QStringLiteral("Delete selected song"));
  edit->addAction(remove);
  edit->addAction(CommandAction(Command::DeleteAllSongs, QStringLiteral("De&Lete All Songs...")));
  edit->addSeparator();
  edit->addAction(
      CommandAction(Command::FillMissingIdCodes, QStringLiteral("&Fill missing ID codes")));
  edit->addAction(CommandAction(Command::LostFiles, QStringLiteral("&Lost files...")));

  QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
  options->addAction(DisplayAction(&tDisplayOptions::confirmSaves));
  options->addAction(CommandAction(Command::Players, QStringLiteral("&Players...")));
  options->addAction(m_switchToPlugin);
  options->addAction(
      MakeAction(QStringLiteral("Custom &Language..."), [this] { ChooseCustomLanguage(); }));
  options->addAction(MakeAction(QStringLiteral("&Font for Song-table"), [this] { ChooseFont(); }));
  options->addSeparator();
  for (auto flag : {&tDisplayOptions::showFormatMismatches, &tDisplayOptions::mainToolbar,
                    &tDisplayOptions::logo, &tDisplayOptions::navigator,
                    &tDisplayOptions::programInfo, &tDisplayOptions::statusBar}) {
    options->addAction(DisplayAction(flag));
  }

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  help->addAction(MakeAction(QStringLiteral("Contents"), [this] { ShowHelp(0); }));
  help->addAction(MakeAction(
      QStringLiteral("Help for Main Form"), [this] { ShowHelp(kMainHelpTopic); }, Qt::Key_F1));
  help->addAction(MakeAction(QStringLiteral("&About"), [this] { ShowAbout(); }));

  // The grid's own menu.
  m_gridMenu = new QMenu(this);
  QMenu* selection = m_gridMenu->addMenu(QStringLiteral("Selection"));
  m_selectionMenuAction = selection->menuAction();
  m_selectionMenuAction->setCheckable(true);
  for (int mode = kViewAll; mode <= kViewCustomFiltered; ++mode) {
    selection->addAction(m_selectionActions[mode]);
  }
  QMenu* gridSort = m_gridMenu->addMenu(QStringLiteral("Sort"));
  for (const auto& [code, copy] : m_sortCopies) gridSort->addAction(copy);
  m_commandActions.emplace(Command::SortMenus, gridSort->menuAction());
  m_gridMenu->addSeparator();
  m_gridMenu->addAction(CopyAction(Command::FullSongDetails, QStringLiteral("Full Song details"),
                                   QStringLiteral("F2")));
  m_gridMenu->addAction(
      CopyAction(Command::EditSong, QStringLiteral("Edit song details..."), {}, kEditSongTag));
  m_gridMenu->addAction(CopyAction(Command::AddSong, QStringLiteral("Add new song...")));
  m_gridMenu->addAction(CopyAction(Command::DeleteSong, QStringLiteral("Delete song...")));
  m_gridMenu->addAction(CopyAction(Command::DeleteAllSongs, QStringLiteral("Delete all songs...")));
  m_gridMenu->addAction(
      CopyAction(Command::PlaySong, QStringLiteral("Play song"), QStringLiteral("F9")));
  m_gridMenu->addSeparator();
  m_gridMenu->addAction(CopyAction(Command::PlaylistCentral, QStringLiteral("Playlist Central")));
  m_gridMenu->addAction(CopyAction(Command::LostFiles, QStringLiteral("Lost files")));
  m_gridMenu->addAction(CopyAction(Command::SongExplorer, QStringLiteral("Song Explorer...")));
  m_gridMenu->addSeparator();
  m_gridMenu->addAction(CopyAction(Command::OpenDatabase, QStringLiteral("Different database...")));
  m_gridMenu->addAction(CopyAction(Command::NewDatabase, QStringLiteral("New database...")));
  m_gridMenu->addAction(CopyAction(Command::Save, QStringLiteral("Save database")));
  m_gridMenu->addAction(CopyAction(Command::SaveAs, QStringLiteral("Save database as...")));
  m_gridMenu->addAction(CopyAction(Command::SaveSelection, QStringLiteral("Save selection")));
  m_gridMenu->addAction(
      CopyAction(Command::PrintPreview, QStringLiteral("Print..."), QStringLiteral("Ctrl+P")));
  m_gridMenu->addSeparator();
  QAction* language = new QAction(QStringLiteral("Custom Language..."), this);
  connect(language, &QAction::triggered, this, [this] { ChooseCustomLanguage(); });
  m_gridMenu->addAction(language);

  // The details area's menu.
  m_detailsMenu = new QMenu(this);
  m_detailsMenu->addAction(CopyAction(
      Command::FullSongDetails, QStringLiteral("Full Song &Details..."), {}, kFullDetailsTag));
  m_detailsMenu->addAction(
      CopyAction(Command::PlaySong, QStringLiteral("&Play Song"), QStringLiteral("F9")));
  m_detailsMenu->addAction(CopyAction(Command::EditSong, QStringLiteral("&Edit Song Details..."),
                                      QStringLiteral("F2"), kEditSongTag));
  m_detailsMenu->addAction(CopyAction(Command::AddSong, QStringLiteral("&Add New Song...")));
  m_detailsMenu->addAction(CopyAction(Command::DeleteSong, QStringLiteral("&Delete Song...")));
}

void TTunedexMain::BuildToolbars() {
  m_mainToolbar = addToolBar(QStringLiteral("Main"));
  m_mainToolbar->setObjectName(QStringLiteral("MainToolbar"));
  m_mainToolbar->setMovable(false);
  m_mainToolbar->setIconSize(QSize(16, 16));
  for (int mode = kViewAll; mode <= kViewNewSongs; ++mode) {
    m_mainToolbar->addAction(m_viewActions[mode]);
  }
  m_mainToolbar->addAction(m_viewActions[kViewCustomFiltered]);
  m_mainToolbar->addSeparator();
  const Command buttons[] = {Command::ScanForSongs, Command::SongExplorer, Command::AddSong,
                             Command::EditSong, Command::DeleteSong};
  for (Command command : buttons) m_mainToolbar->addAction(Action(command));
  QAction* play = CommandAction(Command::PlaySong, QStringLiteral("Play current song"));
  play->setIcon(ArtIcon("play"));
  m_mainToolbar->addAction(play);
  m_mainToolbar->addAction(Action(Command::PlaylistCentral));
  m_mainToolbar->addSeparator();
  m_mainToolbar->addAction(findChild<QAction*>(QStringLiteral("exit")));
}

void TTunedexMain::BuildCentralArea() {
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);

  // Logo and song details.
  m_logoArea = new QWidget(central);
  m_logoArea->setObjectName(QStringLiteral("LogoArea"));
  auto* logoLayout = new QHBoxLayout(m_logoArea);
  logoLayout->setContentsMargins(4, 2, 4, 2);
  m_logoImage = new QLabel(m_logoArea);
  m_logoImage->setFixedSize(96, 48);
  m_logoImage->setAlignment(Qt::AlignCenter);
  logoLayout->addWidget(m_logoImage);
  auto* details = new QFrame(m_logoArea);
  details->setFrameShape(QFrame::StyledPanel);
  details->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(details, &QWidget::customContextMenuRequested, this,
          [this, details](const QPoint& at) { m_detailsMenu->exec(details->mapToGlobal(at)); });
  auto* grid = new QGridLayout(details);
  grid->setContentsMargins(4, 2, 4, 2);
  m_notesPicture = new QLabel(details);
  m_notesPicture->setPixmap(ArtPixmap("edit"));
  m_notesLabel = new QLabel(details);
  m_typePicture = new QLabel(details);
  m_typeLabel = new QLabel(details);
  m_languagePicture = new QLabel(details);
  m_languageLabel = new QLabel(details);
  m_fileNamePanel = new QLabel(details);
  m_fileNamePanel->setFrameShape(QFrame::Panel);
  m_fileNamePanel->setFrameShadow(QFrame::Sunken);
  m_fileNamePanel->setTextInteractionFlags(Qt::NoTextInteraction);
  m_fileNamePanel->setMinimumWidth(50);
  m_fileNamePanel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  m_notesLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  grid->addWidget(m_notesPicture, 0, 0);
  grid->addWidget(m_notesLabel, 0, 1, 1, 5);
  grid->addWidget(m_typePicture, 1, 0);
  grid->addWidget(m_typeLabel, 1, 1);
  grid->addWidget(m_languagePicture, 1, 2);
  grid->addWidget(m_languageLabel, 1, 3);
  grid->setColumnStretch(5, 1);
  grid->addWidget(m_fileNamePanel, 2, 0, 1, 6);
  for (QWidget* label :
       {static_cast<QWidget*>(m_notesLabel), static_cast<QWidget*>(m_typeLabel),
        static_cast<QWidget*>(m_languageLabel), static_cast<QWidget*>(m_fileNamePanel)}) {
    label->installEventFilter(this);
    label->setCursor(Qt::PointingHandCursor);
  }
  logoLayout->addWidget(details, 1);
  layout->addWidget(m_logoArea);

  // Navigator.
  m_navigator = new QWidget(central);
  m_navigator->setObjectName(QStringLiteral("Navigator"));
  auto* nav = new QHBoxLayout(m_navigator);
  nav->setContentsMargins(2, 0, 2, 0);
  nav->setSpacing(0);
  const std::tuple<Command, const char*, const char*> navigation[] = {
      {Command::FirstSong, "First song", "first"},
      {Command::PreviousSong, "Previous song", "previous"},
      {Command::NextSong, "Next song", "next"},
      {Command::LastSong, "Last song", "last"}};
  for (std::size_t i = 0; i < 4; ++i) {
    const auto& [command, hint, glyph] = navigation[i];
    QAction* action = CommandAction(command, QString::fromLatin1(hint));
    action->setIcon(ArtIcon(glyph));
    connect(action, &QAction::triggered, this, [this] { m_grid->setFocus(); });
    auto* button = new QToolButton(m_navigator);
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    m_navigatorButtons[i] = button;
    nav->addWidget(button);
  }
  m_findBox = new QLineEdit(m_navigator);
  m_findBox->setObjectName(QStringLiteral("edFind"));
  m_findBox->setToolTip(QStringLiteral("Type words to find in song list"));
  m_findBox->setPlaceholderText(QStringLiteral("Type words to find in song list"));
  m_findBox->setClearButtonEnabled(true);
  connect(m_findBox, &QLineEdit::textEdited, this, [this](const QString& text) {
    Do([this, text] { m_logic->FindTextChanged(FromQt(text)); });
  });
  nav->addSpacing(8);
  nav->addWidget(m_findBox, 1);
  m_findNext = new QPushButton(QStringLiteral("Find next"), m_navigator);
  m_findNext->setIcon(ArtIcon("find-next"));
  m_findNext->setFocusPolicy(Qt::NoFocus);
  connect(m_findNext, &QPushButton::clicked, this, [this] { Do([this] { m_logic->FindNext(); }); });
  nav->addWidget(m_findNext);
  layout->addWidget(m_navigator);

  // The grid.
  m_grid = new TSongGrid(*m_logic, central);
  m_grid->changed = [this] { Sync(); };
  m_grid->ctrlClicked = [this] { Do([this] { m_logic->Run(Command::FullSongDetails); }); };
  m_grid->doubleClicked = [this] { Do([this] { m_logic->Run(Command::PlaySong); }); };
  m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(m_grid, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { m_gridMenu->exec(m_grid->viewport()->mapToGlobal(at)); });
  layout->addWidget(m_grid, 1);

  // Bottom info panel.
  m_infoPanel = new QFrame(central);
  m_infoPanel->setObjectName(QStringLiteral("InfoPanel"));
  auto* info = new QHBoxLayout(m_infoPanel);
  info->setContentsMargins(4, 2, 4, 2);
  auto* notice =
      new QLabel(ToQt(kApplicationTitle) + QStringLiteral(" - ") + ProgramNotice(), m_infoPanel);
  notice->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  info->addWidget(notice, 1);
  auto* about = new QPushButton(QStringLiteral("Program Info"), m_infoPanel);
  about->setIcon(ArtIcon("info"));
  about->setToolTip(QStringLiteral("About the program"));
  about->setFocusPolicy(Qt::NoFocus);
  connect(about, &QPushButton::clicked, this, [this] { ShowAbout(); });
  info->addWidget(about);
  layout->addWidget(m_infoPanel);
  setCentralWidget(central);
}

void TTunedexMain::BuildStatusBar() {
  for (std::size_t i = 0; i < 3; ++i) {
    m_statusPanels[i] = new QLabel(this);
    m_statusPanels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    statusBar()->addWidget(m_statusPanels[i], i == 2 ? 1 : 0);
  }
  statusBar()->setSizeGripEnabled(true);
}

// ---------------------------------------------------------------------------------------------
// Settings applied at start-up

void TTunedexMain::ApplyGeometry() {
  const tMainSettings& settings = m_logic->Settings();
  QRect frame = geometry();
  if (settings.width) frame.setWidth(*settings.width);
  if (settings.height) frame.setHeight(*settings.height);
  if (settings.left) frame.moveLeft(*settings.left);
  if (settings.top) frame.moveTop(*settings.top);
  // A window outside every screen comes back onto the primary screen.
  bool onScreen = false;
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (screen->availableGeometry().intersects(frame.adjusted(0, 0, -40, -40))) onScreen = true;
  }
  if (!onScreen && QGuiApplication::primaryScreen()) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    frame.setSize(frame.size().boundedTo(area.size()));
    frame.moveCenter(area.center());
  }
  resize(frame.size());
  if (settings.left || settings.top || !onScreen) move(frame.topLeft());
}

void TTunedexMain::ApplyGridFont() {
  const tFontSetting& setting = m_logic->Settings().font;
  QFont font(ToQt(setting.name), setting.size);
  font.setBold((setting.style & kFontBold) != 0);
  font.setItalic((setting.style & kFontItalic) != 0);
  font.setUnderline((setting.style & kFontUnderline) != 0);
  font.setStrikeOut((setting.style & kFontStrikeOut) != 0);
  m_grid->ApplyFont(font);
}

void TTunedexMain::ApplyVisibility() {
  const tDisplayOptions& display = m_logic->Display();
  m_mainToolbar->setVisible(display.mainToolbar);
  m_logoArea->setVisible(display.logo);
  m_navigator->setVisible(display.navigator);
  statusBar()->setVisible(display.statusBar);
  m_infoPanel->setVisible(display.programInfo);
  m_grid->viewport()->update();
}

void TTunedexMain::ShowAsStored() {
  if (m_logic->Settings().state == kWindowMaximised) {
    showMaximized();
  } else {
    show();
  }
}

// ---------------------------------------------------------------------------------------------
// Showing the state

QAction* TTunedexMain::Action(Command command) const {
  const auto found = m_commandActions.find(command);
  return found == m_commandActions.end() ? nullptr : found->second;
}

QAction* TTunedexMain::SortAction(int code) const {
  const auto found = m_sortActions.find(code);
  return found == m_sortActions.end() ? nullptr : found->second;
}

QAction* TTunedexMain::DisplayAction(bool tDisplayOptions::*flag) const {
  for (const auto& [member, action] : m_displayActions) {
    if (member == flag) return action;
  }
  return nullptr;
}

QLabel* TTunedexMain::StatusPanel(int panel) const {
  return m_statusPanels.at(static_cast<std::size_t>(panel));
}

QString TTunedexMain::ShortenedCaption(int windowWidth) const {
  const QFontMetrics metrics(QApplication::font("QMdiSubWindowTitleBar"));
  const int room =
      windowWidth - kCaptionMargin - metrics.horizontalAdvance(QStringLiteral("-Tunedex-"));
  const std::string path = ShortenPath(
      m_logic->CaptionPathText(), room,
      [&metrics](std::string_view text) { return metrics.horizontalAdvance(ToQt(text)); });
  return ToQt(kCaptionPrefix) + ToQt(path);
}

void TTunedexMain::Do(const std::function<void()>& action) {
  action();
  Sync();
}

void TTunedexMain::Sync() {
  if (m_closing) return;
  tCatalogueWindow& logic = *m_logic;
  for (const auto& [command, action] : m_commandActions) action->setEnabled(logic.Enabled(command));
  for (auto& [mode, action] : m_viewActions) {
    action->setChecked(logic.ViewButtonPressed(mode) ||
                       (mode == kViewCustomFiltered && logic.TickedViewMode() == mode &&
                        !logic.Catalogue().Empty()));
  }
  for (auto& [mode, action] : m_selectionActions)
    action->setChecked(logic.TickedViewMode() == mode);
  m_selectionMenuAction->setChecked(logic.TickedViewMode() != kViewAll);
  m_selectionMenuAction->setEnabled(logic.Enabled(Command::Selection));
  for (auto& [code, action] : m_sortActions)
    action->setChecked(logic.Catalogue().SortCode() == code);
  for (auto& [flag, action] : m_displayActions) action->setChecked(logic.Display().*flag);
  m_playerInFront->setChecked(logic.playerInFront);
  m_findNext->setEnabled(logic.Enabled(Command::FindNext));
  m_findBox->setEnabled(logic.Enabled(Command::FindBox));

  // Captions and hints that follow the custom language.
  const QString custom = ToQt(logic.ViewCaption(kViewCustomLanguage));
  m_viewActions[kViewCustomLanguage]->setText(custom);
  m_viewActions[kViewCustomLanguage]->setToolTip(ToQt(logic.ViewHint(kViewCustomLanguage)));
  m_viewActions[kViewCustomLanguage]->setIcon(
      QIcon(CustomLanguageFlag(logic.CustomLanguage().index)));
  m_selectionActions[kViewCustomLanguage]->setText(custom);
  for (int mode = kViewAll; mode <= kViewCustomFiltered; ++mode) {
    if (mode != kViewCustomLanguage) m_viewActions[mode]->setToolTip(ToQt(logic.ViewHint(mode)));
  }

  // The logo image of the ticked view.
  switch (logic.TickedViewMode()) {
    case kViewAll:
      m_logoImage->setPixmap(ArtPixmap("logo", 96, 48));
      break;
    case kViewCustomLanguage:
      m_logoImage->setPixmap(CustomLanguageFlag(logic.CustomLanguage().index)
                                 .scaled(48, 36, Qt::KeepAspectRatio, Qt::SmoothTransformation));
      break;
    case kViewEnglish:
      m_logoImage->setPixmap(ArtPixmap("flag-eng", 48, 48));
      break;
    case kViewOtherLanguages:
      m_logoImage->setPixmap(ArtPixmap("globe", 40, 40));
      break;
    case kViewNewSongs:
      m_logoImage->setPixmap(ArtPixmap("unknown-language", 40, 40));
      break;
    default:
      m_logoImage->clear();
      break;
  }
  m_logoImage->setToolTip(ToQt(logic.LogoHint(logic.TickedViewMode())));

  m_statusPanels[0]->setText(ToQt(logic.ViewStatusText()));
  m_statusPanels[1]->setText(ToQt(logic.SortStatusText()));
  m_statusPanels[2]->setText(ToQt(logic.SongStatusText()));
  setWindowTitle(ShortenedCaption(width()));
  ShowDetails();
  m_grid->Sync();
  if (logic.TakeFindBoxFocusRequest()) {
    m_findBox->setFocus();
    m_findBox->selectAll();
  }
}

void TTunedexMain::ShowDetails() {
  const tSong* song = m_logic->CurrentSong();
  if (!song) {
    for (QLabel* label : {m_notesLabel, m_typeLabel, m_languageLabel, m_fileNamePanel}) {
      label->clear();
    }
    m_notesPicture->hide();
    m_languagePicture->hide();
    m_typePicture->setPixmap(TypePicture(kUnknownTypePicture));
    return;
  }
  const tSongRecord& record = song->Record();
  m_notesPicture->show();
  m_languagePicture->show();
  m_notesLabel->setText(ToQt(NotesLine(record.Notes())));
  m_typeLabel->setText(ToQt(SongTypeName(record.FileType())));
  const std::string language = record.Language();
  m_languageLabel->setText(language.empty() ? QStringLiteral("??") : ToQt(language));
  m_fileNamePanel->setText(ToQt(record.FileName()));
  m_fileNamePanel->setToolTip(ToQt(record.FileName()));
  m_typePicture->setPixmap(
      TypePicture(TypePictureIndex(record, FileExists(std::string(record.FileName())))));
  m_languagePicture->setPixmap(
      LanguageFlag(LanguagePictureOf(language), m_logic->CustomLanguage().index));
}

// ---------------------------------------------------------------------------------------------
// Events

bool TTunedexMain::IsOwnWindowActive() const {
  return QApplication::activeWindow() == this && !QApplication::activePopupWidget() &&
         !QApplication::activeModalWidget();
}

bool TTunedexMain::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress &&
      (watched == m_notesLabel || watched == m_typeLabel || watched == m_languageLabel ||
       watched == m_fileNamePanel) &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    Do([this] { m_logic->ShowCurrentSong(0); });
    return true;
  }
  // The pointer over the bars and panels takes the focus from the grid to the navigator, so
  // that keys typed there do not jump around in the grid.
  if (event->type() == QEvent::Enter && m_grid->hasFocus() && m_navigator->isVisible() &&
      std::find(m_focusAreas.begin(), m_focusAreas.end(), watched) != m_focusAreas.end()) {
    m_findBox->setFocus(Qt::MouseFocusReason);
    return false;
  }
  if (event->type() == QEvent::KeyPress && IsOwnWindowActive()) {
    auto* key = static_cast<QKeyEvent*>(event);
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this) return false;
    const WindowKey windowKey = KeyOf(key->key());
    if (windowKey == WindowKey::Other) return false;
    int modifiers = kNoModifier;
    if (key->modifiers() & Qt::AltModifier) modifiers |= kAlt;
    if (key->modifiers() & Qt::ControlModifier) modifiers |= kCtrl;
    const bool passOn = m_logic->HandleKey(windowKey, modifiers);
    Sync();
    return !passOn;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TTunedexMain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  m_logic->Columns().GridResized(m_grid->width());
  const int panel = StatusPanelWidth(statusBar()->width());
  m_statusPanels[0]->setFixedWidth(panel);
  m_statusPanels[1]->setFixedWidth(panel);
  const int button = NavigatorButtonWidth(m_navigator->width());
  for (QToolButton* navigatorButton : m_navigatorButtons) navigatorButton->setFixedWidth(button);
  Sync();
}

void TTunedexMain::closeEvent(QCloseEvent* event) {
  if (!m_logic->CloseQuery()) {
    event->ignore();
    Sync();
    return;
  }
  if (m_help) m_help->close();
  WriteSettings();
  m_closing = true;
  event->accept();
}

void TTunedexMain::WriteSettings() {
  tMainSettings& settings = m_logic->Settings();
  settings.state = isMaximized()   ? kWindowMaximised
                   : isMinimized() ? kWindowMinimised
                                   : kWindowNormal;
  if (settings.state == kWindowNormal) {
    settings.top = geometry().top();
    settings.left = geometry().left();
    settings.width = width();
    settings.height = height();
  }
  try {
    tIniFile ini = tIniFile::Load(m_settingsPath);
    m_logic->WriteSettings(ini, m_logic->Columns().StoredTextColumns(isMaximized()));
    ini.Save(m_settingsPath);
  } catch (const FileError& error) {
    m_user.ShowWarning(std::string("The settings were not saved.\r") + error.what());
  }
}

// ---------------------------------------------------------------------------------------------
// Dialogs

bool TTunedexMain::ShowSongRecord(tSongRecord& record, int mode, std::string& folder) {
  RecordEditorContext context{
      m_logic->View(), m_logic->Catalogue(),     m_logic->CustomLanguage().code,
      m_user,          m_logic->PlayerOptions(), {}};
  if (m_players.control) {
    context.play = [this](const std::string& file, std::uint8_t type, bool inFront) {
      // The player comes back to the dialog over this window.
      const QWidget* dialog = QApplication::activeModalWidget();
      const WindowHandle owner = static_cast<WindowHandle>((dialog ? dialog : this)->winId());
      m_players.control->PlaySong(owner, file, type, inFront);
    };
  }
  return RunSongRecordDialog(this, std::move(context), record, mode, folder,
                             [this](int topic) { ShowHelp(topic); });
}

bool TTunedexMain::ShowFilter(tCustomFilterRec& filter, const std::function<void()>& apply) {
  return RunFilterDialog(
      this, filter,
      [this, apply] {
        apply();
        Sync();
      },
      [this](int topic) { ShowHelp(topic); });
}

void TTunedexMain::ShowPlayerOptions() {
  if (!m_players.control || !m_players.desktop || !m_players.programs || !m_players.sleeper) {
    m_user.ShowInformation("Players cannot be configured without a desktop.");
    return;
  }
  tLivePlayerOptions& options = m_logic->PlayerOptions();
  options.GetPlayerOptions(m_logic->playerInFront);
  const std::optional<bool> tick = RunPlayerOptionsDialog(
      this,
      {*m_players.control, *m_players.desktop, *m_players.programs, *m_players.sleeper, m_user,
       FileExists, m_logic->Settings().songsFolder, 0},
      options, [this](int topic) { ShowHelp(topic); });
  if (tick) m_logic->playerInFront = *tick;
}

void TTunedexMain::ChooseCustomLanguage() {
  const std::optional<CustomLanguageChoice> choice = RunCustomLanguageDialog(
      this, m_logic->CustomLanguage(), [this](int topic) { ShowHelp(topic); });
  if (choice) Do([this, &choice] { m_logic->ChooseCustomLanguage(*choice); });
}

void TTunedexMain::ChooseFont() {
  bool ok = false;
  const QFont before = m_grid->font();
  const QFont chosen = QFontDialog::getFont(&ok, before, this);
  if (!ok) return;
  const int oldWidth = QFontMetrics(before).averageCharWidth();
  m_logic->Columns().ScrollFullyLeft();
  m_grid->ApplyFont(chosen);
  const int newWidth = QFontMetrics(chosen).averageCharWidth();
  if (oldWidth > 0) m_logic->Columns().FontWidthChanged(static_cast<double>(newWidth) / oldWidth);
  tFontSetting& setting = m_logic->Settings().font;
  setting.name = FromQt(chosen.family());
  setting.size = chosen.pointSize() > 0 ? chosen.pointSize() : setting.size;
  setting.style = (chosen.bold() ? kFontBold : 0) | (chosen.italic() ? kFontItalic : 0) |
                  (chosen.underline() ? kFontUnderline : 0) |
                  (chosen.strikeOut() ? kFontStrikeOut : 0);
  Sync();
}

void TTunedexMain::ShowHelp(int topic) {
  if (!m_help) m_help = new THelpViewer(this);
  m_help->ShowTopic(topic);
}

void TTunedexMain::ShowAbout() {
  QMessageBox about(this);
  about.setWindowTitle(QStringLiteral("About Tunedex"));
  about.setIconPixmap(ArtPixmap("logo", 96, 48));
  about.setText(QStringLiteral("<b>%1</b>").arg(ToQt(kApplicationTitle)));
  about.setInformativeText(
      ProgramNotice() +
      QStringLiteral("\n\nTunedex keeps one record per song file, reads titles and artists "
                     "from the files themselves and hands songs to the player you choose for "
                     "each type.\n\nFree software under the GNU General Public License, "
                     "version 3 or later."));
  about.exec();
}

}  // namespace tunedex
