// SPDX-License-Identifier: GPL-3.0-or-later
#include "scanwizarddialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

#include "catalogue/explorersettings.h"
#include "common/fileio.h"
#include "inspect/songfilereader.h"
#include "ui/import/songfilelist.h"
#include "ui/widgets/foldertree.h"
#include "ui/widgets/pictures.h"
#include "ui/widgets/qtuser.h"

namespace tunedex {

namespace {

// How often the window takes what the scan found: often enough that the list grows smoothly.
constexpr int kPollMs = 50;

QLabel* Heading(const char* text, QWidget* parent) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  QFont font = label->font();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * 1.2);
  label->setFont(font);
  return label;
}

QPushButton* PushButton(const char* caption, const char* hint, QWidget* parent) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setToolTip(QString::fromLatin1(hint));
  button->setAutoDefault(false);
  return button;
}

}  // namespace

TScanWizardDialog::TScanWizardDialog(ScanWizardContext context, QWidget* parent)
    : QDialog(parent), m_context(std::move(context)) {
  setObjectName(QStringLiteral("ScanWizard"));
  setWindowTitle(QStringLiteral("Song-file Scan Expert"));
  setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
  setSizeGripEnabled(true);
  resize(kScanWizardDesignedWidth, kScanWizardDesignedHeight);
  m_logic = std::make_unique<tScanWizard>(
      tScanWizard::Services{m_context.catalogue, m_context.user, m_context.playerOptions,
                            m_context.files, m_context.volumes, m_context.players});
  try {
    m_logic->ReadSettings(tIniFile::Load(m_context.settingsPath));
  } catch (const FileError&) {
    // The defaults; the catalogue window tells of a settings file it cannot read.
  }

  auto* layout = new QVBoxLayout(this);
  m_pages = new QStackedWidget(this);
  m_pages->addWidget(BuildTypesPage());
  m_pages->addWidget(BuildStartPage());
  m_pages->addWidget(BuildResultsPage());
  layout->addWidget(m_pages, 1);
  layout->addWidget(BuildBottomRow());

  m_poller = new QTimer(this);
  m_poller->setInterval(kPollMs);
  connect(m_poller, &QTimer::timeout, this, &TScanWizardDialog::PollScan);
  for (QObject* watched : {static_cast<QObject*>(m_list), static_cast<QObject*>(m_info),
                           static_cast<QObject*>(m_tree)}) {
    watched->installEventFilter(this);
  }
  m_list->viewport()->installEventFilter(this);
  // F9 plays the selected song wherever the focus is.
  auto* play = new QAction(this);
  play->setShortcut(QKeySequence(Qt::Key_F9));
  play->setShortcutContext(Qt::WindowShortcut);
  connect(play, &QAction::triggered, this,
          [this] { m_logic->Play(static_cast<WindowHandle>(winId())); });
  addAction(play);
  m_inFront->setChecked(m_logic->PlayerInFront());
  connect(m_inFront, &QCheckBox::toggled, this,
          [this](bool ticked) { m_logic->SetPlayerInFront(ticked); });
  Sync();
}

TScanWizardDialog::~TScanWizardDialog() {
  if (m_poller->isActive()) QApplication::restoreOverrideCursor();
  // The list shows the wizard's items: it goes before they do (child widgets would otherwise
  // outlive the members). This window stops watching it first.
  m_list->viewport()->removeEventFilter(this);
  m_list->removeEventFilter(this);
  delete std::exchange(m_list, nullptr);
}

QWidget* TScanWizardDialog::BuildTypesPage() {
  auto* page = new QWidget(this);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(Heading("Which Song-file types do you wish to find?", page));
  layout->addWidget(new QLabel(QStringLiteral("Select one or more types of song-file"), page));
  for (std::size_t i = 0; i < ScanTypeBoxes().size(); ++i) {
    const tScanTypeBox& spec = ScanTypeBoxes()[i];
    auto* box = new QCheckBox(ToQt(spec.caption), page);
    box->setIcon(QIcon(TypePicture(spec.picture)));
    box->setToolTip(QStringLiteral("Choose the song-file types"));
    connect(box, &QCheckBox::toggled, this, [this, i](bool ticked) {
      m_logic->SetTypeChosen(i, ticked);
      Sync();
    });
    m_typeBoxes[i] = box;
    layout->addWidget(box);
  }
  layout->addStretch();
  return page;
}

