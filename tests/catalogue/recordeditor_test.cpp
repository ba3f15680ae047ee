// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/recordeditor.h"

#include <gtest/gtest.h>

#include "catalogue/songfilerename.h"
#include "catalogue/songgridlayout.h"
#include "common/fileio.h"
#include "common/userlocale.h"
#include "support/fakefilesystem.h"
#include "support/scripteduser.h"
#include "support/songfilebuilders.h"
#include "support/songfixtures.h"
#include "support/tempfolder.h"

namespace tunedex {
namespace {

using test::MakeRecord;

class RecordEditorTest : public testing::Test {
 protected:
  void SetUp() override {
    SetUserLocale("en_US");
    song = folder.Write("Let It Be.kar", test::MidiFile({}));
    files.AddFile(song, "song");
    tSongRecord record = MakeRecord({.title = "Let It Be",
                                     .artist = "Beatles",
                                     .language = "eng",
                                     .fileName = song,
                                     .idCode = "LE001"});
    record.SetFileType(1);
    record.SetInternalFormat(1);
    catalogue.Import(
        {record,
         MakeRecord({.title = "Two",
                     .language = "Fra",
                     .fileName = folder.PathOf("two.mp3"),
                     .idCode = "TW001"}),
         MakeRecord({.title = "Three", .fileName = folder.PathOf("3.kar"), .idCode = "TH001"})});
    catalogue.SetModified(false);
    for (tSong* each : catalogue.Songs()) view.Add(each);
  }

  std::unique_ptr<tSongRecordEditor> Open(const tSongRecord& record, int mode) {
    RecordEditorContext context{view, catalogue, "Sve", user, players, {}};
    context.files = &files;
    context.play = [this](const std::string& file, std::uint8_t, bool inFront) {
      played.push_back(file + (inFront ? " front" : ""));
    };
    return std::make_unique<tSongRecordEditor>(context, record, mode, "/start/");
  }

