// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/lost/lostfilesdialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>

#include "catalogue/recordeditor.h"
#include "common/userlocale.h"
#include "platform/giofilesystem.h"
#include "song/songtype.h"
#include "support/fakevolumes.h"
#include "support/gatedfilesystem.h"
#include "support/scripteduser.h"
#include "support/songfilebuilders.h"
#include "support/songfixtures.h"
#include "support/tempfolder.h"
#include "ui/lost/movedfilesdialog.h"
#include "ui/lost/pathmatchingdialog.h"
#include "ui/widgets/pictures.h"
#include "ui/widgets/qtuser.h"

namespace tunedex {
namespace {

using enum LostFilesControl;

bool SamePicture(const QLabel& label, int slot) {
  return label.pixmap().toImage() == TypePicture(slot).toImage();
}

// Songs in a real temporary folder, some of whose files are gone, on a fixed volume that is
// ready, and the window over them.
class LostFilesDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    SetUserLocale("en_US");
    InitUiResources();
    std::filesystem::create_directories(folder.PathOf("old"));
    std::filesystem::create_directories(folder.PathOf("new"));
    volumes->Mount({.mountPoint = "/", .label = "/", .fileSystem = "ext4", .device = "/dev/sda1"});
  }

  // A song of the catalogue; its file exists when bytes are given.
  void AddSong(const std::string& name, const std::string& title, const std::string& idCode,
               const std::string& bytes = {}) {
    if (!bytes.empty()) Write(name, bytes);
    tSongRecord record = test::MakeRecord({.title = title,
                                           .artist = "Old Artist",
                                           .language = "Eng",
                                           .fileName = folder.PathOf(name),
                                           .idCode = idCode,
                                           .notes = "kept"});
    record.SetFileType(ExtToSongType(name));
    catalogue.Add(record);
    catalogue.SetModified(false);
  }

  std::string Write(const std::string& name, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(folder.PathOf(name)).parent_path());
    return folder.Write(name, bytes);
  }

  std::unique_ptr<TLostFilesDialog> Open() {
    LostFilesContext context{catalogue, windowFiles, volumes, user};
    context.songsFolder = folder.Path();
    context.showSongRecord = [this](tSongRecord& record, int mode, std::string&) {
      shownRecords.emplace_back(record.FileName(), mode);
      return false;
    };
    context.chooseFolder = [this](QWidget*, const std::string&) { return chosenFolder; };
    context.askMatchPaths = [this](QWidget* parent, const PathMatchTexts& texts) {
      return matchPaths(parent, texts);
    };
    context.reviewMovedFiles = [this](QWidget* parent, tMovedFiles& moved) {
      return review(parent, moved);
    };
    auto dialog = std::make_unique<TLostFilesDialog>(std::move(context));
    dialog->Open();
    dialog->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    return dialog;
  }

  std::string FileOf(std::size_t song) const {
    return std::string(catalogue.Songs()[song]->Record().FileName());
  }

  test::TempFolder folder;
  std::shared_ptr<GioFileSystem> files = std::make_shared<GioFileSystem>();
  std::shared_ptr<FileSystem> windowFiles = files;
  std::shared_ptr<test::FakeVolumes> volumes = std::make_shared<test::FakeVolumes>();
  test::ScriptedUser user;
  tCatalogue catalogue;
  std::vector<std::pair<std::string, int>> shownRecords;
  std::optional<std::string> chosenFolder;
  std::function<std::optional<PathMatchTexts>(QWidget*, const PathMatchTexts&)> matchPaths =
      [](QWidget*, const PathMatchTexts&) { return std::nullopt; };
  std::function<bool(QWidget*, tMovedFiles&)> review = [](QWidget*, tMovedFiles&) { return false; };
};

