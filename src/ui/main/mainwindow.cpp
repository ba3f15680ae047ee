// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QDir>
#include <QFontDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "catalogue/windowplacement.h"
#include "common/fileio.h"
#include "common/settingslocation.h"
#include "players/playercontrol.h"
#include "ui/help/helpviewer.h"
#include "ui/import/recordeditordialog.h"
#include "ui/import/scanwizarddialog.h"
#include "ui/import/songexplorerdialog.h"
#include "ui/lost/lostfilescontext.h"
#include "ui/main/actiontable.h"
#include "ui/main/customlanguagedialog.h"
#include "ui/main/detailspanel.h"
#include "ui/main/filterdialog.h"
#include "ui/main/navigatorbar.h"
#include "ui/main/songgrid.h"
#include "ui/players/playeroptionswindow.h"
#include "ui/playlist/itemeditorwindow.h"
#include "ui/playlist/playlistcentralwindow.h"
#include "ui/print/printpreviewdialog.h"
#include "ui/widgets/fonts.h"
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

// The desktop's own network mounts.
QString GvfsRoot() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  return runtime.isEmpty() ? QString() : runtime + QStringLiteral("/gvfs");
}

}  // namespace

QString ProgramNotice() {
  return QStringLiteral(
      "A catalogue of karaoke song files for hosts: find, sort and play your songs.");
}