  test::TempFolder folder;
  test::FakeFileSystem files;
  tCatalogue catalogue;
  tSongList view;  // the shown songs, all of the catalogue's
  test::ScriptedUser user;
  tLivePlayerOptions players;
  std::vector<std::string> played;
  std::string song;
};

TEST_F(RecordEditorTest, AddWithoutChangesClosesAsCancel) {
  auto editor = Open(tSongRecord(), kEditable);
  EXPECT_EQ(editor->WindowTitle(), "Song record - Add new song");
  EXPECT_FALSE(editor->EditBoxVisible());
  EXPECT_EQ(editor->PressOk(), tSongRecordEditor::Close::Cancel);
  tSongRecord record;
  std::string lastFolder;
  EXPECT_FALSE(editor->Result(record, lastFolder));
}

TEST_F(RecordEditorTest, LoadingSelectsTheLanguageButtonAndBuildingNormalisesIt) {
  auto editor = Open(view[0]->Record(), kEditable | kExisting);
  EXPECT_EQ(editor->languageButton, tSongRecordEditor::kEnglish);
  EXPECT_TRUE(editor->Differs());  // "eng" is built as "Eng"
  const tSongRecord built = editor->BuildRecord();
  EXPECT_EQ(built.Language(), "Eng");
  EXPECT_TRUE(catalogue.Modified());

  auto other = Open(view[1]->Record(), kExisting);
  EXPECT_EQ(other->languageButton, tSongRecordEditor::kOther);
  EXPECT_EQ(other->otherLanguage, "Fra");
  EXPECT_TRUE(other->OtherLanguageVisible());
  EXPECT_FALSE(other->Differs());

  auto none = Open(view[2]->Record(), kExisting);
  EXPECT_EQ(none->languageButton, tSongRecordEditor::kNoLanguage);
  EXPECT_EQ(none->BuildRecord().Language(), "");
}

TEST_F(RecordEditorTest, ModesSetTitlesAndEnabling) {
  auto editor = Open(view[0]->Record(), kExisting | kNavigator);
  EXPECT_EQ(editor->WindowTitle(), "Song record - View");
  EXPECT_FALSE(editor->FieldsEnabled());
  EXPECT_FALSE(editor->BrowseEnabled());
  EXPECT_TRUE(editor->PlayEnabled());
  EXPECT_FALSE(editor->RenameEnabled());
  editor->SetEditTicked(true);
  EXPECT_EQ(editor->Mode(), 7);
  EXPECT_EQ(editor->WindowTitle(), "Song record - Edit");
  EXPECT_TRUE(editor->RenameEnabled());
  EXPECT_FALSE(editor->HasLyricsEnabled());  // KAR content always has lyrics
  EXPECT_EQ(editor->Counter(), "1/3");
  EXPECT_FALSE(editor->FirstEnabled());
  EXPECT_TRUE(editor->LastEnabled());
}

TEST_F(RecordEditorTest, CompleteIsShownForTwoToFourCharacters) {
  auto editor = Open(tSongRecord(), kEditable);
  const std::pair<const char*, bool> cases[] = {
      {"a", false}, {"ab", true}, {"abcd", true}, {"abcde", false}, {"ÅÄ", true}};
  for (const auto& [text, visible] : cases) {
    editor->idText = text;
    EXPECT_EQ(editor->CompleteVisible(), visible) << text;
  }
  editor->idText = "ab";
  editor->Complete();
  EXPECT_EQ(editor->idText, "AB001");
  editor->idText = "12";
  editor->Complete();
  EXPECT_EQ(editor->idText, "#001");
}

TEST_F(RecordEditorTest, AnIdCodeInUseIsRefusedUnlessItIsTheSongsOwn) {
  auto editor = Open(view[0]->Record(), kEditable | kExisting);
  editor->idText = "tw001";
  EXPECT_FALSE(editor->LeaveIdField());
  EXPECT_EQ(user.Messages().back().text, "Another song is using the ID code, tw001");
  editor->idText = "LE001";
  EXPECT_TRUE(editor->LeaveIdField());
  editor->idText = "ZZ9";
  EXPECT_TRUE(editor->LeaveIdField());
}

TEST_F(RecordEditorTest, BrowseFillsEveryFieldWithACompletedCode) {
  const std::string chosen = folder.Write("Lucky Star.kar", test::MidiFile({}));
  user.QueueFile(chosen);
  auto editor = Open(tSongRecord(), kEditable);
  editor->Browse();
  EXPECT_EQ(editor->FileName(), chosen);
  EXPECT_EQ(editor->idText, "LU001");
  EXPECT_TRUE(catalogue.Ids().Contains("LU001"));
  EXPECT_TRUE(editor->LeaveIdField());  // the code the dialog gave out is the song's
  EXPECT_EQ(editor->LastFolder(), folder.Path() + "/");
  EXPECT_EQ(user.FileRequests().back().title, "Select Song File");
  EXPECT_EQ(user.FileRequests().back().folder, "/start/");
  EXPECT_EQ(editor->PressOk(), tSongRecordEditor::Close::Ok);
  tSongRecord record;
  std::string lastFolder;
  ASSERT_TRUE(editor->Result(record, lastFolder));
  EXPECT_EQ(record.FileName(), chosen);
  EXPECT_EQ(lastFolder, folder.Path() + "/");
}

TEST_F(RecordEditorTest, ValidationMessagesInOrder) {
  auto editor = Open(tSongRecord(), kEditable);
  editor->title = "x";
  EXPECT_EQ(editor->PressOk(), tSongRecordEditor::Close::Stay);
  EXPECT_EQ(user.Messages().back().text, "Please provide a filename");
  auto existing = Open(view[0]->Record(), kEditable | kExisting);
  existing->idText = "";
  existing->PressOk();
  EXPECT_EQ(user.Messages().back().text, "Please provide an ID code");
  existing->idText = "X1";
  existing->languageButton = tSongRecordEditor::kOther;
  existing->otherLanguage = "";
  existing->PressOk();
  EXPECT_EQ(user.Messages().back().text, "Please provide a 3 letter language code");
}

TEST_F(RecordEditorTest, OkInEditModeStoresIntoTheViewList) {
  auto editor = Open(view[1]->Record(), kEditable | kExisting | kNavigator);
  editor->title = "Deux";
  ASSERT_EQ(editor->PressOk(), tSongRecordEditor::Close::Ok);
  EXPECT_EQ(view[1]->Record().Title(), "Deux");
  std::string lastFolder = "kept";
  tSongRecord record;
  EXPECT_TRUE(editor->Result(record, lastFolder));
  EXPECT_EQ(lastFolder, "/start/");
}

TEST_F(RecordEditorTest, TheNavigatorStoresEachShownRecord) {
  auto editor = Open(view[1]->Record(), kExisting | kNavigator);
  editor->GoTo(2);
  EXPECT_FALSE(catalogue.Modified());  // nothing differed
  EXPECT_EQ(editor->title, "Three");
  EXPECT_EQ(editor->Counter(), "3/3");
  EXPECT_FALSE(editor->LastEnabled());
  editor->SetEditTicked(true);
  editor->notes = "changed";
  editor->GoTo(0);
  EXPECT_EQ(view[2]->Record().Notes(), "changed");
  EXPECT_TRUE(catalogue.Modified());
}

// A text box shows every line break as LF and gives back LF. Notes the Windows program wrote
// have CR LF: passing through the box unchanged must keep them, byte for byte.
TEST_F(RecordEditorTest, NotesThroughATextBoxKeepTheirLineBreaks) {
  const std::string x254(254, 'x');
  const struct {
    std::string stored, shown, typed, result;
  } cases[] = {
      {"a\r\nb", "a\nb", "a\nb", "a\r\nb"},
      {"a\r\nb\r\n", "a\nb\n", "a\nb\n", "a\r\nb\r\n"},
      {"a\rb", "a\nb", "a\nb", "a\rb"},
      {"a\nb", "a\nb", "a\nb", "a\nb"},
      {"a\r\nb", "a\nb", "a\nb\nc", "a\r\nb\r\nc"},  // edited: the note's own line breaks
      {"a\nb", "a\nb", "a\nbc\nd", "a\nbc\nd"},
      {"one", "one", "one\ntwo", "one\r\ntwo"},  // none yet: the catalogue's CR LF
      {"a\r\nb", "a\nb", "", ""},
      {"", "", std::string(300, 'y'), std::string(255, 'y')},  // cut to the notes' limit
      {"", "", x254 + "\nz", x254},                            // a CR LF that does not fit
      {"", "", std::string(250, 'x') + "\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9",
       std::string(250, 'x') + "\u00e9\u00e9\u00e9\u00e9\u00e9"},  // characters, not bytes
  };
  for (const auto& c : cases) {
    tSongRecord record = view[1]->Record();
    record.SetNotes(c.stored);
    auto editor = Open(record, kEditable | kExisting);
    ASSERT_EQ(editor->notes, c.stored);
    EXPECT_EQ(editor->NotesForTextBox(), c.shown) << c.stored;
    editor->NotesFromTextBox(c.typed);
    EXPECT_EQ(editor->notes, c.result) << c.stored << " typed " << c.typed;
    editor->NotesFromTextBox(editor->NotesForTextBox());
    EXPECT_EQ(editor->notes, c.result) << "giving back what the box shows changes nothing";
  }
}

// Stepping through songs in View mode, and OK without changes, leave a catalogue of CR LF
// notes unmodified; the details panel shows their lines separated by "; ".
TEST_F(RecordEditorTest, ViewingNotesWithCrLfChangesNothing) {
  for (std::size_t i = 0; i < view.Count(); ++i) {
    tSongRecord record = view[i]->Record();
    record.SetNotes("line " + std::to_string(i) + "\r\nmore");
    if (record.Language() == "eng") record.SetLanguage("Eng");  // as the editor writes it
    view[i]->SetRecord(record);
  }
  std::vector<tSongRecord> before;
  for (std::size_t i = 0; i < view.Count(); ++i) before.push_back(view[i]->Record());

  auto editor = Open(view[0]->Record(), kExisting | kNavigator);
  for (const int next : {1, 2, 0}) {
    editor->NotesFromTextBox(editor->NotesForTextBox());  // what the dialog's box gives back
    editor->GoTo(next);
  }
  editor->NotesFromTextBox(editor->NotesForTextBox());
  EXPECT_EQ(editor->PressOk(), tSongRecordEditor::Close::Cancel);
  EXPECT_FALSE(catalogue.Modified());
  for (std::size_t i = 0; i < view.Count(); ++i) EXPECT_EQ(view[i]->Record(), before[i]) << i;
  EXPECT_EQ(NotesLine(view[1]->Record().Notes()), "line 1; more");
  EXPECT_EQ(NotesLine("a\r\nb"), "a; b");
}

TEST_F(RecordEditorTest, RenameAsksAboutAnotherExtensionAndCancelUndoesIt) {
  auto editor = Open(view[0]->Record(), kEditable | kExisting);
  user.QueueText("Let It Be.mp3");
  user.QueueButton(Button::No);
  editor->Rename();
  EXPECT_EQ(user.Messages().back().text, kChangeExtensionQuestion);
  EXPECT_TRUE(files.FileExists(song));

  user.QueueText("Renamed.kar");
  editor->Rename();
  EXPECT_EQ(editor->FileName(), folder.PathOf("Renamed.kar"));
  EXPECT_FALSE(files.FileExists(song));
  EXPECT_TRUE(editor->Differs());
  editor->Cancel();
  EXPECT_EQ(files.Contents(song), "song");
  EXPECT_FALSE(files.FileExists(folder.PathOf("Renamed.kar")));
}

TEST_F(RecordEditorTest, AnUndoTheFileSystemRefusesIsReported) {
  auto editor = Open(view[0]->Record(), kEditable | kExisting);
  user.QueueText("Renamed.kar");
  editor->Rename();
  files.Fail(test::FakeFileSystem::Op::Rename, FileFailure::PermissionDenied);
  editor->Cancel();
  ASSERT_FALSE(user.Messages().empty());
  EXPECT_EQ(user.Messages().back().text,
            "Could not undo new name (Renamed.kar)\rfor file Let It Be.kar");
  EXPECT_TRUE(files.FileExists(folder.PathOf("Renamed.kar")));
}

TEST_F(RecordEditorTest, WithoutAFileSystemRenameIsNotOffered) {
  RecordEditorContext context{view, catalogue, "Sve", user, players, {}};
  tSongRecordEditor editor(context, view[0]->Record(), kEditable | kExisting, "/start/");
  EXPECT_TRUE(editor.PlayEnabled());
  EXPECT_FALSE(editor.RenameEnabled());
  user.QueueText("Renamed.kar");
  editor.Rename();
  EXPECT_EQ(editor.FileName(), song);
}

TEST_F(RecordEditorTest, RenameNeverReplacesAnotherFile) {
  files.AddFile(folder.PathOf("Taken.kar"), "precious");
  auto editor = Open(view[0]->Record(), kEditable | kExisting);
  user.QueueText("Taken.kar");
  editor->Rename();
  EXPECT_EQ(editor->FileName(), song);
  EXPECT_EQ(files.Contents(folder.PathOf("Taken.kar")), "precious");
  EXPECT_EQ(files.Contents(song), "song");
}

TEST_F(RecordEditorTest, CancelAfterBrowsingRenamesNothing) {
  const std::string other = folder.Write("Other.kar", test::MidiFile({}));
  user.QueueFile(other);
  auto editor = Open(view[0]->Record(), kEditable | kExisting);
  editor->Browse();
  editor->Cancel();
  EXPECT_EQ(files.Calls(test::FakeFileSystem::Op::Rename), 0);
}

TEST_F(RecordEditorTest, PlayUsesTheDetailsWindowsPopupBit) {
  auto editor = Open(view[0]->Record(), kExisting);
  editor->SetPlayerInFront(true);
  EXPECT_TRUE(players.Set().PlayerPopups.InFront(PlayerPopup::DetailsWindow));
  EXPECT_EQ(players.Set().PlayerPopups.Stored(), 2);
  editor->Play();
  EXPECT_EQ(played, std::vector<std::string>{song + " front"});
}

// Each edit field takes what its record field holds, and a hint that names a limit names that.
TEST(RecordEditorFieldsTest, LimitsAndHintsComeFromTheRecord) {
  const struct {
    TextField field;
    std::string hint;
  } fields[] = {{TextField::IdCode, "ID code (up to 11 characters)"},
                {TextField::Title, "Song Title"},
                {TextField::Artist, "Artist"},
                {TextField::Language, "3-letter language code"},
                {TextField::Notes, "Your notes (up to 255 characters)"}};
  for (const auto& [field, hint] : fields) {
    const std::size_t limit = tSongRecord::MaxLength(field);
    EXPECT_EQ(EditFieldLimit(field), static_cast<int>(limit)) << hint;
    EXPECT_EQ(EditFieldHint(field), hint);
    // A text of the limit's length is kept whole; one more character is cut off.
    tSongRecord record;
    record.SetText(field, std::string(limit, 'a'));
    EXPECT_EQ(record.Text(field).size(), limit) << hint;
    record.SetText(field, std::string(limit + 1, 'a'));
    EXPECT_EQ(record.Text(field).size(), limit) << hint;
  }
}

TEST(SongFileRenameTest, ChecksTheExtensionAgainstBothTypes) {
  test::FakeFileSystem files;
  test::ScriptedUser user;
  files.AddFile("/songs/a.kar", "x");
  tSongRecord record;
  record.SetFileType(1);
  record.SetInternalFormat(3);
  EXPECT_FALSE(RenameSongFile("/songs/a.kar", "/songs/a.mp3", record, false, user, files));
  EXPECT_EQ(files.Calls(test::FakeFileSystem::Op::Rename), 0);
  EXPECT_TRUE(RenameSongFile("/songs/a.kar", "/songs/a.mid", record, false, user, files));
  EXPECT_EQ(record.FileName(), "/songs/a.mid");
  EXPECT_EQ(record.FileType(), 3);
  EXPECT_EQ(files.Contents("/songs/a.mid"), "x");
  EXPECT_FALSE(RenameSongFile("/songs/a.mid", "", record, true, user, files));
  files.Fail(test::FakeFileSystem::Op::Rename, FileFailure::PermissionDenied);
  EXPECT_FALSE(RenameSongFile("/songs/a.mid", "/songs/b.mid", record, false, user, files));
  EXPECT_EQ(record.FileName(), "/songs/a.mid") << "a refused rename leaves the record alone";
  EXPECT_TRUE(user.Messages().empty());
}

}  // namespace
}  // namespace tunedex
