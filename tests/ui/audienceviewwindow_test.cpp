// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/playlist/audienceviewwindow.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QToolButton>

#include "common/inifile.h"
#include "playlistwindowfixture.h"
#include "ui/playlist/fulllistwindow.h"

namespace tunedex {
namespace {

using Cmd = PlaylistCommand;

class AudienceViewWindowTest : public PlaylistCentralWindowTest {
 public:
  // Playlist Central shown with a starting item on row `row` and its audience view open.
  TAudienceView& OpenAudience(int row) {
    WriteList({{"Ann", 1}, {"Bob", 2}, {"", 3}, {"Dee", 4}});
    TPlaylistCentralWindow& central = Open();
    central.show();
    Select(row);
    central.Run(Cmd::SetStarting);
    central.Run(Cmd::ShowAudience);
    auto* view = central.findChild<TAudienceView*>();
    EXPECT_NE(view, nullptr);
    return *view;
  }
  static QString Text(const QLabel& label) { return label.text(); }
};

TEST_F(AudienceViewWindowTest, ShowsTheStartingItemAndItsFollower) {
  TAudienceView& view = OpenAudience(0);
  EXPECT_EQ(view.Caption(TAudienceView::CurrentBar).text(), QStringLiteral("First:"));
  EXPECT_EQ(view.Singer(TAudienceView::CurrentBar).text(), QStringLiteral("Ann"));
  EXPECT_EQ(view.Song(TAudienceView::CurrentBar).text(), QStringLiteral("Title 1"));
  EXPECT_EQ(view.Caption(TAudienceView::NextBar).text(), QStringLiteral("Next Up:"));
  EXPECT_EQ(view.Singer(TAudienceView::NextBar).text(), QStringLiteral("Bob"));
  EXPECT_FALSE(view.PlayButton(TAudienceView::CurrentBar).isHidden());
  EXPECT_TRUE(view.PlayButton(TAudienceView::NextBar).isHidden());
  EXPECT_FALSE(window->MenuItem(Cmd::ShowAudience)->isEnabled());
  EXPECT_TRUE(window->MenuItem(Cmd::RestoreAudience)->isEnabled());
}

TEST_F(AudienceViewWindowTest, TheShapeIsTheUnionOfTheVisibleBars) {
  TAudienceView& view = OpenAudience(0);
  const QRect current = view.BarWidget(TAudienceView::CurrentBar).geometry();
  const QRect next = view.BarWidget(TAudienceView::NextBar).geometry();
  EXPECT_EQ(current.top(), 0);
  EXPECT_EQ(next.top(), current.bottom() + 1);
  EXPECT_EQ(current.width(), view.width());
  EXPECT_EQ(view.mask(), QRegion(current) + QRegion(next));
  // The current bar to the foot: the shape follows.
  view.Run(AudienceCommand::CurrentAtFoot);
  const QRect moved = view.BarWidget(TAudienceView::CurrentBar).geometry();
  EXPECT_EQ(moved.bottom(), view.height() - 1);
  EXPECT_EQ(view.mask(),
            QRegion(moved) + QRegion(view.BarWidget(TAudienceView::NextBar).geometry()));
  // The menu and close buttons go to the upper bar, now the next one.
  EXPECT_FALSE(view.MenuButton(TAudienceView::NextBar).isHidden());
  EXPECT_TRUE(view.MenuButton(TAudienceView::CurrentBar).isHidden());
}

TEST_F(AudienceViewWindowTest, PlayingFromTheViewPlaysThroughCentral) {
  TAudienceView& view = OpenAudience(0);
  view.PlayButton(TAudienceView::CurrentBar).click();
  EXPECT_EQ(view.Caption(TAudienceView::CurrentBar).text(), QStringLiteral("Singing:"));
  EXPECT_EQ(window->Logic().State(), RunState::Running);
  EXPECT_FALSE(view.PlayButton(TAudienceView::NextBar).isHidden());
  view.PlayButton(TAudienceView::NextBar).click();
  EXPECT_EQ(view.Singer(TAudienceView::CurrentBar).text(), QStringLiteral("Bob"));
  EXPECT_EQ(window->Logic().CurrentIndex(), 1);
  // The item after Bob's has no singer: "?" is named.
  EXPECT_EQ(view.Singer(TAudienceView::NextBar).text(), QStringLiteral("?"));
}

TEST_F(AudienceViewWindowTest, MenuHasItsItemsShortcutsAndTheCentralToggle) {
  TAudienceView& view = OpenAudience(0);
  view.PrepareMenu();
  QStringList texts;
  int separators = 0;
  for (QAction* action : view.PopupMenu().actions()) {
    if (action->isSeparator()) {
      ++separators;
      continue;
    }
    texts << action->text() + QLatin1Char('|') + action->shortcut().toString();
  }
  EXPECT_EQ(texts.join(QLatin1Char(',')).toStdString(),
            "Run Playlist|Shift+F9,Font...|Ctrl+F,Background colour...|Ctrl+B,"
            "Captions colour...|Ctrl+C,Items colour...|Ctrl+I,Current at top|Ctrl+P,"
            "Current at foot|Ctrl+Q,Next at top|Ctrl+N,Next at foot|Ctrl+M,Dock at top|Ctrl+D,"
            "Reset bars at home|Ctrl+R,Stay on Top|Ctrl+T,Show full list|Ctrl+L,"
            "Hide Playlist Central|Ctrl+H,Show Help...|F1,Screen|,Exit|Ctrl+X");
  EXPECT_EQ(separators, 5);
  view.Run(AudienceCommand::ToggleCentral);
  EXPECT_FALSE(window->isVisible());
  view.PrepareMenu();
  EXPECT_EQ(view.MenuItem(AudienceCommand::ToggleCentral)->text(),
            QStringLiteral("Restore Playlist Central"));
  EXPECT_EQ(view.MenuItem(AudienceCommand::ToggleCentral)->shortcut().toString(),
            QStringLiteral("Ctrl+R"));
  EXPECT_TRUE(view.MenuItem(AudienceCommand::ResetBarsAtHome)->shortcut().isEmpty());
  view.Run(AudienceCommand::ToggleCentral);
  EXPECT_TRUE(window->isVisible());
}

TEST_F(AudienceViewWindowTest, ClosingTellsCentralAndWritesTheSettings) {
  TAudienceView& view = OpenAudience(0);
  view.Run(AudienceCommand::CurrentAtFoot);
  view.Run(AudienceCommand::StayOnTop);
  view.CloseButton(TAudienceView::NextBar).click();
  EXPECT_FALSE(window->Logic().AudienceOpen());
  EXPECT_TRUE(window->MenuItem(Cmd::ShowAudience)->isEnabled());
  const tIniFile ini = tIniFile::Load(folder.PathOf("settings.ini"));
  EXPECT_TRUE(ini.ReadBool("AudienceView", "Current item at foot", false));
  EXPECT_FALSE(ini.ReadBool("AudienceView", "Current item at top", true));
  EXPECT_TRUE(ini.ReadBool("AudienceView", "Stay on top", false));
  EXPECT_EQ(ini.ReadInteger("AudienceView", "Background colour", 0), 0x800000);
}

TEST_F(AudienceViewWindowTest, ClosingWhileCentralIsHiddenClosesCentralToo) {
  TAudienceView& view = OpenAudience(0);
  view.Run(AudienceCommand::ToggleCentral);
  ASSERT_FALSE(window->isVisible());
  view.Run(AudienceCommand::Exit);
  QApplication::processEvents();
  EXPECT_FALSE(window->isVisible());
  // Central closed: the catalogue window came back and the list was saved.
  ASSERT_FALSE(catalogueShown.empty());
  EXPECT_TRUE(catalogueShown.back());
}

TEST_F(AudienceViewWindowTest, ResetClosesTheView) {
  OpenAudience(1);
  window->Run(Cmd::Reset);
  QApplication::processEvents();
  EXPECT_FALSE(window->Logic().AudienceOpen());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(window->findChild<TAudienceView*>(), nullptr);
}

TEST_F(AudienceViewWindowTest, TheFullListOpensFromTheViewAndClosesWhenASongStarts) {
  TAudienceView& view = OpenAudience(1);
  view.PrepareMenu();
  ASSERT_TRUE(view.MenuItem(AudienceCommand::ShowFullList)->isEnabled());
  view.Run(AudienceCommand::ShowFullList);
  auto* list = window->findChild<TFullListView*>();
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(window->Logic().FullListOpen());
  EXPECT_EQ(list->Logic().StartingRow(), 1);
  view.PrepareMenu();
  EXPECT_FALSE(view.MenuItem(AudienceCommand::ShowFullList)->isEnabled());
  view.Run(AudienceCommand::Run);
  EXPECT_FALSE(window->Logic().FullListOpen());
  EXPECT_FALSE(list->isVisible());
}

TEST_F(AudienceViewWindowTest, ClosingTheFullListTellsCentral) {
  OpenAudience(0);
  window->Run(Cmd::ShowFullList);
  auto* list = window->findChild<TFullListView*>();
  ASSERT_NE(list, nullptr);
  EXPECT_FALSE(window->MenuItem(Cmd::ShowFullList)->isEnabled());
  list->close();
  EXPECT_FALSE(window->Logic().FullListOpen());
  EXPECT_TRUE(window->MenuItem(Cmd::ShowFullList)->isEnabled());
}

}  // namespace
}  // namespace tunedex
