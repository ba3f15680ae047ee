// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <optional>

#include "catalogue/pathmatching.h"

class QLineEdit;
class QPushButton;

namespace tunedex {

// The two texts of path matching: what to replace in the lost songs' folders, and with what.
class TPathMatchingDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TPathMatchingDialog(const PathMatchTexts& texts, QWidget* parent = nullptr);

  PathMatchTexts Texts() const;
  QLineEdit& FindEdit() { return *m_find; }
  QLineEdit& ReplacementEdit() { return *m_replacement; }
  QPushButton& OkButton() { return *m_ok; }
  QPushButton& CancelButton() { return *m_cancel; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLineEdit* m_find = nullptr;
  QLineEdit* m_replacement = nullptr;
  QPushButton* m_ok = nullptr;
  QPushButton* m_cancel = nullptr;
};

// Shows the dialog modally: the edited texts for OK, nothing for Cancel.
std::optional<PathMatchTexts> AskMatchPaths(QWidget* parent, const PathMatchTexts& texts);

}  // namespace tunedex