TEST_F(LostFilesDialogTest, WithoutLostSongsTheWindowHasNothingToDo) {
  AddSong("here.mp3", "Here", "ID1", test::Id3v2File({{"TIT2", "Here"}}));
  auto dialog = Open();

  ASSERT_EQ(user.Messages().size(), 1u);
  EXPECT_EQ(user.Messages()[0].text, kNoLostFilesMessage);
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Lost Files"));
  EXPECT_EQ(dialog->FileEdit().text(), QStringLiteral("No missing songs"));
  EXPECT_EQ(dialog->ActionLabel().text(), QStringLiteral("Nothing to do"));
  EXPECT_TRUE(dialog->TitleLabel().text().isEmpty());
  EXPECT_TRUE(dialog->ArtistLabel().text().isEmpty());
  EXPECT_FALSE(dialog->NotFoundLabel().isVisible());
  EXPECT_FALSE(dialog->LostIcon().isVisible());
  EXPECT_FALSE(dialog->CandidateArea().isVisible());
  EXPECT_EQ(dialog->StatusLine().text(), QStringLiteral("There are 0 lost files in the songlist"));
  for (LostFilesControl control :
       {RemoveIt, Browse, Accept, ViewEdit, RemoveAll, IgnoreIt, MatchPaths, FindMovedFiles}) {
    EXPECT_FALSE(dialog->Button(control).isEnabled()) << TextOf(control).caption;
  }
  for (LostFilesControl control : {Refresh, Help, Close}) {
    EXPECT_TRUE(dialog->Button(control).isEnabled()) << TextOf(control).caption;
  }
  EXPECT_TRUE(dialog->Button(Close).isDefault());
}

TEST_F(LostFilesDialogTest, ALostSongIsShownWithItsTextsPictureAndHints) {
  AddSong("old/gone.mp3", "Gone <b>&</b>", "ID1");
  auto dialog = Open();

  EXPECT_TRUE(user.Messages().empty());
  EXPECT_EQ(dialog->FileEdit().text(), ToQt(folder.PathOf("old/gone.mp3")));
  EXPECT_TRUE(dialog->FileEdit().isReadOnly());
  // Song texts are shown as they are, not as markup.
  EXPECT_EQ(dialog->TitleLabel().text(), QStringLiteral("Title: Gone <b>&</b>"));
  EXPECT_EQ(dialog->TitleLabel().textFormat(), Qt::PlainText);
  EXPECT_EQ(dialog->ArtistLabel().text(), QStringLiteral("Artist: Old Artist"));
  EXPECT_TRUE(dialog->NotFoundLabel().isVisible());
  EXPECT_EQ(dialog->NotFoundLabel().text(),
            QStringLiteral("can no longer be found on this computer"));
  EXPECT_TRUE(dialog->LostIcon().isVisible());
  EXPECT_TRUE(SamePicture(dialog->LostIcon(), 16));  // an MP3 that is missing
  EXPECT_EQ(dialog->ActionLabel().text(), ToQt(kSelectAnAction));
  EXPECT_FALSE(dialog->CandidateArea().isVisible());
  EXPECT_EQ(dialog->StatusLine().text(), QStringLiteral("There are 1 lost files in the songlist"));
  // The title choice's first button shows the lost title, mnemonic characters kept.
  EXPECT_EQ(dialog->TitleButton(RecordSource::ExistingRecord).text(),
            QStringLiteral("Gone <b>&&</b>"));
  EXPECT_TRUE(dialog->TitleButton(RecordSource::ExistingRecord).isChecked());
  EXPECT_TRUE(dialog->ArtistButton(RecordSource::ExistingRecord).isChecked());

  for (LostFilesControl control : {RemoveIt, Browse, ViewEdit, RemoveAll, IgnoreIt, Refresh}) {
    EXPECT_TRUE(dialog->Button(control).isEnabled()) << TextOf(control).caption;
  }
  EXPECT_FALSE(dialog->Button(Accept).isEnabled());
  EXPECT_FALSE(dialog->Button(MatchPaths).isEnabled());

  struct Case {
    QWidget* widget;
    LostFilesControl control;
  };
  for (const Case& c :
       {Case{&dialog->FileEdit(), FileEdit}, Case{&dialog->LostIcon(), LostIcon},
        Case{&dialog->TagInformation(), TagInformation}, Case{&dialog->Button(Accept), Accept},
        Case{&dialog->Button(Close), Close}, Case{&dialog->Button(Help), Help}}) {
    EXPECT_EQ(c.widget->toolTip(), ToQt(TextOf(c.control).hint));
  }
  EXPECT_EQ(dialog->Button(RemoveIt).text(), QStringLiteral("&Remove it"));
  EXPECT_TRUE(dialog->IgnoreBox(IgnoreRemovable).isChecked());
  EXPECT_TRUE(dialog->IgnoreBox(IgnoreRemote).isChecked());
  EXPECT_FALSE(dialog->IgnoreBox(IgnoreRam).isChecked());
}

