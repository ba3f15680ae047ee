// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QTextBrowser;

namespace tunedex {

// The help viewer: bundled HTML pages, one per topic number; topic 0 is the contents page.
class THelpViewer : public QDialog {
  Q_OBJECT

 public:
  explicit THelpViewer(QWidget* parent = nullptr);
  void ShowTopic(int topic);
  static QString PageOf(int topic);

 private:
  QTextBrowser* m_browser;
};

}  // namespace tunedex
