// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/songexplorer.h"

#include <gtest/gtest.h>

#include "common/userlocale.h"
#include "support/fakedesktop.h"
#include "support/fakefilesystem.h"
#include "support/gatedfilesystem.h"
#include "support/scripteduser.h"
#include "support/songfilebuilders.h"
#include "support/songfixtures.h"

namespace tunedex {
namespace {

using Strings = std::vector<std::string>;

std::string Mp3(const std::string& title, const std::string& artist) {
  return test::Id3v2File({{"TIT2", title}, {"TPE1", artist}});
}

class SongExplorerTest : public testing::Test {
 protected:
  SongExplorerTest() {
    SetUserLocale("en_US");
    m_files.AddFolder("/music");
  }

  // Records are read from the fake file system's bytes.
  SongReadStatus Read(const std::string& path, tSongRecord& record) {
    ++m_reads;
    if (!m_files.FileExists(path)) return SongReadStatus::Missing;
    const std::string bytes = m_files.Contents(path);
    const bool whole =
        ReadSongRecordBytes(test::AsBytes(bytes), path, record,
                            [this](const std::string& p) { return m_files.FileExists(p); });
    return whole ? SongReadStatus::Read : SongReadStatus::Damaged;
  }

  Strings Captions() const {
    Strings captions;
    for (const tExplorerItem& item : m_explorer.Items()) captions.push_back(item.caption);
    return captions;
  }

  void Catalogue(const std::string& path) {
    m_catalogue.Import({test::MakeRecord({.title = "x", .fileName = path})});
    m_catalogue.SetModified(false);
  }

  void Open(const std::string& folder = "/music") {
    m_explorer.ChooseFolder(folder);
    m_explorer.LoadAll();
  }