TEST_F(LostFilesDialogTest, BrowseShowsTheChosenFileAndAcceptRepairsTheRecord) {
  AddSong("old/gone.mp3", "Old Title", "ID7");
  const std::string chosen =
      Write("new/found.mp3", test::Id3v2File({{"TIT2", "New Title"}, {"TPE1", "New Band"}}));
  auto dialog = Open();
  user.QueueFile(chosen);
  dialog->Button(Browse).click();

  ASSERT_EQ(user.FileRequests().size(), 1u);
  const FileDialogRequest& request = user.FileRequests()[0];
  EXPECT_EQ(request.title, kLocateSongFileTitle);
  EXPECT_EQ(request.folder, folder.Path());
  EXPECT_EQ(request.selectedFilter, 5u);  // the MP3 entry
  EXPECT_TRUE(dialog->CandidateArea().isVisible());
  EXPECT_EQ(dialog->NewFileEdit().text(), ToQt(chosen));
  EXPECT_EQ(dialog->NewTitle().text(), QStringLiteral("New Title"));
  EXPECT_EQ(dialog->NewArtist().text(), QStringLiteral("New Band"));
  EXPECT_TRUE(dialog->InternalFormat().text().startsWith(QStringLiteral("Internal format: ")));
  EXPECT_FALSE(dialog->TagInformation().toPlainText().isEmpty());
  EXPECT_EQ(dialog->TitleButton(RecordSource::NewFile).text(), QStringLiteral("New Title"));
  EXPECT_TRUE(SamePicture(dialog->CandidateIcon(), 8));  // an MP3 not in the catalogue
  EXPECT_TRUE(dialog->Button(Accept).isEnabled());
  EXPECT_TRUE(dialog->Button(MatchPaths).isEnabled());

  // The artist comes from the new file, the title stays the record's.
  dialog->ArtistButton(RecordSource::NewFile).click();
  EXPECT_EQ(dialog->Logic().Candidate().Artist(), "New Band");
  dialog->Button(Accept).click();

  const tSongRecord& record = catalogue.Songs()[0]->Record();
  EXPECT_EQ(record.FileName(), chosen);
  EXPECT_EQ(record.Title(), "Old Title");
  EXPECT_EQ(record.Artist(), "New Band");
  EXPECT_EQ(record.IdCode(), "ID7");
  EXPECT_EQ(record.Notes(), "kept");
  EXPECT_TRUE(catalogue.Modified());
  EXPECT_EQ(dialog->FileEdit().text(), QStringLiteral("No missing songs"));
  EXPECT_FALSE(dialog->CandidateArea().isVisible());
  EXPECT_EQ(dialog->StatusLine().text(), QStringLiteral("There are 0 lost files in the songlist"));
}

TEST_F(LostFilesDialogTest, AFileAlreadyInTheCatalogueIsRefused) {
  AddSong("old/gone.mp3", "Gone", "ID1");
  const std::string taken = folder.PathOf("new/taken.mp3");
  AddSong("new/taken.mp3", "Taken", "ID2", test::Id3v2File({{"TIT2", "Taken"}}));
  auto dialog = Open();
  user.QueueFile(taken);
  dialog->Button(Browse).click();

  ASSERT_EQ(user.Messages().size(), 1u);
  EXPECT_EQ(user.Messages()[0].text, taken + " is already listed in the database");
  EXPECT_FALSE(dialog->CandidateArea().isVisible());
  EXPECT_FALSE(dialog->Button(Accept).isEnabled());
}

