// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "catalogue/movedfiles.h"

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace tunedex {

// The review of a "Find moved files" search: each proposal with its old and new path and a
// tick, and apart the names the search could not settle with their candidates. The ticks go
// straight to the search's findings; the caller makes them when the dialog ends with OK.
class TMovedFilesDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TMovedFilesDialog(tMovedFiles& moved, QWidget* parent = nullptr);
  ~TMovedFilesDialog() override;

  QTreeWidget& Proposals() { return *m_proposals; }
  QTreeWidget& Unsettled() { return *m_unsettled; }
  QLabel& CountLabel() { return *m_count; }
  QPushButton& OkButton() { return *m_ok; }
  QPushButton& CancelButton() { return *m_cancel; }

 private:
  void ProposalChanged(QTreeWidgetItem* item, int column);
  void ShowCount();

  tMovedFiles& m_moved;
  QTreeWidget* m_proposals = nullptr;
  QTreeWidget* m_unsettled = nullptr;
  QLabel* m_count = nullptr;
  QPushButton* m_ok = nullptr;
  QPushButton* m_cancel = nullptr;
};

// Shows the review modally: true when it ended with OK.
bool ReviewMovedFiles(QWidget* parent, tMovedFiles& moved);

}  // namespace tunedex
