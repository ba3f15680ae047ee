// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/mainwindow.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "catalogue/songgridlayout.h"
#include "common/userlocale.h"
#include "platform/giofilesystem.h"
#include "song/songtype.h"
#include "support/fakevolumes.h"
#include "support/songfixtures.h"
#include "support/tempfolder.h"
#include "ui/help/helpviewer.h"
#include "ui/lost/lostfilesdialog.h"
#include "ui/main/detailspanel.h"
#include "ui/main/navigatorbar.h"
#include "ui/main/songgrid.h"
#include "ui/widgets/pictures.h"
#include "ui/widgets/qtuser.h"

namespace tunedex {
namespace {

using test::MakeRecord;

int Switch(DisplaySwitch which) {
  return static_cast<int>(which);
}

// The texts of a menu's items, with separators as "-".
QStringList Texts(const QMenu& menu) {
  QStringList texts;
  for (const QAction* action : menu.actions()) {
    texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
  }
  return texts;
}

class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override { SetUserLocale("en_US"); }

  std::unique_ptr<TTunedexMain> Open(const std::string& extraSettings = "") {
    const std::string database =
        folder.Write("songs.tdb", test::DatabaseFile(0, test::ThreeSongs()));
    settings = folder.Write("tunedex.ini", "[Startup]\nData=" + database + "\n" + extraSettings);
    auto window = std::make_unique<TTunedexMain>(catalogue, files, volumes, settings);
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return window;
  }