TEST_F(LostFilesDialogTest, RemoveItTakesTheSongOutOfTheCatalogue) {
  AddSong("old/one.kar", "One", "ID1");
  AddSong("old/two.kar", "Two", "ID2");
  auto dialog = Open();
  dialog->Button(RemoveIt).click();

  ASSERT_EQ(catalogue.Songs().Count(), 1u);
  EXPECT_EQ(FileOf(0), folder.PathOf("old/two.kar"));
  EXPECT_EQ(dialog->FileEdit().text(), ToQt(folder.PathOf("old/two.kar")));
  EXPECT_TRUE(SamePicture(dialog->LostIcon(), 12));  // a KAR that is missing
  EXPECT_EQ(dialog->StatusLine().text(), QStringLiteral("There are 1 lost files in the songlist"));
}

TEST_F(LostFilesDialogTest, RemoveAllAsksFirst) {
  struct Case {
    Button answer;
    std::size_t songsLeft;
  };
  for (const Case& c : {Case{Button::No, 2u}, Case{Button::Yes, 0u}}) {
    catalogue.RemoveAll();
    AddSong("old/one.kar", "One", "ID1");
    AddSong("old/two.kar", "Two", "ID2");
    auto dialog = Open();
    user.QueueButton(c.answer);
    dialog->Button(RemoveAll).click();
    EXPECT_EQ(user.Messages().back().text, kRemoveAllQuestion);
    EXPECT_EQ(catalogue.Songs().Count(), c.songsLeft);
    EXPECT_EQ(dialog->Button(RemoveAll).isEnabled(), c.songsLeft > 0);
  }
}

TEST_F(LostFilesDialogTest, IgnoreItStepsToTheLastLostSongAndStaysThere) {
  AddSong("old/one.kar", "One", "ID1");
  AddSong("old/two.kar", "Two", "ID2");
  auto dialog = Open();
  dialog->Button(IgnoreIt).click();
  EXPECT_EQ(dialog->TitleLabel().text(), QStringLiteral("Title: Two"));
  EXPECT_TRUE(user.Messages().empty());

  dialog->Button(IgnoreIt).click();
  ASSERT_EQ(user.Messages().size(), 1u);
  EXPECT_EQ(user.Messages()[0].text, kLastLostFileMessage);
  EXPECT_EQ(dialog->TitleLabel().text(), QStringLiteral("Title: Two"));
  EXPECT_EQ(catalogue.Songs().Count(), 2u);
}

TEST_F(LostFilesDialogTest, ViewingClicksOpenTheRecords) {
  AddSong("old/gone.mp3", "Gone", "ID1");
  const std::string chosen = Write("new/found.mp3", test::Id3v2File({{"TIT2", "Found"}}));
  auto dialog = Open();
  QTest::mouseDClick(&dialog->FileEdit(), Qt::LeftButton);
  QTest::mouseClick(&dialog->TitleLabel(), Qt::LeftButton, Qt::ControlModifier);
  // A plain click shows nothing.
  QTest::mouseClick(&dialog->TitleLabel(), Qt::LeftButton);
  user.QueueFile(chosen);
  dialog->Button(Browse).click();
  QTest::mouseClick(&dialog->NewTitle(), Qt::LeftButton, Qt::ControlModifier);
  QTest::mouseDClick(dialog->TagInformation().viewport(), Qt::LeftButton);
  dialog->Button(ViewEdit).click();

  const std::string lost = folder.PathOf("old/gone.mp3");
  const std::vector<std::pair<std::string, int>> expected{{lost, kExisting},
                                                          {lost, kExisting},
                                                          {chosen, kExisting},
                                                          {chosen, kEditable | kExisting},
                                                          {chosen, kEditable | kExisting}};
  EXPECT_EQ(shownRecords, expected);
}

