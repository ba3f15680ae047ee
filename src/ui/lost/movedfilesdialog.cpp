// SPDX-License-Identifier: GPL-3.0-or-later
#include "movedfilesdialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <utility>

#include "ui/widgets/dialogbuttons.h"
#include "ui/widgets/qtuser.h"

namespace tunedex {

namespace {

QLabel* PlainLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  return label;
}

QTreeWidget* PathList(const QStringList& headers, QWidget* parent) {
  auto* list = new QTreeWidget(parent);
  list->setHeaderLabels(headers);
  list->setRootIsDecorated(false);
  list->setUniformRowHeights(true);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->header()->setStretchLastSection(true);
  list->header()->setSectionResizeMode(0, QHeaderView::Interactive);
  return list;
}

}  // namespace

TMovedFilesDialog::TMovedFilesDialog(tMovedFiles& moved, QWidget* parent)
    : QDialog(parent), m_moved(moved) {
  setObjectName(QStringLiteral("MovedFiles"));
  setWindowTitle(QStringLiteral("Find moved files"));
  setSizeGripEnabled(true);
  resize(760, 480);
  const MovedFilesFindings& findings = m_moved.Findings();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PlainLabel(QStringLiteral("Lost songs whose files were found in ") +
                                   ToQt(m_moved.Folder()) +
                                   QStringLiteral(" (ticked ones are changed):"),
                               this));
  m_proposals = PathList({QStringLiteral("Old path"), QStringLiteral("New path")}, this);
  m_proposals->setToolTip(QStringLiteral("Untick a song to leave its record as it is"));
  for (const MovedFileProposal& proposal : findings.proposals) {
    auto* item = new QTreeWidgetItem(m_proposals, {ToQt(proposal.oldPath), ToQt(proposal.newPath)});
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(0, proposal.ticked ? Qt::Checked : Qt::Unchecked);
  }
  m_proposals->header()->resizeSection(0, 360);
  layout->addWidget(m_proposals, 2);
  connect(m_proposals, &QTreeWidget::itemChanged, this, &TMovedFilesDialog::ProposalChanged);

  // The names the search leaves to the user: several files of one name, several lost songs
  // wanting one file, or a file another song already has.
  layout->addWidget(PlainLabel(
      QStringLiteral("Not changed: names found more than once, or files already in the catalogue:"),
      this));
  m_unsettled = PathList({QStringLiteral("Name"), QStringLiteral("Paths")}, this);
  m_unsettled->setRootIsDecorated(true);
  for (const AmbiguousName& name : findings.ambiguous) {
    auto* item =
        new QTreeWidgetItem(m_unsettled, {ToQt(name.name), QString::number(name.candidates.size()) +
                                                               QStringLiteral(" files found")});
    for (const std::string& path : name.lostPaths) {
      new QTreeWidgetItem(item, {QStringLiteral("lost"), ToQt(path)});
    }
    for (const std::string& path : name.candidates) {
      new QTreeWidgetItem(item, {QStringLiteral("found"), ToQt(path)});
    }
    item->setExpanded(true);
  }
  for (const MovedFileProposal& taken : findings.alreadyCatalogued) {
    auto* item = new QTreeWidgetItem(m_unsettled, {ToQt(SongFileName(taken.oldPath)),
                                                   QStringLiteral("already in the catalogue")});
    new QTreeWidgetItem(item, {QStringLiteral("lost"), ToQt(taken.oldPath)});
    new QTreeWidgetItem(item, {QStringLiteral("found"), ToQt(taken.newPath)});
    item->setExpanded(true);
  }
  m_unsettled->header()->resizeSection(0, 200);
  layout->addWidget(m_unsettled, 1);

  m_count = PlainLabel(QString(), this);
  const OkCancelButtons buttons = AddOkCancelRow(*this, *layout, m_count);
  m_ok = buttons.ok;
  m_cancel = buttons.cancel;
  ShowCount();
}

TMovedFilesDialog::~TMovedFilesDialog() {
  // The lists go first, so that no change of theirs reaches findings that may be gone.
  disconnect(m_proposals, nullptr, this, nullptr);
  delete std::exchange(m_proposals, nullptr);
  delete std::exchange(m_unsettled, nullptr);
}

void TMovedFilesDialog::ProposalChanged(QTreeWidgetItem* item, int column) {
  if (column != 0 || m_proposals == nullptr) return;
  const int row = m_proposals->indexOfTopLevelItem(item);
  if (row < 0) return;
  m_moved.SetTicked(static_cast<std::size_t>(row), item->checkState(0) == Qt::Checked);
  ShowCount();
}

void TMovedFilesDialog::ShowCount() {
  m_count->setText(QString::number(m_moved.TickedCount()) + QStringLiteral(" of ") +
                   QString::number(m_moved.Findings().proposals.size()) +
                   QStringLiteral(" songs will take their new paths"));
}

bool ReviewMovedFiles(QWidget* parent, tMovedFiles& moved) {
  if (Unattended()) return false;
  TMovedFilesDialog dialog(moved, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace tunedex