  test::TempFolder folder;
  std::string settings;
  GioFileSystem files;
  test::FakeVolumes volumes;
  tCatalogue catalogue;
};

TEST_F(MainWindowTest, LostFilesCommandOpensItsWindowOverTheCatalogue) {
  auto window = Open();
  QString shownFile;
  QString status;
  QTimer::singleShot(0, window.get(), [&] {
    auto* lost = qobject_cast<TLostFilesDialog*>(QApplication::activeModalWidget());
    if (!lost) return;
    shownFile = lost->FileEdit().text();
    status = lost->StatusLine().text();
    lost->Button(LostFilesControl::Close).click();
  });
  window->Logic().Run(Command::LostFiles);
  // None of the catalogue's files exists.
  EXPECT_EQ(shownFile, QStringLiteral("/s/w.kar"));
  EXPECT_EQ(status, QStringLiteral("There are 3 lost files in the songlist"));
}

TEST_F(MainWindowTest, MenusAreTickedAndEnabledAfterLoading) {
  auto window = Open();
  EXPECT_TRUE(window->Action(Command::Save)->isEnabled());
  EXPECT_TRUE(window->Action(Command::DeleteSong)->isEnabled());
  EXPECT_FALSE(window->Action(Command::FindNext)->isEnabled());
  EXPECT_TRUE(window->Action(Command::SongExplorer)->isEnabled());
  EXPECT_TRUE(window->Action(Command::ScanForSongs)->isEnabled());
  EXPECT_TRUE(window->Action(Command::LostFiles)->isEnabled());
  EXPECT_TRUE(window->Action(Command::ViewAll)->isChecked());
  EXPECT_TRUE(
      window->Action(Command::ToggleDisplay, Switch(DisplaySwitch::ConfirmSaves))->isChecked());
  EXPECT_FALSE(window->Action(Command::ToggleDisplay, Switch(DisplaySwitch::ShowFormatMismatches))
                   ->isChecked());
  EXPECT_EQ(window->Action(Command::ViewCustomLanguage)->text(), QStringLiteral("Swedish songs"));
  EXPECT_EQ(window->StatusPanel(0)->text(), QStringLiteral("Showing: All Songs"));
  EXPECT_EQ(window->StatusPanel(2)->text(), QStringLiteral("Song 1/3"));
}

TEST_F(MainWindowTest, AHeaderClickSortsAndKeepsTheSelectedSong) {
  auto window = Open();
  TSongGrid& grid = window->Grid();
  EXPECT_EQ(grid.model()->rowCount(), 3);
  window->Logic().SelectRow(1);
  window->Sync();
  Q_EMIT grid.horizontalHeader()->sectionClicked(3);  // "Title"
  EXPECT_EQ(window->StatusPanel(1)->text(), QStringLiteral("Sort: Title"));
  EXPECT_TRUE(window->Action(Command::Sort, kSortByTitle)->isChecked());
  EXPECT_EQ(grid.model()->index(0, 3).data().toString(), QStringLiteral("Amour"));
  EXPECT_EQ(grid.currentIndex().row(), 0);  // Amour stays selected
  Q_EMIT grid.horizontalHeader()->sectionClicked(3);
  EXPECT_FALSE(window->Action(Command::Sort, kSortByTitle)->isChecked());
  EXPECT_EQ(window->StatusPanel(1)->text(), QStringLiteral("Sort: Title"));
  EXPECT_EQ(grid.model()->index(0, 3).data().toString(), QStringLiteral("Waterloo"));
}

TEST_F(MainWindowTest, TheCaptionIsShortenedFromItsLeadingFolders) {
  auto window = Open();
  const QString full = window->ShortenedCaption(4000);
  EXPECT_EQ(full,
            QStringLiteral("-Tunedex- ") + QString::fromStdString(folder.PathOf("songs.tdb")));
  const QString narrow = window->ShortenedCaption(320);
  EXPECT_TRUE(narrow.startsWith(QStringLiteral("-Tunedex- /.../"))) << narrow.toStdString();
  EXPECT_TRUE(narrow.endsWith(QStringLiteral("/songs.tdb")));
}

TEST_F(MainWindowTest, AnEmptyViewShowsOneEmptyRowAndNoSongs) {
  auto window = Open();
  window->Logic().ChooseView(ViewMode::NewSongs);
  window->Sync();
  EXPECT_EQ(window->Grid().model()->rowCount(), 1);
  EXPECT_EQ(window->StatusPanel(2)->text(), QStringLiteral("No songs"));
  EXPECT_FALSE(window->Action(Command::DeleteSong)->isEnabled());
  EXPECT_TRUE(window->Action(Command::ViewNewSongs)->isChecked());
}

TEST_F(MainWindowTest, HidingAreasKeepsTheirSettings) {
  auto window = Open("[Options]\nNavigator=0\nStatus Bar=0\n");
  EXPECT_FALSE(
      window->Action(Command::ToggleDisplay, Switch(DisplaySwitch::Navigator))->isChecked());
  window->Action(Command::ToggleDisplay, Switch(DisplaySwitch::Navigator))->trigger();
  EXPECT_TRUE(window->Logic().Display().navigator);
  window->close();  // unmodified: closes without a question and writes the settings
  const tIniFile ini = tIniFile::Load(settings);
  EXPECT_TRUE(ini.ReadBool("Options", "Navigator", false));
  EXPECT_FALSE(ini.ReadBool("Options", "Status Bar", true));
  EXPECT_EQ(ini.ReadInteger("SongGrid", "Column2", 0), 49);
}

TEST_F(MainWindowTest, MenusFollowTheWindowsRules) {
  auto window = Open();
  QMenu* selection = window->GridMenu()->actions().front()->menu();
  ASSERT_NE(selection, nullptr);
  EXPECT_EQ(
      Texts(*selection),
      (QStringList{QStringLiteral("All songs"), QStringLiteral("Songs in English "),
                   QStringLiteral("Swedish songs"), QStringLiteral("Songs in other languages"),
                   QStringLiteral("New songs"), QStringLiteral("Filter...\tF4")}));

  // With no song shown, no details-menu item can be used; adding from the menus still can.
  window->Logic().ChooseView(ViewMode::NewSongs);
  window->Sync();
  ASSERT_EQ(window->DetailsMenu()->actions().size(), 5);
  for (const QAction* action : window->DetailsMenu()->actions()) {
    EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
  }
  EXPECT_FALSE(window->Action(Command::AddSongFromDetails)->isEnabled());
  EXPECT_TRUE(window->Action(Command::AddSong)->isEnabled());

  // An empty catalogue releases the toolbar's view button; the menu item keeps its tick.
  window->Logic().ChooseView(ViewMode::English);
  window->Logic().Catalogue().RemoveAll();
  window->Sync();
  EXPECT_TRUE(window->Action(Command::ViewEnglish)->isChecked());
  QAction* button = nullptr;
  for (QAction* action : window->findChildren<QToolBar*>().front()->actions()) {
    if (action->toolTip() == QStringLiteral("Show songs in English")) button = action;
  }
  ASSERT_NE(button, nullptr);
  EXPECT_FALSE(button->isChecked());
}

TEST_F(MainWindowTest, TheFindBoxSelectsItsTextOnADoubleClickAndEndsTheCaretThere) {
  auto window = Open();
  TFindBox* box = window->Navigator().FindBox();
  box->setText(QStringLiteral("love me"));
  box->setCursorPosition(2);
  QTest::mouseDClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
  EXPECT_EQ(box->selectedText(), QStringLiteral("love me"));
  window->Grid().setFocus();
  box->setSelection(5, -5);  // "love " selected from its end backwards: the caret at 0
  EXPECT_EQ(box->cursorPosition(), 0);
  box->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(box->cursorPosition(), box->selectionStart() + box->selectedText().size());
}

TEST_F(MainWindowTest, TheFontColourIsChosenAndStored) {
  auto window = Open();
  window->Logic().FontColourChosen(RgbColour(200, 10, 20));
  window->close();
  EXPECT_EQ(tIniFile::Load(settings).ReadInteger("SongGrid", "Font colour", -1),
            static_cast<int>(RgbColour(200, 10, 20)));
}

// The grid's model keeps Qt's model rules through rebuilds, sorts and an emptied view, and
// gives raw values beside the texts it shows.
TEST_F(MainWindowTest, TheGridModelKeepsTheModelRules) {
  auto window = Open();
  SongGridModel& model = window->Grid().Model();
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  Q_EMIT window->Grid().horizontalHeader()->sectionClicked(3);
  window->Logic().ChooseView(kViewModes[4]);  // new songs: none
  window->Sync();
  EXPECT_EQ(model.rowCount(), 1);
  EXPECT_FALSE(model.index(0, 3).data(TListModel::RawValueRole).isValid());
  window->Logic().ChooseView(ViewMode::All);
  window->Sync();
  EXPECT_EQ(model.index(0, 3).data().toString(), QStringLiteral("Amour"));
  EXPECT_EQ(model.index(0, 3).data(TListModel::RawValueRole).toString(), QStringLiteral("Amour"));
  EXPECT_TRUE(model.index(0, 0).data(TListModel::RawValueRole).toBool());  // the current row
  // The type column's value is the slot of its picture: the records have no type here.
  EXPECT_EQ(model.index(0, 1).data(TListModel::RawValueRole).toInt(), kUnknownTypePicture);
  EXPECT_EQ(model.headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(),
            QStringLiteral("Artist"));
}

// A cell is painted by a call a test can make over an image: a song with lyrics gets its
// type's colour behind the ID code.
TEST_F(MainWindowTest, ACellPaintsOverAnImage) {
  auto window = Open();
  tSong* song = const_cast<tSong*>(window->Logic().SongAt(0));
  tSongRecord record = song->Record();
  record.SetHasLyrics(true);
  record.SetFileType(kSongTypeMp3);
  window->Logic().Catalogue().ChangeRecord(*song, record);
  auto* delegate = static_cast<SongGridDelegate*>(window->Grid().itemDelegate());
  QImage image(60, 17, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  QStyleOptionViewItem option;
  option.rect = image.rect();
  option.font = window->Grid().font();
  option.fontMetrics = QFontMetrics(option.font);
  delegate->PaintCell(painter, option, window->Grid().Model().index(0, 2));
  painter.end();
  EXPECT_EQ(image.pixelColor(1, 1), ColourOf(*LyricsColour(record.FileType())));
}

TEST_F(MainWindowTest, TypingInTheGridFindsBySortKey) {
  auto window = Open();
  window->Logic().SetSort(kSortByArtist);
  window->Logic().SelectRow(0);
  window->Sync();
  window->Grid().setFocus();
  QTest::keyClicks(&window->Grid(), QStringLiteral("za"));
  EXPECT_EQ(window->Logic().CurrentSong()->Record().Title(), "Amour");
  EXPECT_EQ(window->StatusPanel(2)->text(), QStringLiteral("Song 3/3"));
}

}  // namespace
}  // namespace tunedex

