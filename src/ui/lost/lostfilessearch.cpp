// SPDX-License-Identifier: GPL-3.0-or-later
// The Lost Files window's search for moved files: the folder, the progress of the walk, Stop,
// and the review of what it found.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "ui/lost/lostfilesdialog.h"
#include "ui/widgets/qtuser.h"

namespace tunedex {

void TLostFilesDialog::StartSearch() {
  if (m_poller->isActive() || !m_logic->ActionsEnabled()) return;
  const std::optional<std::string> folder = m_context.chooseFolder(this, m_context.songsFolder);
  if (!folder || folder->empty()) return;
  m_logic->FindMovedFiles(*folder);
  m_searchLine->setText(QStringLiteral("Searching ") + ToQt(*folder));
  m_poller->start();
  Sync();
}

void TLostFilesDialog::PollSearch() {
  tMovedFiles* moved = m_logic->MovedFiles();
  if (!moved) {
    m_poller->stop();
    Sync();
    return;
  }
  const tMovedFilesSearch::Progress progress = moved->Poll();
  m_searchLine->setText(QStringLiteral("Searching ") + ToQt(progress.folder) +
                        QStringLiteral(": ") + QString::number(progress.filesSeen) +
                        QStringLiteral(" files"));
  if (moved->Finished()) SearchEnded();
}

void TLostFilesDialog::SearchEnded() {
  m_poller->stop();
  Sync();
  tMovedFiles& moved = *m_logic->MovedFiles();
  if (moved.Stopped()) {
    m_searchLine->setText(QStringLiteral("The search was stopped"));
    m_logic->CloseMovedFiles();
    return;
  }
  const MovedFilesFindings& findings = moved.Findings();
  m_searchLine->clear();
  if (findings.proposals.empty() && findings.ambiguous.empty() &&
      findings.alreadyCatalogued.empty()) {
    m_context.user.ShowInformation("None of the lost files was found in " + moved.Folder());
    m_logic->CloseMovedFiles();
    return;
  }
  if (m_context.reviewMovedFiles(this, moved)) {
    Do([this] { m_logic->AcceptMovedFiles(); });
  } else {
    m_logic->CloseMovedFiles();
  }
}

void TLostFilesDialog::FinishSearch() {
  while (m_poller->isActive()) {
    QApplication::processEvents(QEventLoop::AllEvents, kSearchPollMs);
    PollSearch();
  }
}

}  // namespace tunedex