TTunedexMain::TTunedexMain(tCatalogue& catalogue, FileSystem& files, Volumes& volumes,
                           std::string settingsPath, QWidget* parent,
                           const std::string& startCatalogue)
    : QMainWindow(parent),
      m_catalogue(catalogue),
      m_files(files),
      m_volumes(volumes),
      m_settingsPath(std::move(settingsPath)),
      m_user(this) {
  InitUiResources();
  setObjectName(QStringLiteral("TTunedexMain"));
  QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                             {QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
  m_logic = std::make_unique<tCatalogueWindow>(catalogue, Services());
  m_actions =
      new TActionSet(*m_logic, this, [this](Command command, int tag) { Run(command, tag); });

  resize(kDesignWidth, kDesignHeight);
  m_actions->FillMenuBar(menuBar());
  m_mainToolbar = addToolBar(QStringLiteral("Main"));
  m_mainToolbar->setObjectName(QStringLiteral("MainToolbar"));
  m_mainToolbar->setMovable(false);
  m_mainToolbar->setIconSize(QSize(16, 16));
  m_actions->FillToolbar(m_mainToolbar);
  BuildCentralArea();
  BuildStatusBar();

  m_logic->Start(m_settingsPath, startCatalogue);
  ApplyGeometry();
  ApplyGridFont();
  m_grid->setFocus();
  for (QWidget* area :
       {static_cast<QWidget*>(m_mainToolbar), static_cast<QWidget*>(m_details),
        static_cast<QWidget*>(m_navigator), static_cast<QWidget*>(m_grid->horizontalHeader()),
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

CatalogueServices TTunedexMain::Services() {
  CatalogueServices services{m_user, m_files};
  services.showSongRecord = [this](tSongRecord& record, int mode, std::string& folder) {
    return ShowSongRecord(record, mode, folder);
  };
  services.showFilter = [this](tCustomFilterRec& filter, const std::function<void()>& apply) {
    return ShowFilter(filter, apply);
  };
  services.showSongExplorer = [this](std::string& folder) { ShowSongExplorer(folder); };
  services.showScanWizard = [this] { ShowScanWizard(); };
  services.showLostFiles = [this] { ShowLostFiles(); };
  services.showPrintPreview = [this] { ShowPrintPreview(); };
  services.showPlaylistCentral = [this] { ShowPlaylistCentral(); };
  services.showPlayerOptions = [this] { ShowPlayerOptions(); };
  services.showCustomLanguage = [this](const tCustomLanguage& current) {
    return RunCustomLanguageDialog(this, current, [this](int topic) { ShowHelp(topic); });
  };
  services.chooseFont = [this] { return ChooseFont(); };
  services.chooseColour = [this](ColourValue current) -> std::optional<ColourValue> {
    const QColor chosen =
        QColorDialog::getColor(ColourOf(current), this, QStringLiteral("Colour for Song-table"));
    if (!chosen.isValid()) return std::nullopt;
    return RgbColour(chosen.red(), chosen.green(), chosen.blue());
  };
  services.showHelp = [this](int topic) { ShowHelp(topic); };
  services.showAbout = [this] { ShowAbout(); };
  services.closeWindow = [this] { close(); };
  services.beep = [] { QApplication::beep(); };
  return services;
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
  if (services.control) services.control->SetSwitchToPluginEnabled(m_logic->enableSwitchToPlugin);
  Sync();
}

// ---------------------------------------------------------------------------------------------
// Building the window

void TTunedexMain::BuildCentralArea() {
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);

  m_details = new TDetailsPanel(m_actions->DetailsMenu(), central);
  connect(m_details, &TDetailsPanel::Clicked, this,
          [this] { Do([this] { m_logic->ShowCurrentSong(0); }); });
  layout->addWidget(m_details);

  m_navigator =
      new TNavigatorBar(m_actions->NavigatorMoves(), m_actions->FindNextButton(), central);
  connect(m_navigator->FindBox(), &QLineEdit::textEdited, this, [this](const QString& text) {
    Do([this, text] { m_logic->FindTextChanged(FromQt(text)); });
  });
  layout->addWidget(m_navigator);

  m_grid = new TSongGrid(*m_logic, central);
  m_grid->changed = [this] { Sync(); };
  m_grid->ctrlClicked = [this] { Run(Command::FullSongDetails, kFullDetailsTag); };
  m_grid->doubleClicked = [this] { Run(Command::PlaySong, 0); };
  m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(m_grid, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    m_actions->GridMenu()->exec(m_grid->viewport()->mapToGlobal(at));
  });
  layout->addWidget(m_grid, 1);

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
  statusBar()->installEventFilter(this);
}

// ---------------------------------------------------------------------------------------------
// Settings applied at start-up

void TTunedexMain::ApplyGeometry() {
  std::vector<WindowRect> screens;
  const auto areaOf = [](const QScreen* screen) {
    const QRect area = screen->availableGeometry();
    return WindowRect{area.left(), area.top(), area.width(), area.height()};
  };
  if (const QScreen* primary = QGuiApplication::primaryScreen()) screens.push_back(areaOf(primary));
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (screen != QGuiApplication::primaryScreen()) screens.push_back(areaOf(screen));
  }
  const WindowPlacement placement =
      PlaceWindow(m_logic->Settings(), {x(), y(), width(), height()}, screens);
  resize(placement.rect.width, placement.rect.height);
  if (placement.move) move(placement.rect.left, placement.rect.top);
}

void TTunedexMain::ApplyGridFont() {
  m_grid->ApplyFont(QtFont(m_logic->Settings().font));
}

void TTunedexMain::ApplyVisibility() {
  const tDisplayOptions& display = m_logic->Display();
  const std::pair<QWidget*, bool> areas[] = {{m_mainToolbar, display.mainToolbar},
                                             {m_details, display.logo},
                                             {m_navigator, display.navigator},
                                             {statusBar(), display.statusBar},
                                             {m_infoPanel, display.programInfo}};
  for (const auto& [area, shown] : areas) {
    if (area->isVisibleTo(this) != shown) area->setVisible(shown);
  }
}

void TTunedexMain::OpenFromOutside(const std::string& path) {
  if (IsPlaylistFileName(path)) {
    ShowPlaylistCentral();  // refuses, with its message, a catalogue never saved
    if (m_playlist) {
      m_playlist->Logic().OpenFile(path);
      m_playlist->Sync();
    }
    return;
  }
  // Not over the evening's list: Playlist Central keeps the catalogue it works on.
  if (m_playlist) {
    m_playlist->raise();
    m_playlist->activateWindow();
    return;
  }
  m_logic->OpenNamedDatabase(path);
  Sync();
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

QAction* TTunedexMain::Action(Command command, int tag) const {
  return m_actions->Action(command, tag);
}

QMenu* TTunedexMain::GridMenu() const {
  return m_actions->GridMenu();
}

QMenu* TTunedexMain::DetailsMenu() const {
  return m_actions->DetailsMenu();
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

void TTunedexMain::Run(Command command, int tag) {
  Do([this, command, tag] { m_logic->Run(command, tag); });
  switch (command) {
    case Command::FirstSong:
    case Command::PreviousSong:
    case Command::NextSong:
    case Command::LastSong:
      m_grid->setFocus();  // the navigator hands the keys back to the grid
      break;
    default:
      break;
  }
}

void TTunedexMain::Sync() {
  if (m_closing) return;
  const tCatalogueWindow& logic = *m_logic;
  m_actions->Sync();
  ApplyVisibility();
  m_navigator->FindBox()->setEnabled(logic.Enabled(Command::FindBox));
  m_statusPanels[0]->setText(ToQt(logic.ViewStatusText()));
  m_statusPanels[1]->setText(ToQt(logic.SortStatusText()));
  m_statusPanels[2]->setText(ToQt(logic.SongStatusText()));
  setWindowTitle(ShortenedCaption(width()));
  m_details->Show(logic);
  m_grid->Sync();
  if (m_logic->TakeFindBoxFocusRequest()) {
    m_navigator->FindBox()->setFocus();
    m_navigator->FindBox()->selectAll();
  }
}

// ---------------------------------------------------------------------------------------------
// Events

bool TTunedexMain::IsOwnWindowActive() const {
  return QApplication::activeWindow() == this && !QApplication::activePopupWidget() &&
         !QApplication::activeModalWidget();
}

bool TTunedexMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == statusBar() && event->type() == QEvent::Resize) {
    const int panel = StatusPanelWidth(statusBar()->width());
    m_statusPanels[0]->setFixedWidth(panel);
    m_statusPanels[1]->setFixedWidth(panel);
    return false;
  }
  // The pointer over the bars and panels takes the focus from the grid to the navigator, so
  // that keys typed there do not jump around in the grid.
  if (event->type() == QEvent::Enter && m_grid->hasFocus() && m_navigator->isVisible() &&
      std::find(m_focusAreas.begin(), m_focusAreas.end(), watched) != m_focusAreas.end()) {
    m_navigator->FindBox()->setFocus(Qt::MouseFocusReason);
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
  setWindowTitle(ShortenedCaption(width()));
}

void TTunedexMain::closeEvent(QCloseEvent* event) {
  if (!m_logic->CloseQuery()) {
    event->ignore();
    Sync();
    return;
  }
  if (m_help) m_help->close();
  // Playlist Central saves its list and settings as it closes.
  if (m_playlist) m_playlist->close();
  WriteSettings();
  m_closing = true;
  event->accept();
}

void TTunedexMain::WriteSettings() {
  // The frame's position and the inside size: what the next start restores.
  RememberWindowPlacement(m_logic->Settings(),
                          isMaximized()   ? kWindowMaximised
                          : isMinimized() ? kWindowMinimised
                                          : kWindowNormal,
                          {x(), y(), width(), height()});
  m_logic->SaveSettings(m_settingsPath, m_logic->Columns().StoredTextColumns(isMaximized()));
}

// ---------------------------------------------------------------------------------------------
// Dialogs

bool TTunedexMain::ShowSongRecord(tSongRecord& record, int mode, std::string& folder) {
  RecordEditorContext context{
      m_logic->View(), m_logic->Catalogue(),     m_logic->CustomLanguage().code,
      m_user,          m_logic->PlayerOptions(), {}};
  context.files = &m_files;
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

// The program's file system and volumes live as long as the program; the windows' threads
// hold them without owning them.
std::shared_ptr<FileSystem> TTunedexMain::SharedFiles() {
  return std::shared_ptr<FileSystem>(std::shared_ptr<void>(), &m_files);
}

std::shared_ptr<Volumes> TTunedexMain::SharedVolumes() {
  return std::shared_ptr<Volumes>(std::shared_ptr<void>(), &m_volumes);
}

void TTunedexMain::ShowSongExplorer(std::string& folder) {
  SongExplorerContext context{m_catalogue, SharedFiles(), SharedVolumes(), m_user,
                              m_logic->PlayerOptions()};
  context.players = m_players.control;
  context.settingsPath = m_settingsPath;
  context.programFolder = FolderPart(ProgramFilePath());
  context.home = FromQt(QDir::homePath());
  context.gvfsRoot = FromQt(GvfsRoot());
  context.help = [this](int topic) { ShowHelp(topic); };
  RunSongExplorer(this, std::move(context), folder);
}

void TTunedexMain::ShowScanWizard() {
  ScanWizardContext context{m_catalogue, SharedFiles(), SharedVolumes(), m_user,
                            m_logic->PlayerOptions()};
  context.players = m_players.control;
  context.settingsPath = m_settingsPath;
  context.home = FromQt(QDir::homePath());
  context.gvfsRoot = FromQt(GvfsRoot());
  context.help = [this](int topic) { ShowHelp(topic); };
  RunScanWizard(this, std::move(context));
}

void TTunedexMain::ShowLostFiles() {
  LostFilesContext context{m_catalogue, SharedFiles(), SharedVolumes(), m_user};
  context.songsFolder = m_logic->Settings().songsFolder;
  context.showSongRecord = [this](tSongRecord& record, int mode, std::string& folder) {
    return ShowSongRecord(record, mode, folder);
  };
  context.help = [this](int topic) { ShowHelp(topic); };
  RunLostFiles(this, std::move(context));
}

void TTunedexMain::ShowPrintPreview() {
  // The title is what the first two status panels say about the view.
  PrintPreviewContext context{
      m_logic->View(), ReportTitle(m_logic->ViewStatusText(), m_logic->SortStatusText()), m_user};
  context.help = [this](int topic) { ShowHelp(topic); };
  RunPrintPreview(this, std::move(context));
}

void TTunedexMain::ShowPlaylistCentral() {
  if (m_playlist) {
    m_playlist->raise();
    m_playlist->activateWindow();
    return;
  }
  if (!m_players.programs || !m_players.sleeper) return;
  PlaylistCentralContext context{m_catalogue,
                                 m_files,
                                 m_logic->PlayerOptions(),
                                 *m_players.sleeper,
                                 *m_players.programs,
                                 [this] { return m_logic->View().Count(); }};
  context.players = m_players.control;
  context.settingsPath = m_settingsPath;
  context.showCatalogueWindow = [this](bool visible) { setVisible(visible); };
  context.showSongDetails = [this](const tSong& song) {
    tSongRecord record = song.Record();
    std::string folder = m_logic->Settings().songsFolder;
    ShowSongRecord(record, 0, folder);
  };
  context.help = [this](int topic) { ShowHelp(topic); };
  context.openItemEditor = [this](int mode) {
    if (!m_playlist) return;
    ItemEditorContext editor{m_playlist->Logic(),     m_catalogue, m_logic->View(), m_files, m_user,
                             m_logic->PlayerOptions()};
    editor.players = m_players.control;
    editor.settingsPath = m_settingsPath;
    editor.showDetails = [this](const tSong& song) {
      tSongRecord record = song.Record();
      std::string folder = m_logic->Settings().songsFolder;
      ShowSongRecord(record, 0, folder);
    };
    editor.help = [this](int topic) { ShowHelp(topic); };
    editor.bringAudienceForward = [this] {
      if (m_playlist) m_playlist->BringAudienceForward();
    };
    OpenItemEditor(m_playlist, std::move(editor), mode);
  };
  m_playlist = new TPlaylistCentralWindow(std::move(context), this);
  m_playlist->setAttribute(Qt::WA_DeleteOnClose);
  // Modal over the catalogue window (no other catalogue can be opened under the evening's
  // list), yet its own windows (the item editor, the audience views) stay usable.
  m_playlist->setWindowModality(Qt::WindowModal);
  m_playlist->show();
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
  if (!m_players.control || !m_players.desktop || !m_players.programs || !m_players.sleeper) return;
  tLivePlayerOptions& options = m_logic->PlayerOptions();
  options.GetPlayerOptions(m_logic->playerInFront);
  const std::optional<bool> tick = RunPlayerOptionsDialog(
      this,
      {*m_players.control, *m_players.desktop, *m_players.programs, *m_players.sleeper, m_user,
       [this](const std::string& path) { return m_files.FileExists(path); },
       m_logic->Settings().songsFolder, 0},
      options, [this](int topic) { ShowHelp(topic); });
  if (tick) m_logic->playerInFront = *tick;
}

std::optional<std::pair<tFontSetting, double>> TTunedexMain::ChooseFont() {
  bool ok = false;
  const QFont before = m_grid->font();
  const QFont chosen = QFontDialog::getFont(&ok, before, this);
  if (!ok) return std::nullopt;
  const int oldWidth = QFontMetrics(before).averageCharWidth();
  m_grid->ApplyFont(chosen);
  const int newWidth = QFontMetrics(chosen).averageCharWidth();
  const tFontSetting setting = FontSettingOf(chosen, 0, m_logic->Settings().font.size);
  return std::pair{setting, oldWidth > 0 ? static_cast<double>(newWidth) / oldWidth : 1.0};
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