QWidget* TScanWizardDialog::BuildStartPage() {
  auto* page = new QWidget(this);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(Heading("Where do you wish to start your search?", page));
  layout->addWidget(new QLabel(QStringLiteral("Select a starting point for the scan"), page));
  m_tree = new TFolderTree({m_context.volumes, m_context.files, m_context.home, m_context.gvfsRoot},
                           page);
  m_tree->setToolTip(QStringLiteral("Directory tree"));
  connect(m_tree, &TFolderTree::SelectionChanged, this, &TScanWizardDialog::StartNodeChanged);
  layout->addWidget(m_tree, 1);
  m_startLabel = new QLabel(page);
  m_startLabel->setToolTip(QStringLiteral("Scan will start here"));
  layout->addWidget(m_startLabel);
  return page;
}

QWidget* TScanWizardDialog::BuildResultsPage() {
  auto* page = new QWidget(this);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  m_columns = new QSplitter(Qt::Horizontal, page);
  m_columns->setChildrenCollapsible(false);
  m_list = new TSongFileList(m_logic->Items(), QStringLiteral("Song files"), m_columns);
  m_list->setMinimumWidth(kSmallestPane);
  m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  connect(m_list, &TSongFileList::SelectionEdited, this, [this] {
    TakeSelection(*m_list, *m_logic);
    Sync();
  });
  connect(m_list, &TSongFileList::CurrentRowChanged, this, [this](int row) {
    TakeSelection(*m_list, *m_logic);
    m_logic->MoveTo(static_cast<std::size_t>(row));
    ShowInfo();
    Sync();
  });
  connect(m_list, &TSongFileList::HeaderClicked, this, [this](int column) {
    m_logic->SortByColumn(column);
    m_rowsShown = 0;
    ShowList();
  });
  connect(m_list, &QAbstractItemView::doubleClicked, this,
          [this] { m_logic->Play(static_cast<WindowHandle>(winId())); });
  m_columns->addWidget(m_list);

  m_rightPane = new QSplitter(Qt::Vertical, m_columns);
  m_rightPane->setChildrenCollapsible(false);
  m_rightPane->setMinimumWidth(kSmallestPane);
  m_info = new QPlainTextEdit(m_rightPane);
  m_info->setReadOnly(true);
  m_info->setToolTip(QStringLiteral("Info in song-file tags"));
  m_info->setMinimumHeight(kSmallestPane);
  m_rightPane->addWidget(m_info);
  auto* commands = new QWidget(m_rightPane);
  auto* commandsLayout = new QVBoxLayout(commands);
  auto* buttons = new QHBoxLayout;
  m_play = PushButton("&Play Song", "Play first selected song", commands);
  m_selectAll = PushButton("&Select All", "Select all songs", commands);
  m_import = PushButton("&Import Files", "Import selected songs to database", commands);
  m_problems = PushButton("Problems...", "Folders and files the scan could not read", commands);
  buttons->addStretch();
  for (QPushButton* button : {m_play, m_selectAll, m_import, m_problems}) {
    buttons->addWidget(button);
  }
  buttons->addStretch();
  commandsLayout->addLayout(buttons);
  std::vector<std::pair<int, std::string_view>> key;
  for (const tScanIconKey& entry : ScanIconKey()) key.emplace_back(entry.picture, entry.label);
  auto* keyRow = new QHBoxLayout;
  keyRow->addStretch();
  keyRow->addWidget(SongIconKey(commands, key));
  keyRow->addStretch();
  commandsLayout->addLayout(keyRow);
  commandsLayout->addStretch();
  m_rightPane->addWidget(commands);
  m_columns->addWidget(m_rightPane);
  layout->addWidget(m_columns, 1);

  connect(m_play, &QPushButton::clicked, this,
          [this] { m_logic->Play(static_cast<WindowHandle>(winId())); });
  connect(m_selectAll, &QPushButton::clicked, this, [this] {
    m_logic->SelectAll();
    m_list->ShowSelection(m_logic->Position());
    Sync();
  });
  connect(m_import, &QPushButton::clicked, this, [this] {
    m_logic->Import();
    m_list->ShowItems();
    m_list->ShowSelection(m_logic->Position());
    Sync();
  });
  connect(m_problems, &QPushButton::clicked, this, &TScanWizardDialog::ShowProblems);

  auto* pathRow = new QHBoxLayout;
  m_pathLine = new QLabel(page);
  m_pathLine->setToolTip(QStringLiteral("Full file-name for first song in selectio"));
  m_pathLine->setFrameShape(QFrame::StyledPanel);
  m_pathLine->setMinimumWidth(100);
  m_pathLine->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  m_counter = new QLabel(page);
  m_counter->setToolTip(QStringLiteral("Song number"));
  m_counter->setFrameShape(QFrame::StyledPanel);
  m_counter->setMinimumWidth(70);
  m_counter->setAlignment(Qt::AlignCenter);
  pathRow->addWidget(m_pathLine, 1);
  pathRow->addWidget(m_counter);
  layout->addLayout(pathRow);
  return page;
}

