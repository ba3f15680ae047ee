// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/lostfiles.h"

#include <gtest/gtest.h>

#include <map>

#include "catalogue/recordeditor.h"
#include "catalogue/songgridlayout.h"
#include "song/songtype.h"
#include "support/fakefilesystem.h"
#include "support/fakevolumes.h"
#include "support/scripteduser.h"
#include "support/songfixtures.h"

namespace tunedex {
namespace {

using test::AVolume;

using test::MakeRecord;
using Strings = std::vector<std::string>;

// A catalogue of five songs on the local disk, of which three files are missing; the song files
// that Browse may choose have the records the test gives them.
class LostFilesTest : public testing::Test {
 protected:
  LostFilesTest() {
    m_volumes.Mount(AVolume("/", VolumeKind::Fixed));
    std::vector<tSongRecord> records = {
        Song("Lost One", "Band A", "/old/Pop/one.kar", "ON001"),
        Song("Present", "Band B", "/songs/present.mp3", "PR001"),
        Song("Lost Two", "Band C", "/old/Pop/two.mp3", "TW001"),
        Song("Lost Three", "Band D", "/old/Rock/three.st3", "TH001"),
        Song("Also Present", "Band E", "/songs/also.kar", "AL001"),
    };
    records[0].SetFileType(kSongTypeKar);
    records[0].SetInternalFormat(kSongTypeKar);
    records[0].SetHasLyrics(true);
    records[2].SetFileType(kSongTypeMp3);
    records[2].SetHasLyrics(true);
    records[2].SetLanguage("Sve");
    records[2].SetNotes("a note");
    records[3].SetFileType(kSongTypeSt3);
    m_catalogue.Import(records);
    m_catalogue.SetModified(false);
    m_files->AddFile("/songs/present.mp3");
    m_files->AddFile("/songs/also.kar");
  }

  static tSongRecord Song(const std::string& title, const std::string& artist,
                          const std::string& path, const std::string& id) {
    return MakeRecord({.title = title, .artist = artist, .fileName = path, .idCode = id});
  }

  // A song file on disk, with the record reading it gives.
  void File(const std::string& path, const tSongRecord& record) {
    m_files->AddFile(path);
    m_records[path] = record;
    m_records[path].SetFileName(path);
  }

  LostFilesServices Services() {
    LostFilesServices services{m_catalogue, m_files, m_volumes, m_user, "/home/host/Songs"};
    services.readRecord = [this](const std::string& path, tSongRecord& record) {
      const auto found = m_records.find(path);
      if (found == m_records.end()) return SongReadStatus::Missing;
      record = found->second;
      return SongReadStatus::Read;
    };
    services.inspect = [](const std::string& path) { return InfoLines{"tags of " + path}; };
    services.showSongRecord = [this](tSongRecord& record, int mode, std::string& folder) {
      m_editorCalls.push_back({record, mode, folder});
      if (!m_editorAnswer) return false;
      record = *m_editorAnswer;
      return true;
    };
    services.askMatchPaths = [this](const PathMatchTexts& texts) {
      m_matchAsked.push_back(texts);
      return m_matchAnswer;
    };
    services.statusChanged = [this] { m_statuses.push_back(m_window->StatusText()); };
    return services;
  }

  tLostFiles& Open() {
    m_window = std::make_unique<tLostFiles>(Services());
    m_window->Open();
    return *m_window;
  }

  Strings LostPaths() const {
    Strings paths;
    for (const LostSong& song : m_window->Lost())
      paths.emplace_back(song.song->Record().FileName());
    return paths;
  }
  Strings Messages() const {
    Strings texts;
    for (const auto& message : m_user.Messages()) texts.push_back(message.text);
    return texts;
  }
  const tSong* CatalogueSong(const std::string& path) const {
    return m_catalogue.Songs().FindByFileName(path);
  }

  struct EditorCall {
    tSongRecord record;
    int mode;
    std::string folder;
  };

