// SPDX-License-Identifier: GPL-3.0-or-later
#include "lostfilesdialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

#include "ui/lost/movedfilesdialog.h"
#include "ui/lost/pathmatchingdialog.h"
#include "ui/widgets/pictures.h"
#include "ui/widgets/qtuser.h"

namespace tunedex {

namespace {

// The read-only edits are this much narrower than their pane.
constexpr int kPaneMargin = 5;

QString Caption(LostFilesControl control) {
  return ToQt(TextOf(control).caption);
}

QString Hint(LostFilesControl control) {
  return ToQt(TextOf(control).hint);
}

// Song texts are shown as they are, never as markup or with mnemonics.
QLabel* DataLabel(LostFilesControl control, QWidget* parent) {
  auto* label = new QLabel(Caption(control), parent);
  label->setTextFormat(Qt::PlainText);
  label->setToolTip(Hint(control));
  return label;
}

QString ButtonText(const std::string& text) {
  return ToQt(text).replace(u'&', QStringLiteral("&&"));
}

QLineEdit* ReadOnlyEdit(LostFilesControl control, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setReadOnly(true);
  edit->setToolTip(Hint(control));
  return edit;
}

// A choice between the lost record's text and the chosen file's.
QGroupBox* ChoiceGroup(LostFilesControl control, QRadioButton*& existing, QRadioButton*& fromNew,
                       QWidget* parent) {
  auto* group = new QGroupBox(Caption(control), parent);
  group->setToolTip(Hint(control));
  auto* layout = new QGridLayout(group);
  existing = new QRadioButton(group);
  fromNew = new QRadioButton(group);
  auto* buttons = new QButtonGroup(group);
  buttons->addButton(existing);
  buttons->addButton(fromNew);
  existing->setChecked(true);
  layout->addWidget(existing, 0, 0);
  layout->addWidget(DataLabel(LostFilesControl::FromExistingRecord, group), 0, 1);
  layout->addWidget(fromNew, 1, 0);
  layout->addWidget(DataLabel(LostFilesControl::FromNewFile, group), 1, 1);
  layout->setColumnStretch(0, 1);
  return group;
}

std::optional<std::string> ChooseFolderDialog(QWidget* parent, const std::string& start) {
  if (Unattended()) return std::nullopt;
  const QString folder =
      QFileDialog::getExistingDirectory(parent, QStringLiteral("Find moved files in"), ToQt(start));
  if (folder.isEmpty()) return std::nullopt;
  return FromQt(folder);
}

}  // namespace

TLostFilesDialog::TLostFilesDialog(LostFilesContext context, QWidget* parent)
    : QDialog(parent), m_context(std::move(context)) {
  setObjectName(QStringLiteral("LostFiles"));
  setWindowTitle(ToQt(kLostFilesTitle));
  setSizeGripEnabled(true);
  if (!m_context.chooseFolder) m_context.chooseFolder = ChooseFolderDialog;
  if (!m_context.askMatchPaths) m_context.askMatchPaths = AskMatchPaths;
  if (!m_context.reviewMovedFiles) m_context.reviewMovedFiles = ReviewMovedFiles;

  LostFilesServices services{m_context.catalogue, m_context.files, *m_context.volumes,
                             m_context.user};
  services.songsFolder = m_context.songsFolder;
  services.showSongRecord = m_context.showSongRecord;
  services.askMatchPaths = [this](const PathMatchTexts& texts) {
    return m_context.askMatchPaths(this, texts);
  };
  services.statusChanged = [this] {
    if (m_destroying || !m_logic || !m_status) return;
    // Long work shows its status at once.
    m_status->setText(ToQt(m_logic->StatusText()));
    m_status->repaint();
  };
  m_logic = std::make_unique<tLostFiles>(std::move(services));

  auto* layout = new QVBoxLayout(this);
  auto* columns = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(BuildLostArea());
  left->addWidget(BuildCandidateArea(), 1);
  left->addStretch();
  columns->addLayout(left, 1);
  columns->addWidget(BuildActions());
  layout->addLayout(columns, 1);

  auto* searchRow = new QHBoxLayout;
  m_searchLine = new QLabel(this);
  m_searchLine->setTextFormat(Qt::PlainText);
  m_searchLine->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  m_stop = new QPushButton(QStringLiteral("Stop"), this);
  m_stop->setToolTip(QStringLiteral("Stop the search"));
  m_stop->setAutoDefault(false);
  m_stop->hide();
  searchRow->addWidget(m_searchLine, 1);
  searchRow->addWidget(m_stop);
  layout->addLayout(searchRow);
  m_status = new QLabel(this);
  m_status->setFrameShape(QFrame::StyledPanel);
  m_status->setFrameShadow(QFrame::Sunken);
  m_status->setTextFormat(Qt::PlainText);
  layout->addWidget(m_status);

  m_poller = new QTimer(this);
  m_poller->setInterval(kSearchPollMs);
  connect(m_poller, &QTimer::timeout, this, &TLostFilesDialog::PollSearch);
  connect(m_stop, &QPushButton::clicked, this, [this] {
    if (tMovedFiles* moved = m_logic->MovedFiles()) moved->Stop();
    PollSearch();
  });
  WatchArea(m_lostArea);
  WatchArea(m_candidateArea);
  resize(820, 560);
  Sync();
}

TLostFilesDialog::~TLostFilesDialog() {
  // The widgets outlive the logic while the dialog's children are deleted: they stop being
  // watched first, and a running search ends with the logic.
  m_destroying = true;
  m_poller->stop();
  for (QWidget* watched : m_watched) watched->removeEventFilter(this);
  m_watched.clear();
}

void TLostFilesDialog::WatchArea(QWidget* area) {
  // The area and what is in it, apart from its buttons, which keep their own clicks.
  std::vector<QWidget*> widgets{area};
  for (QWidget* child : area->findChildren<QWidget*>()) {
    if (!qobject_cast<QAbstractButton*>(child)) widgets.push_back(child);
  }
  for (QWidget* widget : widgets) {
    widget->installEventFilter(this);
    m_watched.push_back(widget);
  }
}

QWidget* TLostFilesDialog::BuildLostArea() {
  using enum LostFilesControl;
  m_lostArea = new QFrame(this);
  m_lostArea->setFrameShape(QFrame::StyledPanel);
  m_lostArea->setToolTip(Hint(FileLabel));
  auto* layout = new QVBoxLayout(m_lostArea);
  layout->setContentsMargins(kPaneMargin, kPaneMargin, kPaneMargin, kPaneMargin);
  layout->addWidget(DataLabel(FileLabel, m_lostArea));
  m_fileEdit = ReadOnlyEdit(FileEdit, m_lostArea);
  layout->addWidget(m_fileEdit);
  auto* row = new QHBoxLayout;
  auto* texts = new QVBoxLayout;
  m_titleLabel = DataLabel(TitleLabel, m_lostArea);
  m_artistLabel = DataLabel(ArtistLabel, m_lostArea);
  m_notFound = DataLabel(NotFoundLabel, m_lostArea);
  for (QLabel* label : {m_titleLabel, m_artistLabel, m_notFound}) texts->addWidget(label);
  m_lostIcon = DataLabel(LostIcon, m_lostArea);
  m_lostIcon->setAlignment(Qt::AlignTop);
  row->addWidget(m_lostIcon);
  row->addLayout(texts, 1);
  layout->addLayout(row);
  m_actionLabel = DataLabel(ActionLabel, m_lostArea);
  QFont bold = m_actionLabel->font();
  bold.setBold(true);
  m_actionLabel->setFont(bold);
  layout->addWidget(m_actionLabel);
  return m_lostArea;
}

QWidget* TLostFilesDialog::BuildCandidateArea() {
  using enum LostFilesControl;
  m_candidateArea = new QFrame(this);
  m_candidateArea->setFrameShape(QFrame::StyledPanel);
  auto* layout = new QVBoxLayout(m_candidateArea);
  layout->setContentsMargins(kPaneMargin, kPaneMargin, kPaneMargin, kPaneMargin);
  layout->addWidget(DataLabel(NewFileLabel, m_candidateArea));
  m_newFileEdit = ReadOnlyEdit(NewFileEdit, m_candidateArea);
  layout->addWidget(m_newFileEdit);
  auto* row = new QHBoxLayout;
  m_candidateIcon = DataLabel(CandidateIcon, m_candidateArea);
  m_candidateIcon->setAlignment(Qt::AlignTop);
  row->addWidget(m_candidateIcon);
  auto* texts = new QVBoxLayout;
  m_newTitle = DataLabel(NewTitle, m_candidateArea);
  m_newArtist = DataLabel(NewArtist, m_candidateArea);
  m_internalFormat = DataLabel(InternalFormat, m_candidateArea);
  m_lyrics = DataLabel(Lyrics, m_candidateArea);
  for (QLabel* label : {m_newTitle, m_newArtist, m_internalFormat, m_lyrics}) {
    texts->addWidget(label);
  }
  row->addLayout(texts, 1);
  layout->addLayout(row);
  m_tagInformation = new QPlainTextEdit(m_candidateArea);
  m_tagInformation->setReadOnly(true);
  m_tagInformation->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_tagInformation->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  m_tagInformation->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  m_tagInformation->setToolTip(Hint(TagInformation));
  QPalette grey = m_tagInformation->palette();
  grey.setColor(QPalette::Base, grey.color(QPalette::Window));
  m_tagInformation->setPalette(grey);
  layout->addWidget(m_tagInformation, 1);
  auto* choices = new QHBoxLayout;
  QGroupBox* titles = ChoiceGroup(TitleChoice, m_titleExisting, m_titleNew, m_candidateArea);
  QGroupBox* artists = ChoiceGroup(ArtistChoice, m_artistExisting, m_artistNew, m_candidateArea);
  choices->addWidget(titles);
  choices->addWidget(artists);
  layout->addLayout(choices);
  connect(m_titleNew, &QRadioButton::toggled, this, [this](bool fromNew) {
    Do([&] {
      m_logic->SetTitleSource(fromNew ? RecordSource::NewFile : RecordSource::ExistingRecord);
    });
  });
  connect(m_artistNew, &QRadioButton::toggled, this, [this](bool fromNew) {
    Do([&] {
      m_logic->SetArtistSource(fromNew ? RecordSource::NewFile : RecordSource::ExistingRecord);
    });
  });
  return m_candidateArea;
}

QPushButton* TLostFilesDialog::MakeButton(LostFilesControl control, QWidget* parent) {
  auto* button = new QPushButton(Caption(control), parent);
  button->setToolTip(Hint(control));
  button->setAutoDefault(false);
  m_buttons.emplace_back(control, button);
  return button;
}

QWidget* TLostFilesDialog::BuildActions() {
  using enum LostFilesControl;
  auto* pane = new QWidget(this);
  auto* layout = new QVBoxLayout(pane);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* actions = new QGroupBox(Caption(Actions), pane);
  auto* actionLayout = new QVBoxLayout(actions);
  const std::pair<LostFilesControl, std::function<void()>> commands[] = {
      {RemoveIt, [this] { m_logic->RemoveIt(); }},
      {Browse, [this] { m_logic->Browse(); }},
      {Accept, [this] { m_logic->Accept(); }},
      {ViewEdit, [this] { m_logic->ViewEditCandidate(); }},
      {RemoveAll, [this] { m_logic->RemoveAll(); }},
      {IgnoreIt, [this] { m_logic->IgnoreIt(); }},
      {MatchPaths, [this] { m_logic->MatchPaths(); }},
      {Refresh, [this] { m_logic->Count(); }},
  };
  for (const auto& command : commands) {
    QPushButton* button = MakeButton(command.first, actions);
    connect(button, &QPushButton::clicked, this, [this, action = command.second] { Do(action); });
    actionLayout->addWidget(button);
  }
  QPushButton* find = MakeButton(FindMovedFiles, actions);
  connect(find, &QPushButton::clicked, this, &TLostFilesDialog::StartSearch);
  actionLayout->addWidget(find);
  layout->addWidget(actions);

  auto* ignore = new QGroupBox(Caption(IgnoreGroup), pane);
  auto* ignoreLayout = new QVBoxLayout(ignore);
  m_ignoreRemovable = new QCheckBox(Caption(IgnoreRemovable), ignore);
  m_ignoreRemote = new QCheckBox(Caption(IgnoreRemote), ignore);
  m_ignoreRam = new QCheckBox(Caption(IgnoreRam), ignore);
  m_ignoreRemovable->setChecked(m_logic->ignore.removable);
  m_ignoreRemote->setChecked(m_logic->ignore.remote);
  m_ignoreRam->setChecked(m_logic->ignore.ram);
  // The boxes count from the next count on.
  connect(m_ignoreRemovable, &QCheckBox::toggled, this,
          [this](bool ticked) { m_logic->ignore.removable = ticked; });
  connect(m_ignoreRemote, &QCheckBox::toggled, this,
          [this](bool ticked) { m_logic->ignore.remote = ticked; });
  connect(m_ignoreRam, &QCheckBox::toggled, this,
          [this](bool ticked) { m_logic->ignore.ram = ticked; });
  for (QCheckBox* box : {m_ignoreRemovable, m_ignoreRemote, m_ignoreRam}) {
    ignoreLayout->addWidget(box);
  }
  layout->addWidget(ignore);
  layout->addStretch();

  QPushButton* help = MakeButton(Help, pane);
  QPushButton* close = MakeButton(Close, pane);
  close->setDefault(true);
  connect(help, &QPushButton::clicked, this, [this] {
    if (m_context.help) m_context.help(kLostFilesHelpTopic);
  });
  connect(close, &QPushButton::clicked, this, &TLostFilesDialog::reject);
  layout->addWidget(help);
  layout->addWidget(close);
  return pane;
}

QRadioButton& TLostFilesDialog::TitleButton(RecordSource source) {
  return source == RecordSource::NewFile ? *m_titleNew : *m_titleExisting;
}

QRadioButton& TLostFilesDialog::ArtistButton(RecordSource source) {
  return source == RecordSource::NewFile ? *m_artistNew : *m_artistExisting;
}

QPushButton& TLostFilesDialog::Button(LostFilesControl control) {
  for (const auto& [shown, button] : m_buttons) {
    if (shown == control) return *button;
  }
  throw std::out_of_range("no such button");
}

QCheckBox& TLostFilesDialog::IgnoreBox(LostFilesControl control) {
  switch (control) {
    case LostFilesControl::IgnoreRemote:
      return *m_ignoreRemote;
    case LostFilesControl::IgnoreRam:
      return *m_ignoreRam;
    default:
      return *m_ignoreRemovable;
  }
}

void TLostFilesDialog::Open() {
  m_logic->Open();
  Sync();
}

void TLostFilesDialog::Do(const std::function<void()>& action) {
  action();
  Sync();
}

void TLostFilesDialog::Sync() {
  using enum LostFilesControl;
  const tLostFiles& logic = *m_logic;
  m_fileEdit->setText(ToQt(logic.FileEditText()));
  m_fileEdit->setCursorPosition(0);
  m_titleLabel->setText(ToQt(logic.TitleLabel()));
  m_artistLabel->setText(ToQt(logic.ArtistLabel()));
  m_notFound->setVisible(logic.NotFoundVisible());
  m_lostIcon->setVisible(logic.NotFoundVisible());
  m_lostIcon->setPixmap(TypePicture(logic.LostIcon()));
  m_actionLabel->setText(ToQt(logic.ActionLabel()));

  m_candidateArea->setVisible(logic.CandidateVisible());
  m_newFileEdit->setText(ToQt(logic.NewFileEditText()));
  m_newFileEdit->setCursorPosition(0);
  m_newTitle->setText(ToQt(logic.NewTitle()));
  m_newArtist->setText(ToQt(logic.NewArtist()));
  m_internalFormat->setText(ToQt(logic.InternalFormatLabel()));
  m_internalFormat->setEnabled(logic.InternalFormatLabelEnabled());
  m_lyrics->setText(ToQt(logic.LyricsLabel()));
  QStringList tags;
  for (const std::string& line : logic.TagInformation()) tags << ToQt(line);
  if (const QString text = tags.join(u'\n'); text != m_tagInformation->toPlainText()) {
    m_tagInformation->setPlainText(text);
  }
  m_candidateIcon->setPixmap(TypePicture(logic.CandidateIcon()));
  const QSignalBlocker titleBlocker(m_titleNew);
  const QSignalBlocker artistBlocker(m_artistNew);
  m_titleExisting->setText(ButtonText(logic.TitleChoiceCaption(RecordSource::ExistingRecord)));
  m_titleNew->setText(ButtonText(logic.TitleChoiceCaption(RecordSource::NewFile)));
  m_artistExisting->setText(ButtonText(logic.ArtistChoiceCaption(RecordSource::ExistingRecord)));
  m_artistNew->setText(ButtonText(logic.ArtistChoiceCaption(RecordSource::NewFile)));
  TitleButton(logic.TitleSource()).setChecked(true);
  ArtistButton(logic.ArtistSource()).setChecked(true);

  const bool searching = m_poller->isActive();
  for (const auto& [control, button] : m_buttons) {
    bool enabled = !searching;
    switch (control) {
      case Accept:
        enabled = enabled && logic.AcceptEnabled();
        break;
      case MatchPaths:
        enabled = enabled && logic.MatchPathsEnabled();
        break;
      case RemoveIt:
      case Browse:
      case ViewEdit:
      case RemoveAll:
      case IgnoreIt:
      case FindMovedFiles:
        enabled = enabled && logic.ActionsEnabled();
        break;
      case Help:
      case Close:
        enabled = true;
        break;
      default:
        break;
    }
    button->setEnabled(enabled);
  }
  m_stop->setVisible(searching);
  m_status->setText(ToQt(logic.StatusText()));
}

// ---------------------------------------------------------------------------------------------
// Viewing clicks and closing

bool TLostFilesDialog::eventFilter(QObject* watched, QEvent* event) {
  if (m_destroying) return QDialog::eventFilter(watched, event);
  const QEvent::Type type = event->type();
  if (type != QEvent::MouseButtonDblClick && type != QEvent::MouseButtonPress) {
    return QDialog::eventFilter(watched, event);
  }
  const auto* mouse = static_cast<QMouseEvent*>(event);
  if (mouse->button() != Qt::LeftButton) return QDialog::eventFilter(watched, event);
  const bool doubleClick = type == QEvent::MouseButtonDblClick;
  const bool ctrl = mouse->modifiers().testFlag(Qt::ControlModifier);
  auto* widget = qobject_cast<QWidget*>(watched);
  const bool inLost = widget && (widget == m_lostArea || m_lostArea->isAncestorOf(widget));
  const bool inCandidate =
      widget && (widget == m_candidateArea || m_candidateArea->isAncestorOf(widget));
  if (inLost && (doubleClick || ctrl)) {
    Do([this] { m_logic->ViewLostRecord(); });
    return true;
  }
  if (inCandidate && ctrl && !doubleClick) {
    Do([this] { m_logic->ViewCandidate(); });
    return true;
  }
  if (inCandidate && doubleClick) {
    Do([this] { m_logic->ViewEditCandidate(); });
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TLostFilesDialog::reject() {
  // A search that runs ends with the window.
  if (m_poller->isActive()) {
    m_poller->stop();
    if (tMovedFiles* moved = m_logic->MovedFiles()) moved->Stop();
    m_logic->CloseMovedFiles();
  }
  QDialog::reject();
}

void RunLostFiles(QWidget* parent, LostFilesContext context) {
  TLostFilesDialog dialog(std::move(context), parent);
  dialog.Open();
  dialog.exec();
}

}  // namespace tunedex