QWidget* TScanWizardDialog::BuildBottomRow() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  m_stop = PushButton("S&TOP", "Stop the scan", row);
  m_inFront = new QCheckBox(QStringLiteral("Player in Front"), row);
  m_inFront->setToolTip(QStringLiteral("Show player in front of Tunedex"));
  auto* help = PushButton("Help", "Show Help for the Scan Expert", row);
  m_back = PushButton("&Back", "Go back to previous step", row);
  m_next = PushButton("&Next", "Next step", row);
  m_close = PushButton("&Close", "Finished with expert", row);
  layout->addWidget(m_stop);
  layout->addWidget(m_inFront);
  layout->addStretch();
  for (QPushButton* button : {help, m_back, m_next, m_close}) layout->addWidget(button);
  connect(m_stop, &QPushButton::clicked, this, [this] {
    m_logic->Stop();
    PollScan();
  });
  connect(help, &QPushButton::clicked, this, [this] {
    if (m_context.help) m_context.help(kScanWizardHelpTopic);
  });
  connect(m_back, &QPushButton::clicked, this, &TScanWizardDialog::Back);
  connect(m_next, &QPushButton::clicked, this, &TScanWizardDialog::Next);
  connect(m_close, &QPushButton::clicked, this, &TScanWizardDialog::reject);
  return row;
}

// ---------------------------------------------------------------------------------------------
// Steps and the scan

void TScanWizardDialog::StartNodeChanged() {
  std::optional<tScanStart> start;
  if (m_tree->IsComputerSelected()) {
    start = tScanStart::Computer();
  } else if (const std::string path = m_tree->Path(); !path.empty()) {
    start = tScanStart::Folder(path);
  } else if (m_tree->currentIndex().isValid()) {
    start = tScanStart{};
  }
  m_logic->SetStartNode(start);
  Sync();
}

void TScanWizardDialog::Next() {
  const bool scans = m_logic->Step() == ScanWizardStep::Start;
  if (scans) {
    const tScanWizardSettings& settings = m_logic->Settings();
    m_columns->setSizes({ListWidthWithin(settings.verticalDivision, width()),
                         std::max(kSmallestPane, width() - settings.verticalDivision)});
    m_rightPane->setSizes({std::max(kSmallestPane, settings.horizontalDivision),
                           std::max(kSmallestPane, height() - settings.horizontalDivision)});
  }
  m_logic->Next();
  if (scans) {
    m_rowsShown = 0;
    m_infoShownFor.reset();
    m_info->clear();
    ShowList();
    QApplication::setOverrideCursor(Qt::BusyCursor);
    m_poller->start();
  }
  Sync();
}

void TScanWizardDialog::Back() {
  m_logic->Back();
  Sync();
}

void TScanWizardDialog::PollScan() {
  const bool goesOn = m_logic->Poll();
  if (!goesOn && m_poller->isActive()) {
    m_poller->stop();
    QApplication::restoreOverrideCursor();
  }
  ShowList();
}

void TScanWizardDialog::FinishScan() {
  while (m_poller->isActive()) {
    QApplication::processEvents(QEventLoop::AllEvents, kPollMs);
    PollScan();
  }
}

void TScanWizardDialog::ShowList() {
  // The list only grows while the scan runs; the view is told once per batch.
  if (m_logic->Items().size() != m_rowsShown || m_logic->Items().empty()) {
    m_rowsShown = m_logic->Items().size();
    m_list->ShowItems();
  }
  m_list->ShowSelection(m_logic->Position());
  ShowInfo();
  Sync();
}

void TScanWizardDialog::ShowInfo() {
  const std::optional<std::size_t> position = m_logic->Position();
  if (position == m_infoShownFor) return;
  m_infoShownFor = position;
  m_info->clear();
  if (!position || *position >= m_logic->Items().size()) return;
  const tExplorerItem& item = m_logic->Items()[*position];
  if (!item.hasRecord) return;
  InfoLines lines;
  InspectSongFile(std::string(item.record.FileName()), lines, m_context.user);
  QStringList text;
  for (const std::string& line : lines) text << ToQt(line);
  m_info->setPlainText(text.join(QLatin1Char('\n')));
}