TEST_F(LostFilesDialogTest, PathMatchingRepairsEverySongThatMoved) {
  struct Case {
    bool ok;
    std::string replacement;  // empty: as proposed
    bool repaired;
  };
  for (const Case& c :
       {Case{true, "", true}, Case{false, "", false}, Case{true, "/nowhere", false}}) {
    catalogue.RemoveAll();
    AddSong("old/Pop/a.mp3", "A", "ID1");
    AddSong("old/Pop/b.mp3", "B", "ID2");
    AddSong("old/Rock/c.mp3", "C", "ID3");  // not moved
    const std::string a = Write("new/Pop/a.mp3", test::Id3v2File({{"TIT2", "A"}}));
    const std::string b = Write("new/Pop/b.mp3", test::Id3v2File({{"TIT2", "B"}}));
    user = test::ScriptedUser();
    PathMatchTexts proposed;
    QString title;
    matchPaths = [&](QWidget* parent,
                     const PathMatchTexts& texts) -> std::optional<PathMatchTexts> {
      proposed = texts;
      TPathMatchingDialog dialog(texts, parent);
      title = dialog.windowTitle();
      if (!c.replacement.empty()) dialog.ReplacementEdit().setText(ToQt(c.replacement));
      (c.ok ? dialog.OkButton() : dialog.CancelButton()).click();
      if (dialog.result() != QDialog::Accepted) return std::nullopt;
      return dialog.Texts();
    };
    auto dialog = Open();
    user.QueueFile(a);
    dialog->Button(Browse).click();
    user.QueueButton(Button::Yes);
    dialog->Button(MatchPaths).click();

    EXPECT_EQ(title, QStringLiteral("Dialog"));
    EXPECT_EQ(proposed.find, folder.PathOf("old/Pop/"));
    EXPECT_EQ(proposed.replacement, folder.PathOf("new/Pop/"));
    EXPECT_EQ(FileOf(0), c.repaired ? a : folder.PathOf("old/Pop/a.mp3"));
    EXPECT_EQ(FileOf(1), c.repaired ? b : folder.PathOf("old/Pop/b.mp3"));
    EXPECT_EQ(FileOf(2), folder.PathOf("old/Rock/c.mp3"));
    EXPECT_EQ(catalogue.Modified(), c.repaired);
    if (c.repaired) {
      EXPECT_EQ(dialog->StatusLine().text(),
                QStringLiteral("There are 1 lost files in the songlist"));
      EXPECT_EQ(dialog->TitleLabel().text(), QStringLiteral("Title: C"));
      EXPECT_FALSE(dialog->Button(MatchPaths).isEnabled());
    }
  }
}

TEST_F(LostFilesDialogTest, ThePathMatchingDialogHoldsItsTwoTexts) {
  TPathMatchingDialog dialog({"D:\\Karaoke", "/home/host/Karaoke"});
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Dialog"));
  QStringList labels;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) labels << label->text();
  EXPECT_EQ(labels, (QStringList{QStringLiteral("Replace.."),
                                 QStringLiteral("in the paths of all lost files with...")}));
  EXPECT_EQ(dialog.FindEdit().text(), QStringLiteral("D:\\Karaoke"));
  EXPECT_TRUE(dialog.OkButton().isDefault());
  dialog.FindEdit().setText(QStringLiteral("E:\\Songs"));
  EXPECT_EQ(dialog.Texts().find, "E:\\Songs");
  EXPECT_EQ(dialog.Texts().replacement, "/home/host/Karaoke");
}

