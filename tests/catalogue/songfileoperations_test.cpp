// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/songfileoperations.h"

#include <gtest/gtest.h>

#include "support/fakefilesystem.h"
#include "support/scripteduser.h"
#include "support/songfixtures.h"

namespace tunedex {
namespace {

using test::FakeFileSystem;
using Op = FakeFileSystem::Op;
using Strings = std::vector<std::string>;

// /songs holds an MP3 song with a ".CDG" companion (spelled as on Windows), a KAR song with a
// ".cdg" companion and a WMA song without one; the catalogue holds the MP3 and the KAR.
class SongFileOperationsTest : public testing::Test {
 protected:
  void SetUp() override {
    m_files.AddFile("/songs/a.mp3", "mp3 bytes");
    m_files.AddFile("/songs/a.CDG", "cdg bytes");
    m_files.AddFile("/songs/b.kar", "kar bytes");
    m_files.AddFile("/songs/b.cdg", "kar cdg");
    m_files.AddFile("/songs/c.wma", "wma bytes");
    m_files.AddFolder("/dest");
    m_catalogue.Add(test::MakeRecord(
        {.title = "A", .artist = "X", .fileName = "/songs/a.mp3", .idCode = "AA001"}));
    m_catalogue.Add(test::MakeRecord(
        {.title = "B", .artist = "Y", .fileName = "/songs/b.kar", .idCode = "BB001"}));
    m_catalogue.SetModified(false);
  }

  // Starts again from the files and songs above.
  void Reset() {
    m_files = FakeFileSystem();
    m_user = test::ScriptedUser();
    m_catalogue.RemoveAll();
    SetUp();
  }

  bool Catalogued(const std::string& path) const {
    return m_catalogue.Songs().FindByFileName(path) != nullptr;
  }
  std::string IdOf(const std::string& path) const {
    const tSong* song = m_catalogue.Songs().FindByFileName(path);
    return song ? song->Record().IdCode() : std::string();
  }
  Strings Questions() const {
    Strings texts;
    for (const auto& message : m_user.Messages()) texts.push_back(message.text);
    return texts;
  }
  static Strings DoneFrom(const FileOperationReport& report) {
    Strings paths;
    for (const FileDone& file : report.done) paths.push_back(file.from);
    return paths;
  }

