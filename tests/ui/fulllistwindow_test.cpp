// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/playlist/fulllistwindow.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <memory>
#include <string>
#include <vector>

#include "common/inifile.h"
#include "support/songfixtures.h"
#include "support/tempfolder.h"
#include "ui/widgets/listmodel.h"
#include "ui/widgets/pictures.h"
#include "ui/widgets/screenmenu.h"

namespace tunedex {
namespace {

constexpr QRgb kYellow = qRgb(255, 255, 0);
constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kBlue = qRgb(0, 128, 255);  // the designed background

// Songs "Song 1".. and a list of items over them; the window reads and writes settings.ini in a
// folder of its own.
class FullListWindowTest : public testing::Test {
 protected:
  void SetUp() override { InitUiResources(); }

  void Fill(int count, const std::vector<std::string>& singers = {}) {
    for (int i = 1; i <= count; ++i) {
      songs.push_back(catalogue.Add(test::MakeRecord(
          {.title = "Song " + std::to_string(i), .fileName = "/k/" + std::to_string(i) + ".kar"})));
      const auto at = static_cast<std::size_t>(i - 1);
      items.Append(at < singers.size() ? singers[at] : "Singer " + std::to_string(i),
                   *songs.back());
    }
  }

  TFullListView& Open() {
    window = std::make_unique<TFullListView>(
        FullListContext{items, folder.PathOf("settings.ini"),
                        [this](int topic) { topics.push_back(topic); }, [this] { ++closedCalls; }});
    window->AttachItems();
    return *window;
  }

  // The colours a cell paints, as the grid's delegate paints it over an image.
  QImage PaintCell(int row, int column) {
    QTableView& grid = window->Grid();
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, grid.columnWidth(column) - 1, grid.rowHeight(row) - 1);
    option.state = QStyle::State_Enabled;
    QImage image(option.rect.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    auto& delegate = dynamic_cast<TCellDelegate&>(*grid.itemDelegate());
    delegate.PaintCell(painter, option, grid.model()->index(row, column));
    return image;
  }

  static bool Has(const QImage& image, QRgb colour, int fromX = 0, int toX = -1) {
    if (toX < 0) toX = image.width();
    for (int y = 0; y < image.height(); ++y) {
      for (int x = fromX; x < toX; ++x) {
        if (image.pixel(x, y) == colour) return true;
      }
    }
    return false;
  }

  std::vector<std::string> MenuTexts() const {
    std::vector<std::string> texts;
    for (const QAction* item : window->PopupMenu().actions()) {
      std::string text = item->isSeparator() ? "|" : item->text().toStdString();
      if (!item->shortcut().isEmpty()) text += " " + item->shortcut().toString().toStdString();
      if (item->menu()) text += " >";
      texts.push_back(text);
    }
    return texts;
  }

