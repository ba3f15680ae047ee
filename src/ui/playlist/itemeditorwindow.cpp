// SPDX-License-Identifier: GPL-3.0-or-later
#include "itemeditorwindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <utility>

#include "catalogue/explorersettings.h"
#include "catalogue/songgridlayout.h"
#include "common/fileio.h"
#include "common/recordtext.h"
#include "players/playercontrol.h"
#include "playlist/playlistmenus.h"
#include "ui/widgets/listmodel.h"
#include "ui/widgets/pictures.h"
#include "ui/widgets/qtuser.h"

namespace tunedex {

// The available songs as the logic holds them; rows appear as the logic checks them.
class TAvailableSongsModel : public TListModel {
 public:
  TAvailableSongsModel(const std::vector<const tSong*>& songs, QObject* parent)
      : TListModel({QStringLiteral("SongID"), QStringLiteral("Song Title"),
                    QStringLiteral("Original Artist")},
                   {}, {}, parent),
        m_songs(songs) {}

  // Shows the rows the logic has now: appended rows are inserted, anything else rebuilds.
  void Show() {
    const int count = static_cast<int>(m_songs.size());
    if (count > m_shown) {
      beginInsertRows({}, m_shown, count - 1);
      m_shown = count;
      endInsertRows();
    } else if (count < m_shown) {
      m_shown = count;
      Reset();
    }
  }

 protected:
  int RowCount() const override { return m_shown; }
  QVariant RawValue(int row, int column) const override {
    const tSong* song = At(row);
    if (song == nullptr) return {};
    switch (column) {
      case 0:
        return ToQt(song->Record().IdCode());
      case 1:
        return ToQt(song->Record().Title());
      case 2:
        return ToQt(song->Record().Artist());
      default:
        return {};
    }
  }
  QVariant Decoration(int row, int column) const override {
    const tSong* song = At(row);
    if (column != 0 || song == nullptr) return {};
    return TypePicture(TypePictureIndex(song->Record(), true));
  }

 private:
  const tSong* At(int row) const {
    if (row < 0 || row >= m_shown || static_cast<std::size_t>(row) >= m_songs.size()) {
      return nullptr;
    }
    return m_songs[static_cast<std::size_t>(row)];
  }

  const std::vector<const tSong*>& m_songs;
  int m_shown = 0;
};

namespace {

constexpr int kDesignedLeft = 120, kDesignedTop = 90, kDesignedWidth = 620, kDesignedHeight = 500;
const QString kSongListHint = QStringLiteral("Available songs pane");

QPointer<TItemEditorWindow>& OpenEditor() {
  static QPointer<TItemEditorWindow> editor;
  return editor;
}

// Holds the validation errors of OK so that the window can show them beside the field the
// logic names; everything else goes straight on.
class HoldingUser final : public ForwardingUser {
 public:
  HoldingUser(UserInteraction& inner, std::string& held) : ForwardingUser(inner), m_held(held) {}
  bool holding = false;

  Button ShowMessage(MessageKind kind, std::string_view text,
                     std::initializer_list<Button> buttons) override {
    if (holding && kind == MessageKind::Error) {
      m_held = std::string(text);
      return Button::Ok;
    }
    return ForwardingUser::ShowMessage(kind, text, buttons);
  }

 private:
  std::string& m_held;
};

void SetFocusColour(QWidget& widget, bool focused) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Base, focused ? QColor(kFocusRed, kFocusGreen, kFocusBlue)
                                           : QApplication::palette(&widget).color(QPalette::Base));
  widget.setPalette(palette);
}

}  // namespace

