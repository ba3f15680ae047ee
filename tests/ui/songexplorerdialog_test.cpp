// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/import/songexplorerdialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolBar>
#include <QWidgetAction>
#include <filesystem>

#include "common/inifile.h"
#include "common/userlocale.h"
#include "platform/giofilesystem.h"
#include "support/fakevolumes.h"
#include "support/scripteduser.h"
#include "support/songfilebuilders.h"
#include "support/songfixtures.h"
#include "support/tempfolder.h"
#include "ui/import/songfilelist.h"
#include "ui/widgets/foldertree.h"
#include "ui/widgets/pictures.h"

namespace tunedex {
namespace {

using Action = TSongExplorerDialog::Action;
using Strings = std::vector<std::string>;

// A folder of three songs (one in the catalogue) and an empty folder, in a real temporary
// folder, with the window over them.
class SongExplorerDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    SetUserLocale("en_US");
    InitUiResources();
    QApplication::clipboard()->clear();
    std::filesystem::create_directories(folder.PathOf("songs"));
    std::filesystem::create_directories(folder.PathOf("empty"));
    folder.Write("songs/b.mp3", test::Id3v2File({{"TIT2", "Bee"}, {"TPE1", "Band"}}));
    folder.Write("songs/a.kar", "MThd");
    folder.Write("songs/c.mp3", test::Id3v2File({{"TIT2", "Sea"}, {"TPE1", "Crew"}}));
    folder.Write("songs/c.cdg", "graphics");
    folder.Write("songs/notes.txt", "not a song");
    settings = folder.Write("tunedex.ini", "");
    catalogue.Import(
        {test::MakeRecord({.title = "Bee", .fileName = folder.PathOf("songs/b.mp3")})});
    catalogue.SetModified(false);
    volumes->Mount({.mountPoint = "/", .label = "/", .fileSystem = "ext4", .device = "/dev/sda1"});
  }

  std::unique_ptr<TSongExplorerDialog> Open(const std::string& start) {
    SongExplorerContext context{catalogue, files, volumes, user, options};
    context.settingsPath = settings;
    context.programFolder = folder.Path();
    context.home = folder.Path();
    auto dialog = std::make_unique<TSongExplorerDialog>(std::move(context), start);
    dialog->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    // The tree reaches the folder once its parents are listed; the list follows it.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog->Tree().PathPending(); }, 5000));
    dialog->FinishLoading();
    return dialog;
  }

  static Strings Rows(TSongExplorerDialog& dialog) {
    Strings rows;
    QAbstractItemModel& model = *dialog.List().model();
    for (int row = 0; row < model.rowCount(); ++row) {
      rows.push_back(model.index(row, 0).data().toString().toStdString() + "|" +
                     model.index(row, 1).data().toString().toStdString() + "|" +
                     model.index(row, 2).data().toString().toStdString());
    }
    return rows;
  }