  test::TempFolder folder;
  tCatalogue catalogue;
  std::vector<const tSong*> songs;
  tPlayList items{catalogue};
  std::vector<int> topics;
  int closedCalls = 0;
  std::unique_ptr<TFullListView> window;
};

TEST_F(FullListWindowTest, PaintsMarksAndTheCurrentColourOnTheirRowsAndBlackNumbersEverywhere) {
  Fill(12);
  Open();
  window->ApplyColour(FullListCommand::CurrentColour, QColor(kRed));
  window->SetRows(2, 5);
  ASSERT_EQ(window->Grid().model()->rowCount(), 12);
  EXPECT_EQ(window->Grid().currentIndex().row(), 5);
  for (int row = 0; row < 12; ++row) {
    SCOPED_TRACE(row);
    const QImage number = PaintCell(row, 0);
    EXPECT_TRUE(Has(number, kBlack));
    EXPECT_FALSE(Has(number, kYellow));
    const QRgb text = row == 5 ? kRed : kYellow;
    const QRgb other = row == 5 ? kYellow : kRed;
    const QImage singer = PaintCell(row, 1);
    const QImage title = PaintCell(row, 2);
    EXPECT_TRUE(Has(singer, text));
    EXPECT_FALSE(Has(singer, other));
    EXPECT_TRUE(Has(title, text));
    EXPECT_FALSE(Has(title, other));
    EXPECT_FALSE(Has(title, kBlack));
    // The ">" lies left of the singer's text, which starts 20 pixels in.
    EXPECT_EQ(Has(singer, text, 0, 19), row == 2 || row == 5);
  }
  EXPECT_EQ(window->Grid().model()->data(window->Grid().model()->index(3, 1)).toString(),
            QStringLiteral("Singer 4"));
}

TEST_F(FullListWindowTest, AnEmptySingerShowsAQuestionMark) {
  Fill(2, {"", "Bo"});
  Open();
  const QAbstractItemModel& model = *window->Grid().model();
  EXPECT_EQ(model.data(model.index(0, 1)).toString(), QStringLiteral("?"));
  EXPECT_EQ(model.data(model.index(1, 1)).toString(), QStringLiteral("Bo"));
}

TEST_F(FullListWindowTest, AnEmptyListShowsOneBlankRowAndZeroOfZero) {
  Open();
  window->SetRows(0, 0);
  window->show();
  ASSERT_EQ(window->Grid().model()->rowCount(), 1);
  for (int column = 0; column < 3; ++column) {
    const QImage cell = PaintCell(0, column);
    EXPECT_TRUE(cell.pixel(cell.width() / 2, cell.height() / 2) == kBlue);
    EXPECT_FALSE(Has(cell, kBlack));
    EXPECT_FALSE(Has(cell, kYellow));
  }
  EXPECT_EQ(window->StatusPanel(1).text(), QStringLiteral("0/0"));
}

TEST_F(FullListWindowTest, RefreshFollowsTheItemList) {
  Fill(3);
  Open();
  items.RemoveAt(2);
  items.RemoveAt(1);
  window->Refresh();
  EXPECT_EQ(window->Grid().model()->rowCount(), 1);
  items.Clear();
  window->Refresh();
  EXPECT_EQ(window->Grid().model()->rowCount(), 1);
  EXPECT_TRUE(
      window->Grid().model()->data(window->Grid().model()->index(0, 2)).toString().isEmpty());
}

TEST_F(FullListWindowTest, ClickingARowShowsItsNumberOfTheRows) {
  Fill(12);
  Open();
  window->show();
  QTableView& grid = window->Grid();
  const QRect row = grid.visualRect(grid.model()->index(4, 2));
  ASSERT_TRUE(row.isValid());
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, row.center());
  EXPECT_EQ(window->StatusPanel(1).text(), QStringLiteral("5/12"));
}

TEST_F(FullListWindowTest, TheMenuHoldsTheCommandsTheScreensAndCtrlXToClose) {
  Open();
  EXPECT_EQ(MenuTexts(),
            (std::vector<std::string>{"Fit vertically", "|", "Font...", "Background colour...",
                                      "Colour for current item...", "Colour for other items...",
                                      "|", "Screen >", "&Close this Window Ctrl+X"}));
  EXPECT_FALSE(window->MenuItem(FullListCommand::FitVertically)->isEnabled());
  // The submenu lists the connected screens by name, the window's own ticked.
  QMenu& screens = window->ScreenMenu();
  Q_EMIT screens.aboutToShow();
  ASSERT_EQ(screens.actions().size(), QGuiApplication::screens().size());
  EXPECT_EQ(screens.actions().front()->text(), QGuiApplication::screens().front()->name());
  EXPECT_TRUE(screens.actions().front()->isChecked());
}

TEST_F(FullListWindowTest, TheStatusBarButtonsCarryTheirHintsAndCommands) {
  Open();
  EXPECT_EQ(window->Button(FullListCommand::Close)->toolTip(), QStringLiteral("Close Full view"));
  EXPECT_EQ(window->Button(FullListCommand::FitVertically)->toolTip(),
            QStringLiteral("Fit window vertically"));
  EXPECT_EQ(window->Button(FullListCommand::Help)->toolTip(), QStringLiteral("Show Help"));
  EXPECT_FALSE(window->Button(FullListCommand::FitVertically)->isEnabled());
  window->Button(FullListCommand::Help)->click();
  EXPECT_EQ(topics, std::vector<int>{14000});
  EXPECT_EQ(window->windowTitle(), QStringLiteral("- Tunedex Playlist - "));
  EXPECT_EQ(window->Grid().horizontalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
  EXPECT_FALSE(window->Grid().horizontalHeader()->sectionsClickable());
}

TEST_F(FullListWindowTest, FitVerticallyIsEnabledUnlessTheWindowSpansTheWorkArea) {
  Open();
  window->show();
  const QRect area = window->screen()->availableGeometry();
  window->setGeometry(area.left() + 10, area.top() + 40, 300, 200);
  EXPECT_TRUE(window->MenuItem(FullListCommand::FitVertically)->isEnabled());
  window->Button(FullListCommand::FitVertically)->click();
  EXPECT_EQ(window->frameGeometry().top(), area.top());
  EXPECT_EQ(window->frameGeometry().height(), area.height());
  EXPECT_FALSE(window->MenuItem(FullListCommand::FitVertically)->isEnabled());
  EXPECT_FALSE(window->Button(FullListCommand::FitVertically)->isEnabled());
  window->move(window->x(), window->y() + 5);
  EXPECT_TRUE(window->MenuItem(FullListCommand::FitVertically)->isEnabled());
}

TEST_F(FullListWindowTest, AFontThirtyPixelsHighGivesRowsOfItsHeightScaledPlusFive) {
  Fill(3);
  Open();
  const int ppi = window->logicalDpiY();
  const int read = tFullListView::RowHeightAfterSettings(tFullListView::FontPixels(18, ppi), ppi);
  EXPECT_EQ(window->Logic().RowHeight(), read);
  EXPECT_EQ(window->Grid().rowHeight(0), read + 1);  // the grid line below it
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(30);
  window->ApplyFont(font);
  const int expected = tFullListView::RowHeightAfterFont(30, ppi);
  if (ppi == 96) {
    EXPECT_EQ(expected, 45);
  }
  EXPECT_EQ(window->Logic().RowHeight(), expected);
  EXPECT_EQ(window->Grid().rowHeight(2), expected + 1);
  EXPECT_EQ(window->GridFont().pixelSize(), 30);
  // The colour stays the grid's.
  EXPECT_EQ(window->Logic().Settings().font.colour, RgbColour(255, 255, 0));
}

TEST_F(FullListWindowTest, HeaderDragsSetTheColumnsWithinTheirLimits) {
  Fill(2);
  Open();
  window->show();
  QHeaderView& header = *window->Grid().horizontalHeader();
  header.resizeSection(1, 301);
  EXPECT_EQ(window->Logic().ColumnWidth(FullListColumn::Singer), 300);
  header.resizeSection(2, 50);
  EXPECT_EQ(window->Logic().ColumnWidth(FullListColumn::Title), 100);
  EXPECT_EQ(header.sectionSize(2), 101);
  header.resizeSection(1, 900);
  EXPECT_EQ(header.sectionSize(1), 701);
  EXPECT_EQ(header.sectionSize(0), 45);
}

TEST_F(FullListWindowTest, ResizingTheWindowScalesTheTwoColumns) {
  Fill(2);
  Open();
  window->resize(600, 300);
  window->show();
  const int singer = window->Logic().ColumnWidth(FullListColumn::Singer);
  const int title = window->Logic().ColumnWidth(FullListColumn::Title);
  const int before = window->Grid().viewport()->width();
  window->resize(window->width() + (before - kFixedWidth), 300);  // the scaled part doubles
  QCoreApplication::processEvents();
  EXPECT_EQ(window->Grid().viewport()->width() - kFixedWidth, 2 * (before - kFixedWidth));
  EXPECT_EQ(window->Logic().ColumnWidth(FullListColumn::Singer), std::min(700, 2 * singer));
  EXPECT_EQ(window->Logic().ColumnWidth(FullListColumn::Title), std::min(700, 2 * title));
  EXPECT_EQ(window->StatusPanel(0).maximumWidth(), window->width() - 80);
  window->resize(170, 300);
  EXPECT_EQ(window->StatusPanel(0).maximumWidth(), 100);
}

TEST_F(FullListWindowTest, TheWheelScrollsByItsStepWithinTheRows) {
  Fill(40);
  Open();
  window->resize(500, 400);
  window->show();
  QTableView& grid = window->Grid();
  QApplication::setActiveWindow(window.get());
  grid.setFocus();
  if (!grid.hasFocus()) GTEST_SKIP() << "no focus on this platform";
  const int visible = window->Logic().VisibleRows(grid.viewport()->height());
  const auto turn = [&grid](int delta) {
    const QPoint at = grid.viewport()->rect().center();
    QWheelEvent wheel(at, grid.viewport()->mapToGlobal(at), {}, {0, delta}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid.viewport(), &wheel);
  };
  const int step = tFullListView::WheelStep(QApplication::wheelScrollLines(), visible);
  turn(-120);
  EXPECT_EQ(grid.verticalScrollBar()->value(), step);
  for (int i = 0; i < 40; ++i) turn(-120);
  EXPECT_EQ(grid.verticalScrollBar()->value(), 40 - visible);
  for (int i = 0; i < 40; ++i) turn(120);
  EXPECT_EQ(grid.verticalScrollBar()->value(), 0);
}

TEST_F(FullListWindowTest, TheMouseOverTheGridGivesItTheFocusWhileTheWindowIsActive) {
  Fill(3);
  Open();
  window->show();
  QApplication::setActiveWindow(window.get());
  QToolButton& help = *window->Button(FullListCommand::Help);
  help.setFocus();
  if (!help.hasFocus()) GTEST_SKIP() << "no focus on this platform";
  QTest::mouseMove(window->Grid().viewport(), {20, 20});
  EXPECT_TRUE(window->Grid().hasFocus());
}

TEST_F(FullListWindowTest, CtrlXClosesTheWindow) {
  Open();
  window->show();
  QApplication::setActiveWindow(window.get());
  if (!window->isActiveWindow()) GTEST_SKIP() << "no active window on this platform";
  QTest::keyClick(window.get(), Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(closedCalls, 1);
  EXPECT_FALSE(window->isVisible());
}

TEST_F(FullListWindowTest, ClosingWritesTheSettingsAndTellsTheOwnerOnce) {
  Fill(2);
  Open();
  window->show();
  window->ApplyColour(FullListCommand::Background, QColor(0, 0, 128));
  window->ApplyColour(FullListCommand::CurrentColour, QColor(kRed));
  window->ApplyColour(FullListCommand::OtherColour, QColor(0, 255, 0));
  window->Grid().horizontalHeader()->resizeSection(1, 222);
  window->move(30, 40);
  window->MenuItem(FullListCommand::Close)->trigger();
  EXPECT_EQ(closedCalls, 1);
  EXPECT_FALSE(window->isVisible());
  window->close();
  window->Button(FullListCommand::Close)->click();
  EXPECT_EQ(closedCalls, 1);

  const tIniFile ini = tIniFile::Load(folder.PathOf("settings.ini"));
  EXPECT_EQ(ini.ReadInteger("FullList", "WindowState", -1), 0);
  EXPECT_EQ(ini.ReadInteger("FullList", "Left", -1), window->x());
  EXPECT_EQ(ini.ReadInteger("FullList", "Width", -1), window->width());
  EXPECT_EQ(ini.ReadInteger("FullList", "Column1", -1), 221);
  EXPECT_EQ(ini.ReadInteger("FullList", "Background", -1), 128 << 16);
  EXPECT_EQ(ini.ReadInteger("FullList", "CurrentSong", -1), 255);
  EXPECT_EQ(ini.ReadInteger("FullList", "Font colour", -1), 255 << 8);
  EXPECT_EQ(ini.ReadString("FullList", "Font name", ""), "Arial");
  EXPECT_EQ(ini.ReadInteger("FullList", "Font style", -1), 1);
  EXPECT_EQ(ini.ReadString("FullList", "Screen", "?"), "");
}

TEST_F(FullListWindowTest, TheStoredLookAndColumnsAreReadOnCreation) {
  Fill(2);
  folder.Write("settings.ini",
               "[fulllist]\nleft=15\ntop=25\nwidth=500\nheight=300\ncolumn1=123\ncolumn2=234\n"
               "font name=DejaVu Serif\nfont size=12\nfont colour=255\nfont style=3\n"
               "currentsong=65280\nbackground=0\n");
  Open();
  window->show();
  EXPECT_EQ(window->size(), QSize(500, 300));
  EXPECT_EQ(window->Grid().horizontalHeader()->sectionSize(1), 124);
  EXPECT_EQ(window->Grid().horizontalHeader()->sectionSize(2), 235);
  EXPECT_EQ(window->GridFont().family(), QStringLiteral("DejaVu Serif"));
  EXPECT_TRUE(window->GridFont().bold());
  EXPECT_TRUE(window->GridFont().italic());
  EXPECT_EQ(window->Grid().palette().color(QPalette::Base), QColor(kBlack));
  const int ppi = window->logicalDpiY();
  EXPECT_EQ(window->Logic().RowHeight(),
            tFullListView::RowHeightAfterSettings(tFullListView::FontPixels(12, ppi), ppi));
  EXPECT_EQ(window->Logic().Settings().currentColour, RgbColour(0, 255, 0));
}

TEST_F(FullListWindowTest, ARememberedScreenThatIsNotConnectedOpensOnThePrimary) {
  folder.Write("settings.ini", "[FullList]\nScreen=NOWHERE-9\nScreen model=Gone\n");
  Open();
  window->show();
  EXPECT_TRUE(window->Screens().Choice().Displaced());
  ASSERT_TRUE(window->Screens().Choice().Current());
  EXPECT_EQ(window->Screens().Choice().Current()->name,
            QGuiApplication::primaryScreen()->name().toStdString());
  window->close();
  // The screen waited for is still the one remembered.
  const tIniFile ini = tIniFile::Load(folder.PathOf("settings.ini"));
  EXPECT_EQ(ini.ReadString("FullList", "Screen", ""), "NOWHERE-9");
  EXPECT_EQ(ini.ReadString("FullList", "Screen model", ""), "Gone");
}

}  // namespace
}  // namespace tunedex