TItemEditorWindow::TItemEditorWindow(ItemEditorContext context, int mode, QWidget* parent)
    : QDialog(parent), m_context(std::move(context)) {
  setObjectName(QStringLiteral("PlaylistItemEditor"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
  setSizeGripEnabled(true);
  setModal(false);
  resize(kDesignedWidth, kDesignedHeight);
  auto user = std::make_unique<HoldingUser>(m_context.user, m_pendingError);
  m_user = std::move(user);

  ItemEditorSettings settings;
  try {
    settings = ReadItemEditorSettings(
        tIniFile::Load(m_context.settingsPath),
        {kDesignedLeft, kDesignedTop, kDesignedWidth, kDesignedHeight, 0, {55, 200, 130}});
  } catch (const FileError&) {
    // The defaults; the catalogue window tells of a settings file it cannot read.
    settings.window = {kDesignedLeft, kDesignedTop, kDesignedWidth, kDesignedHeight, 0,
                       {55, 200, 130}};
  }
  m_logic = std::make_unique<tItemEditor>(
      tItemEditor::Services{m_context.central, m_context.catalogue, m_context.files, *m_user,
                            [this](const tSong& song, bool inFront) {
                              if (m_context.players == nullptr) return;
                              m_context.players->PlaySong(static_cast<WindowHandle>(winId()),
                                                          std::string(song.Record().FileName()),
                                                          song.Record().FileType(), inFront);
                            },
                            m_context.playerOptions},
      m_context.view, mode, settings);

  BuildWidgets();
  BuildMenu();
  setWindowTitle(ToQt(m_logic->Caption()));
  m_cancel->setText(ToQt(m_logic->CancelCaption()));
  m_ok->setText(ToQt(m_logic->OkCaption()));
  m_closeAfterAdd->setVisible(m_logic->CloseAfterAddVisible());
  m_placement->setVisible(m_logic->AddMode());
  m_placement->parentWidget()
      ->findChild<QLabel*>(QStringLiteral("PlacementLabel"))
      ->setVisible(m_logic->AddMode());
  m_blankNames->setChecked(settings.blankNames);
  m_closeAfterAdd->setChecked(settings.closeOnAdd);
  m_placement->setCurrentIndex(static_cast<int>(settings.placement));
  m_singer->setText(ToQt(m_logic->ChosenSinger()));
  ShowSingers();

  m_filler = new QTimer(this);
  m_filler->setInterval(0);
  connect(m_filler, &QTimer::timeout, this, &TItemEditorWindow::FillSlice);
  if (m_logic->Filled()) {
    ShowSelectedSong();
  } else {
    QApplication::setOverrideCursor(Qt::BusyCursor);
    m_filler->start();
  }
  ShowChoice();
}

TItemEditorWindow::~TItemEditorWindow() {
  if (m_filler->isActive()) QApplication::restoreOverrideCursor();
  // The list shows the logic's songs: it goes before the logic does. This window stops
  // watching it first.
  m_songs->viewport()->removeEventFilter(this);
  m_songs->removeEventFilter(this);
  delete std::exchange(m_songs, nullptr);
}

void TItemEditorWindow::BuildWidgets() {
  auto* layout = new QVBoxLayout(this);
  auto* top = new QLabel(QStringLiteral("Songs &Available"), this);
  top->setToolTip(QStringLiteral("Available songs"));

  // The singer panel: the name and the deferral at the left, the singers in the list at the right.
  auto* singerPanel = new QGridLayout;
  auto* singerLabel = new QLabel(QStringLiteral("&Singer:"), this);
  m_singer = new QLineEdit(this);
  m_singer->setMaxLength(25);
  m_singer->setToolTip(QStringLiteral("Singer's name"));
  singerLabel->setBuddy(m_singer);
  m_blankNames = new QCheckBox(QStringLiteral("Allow names to be\nadded later"), this);
  m_blankNames->setToolTip(QStringLiteral("Defer singers"));
  auto* blankLabel = new QLabel(QStringLiteral("Allow singer's &Name to be added later"), this);
  blankLabel->setToolTip(QStringLiteral("Defer singers"));
  blankLabel->setBuddy(m_blankNames);
  blankLabel->setObjectName(QStringLiteral("BlankNamesLabel"));
  blankLabel->installEventFilter(this);
  auto* existing = new QLabel(QStringLiteral("&Existing Singers"), this);
  existing->setToolTip(QStringLiteral("Singers list"));
  m_singers = new QListWidget(this);
  m_singers->setToolTip(QStringLiteral("List of singers"));
  existing->setBuddy(m_singers);
  singerPanel->addWidget(singerLabel, 0, 0);
  singerPanel->addWidget(m_singer, 0, 1);
  singerPanel->addWidget(m_blankNames, 1, 1);
  singerPanel->addWidget(blankLabel, 2, 1);
  auto* placementLabel = new QLabel(QStringLiteral("New items &go:"), this);
  placementLabel->setObjectName(QStringLiteral("PlacementLabel"));
  m_placement = new QComboBox(this);
  m_placement->addItems(
      {QStringLiteral("At the end"), QStringLiteral("Next"), QStringLiteral("Fair")});
  m_placement->setToolTip(QStringLiteral("Where new items go in the list"));
  placementLabel->setBuddy(m_placement);
  singerPanel->addWidget(placementLabel, 3, 0);
  singerPanel->addWidget(m_placement, 3, 1);
  singerPanel->addWidget(existing, 0, 2);
  singerPanel->addWidget(m_singers, 1, 2, 4, 1);
  // Height the singers list gains leaves the controls at the left together at the top.
  singerPanel->setRowStretch(4, 1);
  singerPanel->setColumnStretch(1, 1);
  singerPanel->setColumnStretch(2, 1);
  layout->addLayout(singerPanel);

  auto* searchPanel = new QHBoxLayout;
  auto* searchLabel = new QLabel(QStringLiteral("Sea&Rch for song:"), this);
  m_search = new QLineEdit(this);
  m_search->setMaxLength(25);
  m_search->setToolTip(QStringLiteral("Enter item to find"));
  searchLabel->setBuddy(m_search);
  m_findNext = new QPushButton(QStringLiteral("&Find next"), this);
  m_findNext->setToolTip(QStringLiteral("Find next item"));
  m_findNext->setEnabled(false);
  m_findNext->setAutoDefault(false);
  searchPanel->addWidget(searchLabel);
  searchPanel->addWidget(m_search, 1);
  searchPanel->addWidget(m_findNext);
  layout->addLayout(searchPanel);

  m_model = new TAvailableSongsModel(m_logic->AvailableSongs(), this);
  m_songs = new QTreeView(this);
  m_songs->setModel(m_model);
  m_songs->setRootIsDecorated(false);
  m_songs->setUniformRowHeights(true);
  m_songs->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_songs->setSelectionMode(QAbstractItemView::SingleSelection);
  m_songs->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_songs->setIconSize(QSize(16, 16));
  m_songs->setToolTip(kSongListHint);
  m_songs->header()->setStretchLastSection(false);
  top->setBuddy(m_songs);
  layout->addWidget(top);
  layout->addWidget(m_songs, 1);

  auto* choice = new QWidget(this);
  choice->setToolTip(QStringLiteral("Current choices"));
  auto* choiceLayout = new QHBoxLayout(choice);
  choiceLayout->setContentsMargins(0, 0, 0, 0);
  const char* captions[3] = {"Singer:", "Song:", "Lang:"};
  for (int part = 0; part < 3; ++part) {
    auto* caption = new QLabel(QString::fromLatin1(captions[part]), choice);
    m_choice[part] = new QLabel(choice);
    if (part == 2) {
      caption->setToolTip(QStringLiteral("Language"));
      m_choice[part]->setToolTip(QStringLiteral("Language"));
    }
    choiceLayout->addWidget(caption);
    choiceLayout->addWidget(m_choice[part], part == 2 ? 0 : 1);
  }
  layout->addWidget(choice);

  auto* infoLine = new QHBoxLayout;
  m_info = new QLabel(this);
  m_info->setToolTip(QStringLiteral("Filename of selected song"));
  m_info->setMinimumWidth(80);
  m_counter = new QLabel(this);
  m_counter->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  infoLine->addWidget(m_info, 1);
  infoLine->addWidget(m_counter);
  layout->addLayout(infoLine);

  auto* buttons = new QHBoxLayout;
  m_cancel = new QPushButton(this);
  m_cancel->setAutoDefault(false);
  m_ok = new QPushButton(this);
  m_ok->setDefault(true);
  m_closeAfterAdd = new QCheckBox(QStringLiteral("&Close after add"), this);
  auto* help = new QPushButton(QStringLiteral("Help"), this);
  help->setAutoDefault(false);
  buttons->addWidget(m_cancel);
  buttons->addWidget(m_ok);
  buttons->addWidget(m_closeAfterAdd);
  buttons->addStretch(1);
  buttons->addWidget(help);
  layout->addLayout(buttons);

  connect(m_singer, &QLineEdit::textEdited, this, [this](const QString& text) {
    m_logic->SetSinger(FromQt(text));
    ShowChoice();
  });
  connect(m_singers, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    m_singer->setText(item->text());
    m_logic->SetSinger(FromQt(item->text()));
    ShowChoice();
  });
  connect(m_search, &QLineEdit::textChanged, this, [this](const QString& text) {
    m_logic->SetSearchText(FromQt(text));
    m_findNext->setEnabled(m_logic->FindNextEnabled());
    ShowSelectedSong();
  });
  connect(m_findNext, &QPushButton::clicked, this, [this] {
    m_logic->FindNext();
    ShowSelectedSong();
  });
  connect(m_songs->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          &TItemEditorWindow::SongRowChosen);
  connect(m_blankNames, &QCheckBox::toggled, this,
          [this](bool on) { m_logic->Settings().blankNames = on; });
  connect(m_closeAfterAdd, &QCheckBox::toggled, this,
          [this](bool on) { m_logic->Settings().closeOnAdd = on; });
  connect(m_placement, &QComboBox::currentIndexChanged, this, [this](int index) {
    m_logic->Settings().placement = static_cast<ItemPlacement>(std::clamp(index, 0, 2));
  });
  connect(m_cancel, &QPushButton::clicked, this, &TItemEditorWindow::Cancel);
  connect(m_ok, &QPushButton::clicked, this, &TItemEditorWindow::Ok);
  connect(help, &QPushButton::clicked, this, [this] {
    if (m_context.help) m_context.help(kItemEditorHelpTopic);
  });

  for (QObject* watched :
       {static_cast<QObject*>(m_songs), static_cast<QObject*>(m_singers),
        static_cast<QObject*>(m_search), static_cast<QObject*>(m_songs->viewport()),
        static_cast<QObject*>(m_singers->viewport())}) {
    watched->installEventFilter(this);
  }
}

void TItemEditorWindow::BuildMenu() {
  m_menu = new QMenu(this);
  for (const ItemEditorMenuEntry& entry : ItemEditorMenu()) {
    const QKeySequence shortcut(ToQt(entry.shortcut), QKeySequence::PortableText);
    QAction* action = nullptr;
    if (entry.text.empty()) {
      // A separator whose shortcut does nothing here: the key is taken and dropped.
      m_menu->addSeparator();
      action = new QAction(this);
    } else {
      action = m_menu->addAction(ToQt(entry.text));
    }
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    const std::string_view text = entry.text;
    connect(action, &QAction::triggered, this, [this, text] {
      if (text == "SingerName") {
        m_blankNames->toggle();
      } else if (text == "CloseAfterAdd") {
        if (m_closeAfterAdd->isVisible()) m_closeAfterAdd->toggle();
      } else if (text == "ShowDetails") {
        if (m_logic->ChosenSong() != nullptr && m_context.showDetails) {
          m_context.showDetails(*m_logic->ChosenSong());
        }
      } else if (text == "PlaySong") {
        Play();
      } else if (text == "FindAgain") {
        if (m_logic->FindNextEnabled()) m_findNext->click();
      } else if (text == "Help") {
        if (m_context.help) m_context.help(kItemEditorHelpTopic);
      } else if (text == "Exit") {
        Cancel();
      }
    });
  }
}

// ---------------------------------------------------------------------------------------------
// The available songs

void TItemEditorWindow::FillSlice() {
  if (m_logic->FillSlice(kFillSlice)) {
    m_filler->stop();
    QApplication::restoreOverrideCursor();
  }
  m_model->Show();
  if (m_logic->Filled()) ShowSelectedSong();
  ShowChoice();
}

void TItemEditorWindow::FinishFilling() {
  while (m_filler->isActive()) FillSlice();
}

bool TItemEditorWindow::Filling() const {
  return m_filler->isActive();
}

void TItemEditorWindow::SongRowChosen() {
  if (m_syncing) return;
  const QModelIndex current = m_songs->currentIndex();
  if (!current.isValid()) return;
  m_logic->ChooseRow(current.row());
  ShowChoice();
}

void TItemEditorWindow::ShowSelectedSong() {
  m_model->Show();
  const int row = m_logic->ChosenRow();
  m_syncing = true;
  if (row >= 0 && row < m_model->rowCount()) {
    const QModelIndex index = m_model->index(row, 0);
    m_songs->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_songs->scrollTo(index);
  } else {
    m_songs->selectionModel()->clear();
  }
  m_syncing = false;
  ShowChoice();
}

void TItemEditorWindow::ShowChoice() {
  m_choice[0]->setText(ToQt(m_logic->ChosenSinger()));
  m_choice[1]->setText(ToQt(m_logic->ChosenTitle()));
  m_choice[2]->setText(ToQt(m_logic->ChosenLanguage()));
  const QFontMetrics metrics = m_info->fontMetrics();
  m_info->setText(ToQt(m_logic->InformationLine(m_info->width(), [&metrics](std::string_view text) {
    return metrics.horizontalAdvance(ToQt(text));
  })));
  m_counter->setText(ToQt(m_logic->Counter()));
  // The list's hint names the chosen song's file until the pointer leaves the list.
  if (const tSong* song = m_logic->ChosenSong(); song != nullptr) {
    m_songs->setToolTip(ToQt(FileNamePart(DecodeRecordText(song->Record().FileName()))));
  }
}

void TItemEditorWindow::ShowSingers() {
  m_singers->clear();
  for (const std::string& name : m_logic->Singers()) m_singers->addItem(ToQt(name));
  const int selected = m_logic->SelectedSinger();
  if (selected >= 0) {
    m_singers->setCurrentRow(selected);
  } else {
    m_singers->clearSelection();
  }
}

// ---------------------------------------------------------------------------------------------
// Commands

void TItemEditorWindow::ShowError(std::string_view text, QWidget& near) {
  const QPoint topLeft = mapToGlobal(near.mapTo(this, QPoint(150, 30)));
  if (m_context.placedError) {
    m_context.placedError(text, topLeft);
  } else {
    ShowMessageBox(this, MessageKind::Error, text, {Button::Ok}, topLeft);
  }
  near.setFocus();
}

void TItemEditorWindow::Ok() {
  FinishFilling();
  auto& user = static_cast<HoldingUser&>(*m_user);
  m_pendingError.clear();
  user.holding = true;
  const ItemEditorOutcome outcome = m_logic->Ok();
  user.holding = false;
  switch (outcome) {
    case ItemEditorOutcome::NeedSinger:
      ShowError(m_pendingError, *m_singer);
      return;
    case ItemEditorOutcome::NeedSong:
      ShowError(m_pendingError, *m_songs);
      return;
    case ItemEditorOutcome::Added:
      ShowSingers();
      ShowChoice();
      return;
    case ItemEditorOutcome::Closed:
      m_done = true;
      close();
      return;
  }
}

void TItemEditorWindow::Cancel() {
  if (!m_done) m_logic->Cancel();
  m_done = true;
  close();
}

void TItemEditorWindow::CloseQuietly() {
  m_done = true;
  close();
}

void TItemEditorWindow::reject() {
  Cancel();
}

void TItemEditorWindow::Play() {
  m_logic->Play();
}

// ---------------------------------------------------------------------------------------------
// Events

QLabel& TItemEditorWindow::ChoiceLabel(int part) const {
  return *m_choice[std::clamp(part, 0, 2)];
}

bool TItemEditorWindow::eventFilter(QObject* watched, QEvent* event) {
  if (m_songs == nullptr) return QDialog::eventFilter(watched, event);  // being destroyed
  const bool lists = watched == m_songs || watched == m_singers;
  switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut:
      if (lists) SetFocusColour(static_cast<QWidget&>(*watched), event->type() == QEvent::FocusIn);
      break;
    case QEvent::Enter:
      // The pointer gives the keyboard to the list it is over, while the window is active.
      if (lists && isActiveWindow()) static_cast<QWidget*>(watched)->setFocus();
      break;
    case QEvent::Leave:
      if (watched == m_songs) m_songs->setToolTip(kSongListHint);
      break;
    case QEvent::MouseButtonPress:
      if (watched->objectName() == QStringLiteral("BlankNamesLabel")) {
        m_blankNames->toggle();
        return true;
      }
      if (watched == m_songs->viewport()) m_songs->setFocus();
      break;
    case QEvent::KeyPress:
      if (watched == m_search && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        m_search->clear();
        return true;
      }
      break;
    case QEvent::Resize:
      if (watched == m_songs->viewport()) ScaleColumns();
      break;
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

void TItemEditorWindow::contextMenuEvent(QContextMenuEvent* event) {
  m_menu->popup(event->globalPos());
}

void TItemEditorWindow::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  ShowChoice();
  if (m_songs->currentIndex().isValid()) m_songs->scrollTo(m_songs->currentIndex());
}

void TItemEditorWindow::ScaleColumns() {
  // The columns share the list's width as they shared their sum: each scaled by the new client
  // width over the sum of the present widths.
  const int client = m_songs->viewport()->width();
  if (!m_settingsApplied || client <= 0 || client == m_listClientWidth) return;
  m_listClientWidth = client;
  int sum = 0;
  for (int column = 0; column < 3; ++column) sum += m_songs->columnWidth(column);
  if (sum <= 0) return;
  const double factor = static_cast<double>(client) / sum;
  for (int column = 0; column < 3; ++column) {
    m_songs->setColumnWidth(column,
                            static_cast<int>(std::lround(m_songs->columnWidth(column) * factor)));
  }
}

// ---------------------------------------------------------------------------------------------
// Settings

void TItemEditorWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!m_switchBack && m_context.players) {
    // Shift+F10 from a song played here comes back here, then to the audience view.
    m_switchBack = std::make_unique<SwitchBackRegistration>(
        m_context.players->SwitchBacks(), static_cast<WindowHandle>(winId()), [this] {
          if (isMinimized()) showNormal();
          raise();
          activateWindow();
          if (m_context.bringAudienceForward) m_context.bringAudienceForward();
        });
  }
  if (m_settingsApplied) return;
  m_settingsApplied = true;
  ApplySettings();
}