  static void SelectRows(TSongExplorerDialog& dialog, std::initializer_list<int> rows) {
    QItemSelectionModel& selection = *dialog.List().selectionModel();
    selection.clearSelection();
    for (int row : rows) {
      selection.select(dialog.List().model()->index(row, 0),
                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    selection.setCurrentIndex(dialog.List().model()->index(*rows.begin(), 0),
                              QItemSelectionModel::NoUpdate);
  }

  static void Press(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent over(QEvent::ShortcutOverride, key, modifiers);
    QApplication::sendEvent(&widget, &over);
    QTest::keyClick(&widget, static_cast<Qt::Key>(key), modifiers);
  }

  test::TempFolder folder;
  std::string settings;
  std::shared_ptr<GioFileSystem> files = std::make_shared<GioFileSystem>();
  std::shared_ptr<test::FakeVolumes> volumes = std::make_shared<test::FakeVolumes>();
  test::ScriptedUser user;
  tCatalogue catalogue;
  tLivePlayerOptions options;
};

TEST_F(SongExplorerDialogTest, ShowsTheFolderWithTheFirstSongSelected) {
  auto dialog = Open(folder.PathOf("songs"));
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Song Explorer"));
  EXPECT_EQ(dialog->Tree().Path(), folder.PathOf("songs"));
  EXPECT_EQ(Rows(*dialog), (Strings{"a.kar|a.kar|?", "b.mp3|Bee|Band", "c.mp3|Sea|Crew"}));
  EXPECT_EQ(dialog->StatusPanel(0).text().toStdString(), folder.PathOf("songs/a.kar"));
  EXPECT_EQ(dialog->StatusPanel(1).text(), QStringLiteral("1/3"));
  EXPECT_FALSE(dialog->InfoBox().toPlainText().isEmpty());
  // The catalogued song carries the in-catalogue picture of its type.
  EXPECT_EQ(dialog->Logic().List().Items()[1].picture, 9);
  for (Action action : {Action::Import, Action::Delete, Action::Trash, Action::Rename, Action::Cut,
                        Action::Copy, Action::Play, Action::SelectAll}) {
    EXPECT_TRUE(dialog->MenuItem(action)->isEnabled()) << static_cast<int>(action);
  }
  EXPECT_FALSE(dialog->MenuItem(Action::Paste)->isEnabled());
  EXPECT_EQ(dialog->MenuItem(Action::Import)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));
  EXPECT_EQ(dialog->MenuItem(Action::Delete)->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_Delete));
  EXPECT_EQ(dialog->MenuItem(Action::Refresh)->shortcut(), QKeySequence(Qt::Key_F5));
  EXPECT_EQ(dialog->MenuItem(Action::Play)->shortcut(), QKeySequence(Qt::Key_F9));
}

TEST_F(SongExplorerDialogTest, AnEmptyFolderDisablesAllButCloseAndHelp) {
  auto dialog = Open(folder.PathOf("empty"));
  EXPECT_TRUE(Rows(*dialog).empty());
  EXPECT_EQ(dialog->StatusPanel(0).text().toStdString(),
            folder.PathOf("empty") + "     (no songs)");
  EXPECT_EQ(dialog->StatusPanel(1).text(), QStringLiteral("0/0"));
  const QToolBar* toolbar = dialog->findChild<QToolBar*>();
  ASSERT_NE(toolbar, nullptr);
  Strings hints, enabled;
  for (QAction* button : toolbar->actions()) {
    if (button->isSeparator() || button->toolTip().isEmpty()) continue;
    hints.push_back(button->toolTip().toStdString());
    if (button->isEnabled() && !qobject_cast<QWidgetAction*>(button))
      enabled.push_back(button->toolTip().toStdString());
  }
  EXPECT_EQ(Strings(hints.begin(), hints.begin() + std::min<std::size_t>(10, hints.size())),
            (Strings{"Close Song Explorer", "Import songs to database", "Delete file",
                     "Move song to recycle bin", "Select all songs", "Cut", "Copy", "Paste",
                     "Play selected song", "Show Help"}));
  EXPECT_EQ(enabled, (Strings{"Close Song Explorer", "Show Help"}));
  EXPECT_EQ(dialog->PlayerInFrontBox().toolTip(),
            QStringLiteral("Show player in front of Song Explorer"));
}

TEST_F(SongExplorerDialogTest, ImportAddsTheSelectedSongsAndMarksThem) {
  auto dialog = Open(folder.PathOf("songs"));
  SelectRows(*dialog, {0, 1, 2});
  EXPECT_EQ(dialog->Logic().List().SelectedImportableCount(), 2u);
  user.QueueButton(Button::Yes);
  dialog->Run(Action::Import);
  ASSERT_EQ(user.Messages().size(), 1u);
  EXPECT_EQ(user.Messages()[0].text,
            "Add 2 songs to the database?\r\n1 of the selected songs cannot be added.");
  EXPECT_EQ(catalogue.Songs().Count(), 3u);
  EXPECT_TRUE(catalogue.Modified());
  for (const tExplorerItem& item : dialog->Logic().List().Items()) EXPECT_TRUE(item.InCatalogue());
  EXPECT_FALSE(dialog->MenuItem(Action::Import)->isEnabled());
}