TEST_F(LostFilesDialogTest, FoundFilesAreReviewedAndOnlyTheTickedOnesTaken) {
  AddSong("old/a.mp3", "A", "ID1");
  AddSong("old/b.mp3", "B", "ID2");
  AddSong("old/c.mp3", "C", "ID3");
  const std::string a = Write("new/x/A.MP3", test::Id3v2File({{"TIT2", "A"}}));
  Write("new/y/b.mp3", test::Id3v2File({{"TIT2", "B"}}));
  Write("new/c.mp3", test::Id3v2File({{"TIT2", "C"}}));
  Write("new/y/c.mp3", test::Id3v2File({{"TIT2", "C"}}));
  chosenFolder = folder.PathOf("new");
  QStringList oldPaths, unsettled;
  std::vector<Qt::CheckState> ticks;
  review = [&](QWidget* parent, tMovedFiles& moved) {
    TMovedFilesDialog dialog(moved, parent);
    for (int row = 0; row < dialog.Proposals().topLevelItemCount(); ++row) {
      oldPaths << dialog.Proposals().topLevelItem(row)->text(0);
      ticks.push_back(dialog.Proposals().topLevelItem(row)->checkState(0));
    }
    for (int row = 0; row < dialog.Unsettled().topLevelItemCount(); ++row) {
      unsettled << dialog.Unsettled().topLevelItem(row)->text(0);
    }
    // b stays where the record says.
    dialog.Proposals().topLevelItem(1)->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(moved.TickedCount(), 1u);
    dialog.OkButton().click();
    return dialog.result() == QDialog::Accepted;
  };
  auto dialog = Open();
  dialog->Button(FindMovedFiles).click();
  EXPECT_TRUE(dialog->StopButton().isVisible());
  EXPECT_FALSE(dialog->Button(Browse).isEnabled());
  dialog->FinishSearch();

  EXPECT_EQ(oldPaths,
            (QStringList{ToQt(folder.PathOf("old/a.mp3")), ToQt(folder.PathOf("old/b.mp3"))}));
  EXPECT_EQ(ticks, (std::vector<Qt::CheckState>{Qt::Checked, Qt::Checked}));
  EXPECT_EQ(unsettled, QStringList{QStringLiteral("c.mp3")});
  EXPECT_EQ(FileOf(0), a);
  EXPECT_EQ(FileOf(1), folder.PathOf("old/b.mp3"));
  EXPECT_EQ(FileOf(2), folder.PathOf("old/c.mp3"));
  EXPECT_TRUE(catalogue.Modified());
  EXPECT_FALSE(dialog->StopButton().isVisible());
  EXPECT_TRUE(dialog->Button(Browse).isEnabled());
  EXPECT_EQ(dialog->StatusLine().text(), QStringLiteral("There are 2 lost files in the songlist"));
}

TEST_F(LostFilesDialogTest, ACancelledReviewChangesNothing) {
  AddSong("old/a.mp3", "A", "ID1");
  Write("new/a.mp3", test::Id3v2File({{"TIT2", "A"}}));
  chosenFolder = folder.PathOf("new");
  int reviews = 0;
  review = [&](QWidget*, tMovedFiles&) {
    ++reviews;
    return false;
  };
  auto dialog = Open();
  dialog->Button(FindMovedFiles).click();
  dialog->FinishSearch();
  EXPECT_EQ(reviews, 1);
  EXPECT_EQ(FileOf(0), folder.PathOf("old/a.mp3"));
  EXPECT_FALSE(catalogue.Modified());
  EXPECT_EQ(dialog->Logic().MovedFiles(), nullptr);
}

TEST_F(LostFilesDialogTest, StopEndsASearchStuckInAFolderWithoutAReview) {
  using namespace std::chrono_literals;
  AddSong("old/a.mp3", "A", "ID1");
  Write("new/deep/a.mp3", test::Id3v2File({{"TIT2", "A"}}));
  auto gated = std::make_shared<test::GatedFileSystem>(files);
  gated->HangListing(folder.PathOf("new/deep"));
  windowFiles = gated;
  chosenFolder = folder.PathOf("new");
  int reviews = 0;
  review = [&](QWidget*, tMovedFiles&) {
    ++reviews;
    return true;
  };
  auto dialog = Open();
  dialog->Button(FindMovedFiles).click();
  ASSERT_TRUE(gated->WaitUntilHanging(5s));
  EXPECT_TRUE(dialog->StopButton().isVisible());
  dialog->StopButton().click();

  EXPECT_EQ(dialog->SearchLine().text(), QStringLiteral("The search was stopped"));
  EXPECT_FALSE(dialog->StopButton().isVisible());
  EXPECT_TRUE(dialog->Button(FindMovedFiles).isEnabled());
  EXPECT_EQ(reviews, 0);
  EXPECT_EQ(dialog->Logic().MovedFiles(), nullptr);
  EXPECT_EQ(FileOf(0), folder.PathOf("old/a.mp3"));
  // The walk left behind ends once its folder answers.
  EXPECT_TRUE(gated->Release(5s));
}

}  // namespace
}  // namespace tunedex