  FakeFileSystem m_files;
  test::ScriptedUser m_user;
  tCatalogue m_catalogue;
  tSongFileOperations m_operations{m_catalogue, m_files, m_user};
};

TEST(CdgCompanionTest, IsFoundIgnoringTheCaseOfItsExtension) {
  FakeFileSystem files;
  files.AddFile("/s/upper.mp3");
  files.AddFile("/s/upper.CDG");
  files.AddFile("/s/lower.WMA");
  files.AddFile("/s/lower.cdg");
  files.AddFile("/s/none.mp3");
  files.AddFile("/s/Other.cdg");
  files.AddFile("/s/other.mp3");  // a name differing in case is another song
  files.AddFile("/s/noext");
  files.AddFile("/s/noext.cdg");
  EXPECT_EQ(FindCdgCompanion("/s/upper.mp3", files), "/s/upper.CDG");
  EXPECT_EQ(FindCdgCompanion("/s/lower.WMA", files), "/s/lower.cdg");
  EXPECT_EQ(FindCdgCompanion("/s/none.mp3", files), std::nullopt);
  EXPECT_EQ(FindCdgCompanion("/s/other.mp3", files), std::nullopt);
  EXPECT_EQ(FindCdgCompanion("/s/noext", files), "/s/noext.cdg");
  EXPECT_EQ(FindCdgCompanion("/s/upper.CDG", files), std::nullopt);
  EXPECT_TRUE(TakesCdgCompanion("x.MP3"));
  EXPECT_TRUE(TakesCdgCompanion("x.wma"));
  EXPECT_FALSE(TakesCdgCompanion("x.kar"));
  EXPECT_FALSE(TakesCdgCompanion("mp3"));
}

TEST_F(SongFileOperationsTest, DeleteAsksAboutOneFileByNameAndSeveralByCount) {
  struct Case {
    Strings paths;
    std::string question;
  };
  for (const Case& c : {Case{{"/songs/a.mp3"}, "Are you sure that you wish to delete 'a.mp3'?"},
                        Case{{"/songs/a.mp3", "/songs/c.wma"},
                             "Are you sure that you wish to delete these 2 items?"}}) {
    test::ScriptedUser user;
    user.QueueButton(Button::No);
    tSongFileOperations operations(m_catalogue, m_files, user);
    const FileOperationReport report = operations.Delete(c.paths);
    ASSERT_EQ(user.Messages().size(), 1u);
    EXPECT_EQ(user.Messages()[0].text, c.question);
    EXPECT_TRUE(report.declined);
    EXPECT_EQ(m_files.Calls(Op::Delete), 0);
    EXPECT_TRUE(Catalogued("/songs/a.mp3"));
  }
}

TEST_F(SongFileOperationsTest, DeleteRemovesARecordOnlyOnceItsFileIsGone) {
  m_files.Fail(Op::Delete, FileFailure::PermissionDenied, "/songs/b.kar");
  m_user.QueueButton(Button::Yes);  // delete
  m_user.QueueButton(Button::Ok);   // the error
  m_user.QueueButton(Button::No);   // the companions
  const FileOperationReport report = m_operations.Delete({"/songs/a.mp3", "/songs/b.kar"});
  EXPECT_EQ(DoneFrom(report), Strings{"/songs/a.mp3"});
  ASSERT_EQ(report.failed.size(), 1u);
  EXPECT_EQ(report.failed[0].path, "/songs/b.kar");
  EXPECT_FALSE(m_files.FileExists("/songs/a.mp3"));
  EXPECT_FALSE(Catalogued("/songs/a.mp3"));
  EXPECT_TRUE(m_files.FileExists("/songs/b.kar"));
  EXPECT_EQ(IdOf("/songs/b.kar"), "BB001");
  EXPECT_TRUE(m_catalogue.Modified());
  EXPECT_EQ(Questions(),
            (Strings{"Are you sure that you wish to delete these 2 items?",
                     "Could not delete 1 items", "Delete the 2 matching .cdg files also?"}));
  EXPECT_TRUE(m_files.FileExists("/songs/a.CDG"));
  EXPECT_TRUE(m_files.FileExists("/songs/b.cdg"));
}

TEST_F(SongFileOperationsTest, DeleteCompanionsByRule) {
  // Asked, a KAR song's companion is offered too; taken unasked, only an MP3 or WMA song's.
  struct Case {
    CompanionRule rule;
    Strings gone;
    Strings kept;
  };
  for (const Case& c : {Case{CompanionRule::Ask, {"/songs/a.CDG", "/songs/b.cdg"}, {}},
                        Case{CompanionRule::Take, {"/songs/a.CDG"}, {"/songs/b.cdg"}},
                        Case{CompanionRule::Leave, {}, {"/songs/a.CDG", "/songs/b.cdg"}}}) {
    Reset();
    FileOperationOptions options;
    options.confirm = false;
    options.companions = c.rule;
    m_operations.Delete({"/songs/a.mp3", "/songs/b.kar"}, options);
    for (const std::string& path : c.gone) EXPECT_FALSE(m_files.FileExists(path)) << path;
    for (const std::string& path : c.kept) EXPECT_TRUE(m_files.FileExists(path)) << path;
  }
}

TEST_F(SongFileOperationsTest, TrashAsksItsOwnQuestionAndTakesOnlyMp3AndWmaCompanions) {
  m_user.QueueButton(Button::Yes);  // the companions
  m_user.QueueButton(Button::Yes);  // trash
  const FileOperationReport report = m_operations.Trash({"/songs/a.mp3", "/songs/b.kar"});
  EXPECT_EQ(Questions(), (Strings{"Send the 1 matching .cdg files to the Trash also?",
                                  "Send these 2 items to the Trash?"}));
  EXPECT_EQ(m_files.Trashed(), (Strings{"/songs/a.mp3", "/songs/a.CDG", "/songs/b.kar"}));
  EXPECT_TRUE(report.Complete());
  EXPECT_TRUE(m_files.FileExists("/songs/b.cdg"));
  EXPECT_TRUE(m_catalogue.Songs().Empty());
}

TEST_F(SongFileOperationsTest, TrashDeclinedTouchesNothing) {
  m_user.QueueButton(Button::No);  // the companions
  m_user.QueueButton(Button::No);  // trash
  const FileOperationReport report = m_operations.Trash({"/songs/a.mp3"});
  EXPECT_TRUE(report.declined);
  EXPECT_EQ(m_files.Calls(Op::Trash), 0);
  EXPECT_TRUE(Catalogued("/songs/a.mp3"));
}

TEST_F(SongFileOperationsTest, AVolumeWithoutTrashKeepsFilesAndRecordsAndNamesThem) {
  m_files.Fail(Op::Trash, FileFailure::NotSupported);
  FileOperationOptions options;
  options.confirm = false;
  options.companions = CompanionRule::Leave;
  const FileOperationReport report = m_operations.Trash({"/songs/a.mp3"}, options);
  EXPECT_FALSE(report.Complete());
  EXPECT_TRUE(m_files.FileExists("/songs/a.mp3"));
  EXPECT_EQ(IdOf("/songs/a.mp3"), "AA001");
  EXPECT_FALSE(m_catalogue.Modified());
  ASSERT_EQ(m_user.Messages().size(), 1u);
  EXPECT_EQ(m_user.Messages()[0].kind, MessageKind::Error);
  EXPECT_NE(m_user.Messages()[0].text.find("no Trash"), std::string::npos);
  EXPECT_NE(m_user.Messages()[0].text.find("/songs/a.mp3"), std::string::npos);
}

TEST_F(SongFileOperationsTest, RenameTakesTheCompanionAndTheRecordAlong) {
  const FileOperationReport report =
      m_operations.Rename("/songs/a.mp3", "z.mp3", tSongRecord(), true);
  EXPECT_TRUE(report.Complete());
  EXPECT_TRUE(m_files.FileExists("/songs/z.mp3"));
  EXPECT_TRUE(m_files.FileExists("/songs/z.CDG"));
  EXPECT_FALSE(m_files.FileExists("/songs/a.CDG"));
  EXPECT_EQ(IdOf("/songs/z.mp3"), "AA001");
  EXPECT_FALSE(Catalogued("/songs/a.mp3"));
  EXPECT_TRUE(m_catalogue.Modified());
}

TEST_F(SongFileOperationsTest, ANewExtensionAloneLeavesTheCompanion) {
  m_user.QueueButton(Button::Yes);  // the change of song type
  const FileOperationReport report =
      m_operations.Rename("/songs/a.mp3", "a.wma", tSongRecord(), true);
  EXPECT_TRUE(report.Complete());
  EXPECT_TRUE(m_files.FileExists("/songs/a.wma"));
  EXPECT_TRUE(m_files.FileExists("/songs/a.CDG"));
  EXPECT_EQ(IdOf("/songs/a.wma"), "AA001");
}

TEST_F(SongFileOperationsTest, RenameRefusalsTouchNothing) {
  m_files.AddFile("/songs/taken.mp3");
  for (const std::string name : {"sub/z.mp3", "", "..", "taken.mp3"}) {
    const FileOperationReport report =
        m_operations.Rename("/songs/a.mp3", name, tSongRecord(), true);
    EXPECT_EQ(report.failed.size(), 1u) << name;
    EXPECT_EQ(m_files.Calls(Op::Rename), 0) << name;
  }
  EXPECT_EQ(IdOf("/songs/a.mp3"), "AA001");
  EXPECT_TRUE(m_files.FileExists("/songs/a.CDG"));
  EXPECT_FALSE(m_catalogue.Modified());
}

TEST_F(SongFileOperationsTest, RenameOfAnUncataloguedFileUsesTheListedRecord) {
  tSongRecord listed = test::MakeRecord({.fileName = "/songs/c.wma"});
  listed.SetFileType(5);
  m_user.QueueButton(Button::No);  // the change of song type
  const FileOperationReport report = m_operations.Rename("/songs/c.wma", "c.kar", listed, true);
  EXPECT_EQ(report.failed.size(), 1u);
  EXPECT_TRUE(m_files.FileExists("/songs/c.wma"));
  EXPECT_EQ(m_catalogue.Songs().Count(), 2u);
}

TEST_F(SongFileOperationsTest, MoveAndCopyOnTheSameAndAnotherVolume) {
  struct Case {
    bool move;
    bool otherVolume;
  };
  for (const Case& c :
       {Case{true, false}, Case{true, true}, Case{false, false}, Case{false, true}}) {
    SCOPED_TRACE(testing::Message() << "move " << c.move << " other volume " << c.otherVolume);
    Reset();
    if (c.otherVolume) m_files.SetDevice("/dest", 2);
    FileOperationOptions options;
    const Strings paths = {"/songs/a.mp3", "/songs/b.kar"};
    const FileOperationReport report = c.move ? m_operations.Move(paths, "/dest", options)
                                              : m_operations.Copy(paths, "/dest", options);
    EXPECT_TRUE(report.Complete());
    EXPECT_EQ(DoneFrom(report), (Strings{"/songs/a.mp3", "/songs/a.CDG", "/songs/b.kar"}));
    EXPECT_EQ(m_files.Contents("/dest/a.mp3"), "mp3 bytes");
    EXPECT_EQ(m_files.Contents("/dest/a.CDG"), "cdg bytes");
    EXPECT_FALSE(m_files.FileExists("/dest/b.cdg"));  // a KAR song's companion stays
    EXPECT_EQ(m_files.FileExists("/songs/a.mp3"), !c.move);
    EXPECT_EQ(m_files.FileExists("/songs/a.CDG"), !c.move);
    EXPECT_EQ(IdOf(c.move ? "/dest/a.mp3" : "/songs/a.mp3"), "AA001");
    EXPECT_EQ(IdOf(c.move ? "/dest/b.kar" : "/songs/b.kar"), "BB001");
    EXPECT_EQ(m_catalogue.Songs().Count(), 2u);
    EXPECT_EQ(m_catalogue.Modified(), c.move);
    EXPECT_TRUE(m_user.Messages().empty());
  }
}

TEST_F(SongFileOperationsTest, TheCatalogueFollowsEachFileThatMovedWhenOthersFail) {
  m_files.Fail(Op::Move, FileFailure::NoSpace, "/songs/b.kar");
  const FileOperationReport report =
      m_operations.Move({"/songs/a.mp3", "/songs/b.kar", "/songs/c.wma"}, "/dest");
  ASSERT_EQ(report.failed.size(), 1u);
  EXPECT_EQ(report.failed[0].path, "/songs/b.kar");
  EXPECT_EQ(IdOf("/dest/a.mp3"), "AA001");
  EXPECT_EQ(IdOf("/songs/b.kar"), "BB001");
  EXPECT_TRUE(m_files.FileExists("/dest/c.wma"));
  ASSERT_EQ(m_user.Messages().size(), 1u);
  EXPECT_EQ(m_user.Messages()[0].kind, MessageKind::Error);
  EXPECT_NE(m_user.Messages()[0].text.find("Could not move 1 items:\r/songs/b.kar"),
            std::string::npos);
}

TEST_F(SongFileOperationsTest, ACompanionStaysWithASongThatStays) {
  struct Case {
    bool trash;
  };
  for (const Case& c : {Case{false}, Case{true}}) {
    Reset();
    m_files.Fail(c.trash ? Op::Trash : Op::Move, FileFailure::PermissionDenied, "/songs/a.mp3");
    FileOperationOptions options;
    options.confirm = false;
    options.companions = CompanionRule::Take;
    options.showErrors = false;
    const FileOperationReport report =
        c.trash ? m_operations.Trash({"/songs/a.mp3", "/songs/c.wma"}, options)
                : m_operations.Move({"/songs/a.mp3", "/songs/c.wma"}, "/dest", options);
    EXPECT_EQ(DoneFrom(report), Strings{"/songs/c.wma"});
    EXPECT_TRUE(m_files.FileExists("/songs/a.CDG"));
    EXPECT_EQ(IdOf("/songs/a.mp3"), "AA001");
  }
}

TEST_F(SongFileOperationsTest, ACancelledMoveKeepsWhatMovedAndLeavesTheRest) {
  m_files.SetDevice("/dest", 2);
  m_files.SetProgressStep(4);
  m_user.StopAfterProgress(1);  // cancelled during the second file
  FileOperationOptions options;
  options.companions = CompanionRule::Leave;
  const FileOperationReport report =
      m_operations.Move({"/songs/a.mp3", "/songs/b.kar"}, "/dest", options);
  EXPECT_TRUE(report.cancelled);
  EXPECT_EQ(DoneFrom(report), Strings{"/songs/a.mp3"});
  EXPECT_EQ(IdOf("/dest/a.mp3"), "AA001");
  EXPECT_EQ(IdOf("/songs/b.kar"), "BB001");
  EXPECT_TRUE(m_files.FileExists("/songs/b.kar"));
  EXPECT_FALSE(m_files.FileExists("/dest/b.kar"));
  EXPECT_NE(m_user.ProgressTexts().back().find("b.kar"), std::string::npos);
}

TEST_F(SongFileOperationsTest, AnExistingFileIsReplacedOnlyAsAnswered) {
  struct Case {
    std::vector<Button> answers;
    std::string aAfter;  // the contents of /dest/a.mp3 afterwards
    std::string cAfter;
    std::size_t questions;
    bool cancelled;
  };
  const Case cases[] = {
      {{Button::No, Button::No}, "old a", "old c", 2, false},
      {{Button::Yes, Button::No}, "mp3 bytes", "old c", 2, false},
      {{Button::YesToAll}, "mp3 bytes", "wma bytes", 1, false},
      {{Button::Cancel}, "old a", "old c", 1, true},
  };
  for (const Case& c : cases) {
    Reset();
    m_files.AddFile("/dest/a.mp3", "old a");
    m_files.AddFile("/dest/c.wma", "old c");
    test::ScriptedUser user;
    for (Button answer : c.answers) user.QueueButton(answer);
    FileOperationOptions options;
    options.companions = CompanionRule::Leave;
    options.showErrors = false;
    tSongFileOperations operations(m_catalogue, m_files, user);
    const FileOperationReport report =
        operations.Move({"/songs/a.mp3", "/songs/c.wma"}, "/dest", options);
    EXPECT_EQ(m_files.Contents("/dest/a.mp3"), c.aAfter);
    EXPECT_EQ(m_files.Contents("/dest/c.wma"), c.cAfter);
    EXPECT_EQ(user.Messages().size(), c.questions);
    EXPECT_EQ(report.cancelled, c.cancelled);
    const bool aMoved = c.aAfter == "mp3 bytes";
    EXPECT_EQ(m_files.FileExists("/songs/a.mp3"), !aMoved);
    EXPECT_EQ(IdOf(aMoved ? "/dest/a.mp3" : "/songs/a.mp3"), "AA001");
    EXPECT_FALSE(m_files.FileExists("/dest/.a.mp3.tunedex-part"));
    ASSERT_FALSE(user.Messages().empty());
    EXPECT_EQ(user.Messages()[0].text, "A file named 'a.mp3' already exists in /dest. Replace it?");
    EXPECT_EQ(user.Messages()[0].buttons,
              (std::vector<Button>{Button::Yes, Button::YesToAll, Button::No, Button::Cancel}));
  }
}

TEST_F(SongFileOperationsTest, AFailedReplacementKeepsTheOldFile) {
  m_files.AddFile("/dest/a.mp3", "old a");
  m_files.SetDevice("/dest", 2);
  m_files.Fail(Op::Delete, FileFailure::PermissionDenied, "/dest/a.mp3");
  m_user.QueueButton(Button::Yes);
  FileOperationOptions options;
  options.companions = CompanionRule::Leave;
  options.showErrors = false;
  const FileOperationReport report = m_operations.Move({"/songs/a.mp3"}, "/dest", options);
  EXPECT_EQ(report.failed.size(), 1u);
  EXPECT_EQ(m_files.Contents("/dest/a.mp3"), "old a");
  EXPECT_EQ(m_files.Contents("/songs/a.mp3"), "mp3 bytes");
  EXPECT_FALSE(m_files.FileExists("/dest/.a.mp3.tunedex-part"));
  EXPECT_EQ(IdOf("/songs/a.mp3"), "AA001");
}

TEST_F(SongFileOperationsTest, AMoveOntoItselfIsRefusedWithoutAQuestion) {
  const FileOperationReport report = m_operations.Move({"/songs/a.mp3"}, "/songs");
  ASSERT_EQ(report.failed.size(), 1u);  // the companion stays with its song
  EXPECT_TRUE(m_files.FileExists("/songs/a.CDG"));
  EXPECT_EQ(m_files.Contents("/songs/a.mp3"), "mp3 bytes");
  EXPECT_EQ(IdOf("/songs/a.mp3"), "AA001");
  EXPECT_EQ(m_files.Calls(Op::Move), 0);
  ASSERT_EQ(m_user.Messages().size(), 1u);
  EXPECT_EQ(m_user.Messages()[0].kind, MessageKind::Error);
}

TEST_F(SongFileOperationsTest, AVanishedFileFailsAndTheOthersGoOn) {
  const FileOperationReport report =
      m_operations.Copy({"/songs/gone.mp3", "/songs/c.wma"}, "/dest");
  ASSERT_EQ(report.failed.size(), 1u);
  EXPECT_EQ(report.failed[0].path, "/songs/gone.mp3");
  EXPECT_TRUE(m_files.FileExists("/dest/c.wma"));
}

}  // namespace
}  // namespace tunedex