TEST_F(SongExplorerDialogTest, RenamingInTheListRenamesTheFileOrRevertsWithABeep) {
  auto dialog = Open(folder.PathOf("songs"));
  QAbstractItemModel& model = *dialog->List().model();
  EXPECT_TRUE(model.setData(model.index(2, 0), QStringLiteral("d.mp3"), Qt::EditRole));
  EXPECT_TRUE(std::filesystem::exists(folder.PathOf("songs/d.mp3")));
  EXPECT_TRUE(std::filesystem::exists(folder.PathOf("songs/d.cdg")));
  EXPECT_EQ(model.index(2, 0).data().toString(), QStringLiteral("d.mp3"));

  EXPECT_FALSE(model.setData(model.index(2, 0), QStringLiteral("x/y.mp3"), Qt::EditRole));
  EXPECT_EQ(model.index(2, 0).data().toString(), QStringLiteral("d.mp3"));
  EXPECT_TRUE(std::filesystem::exists(folder.PathOf("songs/d.mp3")));
}

TEST_F(SongExplorerDialogTest, KeysUseTheFilesClipboardAndNotTheDesktops) {
  auto dialog = Open(folder.PathOf("songs"));
  SelectRows(*dialog, {2});
  Press(dialog->List(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(dialog->Logic().Clipboard().files, (Strings{folder.PathOf("songs/c.mp3")}));
  EXPECT_TRUE(QApplication::clipboard()->text().isEmpty());
  EXPECT_TRUE(dialog->MenuItem(Action::Paste)->isEnabled());

  // Del sends the selection to the trash after asking.
  user.QueueButton(Button::No);  // the companion question
  user.QueueButton(Button::No);  // the trash question
  Press(dialog->List(), Qt::Key_Delete);
  ASSERT_EQ(user.Messages().size(), 2u);
  EXPECT_EQ(user.Messages()[1].text, "Send 'c.mp3' to the Trash?");
  EXPECT_TRUE(std::filesystem::exists(folder.PathOf("songs/c.mp3")));
}

TEST_F(SongExplorerDialogTest, ADropOnTheTreeMovesTheSelectionAndTheCatalogueFollows) {
  auto dialog = Open(folder.PathOf("songs"));
  SelectRows(*dialog, {1});
  Q_EMIT dialog->Tree().Dropped(QString::fromStdString(folder.PathOf("empty")), false);
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return std::filesystem::exists(folder.PathOf("empty/b.mp3")); }, 5000));
  dialog->FinishLoading();
  EXPECT_NE(catalogue.Songs().FindByFileName(folder.PathOf("empty/b.mp3")), nullptr);
  EXPECT_EQ(Rows(*dialog), (Strings{"a.kar|a.kar|?", "c.mp3|Sea|Crew"}));
}

TEST_F(SongExplorerDialogTest, ClosingWritesTheSettingsAndHandsBackTheFolder) {
  std::string shown = folder.PathOf("songs");
  {
    auto dialog = Open(shown);
    dialog->Tree().SetPath(folder.PathOf("empty"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog->Tree().PathPending(); }, 5000));
    dialog->FinishLoading();
    EXPECT_EQ(dialog->Folder(), folder.PathOf("empty"));
    dialog->List().setColumnWidth(1, 123);
    dialog->Run(Action::Close);
  }
  const tIniFile ini = tIniFile::Load(settings);
  EXPECT_EQ(ini.ReadInteger("Explorer", "State", -1), 0);
  EXPECT_EQ(ini.ReadInteger("Explorer", "Col2", 0), 123);
  EXPECT_TRUE(ini.HasKey("Explorer", "Top"));
  EXPECT_TRUE(ini.HasKey("Explorer", "Vertical division"));
}

}  // namespace
}  // namespace tunedex
