// SPDX-License-Identifier: GPL-3.0-or-later
// The help viewer: its search rules over pages made here, and the window's Back, Forward,
// Contents and search over the bundled pages.
#include "ui/help/helpviewer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include "ui/help/helpsearch.h"
#include "ui/widgets/pictures.h"

namespace tunedex {
namespace {

QStringList Pages(const std::vector<HelpSearchHit>& hits) {
  QStringList pages;
  for (const HelpSearchHit& hit : hits) pages.append(hit.page);
  return pages;
}

TEST(HelpSearchTest, WordsAreRunsOfLettersAndDigitsFoldedOnce) {
  const struct {
    const char* query;
    QStringList words;
  } cases[] = {
      {"", {}},
      {"  ,;  ", {}},
      {"Match Paths", {QStringLiteral("match"), QStringLiteral("paths")}},
      {"F9", {QStringLiteral("f9")}},
      {"play, PLAY play", {QStringLiteral("play")}},
      {"D:\\Karaoke", {QStringLiteral("d"), QStringLiteral("karaoke")}},
      {"Full-list  view", {QStringLiteral("full"), QStringLiteral("list"), QStringLiteral("view")}},
      {"Ñandú ÉTÉ", {QStringLiteral("ñandú"), QStringLiteral("été")}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HelpSearchWords(QString::fromUtf8(c.query)), c.words) << c.query;
  }
}

TEST(HelpSearchTest, PageTextHasNoTagsAndDecodedEntities) {
  const HelpPageText page = HelpPageFromHtml(
      QStringLiteral("12.html"),
      QStringLiteral("<html><body>\n<h2>Songs &amp; <i>singers</i></h2>\n"
                     "<p>Press <b>Next</b>&nbsp;or&#32;the &quot;&gt;&quot; sign;"
                     " &#x41;&unknown; stays.</p>\n<img src=\"shots/x.png\"></body></html>"));
  EXPECT_EQ(page.page, QStringLiteral("12.html"));
  EXPECT_EQ(page.title, QStringLiteral("Songs & singers"));
  EXPECT_EQ(page.text,
            QStringLiteral("Songs & singers Press Next or the \">\" sign; A&unknown; stays."));
  // The picture's file name is not text of the page.
  EXPECT_FALSE(page.text.contains(QStringLiteral("shots")));
  EXPECT_EQ(HelpPageFromHtml(QStringLiteral("9.html"), QStringLiteral("<p>no heading</p>")).title,
            QStringLiteral("9.html"));
}

TEST(HelpSearchTest, PagesHoldingEveryWordComeTitleMatchesFirst) {
  const std::vector<HelpPageText> pages = {
      {QStringLiteral("a.html"), QStringLiteral("Playlist Central"),
       QStringLiteral("Playlist Central runs the singers. A singer sings.")},
      {QStringLiteral("b.html"), QStringLiteral("Audience view"),
       QStringLiteral("Audience view shows the singer and the next singer to the room.")},
      {QStringLiteral("c.html"), QStringLiteral("Player Options"),
       QStringLiteral("Player Options choose the player program.")},
      {QStringLiteral("d.html"), QStringLiteral("Singers"),
       QStringLiteral("Singers: the room's singer list.")},
  };
  const struct {
    const char* query;
    QStringList expected;
  } cases[] = {
      // d.html has the word in its title; b.html and a.html hold it as often, by title.
      {"singer", {QStringLiteral("d.html"), QStringLiteral("b.html"), QStringLiteral("a.html")}},
      {"SINGER room", {QStringLiteral("d.html"), QStringLiteral("b.html")}},
      {"player", {QStringLiteral("c.html")}},
      {"play", {QStringLiteral("c.html"), QStringLiteral("a.html")}},
      {"singer program", {}},
      {"", {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Pages(SearchHelpPages(pages, HelpSearchWords(QString::fromUtf8(c.query)))),
              c.expected)
        << c.query;
  }
}

TEST(HelpSearchTest, EqualPagesKeepTitleOrder) {
  const std::vector<HelpPageText> pages = {
      {QStringLiteral("2.html"), QStringLiteral("Zeta"), QStringLiteral("Zeta song")},
      {QStringLiteral("1.html"), QStringLiteral("Alpha"), QStringLiteral("Alpha song")},
  };
  EXPECT_EQ(Pages(SearchHelpPages(pages, {QStringLiteral("song")})),
            (QStringList{QStringLiteral("1.html"), QStringLiteral("2.html")}));
}

// The bundled pages answer a host's questions with the page that explains it first.
TEST(HelpSearchTest, BundledPagesAnswerWithTheirTopic) {
  InitUiResources();
  const std::vector<HelpPageText> pages = LoadHelpPages(QStringLiteral(":/help"));
  ASSERT_EQ(pages.size(),
            static_cast<std::size_t>(QDir(QStringLiteral(":/help"))
                                         .entryList({QStringLiteral("*.html")}, QDir::Files)
                                         .size()));
  const struct {
    const char* query;
    const char* first;
  } cases[] = {
      {"audience view", "13500.html"}, {"full playlist", "14000.html"},
      {"filter", "9100.html"},         {"song explorer", "7000.html"},
      {"lost files", "10000.html"},    {"custom language", "9000.html"},
      {"windows", "15000.html"},       {"player options", "3000.html"},
      {"print", "6000.html"},
  };
  for (const auto& c : cases) {
    const std::vector<HelpSearchHit> hits =
        SearchHelpPages(pages, HelpSearchWords(QString::fromUtf8(c.query)));
    ASSERT_FALSE(hits.empty()) << c.query;
    EXPECT_EQ(hits.front().page.toStdString(), c.first) << c.query;
  }
}

class HelpViewerWindowTest : public testing::Test {
 protected:
  void SetUp() override { InitUiResources(); }
  QString Shown() const { return m_browser->source().fileName(); }
  QToolButton* Button(const char* name) const {
    return m_viewer.findChild<QToolButton*>(QString::fromLatin1(name));
  }

  THelpViewer m_viewer;
  QTextBrowser* m_browser = m_viewer.findChild<QTextBrowser*>(QStringLiteral("page"));
  QLineEdit* m_search = m_viewer.findChild<QLineEdit*>(QStringLiteral("search"));
  QListWidget* m_hits = m_viewer.findChild<QListWidget*>(QStringLiteral("hits"));
};

TEST_F(HelpViewerWindowTest, BackForwardAndContentsFollowThePagesSeen) {
  ASSERT_NE(m_browser, nullptr);
  QToolButton* back = Button("back");
  QToolButton* forward = Button("forward");
  QToolButton* contents = Button("contents");
  ASSERT_TRUE(back && forward && contents);

  m_viewer.ShowTopic(1500);
  EXPECT_EQ(Shown(), QStringLiteral("1500.html"));
  EXPECT_FALSE(back->isEnabled());
  EXPECT_FALSE(forward->isEnabled());

  m_viewer.ShowTopic(2000);
  QTest::mouseClick(contents, Qt::LeftButton);
  EXPECT_EQ(Shown(), QStringLiteral("index.html"));
  EXPECT_TRUE(back->isEnabled());
  EXPECT_FALSE(forward->isEnabled());

  QTest::mouseClick(back, Qt::LeftButton);
  EXPECT_EQ(Shown(), QStringLiteral("2000.html"));
  EXPECT_TRUE(forward->isEnabled());
  QTest::mouseClick(back, Qt::LeftButton);
  EXPECT_EQ(Shown(), QStringLiteral("1500.html"));
  EXPECT_FALSE(back->isEnabled());
  EXPECT_TRUE(forward->isEnabled());

  QTest::mouseClick(forward, Qt::LeftButton);
  EXPECT_EQ(Shown(), QStringLiteral("2000.html"));
  // A new page drops what lay forward.
  m_viewer.ShowTopic(7000);
  EXPECT_FALSE(forward->isEnabled());
  QTest::mouseClick(back, Qt::LeftButton);
  EXPECT_EQ(Shown(), QStringLiteral("2000.html"));
}

TEST_F(HelpViewerWindowTest, SearchListsPagesAndEnterOpensTheFirstWithTheWordsMarked) {
  ASSERT_TRUE(m_browser && m_search && m_hits);
  m_viewer.ShowTopic(0);
  EXPECT_TRUE(m_hits->isHidden());

  QTest::keyClicks(m_search, QStringLiteral("Audience bars"));
  ASSERT_FALSE(m_hits->isHidden());
  ASSERT_GE(m_hits->count(), 1);
  EXPECT_EQ(m_hits->item(0)->text(), QStringLiteral("Audience view"));
  QTest::keyClick(m_search, Qt::Key_Return);
  EXPECT_EQ(Shown(), QStringLiteral("13500.html"));

  const QList<QTextEdit::ExtraSelection> marks = m_browser->extraSelections();
  ASSERT_FALSE(marks.isEmpty());
  int audience = 0;
  int bars = 0;
  for (const QTextEdit::ExtraSelection& mark : marks) {
    const QString text = mark.cursor.selectedText().toLower();
    if (text == QStringLiteral("audience")) ++audience;
    if (text == QStringLiteral("bars")) ++bars;
    EXPECT_TRUE(text == QStringLiteral("audience") || text == QStringLiteral("bars"))
        << text.toStdString();
  }
  EXPECT_GT(audience, 0);
  EXPECT_GT(bars, 0);

  // Following a link leaves the marks behind; Back to the found page does not bring them.
  m_browser->setSource(QUrl(QStringLiteral("12000.html")));
  EXPECT_TRUE(m_browser->extraSelections().isEmpty());
}

TEST_F(HelpViewerWindowTest, ClickingAHitOpensItAndNothingFoundOpensNothing) {
  ASSERT_TRUE(m_browser && m_search && m_hits);
  m_viewer.ShowTopic(1500);
  QTest::keyClicks(m_search, QStringLiteral("match paths"));
  ASSERT_GE(m_hits->count(), 2);
  QListWidgetItem* second = m_hits->item(1);
  const QString page = second->data(Qt::UserRole + 1).toString();
  QTest::mouseClick(m_hits->viewport(), Qt::LeftButton, {},
                    m_hits->visualItemRect(second).center());
  EXPECT_EQ(Shown(), page);
  EXPECT_FALSE(m_browser->extraSelections().isEmpty());

  m_search->clear();
  EXPECT_TRUE(m_hits->isHidden());
  QTest::keyClicks(m_search, QStringLiteral("zzqx nowhere"));
  ASSERT_EQ(m_hits->count(), 1);
  EXPECT_EQ(m_hits->item(0)->flags(), Qt::NoItemFlags);
  QTest::keyClick(m_search, Qt::Key_Return);
  EXPECT_EQ(Shown(), page);
}

// Every picture a page shows is in the help resource.
TEST(HelpPagesTest, EveryPictureIsBundled) {
  InitUiResources();
  const QRegularExpression image(QStringLiteral("<img[^>]*src=\"([^\"]*)\""));
  const QStringList pages =
      QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.html")}, QDir::Files);
  int pictures = 0;
  for (const QString& page : pages) {
    QFile file(QStringLiteral(":/help/") + page);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
    const QString text = QString::fromUtf8(file.readAll());
    for (const QRegularExpressionMatch& match : image.globalMatch(text)) {
      ++pictures;
      EXPECT_TRUE(QFile::exists(QStringLiteral(":/help/") + match.captured(1)))
          << page.toStdString() << " shows " << match.captured(1).toStdString();
    }
  }
  EXPECT_GT(pictures, 0);
}

}  // namespace
}  // namespace tunedex