void TItemEditorWindow::ApplySettings() {
  const PlaylistWindowSettings& window = m_logic->Settings().window;
  if (window.state == 0) {
    move(window.left, window.top);
    if (window.width > 0 && window.height > 0) resize(window.width, window.height);
  }
  for (int column = 0; column < 3; ++column) {
    m_songs->setColumnWidth(column, window.columns[static_cast<std::size_t>(column)]);
  }
  m_listClientWidth = 0;  // the stored widths are the starting point of the scaling
  ScaleColumns();
  if (window.state == 2) showMaximized();
  if (window.state == 1) showMinimized();
}

void TItemEditorWindow::closeEvent(QCloseEvent* event) {
  m_filler->stop();
  if (!m_done) {
    // The close box cancels.
    m_done = true;
    m_logic->Cancel();
  }
  ItemEditorSettings& settings = m_logic->Settings();
  settings.window.state = isMaximized() ? 2 : isMinimized() ? 1 : 0;
  if (settings.window.state == 0) {
    settings.window.left = x();
    settings.window.top = y();
    settings.window.width = width();
    settings.window.height = height();
  }
  for (int column = 0; column < 3; ++column) {
    settings.window.columns[static_cast<std::size_t>(column)] = m_songs->columnWidth(column);
  }
  // A picture taken unattended leaves the settings as they were.
  if (!Unattended() && !m_context.settingsPath.empty()) {
    try {
      tIniFile ini = tIniFile::Load(m_context.settingsPath);
      WriteItemEditorSettings(ini, settings, m_logic->AddMode());
      ini.Save(m_context.settingsPath);
    } catch (const FileError& error) {
      m_context.user.ShowWarning(std::string("The settings were not saved.\r") + error.what());
    }
  }
  // Not the dialog's own handling, which would reject (cancel) once more.
  QWidget::closeEvent(event);
}

// ---------------------------------------------------------------------------------------------

TItemEditorWindow* OpenItemEditor(QWidget* parent, ItemEditorContext context, int mode) {
  // Playlist Central has already counted the new editor as open: the old one goes without
  // telling it.
  if (TItemEditorWindow* open = OpenEditor()) open->CloseQuietly();
  tPlaylistCentral& central = context.central;
  if (mode != kAddMode && (mode < 0 || static_cast<std::size_t>(mode) >= central.Items().Count())) {
    context.user.ShowError("Please select the item you wish to change");
    central.EditorClosed();
    return nullptr;
  }
  auto* editor = new TItemEditorWindow(std::move(context), mode, parent);
  editor->setWindowFlag(Qt::Window);
  OpenEditor() = editor;
  editor->show();
  return editor;
}

TItemEditorWindow* OpenedItemEditor() {
  return OpenEditor().data();
}

}  // namespace tunedex