  test::FakeFileSystem m_files;
  test::ScriptedUser m_user;
  tCatalogue m_catalogue;
  tLivePlayerOptions m_options;
  int m_reads = 0;
  tSongExplorer m_explorer{
      {m_catalogue, m_files, m_user, m_options,
       [this](const std::string& path, tSongRecord& record) { return Read(path, record); }}};
};

TEST_F(SongExplorerTest, ListsSongFilesMatchingAnyCaseSortedIgnoringCase) {
  for (const char* name :
       {"b.kar", "SONG.KAR", "a.MP3", ".hidden.kar", "notes.txt", "x.midi", "y.mi", "Zed.mpeg",
        "c.rmi", "d.mid.bak", "e.Wma", "f.kfn", "g.st3", "h.mpg", "karaoke"}) {
    m_files.AddFile(std::string("/music/") + name);
  }
  m_files.AddFolder("/music/folder.kar");
  Open();
  EXPECT_EQ(Captions(), (Strings{"a.MP3", "b.kar", "c.rmi", "d.mid.bak", "e.Wma", "f.kfn", "g.st3",
                                 "h.mpg", "SONG.KAR", "x.midi", "y.mi", "Zed.mpeg"}));
}

TEST_F(SongExplorerTest, AFolderWithoutSongsSaysSo) {
  m_files.AddFile("/music/readme.txt");
  m_explorer.ChooseFolder("/music");
  EXPECT_FALSE(m_explorer.LoadSlice(10));
  EXPECT_EQ(m_explorer.StatusText(), "/music     (no songs)");
  EXPECT_EQ(m_explorer.CountText(), "0/0");
  EXPECT_TRUE(m_explorer.Items().empty());
  EXPECT_TRUE(m_user.Messages().empty());
}

TEST_F(SongExplorerTest, AFolderThatCannotBeReadIsReportedAndLeavesTheListEmpty) {
  for (const std::string folder : {"/gone", "/locked"}) {
    m_files.AddFile("/locked/a.kar");
    m_files.Fail(test::FakeFileSystem::Op::List, FileFailure::PermissionDenied, "/locked");
    m_files.AddFile("/music/a.kar");
    Open("/music");
    ASSERT_EQ(m_explorer.Items().size(), 1u);
    Open(folder);
    EXPECT_TRUE(m_explorer.Items().empty()) << folder;
    ASSERT_FALSE(m_user.Messages().empty());
    EXPECT_EQ(m_user.Messages().back().text, "Cannot access this folder");
    EXPECT_EQ(m_user.Messages().back().kind, MessageKind::Information);
    EXPECT_FALSE(m_explorer.Commands().selectAll);
  }
}

TEST_F(SongExplorerTest, RecordsAreReadInSlicesWithTheRunningNumber) {
  for (const char* name : {"e.kar", "d.kar", "c.kar", "b.kar", "a.kar"}) {
    m_files.AddFile(std::string("/music/") + name);
  }
  m_explorer.ChooseFolder("/music");
  EXPECT_EQ(m_explorer.StatusText(), "Loading song info from /music");
  EXPECT_EQ(m_reads, 0) << "listing reads no song file";
  EXPECT_TRUE(m_explorer.LoadSlice(2));
  EXPECT_EQ(Captions(), (Strings{"a.kar", "b.kar"}));
  EXPECT_EQ(m_explorer.CountText(), "1");
  EXPECT_TRUE(m_explorer.Loading());
  EXPECT_TRUE(m_explorer.LoadSlice(2));
  EXPECT_FALSE(m_explorer.LoadSlice(2));
  EXPECT_EQ(m_reads, 5);
  EXPECT_EQ(m_explorer.Items().size(), 5u);
  // The first item is selected when the list is complete.
  EXPECT_TRUE(m_explorer.Items()[0].selected);
  EXPECT_EQ(m_explorer.StatusText(), "/music/a.kar");
  EXPECT_EQ(m_explorer.CountText(), "1/5");
  EXPECT_EQ(m_explorer.Position(), 0u);
}

TEST_F(SongExplorerTest, ChoosingAnotherFolderDropsTheRunningLoad) {
  for (int i = 0; i < 6; ++i) m_files.AddFile("/music/" + std::to_string(i) + ".kar");
  m_files.AddFile("/other/z.mp3");
  m_explorer.ChooseFolder("/music");
  m_explorer.LoadSlice(2);
  m_explorer.ChooseFolder("/other");
  m_explorer.LoadAll();
  EXPECT_EQ(Captions(), (Strings{"z.mp3"}));
  EXPECT_EQ(m_reads, 3);
  EXPECT_EQ(m_explorer.CountText(), "1/1");
}

TEST_F(SongExplorerTest, AFileThatVanishesBeforeItIsReadIsLeftOut) {
  m_files.AddFile("/music/a.kar");
  m_files.AddFile("/music/b.kar");
  m_explorer.ChooseFolder("/music");
  m_files.Delete("/music/a.kar");
  m_explorer.LoadAll();
  EXPECT_EQ(Captions(), (Strings{"b.kar"}));
}

TEST_F(SongExplorerTest, RefreshReselectsThePositionOrTheLastItem) {
  for (const char* name : {"a.kar", "b.kar", "c.kar", "d.kar"}) {
    m_files.AddFile(std::string("/music/") + name);
  }
  Open();
  m_explorer.SelectOnly(2);
  m_explorer.Refresh();
  m_explorer.LoadAll();
  EXPECT_EQ(m_explorer.Position(), 2u);
  EXPECT_EQ(m_explorer.CountText(), "3/4");
  m_explorer.SelectOnly(3);
  m_files.Delete("/music/a.kar");
  m_explorer.Refresh();
  m_explorer.LoadAll();
  EXPECT_EQ(m_explorer.Position(), 2u);
  EXPECT_EQ(m_explorer.StatusText(), "/music/d.kar");
}

TEST_F(SongExplorerTest, TitlesArtistsAndPicturesFollowTheRecordsAndTheCatalogue) {
  m_files.AddFile("/music/tagged.mp3", Mp3("Song", "Singer"));
  m_files.AddFile("/music/bare.mp3", Mp3("", ""));
  m_files.AddFile("/music/known.KAR");
  m_files.AddFile("/music/video.mpg");
  Catalogue("/music/KNOWN.kar");  // the catalogue's look-up ignores case
  Open();
  ASSERT_EQ(Captions(), (Strings{"bare.mp3", "known.KAR", "tagged.mp3", "video.mpg"}));
  const auto& items = m_explorer.Items();
  EXPECT_EQ(items[0].title, "bare.mp3");
  EXPECT_EQ(items[0].artist, "?");
  EXPECT_EQ(items[2].title, "Song");
  EXPECT_EQ(items[2].artist, "Singer");
  struct Case {
    std::size_t index;
    int picture;
    bool inCatalogue;
  };
  for (const Case c : {Case{0, 8, false}, {1, 1, true}, {2, 8, false}, {3, 22, false}}) {
    EXPECT_EQ(items[c.index].picture, c.picture) << items[c.index].caption;
    EXPECT_EQ(items[c.index].InCatalogue(), c.inCatalogue) << items[c.index].caption;
  }
  EXPECT_EQ(m_explorer.ImportableCount(), 3u);
}

TEST(ExplorerPictureTest, EachTypeHasItsInCatalogueVariant) {
  struct Case {
    std::uint8_t type;
    bool lyrics;
    int outside, inside;
  };
  for (const Case c : {Case{1, false, 0, 1},
                       {2, false, 2, 3},
                       {3, true, 4, 5},
                       {4, true, 4, 5},
                       {3, false, 6, 7},
                       {5, false, 8, 9},
                       {6, false, 10, 11},
                       {7, false, 19, 20},
                       {8, false, 22, 23}}) {
    tSongRecord record;
    record.SetFileType(c.type);
    record.SetHasLyrics(c.lyrics);
    EXPECT_EQ(ExplorerPicture(record, false), c.outside) << int{c.type};
    EXPECT_EQ(ExplorerPicture(record, true), c.inside) << int{c.type};
    EXPECT_FALSE(IsInCataloguePicture(c.outside));
    EXPECT_TRUE(IsInCataloguePicture(c.inside));
  }
}

TEST_F(SongExplorerTest, CommandsFollowTheSelection) {
  EXPECT_EQ(m_explorer.Commands(), tExplorerCommands{});
  m_explorer.SetPasteAvailable(true);
  EXPECT_EQ(m_explorer.Commands(), tExplorerCommands{.paste = true});
  m_explorer.SetPasteAvailable(false);

  m_files.AddFile("/music/a.kar");
  m_files.AddFile("/music/b.kar");
  Catalogue("/music/a.kar");
  Open();
  const tExplorerCommands oneSelected{.import = false,
                                      .deleteFiles = true,
                                      .trash = true,
                                      .rename = true,
                                      .cut = true,
                                      .copy = true,
                                      .paste = false,
                                      .play = true,
                                      .selectAll = true};
  EXPECT_EQ(m_explorer.Commands(), oneSelected) << "a.kar is in the catalogue";
  m_explorer.SetSelected(1, true);
  EXPECT_TRUE(m_explorer.Commands().import);
  EXPECT_EQ(m_explorer.SelectedCount(), 2u);
  EXPECT_EQ(m_explorer.SelectedImportableCount(), 1u);
  m_explorer.SetSelected(0, false);
  m_explorer.SetSelected(1, false);
  EXPECT_EQ(m_explorer.Commands(), tExplorerCommands{.selectAll = true});
  m_explorer.SelectAll();
  EXPECT_EQ(m_explorer.SelectedCount(), 2u);
  EXPECT_TRUE(m_explorer.Commands().import);
}

TEST_F(SongExplorerTest, ImportAsksAboutTheSelectedImportableSongsAndMarksThem) {
  m_files.AddFile("/music/a.kar");
  m_files.AddFile("/music/b.mp3", Mp3("B", "Bee"));
  m_files.AddFile("/music/c.kar");
  m_files.AddFile("/music/d.kar");
  Catalogue("/music/c.kar");
  Open();
  m_explorer.SelectOnly(3);
  m_explorer.SetSelected(0, true);
  m_explorer.SetSelected(1, true);
  m_explorer.SetSelected(2, true);
  m_explorer.SetSelected(3, false);

  m_user.QueueButton(Button::No);
  EXPECT_EQ(m_explorer.Import(), 0u);
  ASSERT_EQ(m_user.Messages().size(), 1u);
  EXPECT_EQ(m_user.Messages()[0].text,
            "Add 2 songs to the database?\r\n1 of the selected songs cannot be added.");
  EXPECT_EQ(m_user.Messages()[0].kind, MessageKind::Information);
  EXPECT_EQ(m_user.Messages()[0].buttons, (std::vector<Button>{Button::Yes, Button::No}));
  EXPECT_EQ(m_catalogue.Songs().Count(), 1u);
  EXPECT_FALSE(m_catalogue.Modified());

  m_user.QueueButton(Button::Yes);
  EXPECT_EQ(m_explorer.Import(), 2u);
  EXPECT_EQ(m_catalogue.Songs().Count(), 3u);
  EXPECT_TRUE(m_catalogue.Modified());
  EXPECT_EQ(m_user.ProgressTexts(), (Strings{"1", "2"}));
  for (const tSong* song : m_catalogue.Songs()) {
    EXPECT_FALSE(song->Record().IdCode().empty()) << song->Record().FileName();
    EXPECT_TRUE(song->Record().Language().empty());
  }
  const tSong* added = m_catalogue.Songs().FindByFileName("/music/b.mp3");
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->Record().Title(), "B");
  EXPECT_EQ(added->Record().Artist(), "Bee");
  const auto& items = m_explorer.Items();
  EXPECT_TRUE(items[0].InCatalogue());
  EXPECT_TRUE(items[1].InCatalogue());
  EXPECT_FALSE(items[3].InCatalogue()) << "d.kar was not selected";
  EXPECT_FALSE(m_explorer.Commands().import);
  EXPECT_EQ(m_explorer.CountText(), "4/4");
}

TEST_F(SongExplorerTest, ImportWithNothingImportableAsksNothing) {
  m_files.AddFile("/music/a.kar");
  Catalogue("/music/a.kar");
  Open();
  EXPECT_EQ(m_explorer.Import(), 0u);
  EXPECT_TRUE(m_user.Messages().empty());
}

TEST_F(SongExplorerTest, ImportOfAllSelectedHasNoSecondLine) {
  m_files.AddFile("/music/a.kar");
  m_files.AddFile("/music/b.kar");
  Open();
  m_explorer.SelectAll();
  EXPECT_EQ(m_explorer.Import(), 2u);
  EXPECT_EQ(m_user.Messages().at(0).text, "Add 2 songs to the database?");
  EXPECT_EQ(m_catalogue.Songs().Count(), 2u);
}

TEST_F(SongExplorerTest, AStoppedImportAddsTheSongsCountedSoFar) {
  for (const char* name : {"a.kar", "b.kar", "c.kar"}) {
    m_files.AddFile(std::string("/music/") + name);
  }
  Open();
  m_explorer.SelectAll();
  m_user.StopAfterProgress(2);
  EXPECT_EQ(m_explorer.Import(), 2u);
  EXPECT_EQ(m_catalogue.Songs().Count(), 2u);
  EXPECT_EQ(m_explorer.ImportableCount(), 1u);
}

TEST_F(SongExplorerTest, SortingByColumnHeaders) {
  m_files.AddFile("/music/a.mp3", Mp3("Zulu", "Mike"));
  m_files.AddFile("/music/b.mp3", Mp3("alpha", "Yankee"));
  m_files.AddFile("/music/C.mp3", Mp3("Bravo", "x-ray"));
  Open();
  m_explorer.SelectOnly(1);  // b.mp3
  struct Case {
    int column;
    bool descending;
    Strings order;
  };
  const Case cases[] = {
      {0, true, {"C.mp3", "b.mp3", "a.mp3"}},   // the first click on the current column
      {2, true, {"b.mp3", "C.mp3", "a.mp3"}},   // another column keeps the direction
      {2, false, {"a.mp3", "C.mp3", "b.mp3"}},  // Mike, x-ray, Yankee
      {1, false, {"b.mp3", "C.mp3", "a.mp3"}}, {1, true, {"a.mp3", "C.mp3", "b.mp3"}},
  };
  for (const Case& c : cases) {
    m_explorer.SortByColumn(c.column);
    EXPECT_EQ(m_explorer.SortColumn(), c.column);
    EXPECT_EQ(m_explorer.Descending(), c.descending) << c.column;
    EXPECT_EQ(Captions(), c.order) << c.column;
    ASSERT_TRUE(m_explorer.Position());
    EXPECT_EQ(m_explorer.Items()[*m_explorer.Position()].caption, "b.mp3");
  }
}

TEST_F(SongExplorerTest, MarksFollowCatalogueChangesMadeElsewhere) {
  m_files.AddFile("/music/a.kar");
  m_files.AddFile("/music/b.kar");
  Open();
  EXPECT_FALSE(m_explorer.Items()[0].InCatalogue());
  Catalogue("/music/A.KAR");
  EXPECT_TRUE(m_explorer.Items()[0].InCatalogue());
  EXPECT_EQ(m_explorer.ImportableCount(), 1u);
  m_catalogue.Remove(m_catalogue.Songs().FindByFileName("/music/a.kar"));
  EXPECT_FALSE(m_explorer.Items()[0].InCatalogue());
  EXPECT_EQ(m_explorer.ImportableCount(), 2u);
}

TEST_F(SongExplorerTest, ANameThatIsNotUtf8KeepsItsBytes) {
  const std::string name = "caf\xE9.kar";
  m_files.AddFile("/music/" + name);
  Open();
  ASSERT_EQ(m_explorer.Items().size(), 1u);
  EXPECT_EQ(m_explorer.Items()[0].caption, name);
  EXPECT_EQ(m_explorer.PathOf(0), "/music/" + name);
  m_explorer.Import();
  EXPECT_NE(m_catalogue.Songs().FindByFileName("/music/" + name), nullptr);
}

TEST_F(SongExplorerTest, AChoiceMadeWhileTheListFillsIsKept) {
  for (const char* name : {"a.kar", "b.kar", "c.kar", "d.kar"}) {
    m_files.AddFile(std::string("/music/") + name);
  }
  m_explorer.ChooseFolder("/music");
  m_explorer.LoadSlice(2);
  m_explorer.SelectOnly(1);
  m_explorer.LoadAll();
  EXPECT_EQ(m_explorer.Position(), 1u);
  EXPECT_EQ(m_explorer.SelectedCount(), 1u);
  EXPECT_EQ(m_explorer.StatusText(), "/music/b.kar");
  EXPECT_EQ(m_explorer.CountText(), "2/4");
}

TEST_F(SongExplorerTest, RowsArrivingAfterASortGoToTheirPlace) {
  for (const char* name : {"a.kar", "b.kar", "c.kar", "d.kar"}) {
    m_files.AddFile(std::string("/music/") + name);
  }
  m_explorer.ChooseFolder("/music");
  m_explorer.LoadSlice(2);
  m_explorer.SelectOnly(0);
  m_explorer.SortByColumn(0);  // descending
  m_explorer.LoadAll();
  EXPECT_EQ(Captions(), (Strings{"d.kar", "c.kar", "b.kar", "a.kar"}));
  EXPECT_EQ(m_explorer.Position(), 3u) << "the position follows a.kar";
}

TEST_F(SongExplorerTest, PlayerInFrontChangesOnlyTheExplorersBit) {
  m_options.Set().PlayerPopups = tPlayerPopups(1 | 8);
  EXPECT_FALSE(m_explorer.PlayerInFront());
  m_explorer.SetPlayerInFront(true);
  EXPECT_EQ(m_options.Set().PlayerPopups.Stored(), 1 | 4 | 8);
  EXPECT_TRUE(m_explorer.PlayerInFront());
  m_explorer.SetPlayerInFront(false);
  EXPECT_EQ(m_options.Set().PlayerPopups.Stored(), 1 | 8);
}

}  // namespace
}  // namespace tunedex

