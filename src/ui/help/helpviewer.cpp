// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpviewer.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace tunedex {

namespace {

const QString kHelpFolder = QStringLiteral(":/help");
constexpr int kPageRole = Qt::UserRole + 1;

QToolButton* Button(QWidget* parent, const QString& name, const QString& text,
                    QStyle::StandardPixmap icon, const QString& tip) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setText(text);
  button->setIcon(parent->style()->standardIcon(icon));
  button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  button->setToolTip(tip);
  button->setAutoRaise(true);
  return button;
}

}  // namespace

THelpViewer::THelpViewer(QWidget* parent)
    : QDialog(parent),
      m_back(Button(this, QStringLiteral("back"), QStringLiteral("&Back"), QStyle::SP_ArrowBack,
                    QStringLiteral("The page seen before (Alt+Left)"))),
      m_forward(Button(this, QStringLiteral("forward"), QStringLiteral("&Forward"),
                       QStyle::SP_ArrowForward, QStringLiteral("The page seen after (Alt+Right)"))),
      m_search(new QLineEdit(this)),
      m_hits(new QListWidget(this)),
      m_splitter(new QSplitter(this)),
      m_browser(new QTextBrowser(this)) {
  setObjectName(QStringLiteral("THelpViewer"));
  setWindowTitle(QStringLiteral("Tunedex Help"));
  setModal(false);

  QToolButton* contents =
      Button(this, QStringLiteral("contents"), QStringLiteral("&Contents"), QStyle::SP_DirHomeIcon,
             QStringLiteral("The list of every help page"));
  m_back->setShortcut(QKeySequence::Back);
  m_forward->setShortcut(QKeySequence::Forward);
  m_back->setEnabled(false);
  m_forward->setEnabled(false);
  m_search->setObjectName(QStringLiteral("search"));
  m_search->setPlaceholderText(QStringLiteral("Search the help"));
  m_search->setClearButtonEnabled(true);
  m_search->setToolTip(
      QStringLiteral("Lists the pages that hold every word typed; Enter opens the first"));
  m_hits->setObjectName(QStringLiteral("hits"));
  m_hits->hide();
  m_browser->setObjectName(QStringLiteral("page"));
  m_browser->setSearchPaths({kHelpFolder});
  m_browser->setOpenExternalLinks(false);

  auto* bar = new QHBoxLayout();
  bar->setContentsMargins(4, 4, 4, 0);
  bar->addWidget(m_back);
  bar->addWidget(m_forward);
  bar->addWidget(contents);
  bar->addStretch();
  bar->addWidget(m_search, 1);
  m_splitter->addWidget(m_hits);
  m_splitter->addWidget(m_browser);
  m_splitter->setStretchFactor(1, 1);
  m_splitter->setChildrenCollapsible(false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(bar);
  layout->addWidget(m_splitter, 1);

  connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
  connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
  connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QToolButton::setEnabled);
  connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QToolButton::setEnabled);
  connect(contents, &QToolButton::clicked, this,
          [this] { m_browser->setSource(QUrl(QStringLiteral("index.html"))); });
  // A page reached any other way than from the hits shows no marks.
  connect(m_browser, &QTextBrowser::sourceChanged, this, [this] { MarkWords({}); });
  connect(m_search, &QLineEdit::textChanged, this, &THelpViewer::Search);
  connect(m_search, &QLineEdit::returnPressed, this, [this] { OpenHit(0); });
  connect(m_hits, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { OpenHit(m_hits->row(item)); });
  connect(m_hits, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { OpenHit(m_hits->row(item)); });
  resize(780, 560);
}

QString THelpViewer::PageOf(int topic) {
  const QString page = QStringLiteral("%1.html").arg(topic);
  return topic != 0 && QFile::exists(kHelpFolder + u'/' + page) ? page
                                                                : QStringLiteral("index.html");
}

void THelpViewer::ShowTopic(int topic) {
  m_browser->setSource(QUrl(PageOf(topic)));
  show();
  raise();
  activateWindow();
}

void THelpViewer::Search(const QString& query) {
  m_words = HelpSearchWords(query);
  m_hits->clear();
  if (m_words.isEmpty()) {
    m_hits->hide();
    return;
  }
  if (m_hits->isHidden()) {
    m_hits->show();
    m_splitter->setSizes({220, qMax(m_splitter->width() - 220, 220)});
  }
  if (m_pages.empty()) m_pages = LoadHelpPages(kHelpFolder);
  for (const HelpSearchHit& hit : SearchHelpPages(m_pages, m_words)) {
    auto* item = new QListWidgetItem(hit.title, m_hits);
    item->setData(kPageRole, hit.page);
  }
  if (m_hits->count() == 0) {
    auto* none = new QListWidgetItem(QStringLiteral("No page holds all the words"), m_hits);
    none->setFlags(Qt::NoItemFlags);
  }
}

void THelpViewer::OpenHit(int row) {
  const QListWidgetItem* item = m_hits->item(row);
  if (item == nullptr || !item->data(kPageRole).isValid()) return;
  m_hits->setCurrentRow(row);
  m_browser->setSource(QUrl(item->data(kPageRole).toString()));
  MarkWords(m_words);
}

void THelpViewer::MarkWords(const QStringList& words) {
  QList<QTextEdit::ExtraSelection> marks;
  QTextDocument* document = m_browser->document();
  for (const QString& word : words) {
    for (QTextCursor found = document->find(word); !found.isNull();
         found = document->find(word, found)) {
      QTextEdit::ExtraSelection mark;
      mark.cursor = found;
      mark.format.setBackground(QColor(255, 230, 80));
      marks.append(mark);
    }
  }
  m_browser->setExtraSelections(marks);
  if (!marks.isEmpty()) {
    QTextCursor first = marks.front().cursor;
    for (const QTextEdit::ExtraSelection& mark : marks) {
      if (mark.cursor.position() < first.position()) first = mark.cursor;
    }
    first.clearSelection();
    m_browser->setTextCursor(first);
    m_browser->ensureCursorVisible();
  }
}

}  // namespace tunedex
