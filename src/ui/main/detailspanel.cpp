// SPDX-License-Identifier: GPL-3.0-or-later
#include "detailspanel.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>

#include "catalogue/cataloguewindow.h"
#include "song/songtype.h"
#include "ui/widgets/pictures.h"
#include "ui/widgets/qtuser.h"

namespace tunedex {

TDetailsPanel::TDetailsPanel(QMenu* menu, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("LogoArea"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 2, 4, 2);
  m_logoImage = new QLabel(this);
  m_logoImage->setFixedSize(96, 48);
  m_logoImage->setAlignment(Qt::AlignCenter);
  layout->addWidget(m_logoImage);

  auto* details = new QFrame(this);
  details->setFrameShape(QFrame::StyledPanel);
  details->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(details, &QWidget::customContextMenuRequested, this,
          [menu, details](const QPoint& at) { menu->exec(details->mapToGlobal(at)); });
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
  for (QLabel* label : {m_notesLabel, m_typeLabel, m_languageLabel, m_fileNamePanel}) {
    label->installEventFilter(this);
    label->setCursor(Qt::PointingHandCursor);
  }
  layout->addWidget(details, 1);
}

bool TDetailsPanel::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
      (watched == m_notesLabel || watched == m_typeLabel || watched == m_languageLabel ||
       watched == m_fileNamePanel)) {
    Q_EMIT Clicked();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void TDetailsPanel::ShowLogo(const tCatalogueWindow& window) {
  const ViewMode mode = window.TickedViewMode();
  switch (mode) {
    case ViewMode::All:
      m_logoImage->setPixmap(ArtPixmap("logo", 96, 48));
      break;
    case ViewMode::CustomLanguage:
      m_logoImage->setPixmap(CustomLanguageFlag(window.CustomLanguage().index)
                                 .scaled(48, 36, Qt::KeepAspectRatio, Qt::SmoothTransformation));
      break;
    case ViewMode::English:
      m_logoImage->setPixmap(ArtPixmap("flag-eng", 48, 48));
      break;
    case ViewMode::OtherLanguages:
      m_logoImage->setPixmap(ArtPixmap("globe", 40, 40));
      break;
    case ViewMode::NewSongs:
      m_logoImage->setPixmap(ArtPixmap("unknown-language", 40, 40));
      break;
    default:
      m_logoImage->clear();
      break;
  }
  m_logoImage->setToolTip(ToQt(window.LogoHint(mode)));
}

void TDetailsPanel::Show(const tCatalogueWindow& window) {
  ShowLogo(window);
  const tSong* song = window.CurrentSong();
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
  m_typePicture->setPixmap(TypePicture(
      TypePictureIndex(record, window.Files().FileExists(std::string(record.FileName())))));
  m_languagePicture->setPixmap(LanguageFlag(LanguagePictureOf(language)));
}

}  // namespace tunedex