  tCatalogue m_catalogue;
  std::shared_ptr<test::FakeFileSystem> m_files = std::make_shared<test::FakeFileSystem>();
  test::FakeVolumes m_volumes;
  test::ScriptedUser m_user;
  std::map<std::string, tSongRecord> m_records;
  std::vector<EditorCall> m_editorCalls;
  std::optional<tSongRecord> m_editorAnswer;
  std::vector<PathMatchTexts> m_matchAsked;
  std::optional<PathMatchTexts> m_matchAnswer;
  Strings m_statuses;
  std::unique_ptr<tLostFiles> m_window;
};

TEST_F(LostFilesTest, OpeningShowsTheFirstLostSongInCatalogueOrder) {
  tLostFiles& window = Open();
  EXPECT_EQ(LostPaths(), (Strings{"/old/Pop/one.kar", "/old/Pop/two.mp3", "/old/Rock/three.st3"}));
  EXPECT_TRUE(m_user.Messages().empty());
  EXPECT_EQ(window.StatusText(), "There are 3 lost files in the songlist");
  EXPECT_EQ(window.FileEditText(), "/old/Pop/one.kar");
  EXPECT_EQ(window.TitleLabel(), "Title: Lost One");
  EXPECT_EQ(window.ArtistLabel(), "Artist: Band A");
  EXPECT_EQ(window.ActionLabel(), "Select an action by clicking on one of the buttons");
  EXPECT_TRUE(window.NotFoundVisible());
  EXPECT_EQ(window.LostIcon(), 12);
  EXPECT_EQ(window.TitleChoiceCaption(RecordSource::ExistingRecord), "Lost One");
  EXPECT_EQ(window.ArtistChoiceCaption(RecordSource::ExistingRecord), "Band A");
  EXPECT_TRUE(window.ActionsEnabled());
  EXPECT_FALSE(window.AcceptEnabled());
  EXPECT_FALSE(window.MatchPathsEnabled());
  EXPECT_FALSE(window.CandidateVisible());
  EXPECT_EQ(window.Candidate(), m_window->Lost()[0].song->Record());
  EXPECT_TRUE(window.ignore.removable);
  EXPECT_TRUE(window.ignore.remote);
  EXPECT_FALSE(window.ignore.ram);
}

TEST_F(LostFilesTest, WithNoLostSongTheUserIsToldAndNothingIsToDo) {
  m_files->AddFile("/old/Pop/one.kar");
  m_files->AddFile("/old/Pop/two.mp3");
  m_files->AddFile("/old/Rock/three.st3");
  tLostFiles& window = Open();
  EXPECT_EQ(Messages(), Strings{"The database contains no lost files"});
  EXPECT_EQ(m_user.Messages()[0].kind, MessageKind::Information);
  EXPECT_EQ(window.FileEditText(), "No missing songs");
  EXPECT_EQ(window.ActionLabel(), "Nothing to do");
  EXPECT_EQ(window.TitleLabel(), "");
  EXPECT_EQ(window.ArtistLabel(), "");
  EXPECT_FALSE(window.NotFoundVisible());
  EXPECT_FALSE(window.ActionsEnabled());
  EXPECT_FALSE(window.AcceptEnabled());
  EXPECT_EQ(window.StatusText(), "There are 0 lost files in the songlist");
  // The disabled actions do nothing.
  window.IgnoreIt();
  window.RemoveAll();
  window.Browse();
  EXPECT_EQ(m_user.Messages().size(), 1u);
  EXPECT_TRUE(m_user.FileRequests().empty());
}

TEST_F(LostFilesTest, TheRemovableBoxFollowsTheMendedRule) {
  m_volumes.Mount(AVolume("/media/host/STICK", VolumeKind::Removable));
  m_catalogue.Import({Song("Stick", "S", "/media/host/STICK/s.kar", "ST001")});
  m_volumes.SetReady("/media/host/STICK", false);
  tLostFiles& window = Open();
  EXPECT_EQ(window.Lost().size(), 3u);
  window.ignore.removable = false;
  window.Count();
  EXPECT_EQ(window.Lost().size(), 4u);
  EXPECT_EQ(window.Lost()[3].reason, LostReason::VolumeNotReady);
}

TEST_F(LostFilesTest, LocateSongFileStartsInTheSongsFolderOnceAndPreselectsByExtension) {
  tLostFiles& window = Open();
  const FileDialogRequest request = window.LocateRequest();
  EXPECT_EQ(request.title, "Locate Song file");
  EXPECT_EQ(request.folder, "/home/host/Songs");
  EXPECT_EQ(request.selectedFilter, 0u);
  ASSERT_EQ(request.filters.size(), 9u);
  Strings names;
  for (const FileFilter& filter : request.filters) names.push_back(filter.name);
  EXPECT_EQ(names, (Strings{"KAR midi files", "ST3 midi flies", "MIDI files (*.mi, *.mid, *.midi)",
                            "RMI midi files", "Windows Media files (*.wma)", "MP3 mpeg files",
                            "KaraFun files", "Miscellanous MPEG", "All files"}));
  EXPECT_EQ(request.filters[2].patterns, (Strings{"*.mi", "*.mid", "*.midi"}));
  EXPECT_EQ(request.filters[7].patterns, (Strings{"*.mpg", "*.mpeg"}));

  m_user.QueueFile(std::nullopt);
  window.Browse();
  EXPECT_EQ(window.LocateRequest().folder, "/home/host/Songs");  // nothing was chosen
  File("/new/one.kar", Song("New One", "New A", "", ""));
  m_user.QueueFile("/new/one.kar");
  window.Browse();
  EXPECT_EQ(window.LocateRequest().folder, "");
}

TEST(LocateFilter, TheLostFilesExtensionChoosesTheEntry) {
  const std::pair<const char*, std::size_t> cases[] = {
      {"/a/b.kar", 0}, {"D:\\a\\b.KAR", 0}, {"/a/b.st3", 1}, {"/a/b.mid", 2}, {"/a/b.MIDI", 2},
      {"/a/b.mi", 2},  {"/a/b.rmi", 3},     {"/a/b.wma", 4}, {"/a/b.mp3", 5}, {"/a/b.kfn", 6},
      {"/a/b.mpg", 7}, {"/a/b.mpeg", 7},    {"/a/b.ogg", 8}, {"/a/b", 8},     {"/a.x/b", 8},
      {"/a/b.", 8},    {"/a/b.midis", 2},  // cut to five characters: ".midi"
  };
  for (const auto& [path, index] : cases) EXPECT_EQ(LocateFilterIndex(path), index) << path;
}

TEST_F(LostFilesTest, ChoosingAFileBuildsTheCandidateFromBothRecords) {
  tLostFiles& window = Open();
  window.IgnoreIt();  // Lost Two, an MP3 song with lyrics, a language and notes
  tSongRecord read = Song("New Two", "New C", "", "");
  read.SetFileType(kSongTypeKar);
  read.SetInternalFormat(kSongTypeMidi);
  read.SetHasLyrics(false);
  File("/new/two.kar", read);
  m_user.QueueFile("/new/two.kar");
  window.Browse();
  ASSERT_TRUE(window.CandidateVisible());
  const tSongRecord& candidate = window.Candidate();
  EXPECT_EQ(candidate.FileName(), "/new/two.kar");
  EXPECT_EQ(candidate.Title(), "Lost Two");  // "from existing record" is selected
  EXPECT_EQ(candidate.Artist(), "Band C");
  EXPECT_EQ(candidate.FileType(), kSongTypeKar);
  EXPECT_EQ(candidate.InternalFormat(), kSongTypeMidi);
  EXPECT_TRUE(candidate.HasLyrics());  // MIDI does not tell: the lost record's flag stays
  EXPECT_EQ(candidate.IdCode(), "TW001");
  EXPECT_EQ(candidate.Language(), "Sve");
  EXPECT_EQ(candidate.Notes(), "a note");
  EXPECT_EQ(window.NewFileEditText(), "/new/two.kar");
  EXPECT_EQ(window.NewTitle(), "New Two");
  EXPECT_EQ(window.NewArtist(), "New C");
  EXPECT_EQ(window.TitleChoiceCaption(RecordSource::NewFile), "New Two");
  EXPECT_EQ(window.InternalFormatLabel(), "Internal format: MIDI");
  EXPECT_TRUE(window.InternalFormatLabelEnabled());
  EXPECT_EQ(window.LyricsLabel(), "Without lyrics");
  EXPECT_EQ(window.TagInformation(), InfoLines{"tags of /new/two.kar"});
  EXPECT_EQ(window.CandidateIcon(), TypePictureIndex(candidate, true));
  EXPECT_TRUE(window.AcceptEnabled());
  EXPECT_TRUE(window.MatchPathsEnabled());

  window.SetTitleSource(RecordSource::NewFile);
  window.SetArtistSource(RecordSource::NewFile);
  EXPECT_EQ(window.Candidate().Title(), "New Two");
  EXPECT_EQ(window.Candidate().Artist(), "New C");
  window.SetTitleSource(RecordSource::ExistingRecord);
  EXPECT_EQ(window.Candidate().Title(), "Lost Two");
}

struct LyricsCase {
  std::uint8_t internalFormat;
  bool fileHasLyrics;
  bool expected;  // the lost record (a KAR song) has lyrics
};

TEST_F(LostFilesTest, OnlyFormatsThatTellTheirLyricsReplaceTheFlag) {
  const LyricsCase cases[] = {{kSongTypeKar, false, false},  {kSongTypeSt3, false, false},
                              {kSongTypeRmid, false, false}, {kSongTypeMidi, false, true},
                              {kSongTypeMp3, false, true},   {kSongTypeNone, false, true}};
  tLostFiles& window = Open();
  int n = 0;
  for (const LyricsCase& c : cases) {
    tSongRecord read = Song("t", "a", "", "");
    read.SetInternalFormat(c.internalFormat);
    read.SetHasLyrics(c.fileHasLyrics);
    const std::string path = "/new/" + std::to_string(n++) + ".kar";
    File(path, read);
    m_user.QueueFile(path);
    window.Browse();
    EXPECT_EQ(window.Candidate().HasLyrics(), c.expected) << int(c.internalFormat);
  }
  EXPECT_EQ(window.InternalFormatLabel(), "Internal format :");
  EXPECT_FALSE(window.InternalFormatLabelEnabled());
}

TEST_F(LostFilesTest, ANewFileWithoutTitleOrArtistGivesQuestionMarks) {
  tLostFiles& window = Open();
  window.SetTitleSource(RecordSource::NewFile);
  window.SetArtistSource(RecordSource::NewFile);
  EXPECT_EQ(window.Candidate().Title(), "Lost One");  // nothing chosen yet
  File("/new/a.kar", Song("", "", "", ""));
  m_user.QueueFile("/new/a.kar");
  window.Browse();
  EXPECT_EQ(window.Candidate().Title(), "?");
  EXPECT_EQ(window.Candidate().Artist(), "?");
  EXPECT_EQ(window.TitleChoiceCaption(RecordSource::NewFile), "");
}

TEST_F(LostFilesTest, AFileAlreadyInTheCatalogueIsRefusedAndTheCandidateStays) {
  tLostFiles& window = Open();
  m_user.QueueFile("/songs/present.mp3");
  window.Browse();
  EXPECT_EQ(Messages(), Strings{"/songs/present.mp3 is already listed in the database"});
  EXPECT_FALSE(window.CandidateVisible());
  EXPECT_FALSE(window.AcceptEnabled());
  EXPECT_EQ(window.Candidate().FileName(), "/old/Pop/one.kar");
}

TEST_F(LostFilesTest, AcceptReplacesTheRecordKeepingIdLanguageAndNotes) {
  tLostFiles& window = Open();
  window.IgnoreIt();
  tSongRecord read = Song("New Two", "New C", "", "");
  read.SetFileType(kSongTypeKar);
  read.SetInternalFormat(kSongTypeKar);
  read.SetHasLyrics(false);
  File("/new/two.kar", read);
  m_user.QueueFile("/new/two.kar");
  window.Browse();
  window.Accept();
  const tSong* song = CatalogueSong("/new/two.kar");
  ASSERT_NE(song, nullptr);
  EXPECT_EQ(CatalogueSong("/old/Pop/two.mp3"), nullptr);
  EXPECT_EQ(song->Record().IdCode(), "TW001");
  EXPECT_EQ(song->Record().Language(), "Sve");
  EXPECT_EQ(song->Record().Notes(), "a note");
  EXPECT_EQ(song->Record().Title(), "Lost Two");
  EXPECT_EQ(song->Record().FileType(), kSongTypeKar);
  EXPECT_FALSE(song->Record().HasLyrics());
  EXPECT_TRUE(m_catalogue.Modified());
  EXPECT_EQ(LostPaths(), (Strings{"/old/Pop/one.kar", "/old/Rock/three.st3"}));
  EXPECT_EQ(window.Position(), 1u);
  EXPECT_EQ(window.FileEditText(), "/old/Rock/three.st3");
  EXPECT_FALSE(window.CandidateVisible());
  EXPECT_FALSE(window.AcceptEnabled());
  EXPECT_EQ(window.StatusText(), "There are 2 lost files in the songlist");
}

TEST_F(LostFilesTest, IgnoreStepsOnAndStaysOnTheLast) {
  tLostFiles& window = Open();
  window.IgnoreIt();
  window.IgnoreIt();
  EXPECT_EQ(window.Position(), 2u);
  EXPECT_TRUE(m_user.Messages().empty());
  window.IgnoreIt();
  EXPECT_EQ(Messages(), Strings{"This was the last lost file"});
  EXPECT_EQ(window.Position(), 2u);
  EXPECT_EQ(window.FileEditText(), "/old/Rock/three.st3");
  EXPECT_EQ(window.Lost().size(), 3u);
}

TEST_F(LostFilesTest, RemovingTheLastLostSongLeavesThePositionOnTheNewLast) {
  tLostFiles& window = Open();
  window.IgnoreIt();
  window.IgnoreIt();
  window.RemoveIt();
  EXPECT_EQ(CatalogueSong("/old/Rock/three.st3"), nullptr);
  EXPECT_EQ(m_catalogue.Songs().Count(), 4u);
  EXPECT_TRUE(m_catalogue.Modified());
  EXPECT_EQ(window.Position(), 1u);
  EXPECT_EQ(window.FileEditText(), "/old/Pop/two.mp3");
  EXPECT_EQ(window.StatusText(), "There are 2 lost files in the songlist");
  window.RemoveIt();
  window.RemoveIt();
  EXPECT_EQ(window.FileEditText(), "No missing songs");
  EXPECT_FALSE(window.ActionsEnabled());
  EXPECT_EQ(m_catalogue.Songs().Count(), 2u);
}

TEST_F(LostFilesTest, RemoveAllAsksFirst) {
  tLostFiles& window = Open();
  m_user.QueueButton(Button::No);
  window.RemoveAll();
  ASSERT_EQ(m_user.Messages().size(), 1u);
  EXPECT_EQ(m_user.Messages()[0].text, "Remove records for all lost files\rAre you sure?");
  EXPECT_EQ(m_user.Messages()[0].kind, MessageKind::Confirmation);
  EXPECT_EQ(m_user.Messages()[0].buttons, (std::vector<Button>{Button::Yes, Button::No}));
  EXPECT_EQ(window.Lost().size(), 3u);
  EXPECT_FALSE(m_catalogue.Modified());

  m_user.QueueButton(Button::Yes);
  window.RemoveAll();
  EXPECT_TRUE(window.Lost().empty());
  EXPECT_EQ(m_catalogue.Songs().Count(), 2u);
  EXPECT_NE(CatalogueSong("/songs/present.mp3"), nullptr);
  EXPECT_EQ(window.FileEditText(), "No missing songs");
  EXPECT_EQ(window.StatusText(), "There are 0 lost files in the songlist");
}

TEST_F(LostFilesTest, ASongRemovedElsewhereLeavesTheList) {
  tLostFiles& window = Open();
  window.IgnoreIt();
  window.IgnoreIt();
  m_catalogue.Remove(m_catalogue.Songs().FindByFileName("/old/Pop/one.kar"));
  EXPECT_EQ(LostPaths(), (Strings{"/old/Pop/two.mp3", "/old/Rock/three.st3"}));
  EXPECT_EQ(window.FileEditText(), "/old/Rock/three.st3");
  m_catalogue.New();
  EXPECT_TRUE(window.Lost().empty());
  EXPECT_EQ(window.FileEditText(), "No missing songs");
}

TEST_F(LostFilesTest, ViewEditRecordEditsTheCandidateInItsFolder) {
  tLostFiles& window = Open();
  File("/new/one.kar", Song("New One", "New A", "", ""));
  m_user.QueueFile("/new/one.kar");
  window.Browse();
  window.ViewEditCandidate();  // cancelled
  ASSERT_EQ(m_editorCalls.size(), 1u);
  EXPECT_EQ(m_editorCalls[0].mode, kEditable | kExisting);
  EXPECT_EQ(m_editorCalls[0].folder, "/new/");
  EXPECT_EQ(m_editorCalls[0].record, window.Candidate());
  EXPECT_EQ(window.Candidate().Notes(), "");

  tSongRecord edited = window.Candidate();
  edited.SetNotes("edited");
  m_editorAnswer = edited;
  window.ViewEditCandidate();
  EXPECT_EQ(window.Candidate().Notes(), "edited");
  window.Accept();
  EXPECT_EQ(CatalogueSong("/new/one.kar")->Record().Notes(), "edited");

  window.ViewLostRecord();
  window.ViewCandidate();  // hidden: nothing to view
  ASSERT_EQ(m_editorCalls.size(), 3u);
  EXPECT_EQ(m_editorCalls[2].mode, kExisting);
  EXPECT_EQ(m_editorCalls[2].record.FileName(), "/old/Pop/two.mp3");
  EXPECT_EQ(m_editorCalls[2].folder, "/old/Pop/");
}

TEST_F(LostFilesTest, AcceptRefusesACandidateTheEditorPointedAtACataloguedFile) {
  tLostFiles& window = Open();
  File("/new/one.kar", Song("New One", "New A", "", ""));
  m_user.QueueFile("/new/one.kar");
  window.Browse();
  tSongRecord edited = window.Candidate();
  edited.SetFileName("/songs/also.kar");
  m_editorAnswer = edited;
  window.ViewEditCandidate();
  EXPECT_EQ(window.NewFileEditText(), "/songs/also.kar");
  window.Accept();
  EXPECT_EQ(Messages(), Strings{"/songs/also.kar is already listed in the database"});
  EXPECT_EQ(window.Lost().size(), 3u);
  EXPECT_NE(CatalogueSong("/old/Pop/one.kar"), nullptr);
}

TEST_F(LostFilesTest, MatchPathsProposesBothFoldersAsksAndCountsAgain) {
  m_files->AddFile("/new/Pop/two.mp3");
  tLostFiles& window = Open();
  File("/new/Pop/one.kar", Song("New One", "New A", "", ""));
  m_user.QueueFile("/new/Pop/one.kar");
  window.Browse();

  m_matchAnswer = std::nullopt;  // Cancel
  window.MatchPaths();
  ASSERT_EQ(m_matchAsked.size(), 1u);
  EXPECT_EQ(m_matchAsked[0].find, "/old/Pop/");
  EXPECT_EQ(m_matchAsked[0].replacement, "/new/Pop/");
  EXPECT_TRUE(m_user.Messages().empty());

  m_matchAnswer = PathMatchTexts{"/old", "/new"};
  m_user.QueueButton(Button::No);
  window.MatchPaths();
  ASSERT_EQ(m_user.Messages().size(), 1u);
  EXPECT_EQ(m_user.Messages()[0].text, PathMatchQuestion("/old", "/new"));
  EXPECT_EQ(window.Lost().size(), 3u);
  EXPECT_FALSE(m_catalogue.Modified());

  m_user.QueueButton(Button::Yes);
  m_statuses.clear();
  window.MatchPaths();
  EXPECT_EQ(m_statuses,
            (Strings{"Matching paths...", "", "There are 1 lost files in the songlist"}));
  EXPECT_NE(CatalogueSong("/new/Pop/one.kar"), nullptr);
  EXPECT_NE(CatalogueSong("/new/Pop/two.mp3"), nullptr);
  EXPECT_EQ(LostPaths(), Strings{"/old/Rock/three.st3"});
  EXPECT_TRUE(m_catalogue.Modified());
  EXPECT_FALSE(window.MatchPathsEnabled());
}

TEST(LostFilesTexts, CaptionsAndHints) {
  EXPECT_EQ(TextOf(LostFilesControl::RemoveIt).caption, "&Remove it");
  EXPECT_EQ(TextOf(LostFilesControl::RemoveIt).hint, "Remove this song from the database");
  EXPECT_EQ(TextOf(LostFilesControl::MatchPaths).hint,
            "Change all pathnames to match selected file");
  EXPECT_EQ(TextOf(LostFilesControl::IgnoreRemovable).caption, "Removeable disks");
  EXPECT_EQ(TextOf(LostFilesControl::Close).hint, "Close this dialog");
  EXPECT_EQ(kLostFilesHelpTopic, 10000);
}

}  // namespace
}  // namespace tunedex