namespace tunedex {
namespace {

// Play hands the selected file to the player control, in front or not as the Explorer's bit
// of PlayerPopups says.
TEST(SongExplorerPlayTest, PlaysTheSelectedFileWithTheExplorersInFrontChoice) {
  for (const bool inFront : {true, false}) {
    test::FakeFileSystem files;
    test::ScriptedUser user;
    tCatalogue catalogue;
    tLivePlayerOptions options;
    test::FakeDesktop desktop;
    const WindowHandle main = desktop.AddWindow({.windowClass = "TunedexMain", .caption = "T"});
    const WindowHandle owner =
        desktop.AddWindow({.windowClass = "TunedexExplorer", .caption = "Song Explorer"});
    files.AddFile("/bin/player");
    desktop.AddProgram("/bin/player", {.windows = {{.windowClass = "PlayerMain", .caption = "P"}}});
    options.Set().Records[3].PlayerFile = "/bin/player";
    tPlayerControl players({desktop, desktop, desktop, user,
                            [&files](const std::string& p) { return files.FileExists(p); }, "/"},
                           options, main);
    files.AddFile("/music/a.kar");
    files.AddFile("/music/b.mp3", test::Id3v2File({{"TIT2", "B"}}));
    tSongExplorer explorer({catalogue, files, user, options,
                            [&files](const std::string& path, tSongRecord& record) {
                              ReadSongRecordBytes(test::AsBytes(files.Contents(path)), path, record,
                                                  [](const std::string&) { return false; });
                              return SongReadStatus::Read;
                            },
                            &players});
    explorer.SetPlayerInFront(inFront);
    explorer.ChooseFolder("/music");
    explorer.LoadAll();
    explorer.SelectOnly(1);
    explorer.Play(owner);
    EXPECT_EQ(desktop.LogOf("start"), (Strings{"start /bin/player [/music/b.mp3]"}));
    EXPECT_EQ(desktop.Log().back(), inFront ? "front PlayerMain" : "front TunedexExplorer");
  }
}

TEST(SongExplorerBoundTest, AFolderThatDoesNotAnswerIsReportedWithinTheBound) {
  auto inner = std::make_shared<test::FakeFileSystem>();
  inner->AddFile("/net/share/a.kar", "kar");
  auto files = std::make_shared<test::GatedFileSystem>(inner);
  files->HangListing("/net/share");
  test::ScriptedUser user;
  tCatalogue catalogue;
  tLivePlayerOptions options;
  tSongExplorer explorer({catalogue, *files, user, options,
                          [](const std::string&, tSongRecord&) { return SongReadStatus::Read; },
                          nullptr, std::chrono::milliseconds(50)});
  explorer.ChooseFolder("/net/share");
  ASSERT_TRUE(files->WaitUntilHanging(std::chrono::seconds(5)));
  EXPECT_TRUE(explorer.Items().empty());
  EXPECT_FALSE(explorer.Loading());
  ASSERT_EQ(user.Messages().size(), 1u);
  EXPECT_EQ(user.Messages()[0].text, "Cannot access this folder");
  EXPECT_EQ(explorer.CountText(), "0/0");
  // The stuck call returns at last; its answer is dropped.
  EXPECT_TRUE(files->Release(std::chrono::seconds(5)));
}

}  // namespace
}  // namespace tunedex
