// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/import/scanwizarddialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
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

// A folder of songs in a real temporary folder, one of them in the catalogue, and the wizard
// over it.
class ScanWizardDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    SetUserLocale("en_US");
    InitUiResources();
    std::filesystem::create_directories(folder.PathOf("songs/deeper"));
    folder.Write("songs/a.mp3", test::Id3v2File({{"TIT2", "Aye"}, {"TPE1", "Band"}}));
    folder.Write("songs/deeper/b.KAR", "MThd");
    folder.Write("songs/readme.txt", "not a song");
    settings = folder.Write("tunedex.ini", "");
    catalogue.Import(
        {test::MakeRecord({.title = "Aye", .fileName = folder.PathOf("songs/a.mp3")})});
    catalogue.SetModified(false);
    volumes->Mount({.mountPoint = "/", .label = "/", .fileSystem = "ext4", .device = "/dev/sda1"});
  }

  std::unique_ptr<TScanWizardDialog> Open() {
    ScanWizardContext context{catalogue, files, volumes, user, options};
    context.settingsPath = settings;
    context.home = folder.Path();
    auto dialog = std::make_unique<TScanWizardDialog>(std::move(context));
    dialog->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    return dialog;
  }

  // Chooses the KAR and MP3 boxes and the songs folder, and scans.
  void Scan(TScanWizardDialog& dialog) {
    dialog.TypeBox(0).setChecked(true);
    dialog.TypeBox(3).setChecked(true);
    dialog.NextButton().click();
    dialog.Tree().SetPath(folder.PathOf("songs"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.Tree().PathPending(); }, 5000));
    ASSERT_EQ(dialog.Tree().Path(), folder.PathOf("songs"));
    ASSERT_TRUE(dialog.NextButton().isEnabled());
    dialog.NextButton().click();
    dialog.FinishScan();
  }

  test::TempFolder folder;
  std::string settings;
  std::shared_ptr<GioFileSystem> files = std::make_shared<GioFileSystem>();
  std::shared_ptr<test::FakeVolumes> volumes = std::make_shared<test::FakeVolumes>();
  test::ScriptedUser user;
  tCatalogue catalogue;
  tLivePlayerOptions options;
};

TEST_F(ScanWizardDialogTest, StepsFollowTheBoxesAndTheTree) {
  auto dialog = Open();
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Song-file Scan Expert"));
  EXPECT_FALSE(dialog->NextButton().isEnabled());
  EXPECT_FALSE(dialog->BackButton().isEnabled());
  EXPECT_FALSE(dialog->StopButton().isVisible());
  dialog->TypeBox(6).setChecked(true);
  EXPECT_TRUE(dialog->NextButton().isEnabled());
  dialog->TypeBox(6).setChecked(false);
  EXPECT_FALSE(dialog->NextButton().isEnabled());
  dialog->TypeBox(1).setChecked(true);
  dialog->NextButton().click();
  EXPECT_EQ(dialog->NextButton().text(), QStringLiteral("&Scan"));
  EXPECT_EQ(dialog->NextButton().toolTip(), QStringLiteral("Start search for files"));
  EXPECT_TRUE(dialog->BackButton().isEnabled());
  dialog->Tree().SetPath(folder.PathOf("songs"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->NextButton().isEnabled(); }, 5000));
  dialog->BackButton().click();
  EXPECT_EQ(dialog->NextButton().text(), QStringLiteral("&Next"));
  EXPECT_FALSE(dialog->BackButton().isEnabled());
}

TEST_F(ScanWizardDialogTest, ScanListsWhatItFoundAndImportsTheSelection) {
  auto dialog = Open();
  Scan(*dialog);
  ASSERT_EQ(user.Messages().size(), 1u);
  EXPECT_EQ(user.Messages()[0].text, "Scan for song files completed.\r2 songs found");
  ASSERT_EQ(dialog->List().model()->rowCount(), 2);
  EXPECT_TRUE(dialog->StopButton().isVisible());
  EXPECT_FALSE(dialog->StopButton().isEnabled());
  EXPECT_EQ(dialog->Counter().text(), QStringLiteral("1/2"));
  EXPECT_FALSE(dialog->PathLine().text().isEmpty());
  EXPECT_FALSE(dialog->InfoBox().toPlainText().isEmpty());

  dialog->List().selectAll();
  EXPECT_TRUE(dialog->ImportButton().isEnabled());
  user.QueueButton(Button::Yes);
  dialog->ImportButton().click();
  EXPECT_EQ(catalogue.Songs().Count(), 2u);
  EXPECT_NE(catalogue.Songs().FindByFileName(folder.PathOf("songs/deeper/b.KAR")), nullptr);
  EXPECT_FALSE(dialog->ImportButton().isEnabled());
  for (const tExplorerItem& item : dialog->Logic().Items()) EXPECT_TRUE(item.InCatalogue());
}

TEST_F(ScanWizardDialogTest, ClosingWithResultsNotImportedAsksAndWritesTheSettings) {
  auto dialog = Open();
  Scan(*dialog);
  user.QueueButton(Button::No);
  dialog->CloseButton().click();
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(user.Messages().back().text,
            "Close Song-file Scan Expert without importing any songs?");
  user.QueueButton(Button::Yes);
  dialog->CloseButton().click();
  EXPECT_FALSE(dialog->isVisible());
  const tIniFile ini = tIniFile::Load(settings);
  EXPECT_TRUE(ini.HasKey("SongScan", "State"));
  EXPECT_TRUE(ini.HasKey("SongScan", "Vertical division"));
}

}  // namespace
}  // namespace tunedex