void TScanWizardDialog::Sync() {
  const tScanWizardControls controls = m_logic->Controls();
  m_pages->setCurrentIndex(static_cast<int>(m_logic->Step()));
  m_next->setText(ToQt(controls.nextCaption));
  m_next->setToolTip(ToQt(controls.nextHint));
  m_next->setEnabled(controls.nextEnabled);
  m_back->setEnabled(controls.backEnabled);
  m_stop->setVisible(controls.stopShown);
  m_stop->setEnabled(controls.stopEnabled);
  m_inFront->setVisible(controls.playerInFrontShown);
  m_pathLine->setVisible(controls.pathLineShown);
  m_counter->setVisible(controls.pathLineShown);
  m_import->setEnabled(controls.importEnabled);
  m_problems->setEnabled(controls.problemsEnabled);
  m_startLabel->setText(ToQt(m_logic->StartLabel()));
  m_pathLine->setText(ToQt(m_logic->PathLine()));
  m_counter->setText(ToQt(m_logic->Counter()));
}

void TScanWizardDialog::ShowProblems() {
  std::string text = "The scan could not read these folders and files:\r";
  constexpr std::size_t kShown = 40;  // a message box, not a report
  const auto& problems = m_logic->Problems();
  for (std::size_t i = 0; i < problems.size() && i < kShown; ++i) {
    text += "\r" + problems[i].path + ": " + problems[i].reason;
  }
  if (problems.size() > kShown) {
    text += "\r... and " + std::to_string(problems.size() - kShown) + " more";
  }
  m_context.user.ShowMessage(MessageKind::Information, text, {Button::Ok});
}

// ---------------------------------------------------------------------------------------------
// Keys, pointer, settings and closing

bool TScanWizardDialog::eventFilter(QObject* watched, QEvent* event) {
  if (m_list == nullptr) return QDialog::eventFilter(watched, event);  // being destroyed
  if (watched == m_list->viewport()) {
    if (event->type() == QEvent::Resize) ListResized();
    return QDialog::eventFilter(watched, event);
  }
  if (event->type() == QEvent::Enter && isActiveWindow()) {
    static_cast<QWidget*>(watched)->setFocus();
  }
  return QDialog::eventFilter(watched, event);
}

void TScanWizardDialog::ListResized() {
  // The first two columns keep their shares; the third fills the rest.
  const int client = m_list->viewport()->width();
  if (m_listClientWidth == 0 && client > 0) {
    // The first width the list has: file name and title a third each, the artist the rest.
    m_list->SetColumnWidths({client / 3, client / 3, client + 2 - 2 * (client / 3)});
  } else if (m_listClientWidth > 0 && client != m_listClientWidth) {
    m_list->SetColumnWidths(ScaleScanColumns(m_list->ColumnWidths(), m_listClientWidth, client));
  }
  m_listClientWidth = client;
}

void TScanWizardDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (m_settingsApplied) return;
  m_settingsApplied = true;
  const tScanWizardSettings& settings = m_logic->Settings();
  if (settings.state == 0) {
    move(settings.left, settings.top);
    resize(settings.width, settings.height);
  } else if (settings.state == 2) {
    showMaximized();
  }
}

bool TScanWizardDialog::Close() {
  if (m_closing) return true;
  tScanWizardSettings& settings = m_logic->Settings();
  settings.state = isMaximized() ? 2 : isMinimized() ? 1 : 0;
  settings.left = x();
  settings.top = y();
  settings.width = width();
  settings.height = height();
  if (m_logic->Step() == ScanWizardStep::Results) {
    settings.verticalDivision = m_list->width();
    settings.horizontalDivision = m_info->height();
  }
  tIniFile ini;
  try {
    ini = tIniFile::Load(m_context.settingsPath);
  } catch (const FileError&) {
  }
  if (!m_logic->Close(ini)) return false;
  m_closing = true;
  if (m_poller->isActive()) {
    m_poller->stop();
    QApplication::restoreOverrideCursor();
  }
  m_rowsShown = 0;
  m_list->ShowItems();
  if (!Unattended()) {
    try {
      ini.Save(m_context.settingsPath);
    } catch (const FileError& error) {
      m_context.user.ShowWarning(std::string("The settings were not saved.\r") + error.what());
    }
  }
  return true;
}

void TScanWizardDialog::closeEvent(QCloseEvent* event) {
  if (Close()) {
    QDialog::closeEvent(event);
  } else {
    event->ignore();
  }
}

void TScanWizardDialog::reject() {
  if (Close()) QDialog::reject();
}

void RunScanWizard(QWidget* parent, ScanWizardContext context) {
  TScanWizardDialog dialog(std::move(context), parent);
  dialog.exec();
}

}  // namespace tunedex