namespace tunedex {
namespace {

TEST(QtFileFilterTest, FiltersUseTheToolkitsSyntax) {
  EXPECT_EQ(QtFileFilter({{"Tunedex database files", {"*.tdb"}}, {"All files", {"*"}}}),
            QStringLiteral("Tunedex database files (*.tdb);;All files (*)"));
  EXPECT_TRUE(QtFileFilter(SongFileFilters())
                  .startsWith(QStringLiteral("Song files (*.kar *.st3 *.mi* *.mid *.midi")));
}

TEST(HelpViewerTest, EveryWindowHasItsTopic) {
  InitUiResources();
  for (int topic :
       {1500, 2000, 3000, 3100, 6000, 7000, 8000, 9000, 9100, 10000, 12000, 13000, 13500, 14000}) {
    EXPECT_EQ(THelpViewer::PageOf(topic), QStringLiteral("%1.html").arg(topic));
  }
  EXPECT_EQ(THelpViewer::PageOf(0), QStringLiteral("index.html"));
  EXPECT_EQ(THelpViewer::PageOf(4242), QStringLiteral("index.html"));
}

// Every link of every page leads to a page, and the contents page links every page.
TEST(HelpViewerTest, EveryLinkLeadsToAPageAndTheContentsListEveryPage) {
  InitUiResources();
  const QStringList pages = QDir(QStringLiteral(":/help")).entryList(QDir::Files);
  ASSERT_TRUE(pages.contains(QStringLiteral("index.html")));
  const QRegularExpression link(QStringLiteral("href=\"([^\"]*)\""));
  QStringList listed;
  for (const QString& page : pages) {
    QFile file(QStringLiteral(":/help/") + page);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
    const QString text = QString::fromUtf8(file.readAll());
    for (const QRegularExpressionMatch& match : link.globalMatch(text)) {
      EXPECT_TRUE(pages.contains(match.captured(1)))
          << page.toStdString() << " links to " << match.captured(1).toStdString();
      if (page == QStringLiteral("index.html")) listed.append(match.captured(1));
    }
  }
  for (const QString& page : pages) {
    if (page != QStringLiteral("index.html")) {
      EXPECT_TRUE(listed.contains(page)) << page.toStdString() << " is not in the contents";
    }
  }
}

}  // namespace
}  // namespace tunedex
