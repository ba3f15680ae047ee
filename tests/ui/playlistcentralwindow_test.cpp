// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/playlist/playlistcentralwindow.h"

#include "playlistwindowfixture.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTreeView>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/fileio.h"
#include "common/inifile.h"
#include "playlist/playlistfile.h"
#include "playlist/playlistsettings.h"
#include "song/songtype.h"
#include "support/fakeclock.h"
#include "support/fakedesktop.h"
#include "support/fakefilesystem.h"
#include "support/scripteduser.h"
#include "support/songfixtures.h"
#include "support/tempfolder.h"
#include "ui/widgets/pictures.h"

namespace tunedex {
namespace {

using Cmd = PlaylistCommand;

TEST_F(PlaylistCentralWindowTest, ShowsCaptionTitleRowsAndPanels) {
  WriteList({{"Ann", 2}, {"", 1}, {"Bob", 4}});
  TPlaylistCentralWindow& shown = Open();
  EXPECT_EQ(shown.windowTitle(), QStringLiteral("Playlist Central - active playlist"));
  EXPECT_EQ(shown.Title().text(), QStringLiteral("Playlist"));
  ASSERT_EQ(shown.List().model()->rowCount(), 3);
  EXPECT_EQ(Cell(0, 0), QStringLiteral("1"));
  EXPECT_EQ(Cell(0, 1), QStringLiteral("Title 2"));
  EXPECT_EQ(Singers(), (std::vector<std::string>{"Ann", "?", "Bob"}));
  EXPECT_EQ(shown.List().currentIndex().row(), 0);
  EXPECT_EQ(shown.StatusPanel(1).text(), QStringLiteral("1/3 "));
  // Moving in the list reaches the core: panel 2 and the hint follow.
  Select(2);
  EXPECT_EQ(shown.StatusPanel(1).text(), QStringLiteral("3/3 "));
  EXPECT_EQ(shown.List().toolTip(), QStringLiteral("song4.kar"));
}

TEST_F(PlaylistCentralWindowTest, EmptyListShowsNoItems) {
  TPlaylistCentralWindow& shown = Open();
  EXPECT_EQ(shown.List().model()->rowCount(), 0);
  EXPECT_EQ(shown.StatusPanel(0).text(), QStringLiteral("No items"));
  EXPECT_EQ(shown.StatusPanel(1).text(), QString());
}

TEST_F(PlaylistCentralWindowTest, MarksFollowTheRun) {
  WriteList({{"Ann", 1}, {"Bob", 2}, {"Cy", 3}});
  TPlaylistCentralWindow& shown = Open();
  auto markImage = [&](int row) {
    const QAbstractItemModel& model = *shown.List().model();
    return qvariant_cast<QPixmap>(model.data(model.index(row, 0), Qt::DecorationRole)).toImage();
  };
  const QImage starting = ArtPixmap("pointer", 12, 12).toImage();
  const QImage current = ArtPixmap("play", 12, 12).toImage();
  Select(1);
  shown.Run(Cmd::SetStarting);
  EXPECT_EQ(markImage(1), starting);
  EXPECT_NE(markImage(0), starting);
  EXPECT_NE(markImage(0), current);
  shown.Run(Cmd::Run);
  EXPECT_EQ(markImage(1), current);
  ASSERT_FALSE(catalogueShown.empty());
  EXPECT_FALSE(catalogueShown.back());
}

// Enabling of the menu items and buttons in a few run states.
TEST_F(PlaylistCentralWindowTest, EnablingFollowsRunState) {
  struct Case {
    const char* name;
    std::function<void(TPlaylistCentralWindow&)> setUp;
    bool run, reset, deleteItem, moveUp;
  };
  const std::vector<Case> cases = {
      {"idle, the first row", [](TPlaylistCentralWindow&) {}, false, false, true, false},
      {"idle, the second row", [this](TPlaylistCentralWindow&) { Select(1); }, false, false, true,
       true},
      {"ready on the current row",
       [this](TPlaylistCentralWindow& w) {
         Select(1);
         w.Run(Cmd::SetStarting);
       },
       true, true, false, false},
      {"ready, the row below the current one",
       [this](TPlaylistCentralWindow& w) {
         Select(1);
         w.Run(Cmd::SetStarting);
         Select(2);
       },
       true, true, true, false},
      {"running the last row",
       [this](TPlaylistCentralWindow& w) {
         Select(2);
         w.Run(Cmd::SetStarting);
         w.Run(Cmd::Run);
       },
       false, true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteList({{"Ann", 1}, {"Bob", 2}, {"Cy", 3}});
    TPlaylistCentralWindow& shown = Open();
    c.setUp(shown);
    EXPECT_EQ(shown.MenuItem(Cmd::Run)->isEnabled(), c.run);
    EXPECT_EQ(shown.Button(Cmd::Run)->isEnabled(), c.run);
    EXPECT_EQ(shown.MenuItem(Cmd::Reset)->isEnabled(), c.reset);
    EXPECT_EQ(shown.Button(Cmd::DeleteItem)->isEnabled(), c.deleteItem);
    EXPECT_EQ(shown.MenuItem(Cmd::MoveUp)->isEnabled(), c.moveUp);
    window.reset();
  }
}

TEST_F(PlaylistCentralWindowTest, PopupMenuHasShortcutsSeparatorsAndRunsCommands) {
  WriteList({{"Ann", 1}, {"Bob", 2}, {"Cy", 3}});
  TPlaylistCentralWindow& shown = Open();
  QStringList beforeSeparators;
  const QList<QAction*> actions = shown.PopupMenu().actions();
  for (qsizetype i = 1; i < actions.size(); ++i) {
    if (actions[i]->isSeparator()) beforeSeparators << actions[i - 1]->text();
  }
  EXPECT_EQ(beforeSeparators,
            (QStringList{QStringLiteral("Check availability"), QStringLiteral("Move item down"),
                         QStringLiteral("Reset playlist"), QStringLiteral("Song details")}));
  ASSERT_NE(MenuEntry(QStringLiteral("Add new item")), nullptr);
  EXPECT_EQ(MenuEntry(QStringLiteral("Add new item"))->shortcut(),
            QKeySequence(Qt::CTRL | Qt::Key_Insert));
  EXPECT_TRUE(MenuEntry(QStringLiteral("Player in front"))->isCheckable());

  shown.PrepareMenu();
  MenuEntry(QStringLiteral("Move item down"))->trigger();
  EXPECT_EQ(Singers(), (std::vector<std::string>{"Bob", "Ann", "Cy"}));
  EXPECT_EQ(shown.List().currentIndex().row(), 1);

  user.QueueText("Anne");
  MenuEntry(QStringLiteral("Correct singer name"))->trigger();
  EXPECT_EQ(Singers(), (std::vector<std::string>{"Bob", "Anne", "Cy"}));
}

TEST_F(PlaylistCentralWindowTest, WindowKeysMoveAndDelete) {
  WriteList({{"Ann", 1}, {"Bob", 2}, {"Cy", 3}});
  TPlaylistCentralWindow& shown = Open();
  QTest::keyClick(&shown.List(), Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(Singers(), (std::vector<std::string>{"Bob", "Ann", "Cy"}));
  QTest::keyClick(&shown.List(), Qt::Key_Up, Qt::ControlModifier);
  EXPECT_EQ(Singers(), (std::vector<std::string>{"Ann", "Bob", "Cy"}));
  QTest::keyClick(&shown.List(), Qt::Key_Minus, Qt::KeypadModifier);
  EXPECT_EQ(Singers(), (std::vector<std::string>{"Bob", "Cy"}));
  QTest::keyClick(&shown.List(), Qt::Key_Plus, Qt::KeypadModifier);
  EXPECT_EQ(editorModes, std::vector<int>{kAddMode});
}

TEST_F(PlaylistCentralWindowTest, MouseSelectsShowsDetailsAndChanges) {
  WriteList({{"Ann", 1}, {"Bob", 2}, {"Cy", 3}});
  TPlaylistCentralWindow& shown = Open();
  shown.show();
  QTreeView& list = shown.List();
  const QPoint row2 = list.visualRect(list.model()->index(2, 1)).center();
  QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ControlModifier, row2);
  EXPECT_EQ(list.currentIndex().row(), 2);
  EXPECT_EQ(details, std::vector<std::string>{"/k/song3.kar"});
  const QPoint row1 = list.visualRect(list.model()->index(1, 1)).center();
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, row1);
  EXPECT_EQ(editorModes, std::vector<int>{1});
}

TEST_F(PlaylistCentralWindowTest, ClosingWritesSettingsAndSavesTheList) {
  WriteList({{"Ann", 1}, {"Bob", 2}});
  TPlaylistCentralWindow& shown = Open();
  shown.show();
  shown.List().header()->resizeSection(1, 150);
  Select(0);
  shown.Run(Cmd::MoveDown);
  shown.close();

  const tIniFile ini = tIniFile::Load(folder.PathOf("settings.ini"));
  EXPECT_EQ(ini.ReadInteger(kPlaylistCentralSection, "Col 1", 0), 150);
  EXPECT_TRUE(ini.HasKey(kPlaylistCentralSection, "Window state"));
  EXPECT_TRUE(ini.HasKey(kPlaylistCentralSection, "Player in front"));

  tPlayList saved(catalogue);
  ASSERT_EQ(LoadPlayList(ActiveList(), saved, user), LoadOutcome::Loaded);
  ASSERT_EQ(saved.Count(), 2u);
  EXPECT_EQ(saved.Item(0).Singer, "Bob");
  EXPECT_EQ(saved.Item(1).Singer, "Ann");
  EXPECT_EQ(catalogueShown, std::vector<bool>{true});
}

TEST_F(PlaylistCentralWindowTest, StoredSettingsAreApplied) {
  tIniFile ini;
  ini.WriteInteger(kPlaylistCentralSection, "Width", 610);
  ini.WriteInteger(kPlaylistCentralSection, "Height", 380);
  ini.WriteInteger(kPlaylistCentralSection, "Col 2", 123);
  ini.Save(folder.PathOf("settings.ini"));
  TPlaylistCentralWindow& shown = Open();
  shown.show();
  EXPECT_EQ(shown.width(), 610);
  EXPECT_EQ(shown.height(), 380);
  EXPECT_EQ(shown.List().header()->sectionSize(0), 40);
}

}  // namespace
}  // namespace tunedex
