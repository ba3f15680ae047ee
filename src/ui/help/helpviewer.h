// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QStringList>
#include <vector>

#include "helpsearch.h"

class QLineEdit;
class QListWidget;
class QSplitter;
class QTextBrowser;
class QToolButton;

namespace tunedex {

// The help viewer: bundled HTML pages, one per topic number; topic 0 is the contents page.
// Back and Forward follow the pages seen, Contents opens the contents page, and the search box
// lists the pages holding every word typed; a page opened from that list shows the words
// marked.
class THelpViewer : public QDialog {
  Q_OBJECT

 public:
  explicit THelpViewer(QWidget* parent = nullptr);
  void ShowTopic(int topic);
  static QString PageOf(int topic);

 private:
  void Search(const QString& query);
  void OpenHit(int row);
  void MarkWords(const QStringList& words);

  QToolButton* m_back;
  QToolButton* m_forward;
  QLineEdit* m_search;
  QListWidget* m_hits;
  QSplitter* m_splitter;
  QTextBrowser* m_browser;
  std::vector<HelpPageText> m_pages;  // read at the first search
  QStringList m_words;                // the words of the shown hits
};

}  // namespace tunedex
