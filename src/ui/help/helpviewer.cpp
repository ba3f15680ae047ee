// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpviewer.h"

#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace tunedex {

THelpViewer::THelpViewer(QWidget* parent) : QDialog(parent), m_browser(new QTextBrowser(this)) {
  setObjectName(QStringLiteral("THelpViewer"));
  setWindowTitle(QStringLiteral("Tunedex Help"));
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_browser);
  m_browser->setSearchPaths({QStringLiteral(":/help")});
  m_browser->setOpenExternalLinks(false);
  resize(560, 480);
}

QString THelpViewer::PageOf(int topic) {
  const QString page = QStringLiteral("%1.html").arg(topic);
  return topic != 0 && QFile::exists(QStringLiteral(":/help/") + page)
             ? page
             : QStringLiteral("index.html");
}

void THelpViewer::ShowTopic(int topic) {
  m_browser->setSource(QUrl(PageOf(topic)));
  show();
  raise();
  activateWindow();
}

}  // namespace tunedex
