// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/cataloguewindow.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "catalogue/database.h"
#include "common/userlocale.h"
#include "platform/giofilesystem.h"
#include "support/childprocess.h"
#include "support/scripteduser.h"
#include "support/songfixtures.h"
#include "support/tempfolder.h"

namespace tunedex {
namespace {

using test::AddSongs;
using test::Column;
using test::MakeRecord;
using test::SongFields;

class CatalogueWindowTest : public testing::Test {
 protected:
  void SetUp() override { SetUserLocale("en_US"); }

  CatalogueServices Services() {
    CatalogueServices services{user, files};
    services.showSongRecord = [this](tSongRecord& record, int mode, std::string& lastFolder) {
      editorModes.push_back(mode);
      if (editorAnswers.empty()) return false;
      record = editorAnswers.front();
      editorAnswers.erase(editorAnswers.begin());
      lastFolder = "/songs/";
      return true;
    };
    services.showFilter = [this](tCustomFilterRec& filter, const std::function<void()>&) {
      filter = nextFilter;
      return filterOk;
    };
    services.beep = [this] { ++beeps; };
    return services;
  }

  // A catalogue file with the songs, and a window started on it.
  std::unique_ptr<tCatalogueWindow> StartWith(std::initializer_list<SongFields> songs,
                                              std::int8_t sort = 0, std::string extra = "") {
    std::vector<tSongRecord> records;
    for (const SongFields& song : songs) records.push_back(MakeRecord(song));
    databasePath = folder.Write("songs.tdb", test::DatabaseFile(sort, records));
    auto window = std::make_unique<tCatalogueWindow>(catalogue, Services());
    window->Start(tIniFile::Parse("[Startup]\nData=" + databasePath + "\n" + extra));
    window->SetVisibleRows(10);
    return window;
  }

  test::TempFolder folder;
  test::ScriptedUser user;
  GioFileSystem files;
  tCatalogue catalogue;
  std::vector<tSongRecord> editorAnswers;
  std::vector<int> editorModes;
  tCustomFilterRec nextFilter;
  bool filterOk = true;
  int beeps = 0;
  std::string databasePath;
};

const std::initializer_list<SongFields> kSongs = {
    {.title = "Waterloo",
     .artist = "ABBA",
     .language = "eng",
     .fileName = "/s/ABBA - Waterloo.kar",
     .idCode = "WA001"},
    {.title = "Dancing Queen",
     .artist = "ABBA",
     .language = "Eng",
     .fileName = "/s/dq.kar",
     .idCode = "DA001"},
    {.title = "Sommar",
     .artist = "Lasse",
     .language = "sve",
     .fileName = "/love/s.mp3",
     .idCode = "LE001"},
    {.title = "Amour",
     .artist = "Zaz",
     .language = "Fra",
     .fileName = "/s/amour.mp3",
     .idCode = "LE010"},
    {.title = "New one", .artist = "Nobody", .fileName = "/s/new.mid"},
};

TEST_F(CatalogueWindowTest, FirstStartWithoutSettingsHasTheDesignDefaults) {
  tCatalogueWindow window(catalogue, Services());
  window.Start(tIniFile());
  EXPECT_EQ(window.CaptionText(), "-Tunedex- # New file #");
  EXPECT_EQ(window.ShownViewMode(), ViewMode::All);
  EXPECT_TRUE(catalogue.Songs().Empty());
  EXPECT_EQ(window.Columns().TextColumns(), (std::array<int, 3>{49, 185, 277}));
  EXPECT_EQ(window.Display(), tDisplayOptions{});
  EXPECT_FALSE(window.Display().showFormatMismatches);
  EXPECT_EQ(window.SongStatusText(), "No songs");
  EXPECT_EQ(window.RowCount(), 1u);
  EXPECT_TRUE(user.Messages().empty());
  for (Command command : {Command::Save, Command::DeleteSong, Command::ViewAll, Command::FindNext,
                          Command::NextSong, Command::PlaylistCentral}) {
    EXPECT_FALSE(window.Enabled(command)) << static_cast<int>(command);
  }
  EXPECT_TRUE(window.Enabled(Command::OpenDatabase));
  EXPECT_TRUE(window.Enabled(Command::AddSong));
}

TEST_F(CatalogueWindowTest, StartLoadsTheLastDatabaseWithItsSortCode) {
  auto window = StartWith(kSongs, -33);
  EXPECT_EQ(catalogue.Songs().Count(), 5u);
  EXPECT_EQ(catalogue.SortCode(), -33);
  EXPECT_EQ(window->CaptionText(), "-Tunedex- " + databasePath);
  EXPECT_FALSE(catalogue.Modified());
  EXPECT_TRUE(catalogue.Ids().Contains("wa001"));
  EXPECT_EQ(window->SongStatusText(), "Song 1/5");
  // A descending sort reopens descending: the same header sorts it ascending again.
  window->SetSort(kSortByTitle);
  EXPECT_EQ(catalogue.SortCode(), 33);
  EXPECT_EQ(Column(window->View(), TextField::Title).front(), "Amour");
}

TEST_F(CatalogueWindowTest, MissingDatabaseAtStartAsksForAnother) {
  const std::string other = folder.Write(
      "other.tdb", test::DatabaseFile(0, {MakeRecord({.title = "x", .fileName = "/x.kar"})}));
  user.QueueFile(other);
  tCatalogueWindow window(catalogue, Services());
  window.Start(tIniFile::Parse("[Startup]\nData=/nowhere/gone.tdb\n"));
  ASSERT_FALSE(user.Messages().empty());
  EXPECT_EQ(user.Messages()[0].text, "Cannot locate database /nowhere/gone.tdb");
  EXPECT_EQ(catalogue.Path(), other);
  EXPECT_EQ(catalogue.Songs().Count(), 1u);
}

TEST_F(CatalogueWindowTest, MissingDatabaseWithTheDialogCancelledKeepsThePath) {
  tCatalogueWindow window(catalogue, Services());
  window.Start(tIniFile::Parse("[Startup]\nData=/nowhere/gone.tdb\n"));
  EXPECT_EQ(catalogue.Path(), "/nowhere/gone.tdb");
  EXPECT_TRUE(catalogue.Songs().Empty());
}

// A settings file too large to read whole is read in part, with a warning that says so; a
// usual one starts without a word.
TEST_F(CatalogueWindowTest, AHugeSettingsFileStartsWithAWarning) {
  const std::string huge = folder.Write(
      "huge.ini", "[Main]\nTop=33\n" + std::string(tIniFile::kMaxSize, '\n') + "[Main]\nLeft=44\n");
  const std::string usual = folder.Write("usual.ini", "[Main]\nTop=33\n");
  for (const std::string& path : {huge, usual}) {
    test::ScriptedUser fresh;
    tCatalogueWindow window(catalogue, CatalogueServices{fresh, files});
    window.Start(path);
    if (path == huge) {
      ASSERT_EQ(fresh.Messages().size(), 1u);
      EXPECT_EQ(fresh.Messages()[0].text, TruncatedSettingsWarning(huge));
      EXPECT_EQ(fresh.Messages()[0].kind, MessageKind::Warning);
    } else {
      EXPECT_TRUE(fresh.Messages().empty());
    }
  }
}

TEST_F(CatalogueWindowTest, AFileThatIsNotACatalogueIsNeverOverwrittenBySave) {
  const std::string path = folder.Write("notes.tdb", "shopping list: eggs, milk");
  tCatalogueWindow window(catalogue, Services());
  window.Start(tIniFile::Parse("[Startup]\nData=" + path + "\n"));
  EXPECT_EQ(user.Messages().at(0).text, "Invalid data-file");
  EXPECT_TRUE(catalogue.IsNew());
  window.Save();  // asks for a name; cancelled
  EXPECT_EQ(user.FileRequests().size(), 1u);
  EXPECT_EQ(test::ReadFileText(path), "shopping list: eggs, milk");
}

TEST_F(CatalogueWindowTest, ALastCatalogueThatIsAPipeIsNamedAndStartDoesNotWait) {
  const std::string pipe = folder.PathOf("songs.tdb");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  // In a child process, so that a start waiting for a writer to the pipe fails the test.
  const auto end = test::RunInChildWithin(std::chrono::seconds(10), [&] {
    tCatalogueWindow window(catalogue, Services());
    window.Start(tIniFile::Parse("[Startup]\nData=" + pipe + "\n"));
    const bool named =
        !user.Messages().empty() &&
        user.Messages()[0].text == "Cannot open " + pipe + ": Is a named pipe, not a file";
    return named && catalogue.IsNew() ? 0 : 1;
  });
  ASSERT_TRUE(end.has_value()) << "the start waits on the pipe";
  EXPECT_EQ(end->exitCode, 0);
}

TEST_F(CatalogueWindowTest, OpeningAnInvalidFileKeepsTheOpenCatalogue) {
  auto window = StartWith(kSongs);
  user.QueueFile(folder.Write("bad.tdb", "garbage"));
  window->OpenDatabase();
  EXPECT_EQ(catalogue.Songs().Count(), 5u);
  EXPECT_EQ(catalogue.Path(), databasePath);
}

TEST_F(CatalogueWindowTest, ACatalogueNamedFromOutsideOpensAsOpenDoes) {
  const std::string other = folder.Write(
      "other.tdb", test::DatabaseFile(34, {MakeRecord({.title = "x", .fileName = "/x.kar"})}));
  // Named at start-up: instead of the last one.
  tCatalogueWindow started(catalogue, Services());
  started.Start(tIniFile::Parse("[Startup]\nData=" + databasePath + "\n"), other);
  EXPECT_EQ(catalogue.Path(), other);
  EXPECT_EQ(catalogue.Songs().Count(), 1u);

  auto window = StartWith(kSongs);
  window->DeleteAllSongs();  // unsaved changes
  user.QueueButton(Button::Cancel);
  window->OpenNamedDatabase(other);
  EXPECT_EQ(user.Messages().back().text, "Save changes to current database?");
  EXPECT_EQ(catalogue.Path(), databasePath) << "Cancel keeps the catalogue open";
  user.QueueButton(Button::No);
  window->OpenNamedDatabase(other);
  EXPECT_EQ(catalogue.Path(), other);
  EXPECT_TRUE(user.FileRequests().empty()) << "no Open dialog";
  // The catalogue already open is left as it is.
  const std::size_t asked = user.Messages().size();
  window->OpenNamedDatabase(other);
  EXPECT_EQ(user.Messages().size(), asked);
}

TEST_F(CatalogueWindowTest, OpenDatabaseAlwaysShowsAllSongs) {
  auto window = StartWith(kSongs);
  window->ChooseView(ViewMode::English);
  EXPECT_EQ(window->View().Count(), 2u);
  const std::string other = folder.Write(
      "other.tdb",
      test::DatabaseFile(34, {MakeRecord({.title = "x", .language = "eng", .fileName = "/x.kar"}),
                              MakeRecord({.title = "y", .fileName = "/y.kar"})}));
  user.QueueFile(other);
  window->OpenDatabase();
  EXPECT_EQ(window->ShownViewMode(), ViewMode::All);
  EXPECT_EQ(window->View().Count(), 2u);
  EXPECT_EQ(catalogue.SortCode(), 34);
  EXPECT_EQ(window->SortStatusText(), "Sort: Artist");
  const FileDialogRequest& request = user.FileRequests().back();
  EXPECT_EQ(request.fileName, "songs.tdb");
  EXPECT_EQ(request.defaultExtension, "tdb");
  ASSERT_EQ(request.filters.size(), 2u);
  EXPECT_EQ(request.filters[0].patterns, std::vector<std::string>{"*.tdb"});
}

struct CloseCase {
  const char* name;
  bool confirmSaves;
  std::vector<Button> answers;
  bool closes;
  bool saved;
  std::size_t questions;
};

class CloseQueryTest : public CatalogueWindowTest, public testing::WithParamInterface<CloseCase> {};

TEST_P(CloseQueryTest, AsksToKeepUnsavedChanges) {
  const CloseCase c = GetParam();
  auto window = StartWith(kSongs);
  window->Display().confirmSaves = c.confirmSaves;
  window->DeleteAllSongs();  // asks, Yes by default
  for (Button answer : c.answers) user.QueueButton(answer);
  const std::size_t before = user.Messages().size();
  EXPECT_EQ(window->CloseQuery(), c.closes);
  EXPECT_EQ(user.Messages().size() - before, c.questions);
  if (c.questions > 0) {
    EXPECT_EQ(user.Messages()[before].text, "Save changes to current database?");
  }
  tSongList saved(tSongList::Ownership::OwnsSongs);
  LoadDatabase(saved, databasePath, user);
  EXPECT_EQ(saved.Empty(), c.saved);
}

INSTANTIATE_TEST_SUITE_P(Answers, CloseQueryTest,
                         testing::Values(CloseCase{"Yes", true, {Button::Yes}, true, true, 1},
                                         CloseCase{"No", true, {Button::No}, true, false, 1},
                                         CloseCase{
                                             "Cancel", true, {Button::Cancel}, false, false, 1},
                                         CloseCase{"Unconfirmed", false, {}, true, true, 0}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(CatalogueWindowTest, ClosingANewModifiedCatalogueAsksForAName) {
  tCatalogueWindow window(catalogue, Services());
  window.Start(tIniFile());
  editorAnswers.push_back(MakeRecord({.title = "t", .fileName = "/a.kar", .idCode = "A1"}));
  window.AddSong();
  ASSERT_TRUE(catalogue.Modified());
  user.QueueButton(Button::Yes);
  user.QueueFile(std::nullopt);
  EXPECT_FALSE(window.CloseQuery());  // the Save As dialog was cancelled
  const std::string path = folder.PathOf("new.tdb");
  user.QueueButton(Button::Yes);
  user.QueueFile(path);
  EXPECT_TRUE(window.CloseQuery());
  EXPECT_EQ(catalogue.Path(), path);
  EXPECT_FALSE(catalogue.Modified());
}

TEST_F(CatalogueWindowTest, ASaveFailingAtCloseAsksWhetherToContinue) {
  auto window = StartWith(kSongs);
  window->DeleteAllSongs();
  std::filesystem::remove_all(folder.Path());  // the folder is gone
  user.QueueButton(Button::Yes);
  user.QueueButton(Button::Cancel);
  EXPECT_FALSE(window->CloseQuery());
  EXPECT_EQ(user.Messages().back().text,
            "Cannot save database to file " + databasePath +
                "\rThe Drive or Folder may no longer be available.\r\rContinue anyway?");
  user.QueueButton(Button::Yes);
  user.QueueButton(Button::Yes);
  EXPECT_TRUE(window->CloseQuery());
}

TEST_F(CatalogueWindowTest, AReadOnlyCatalogueIsNeitherSavedNorReplacedAtClose) {
  auto window = StartWith(kSongs);
  const std::string before = test::ReadFileText(databasePath);
  ::chmod(databasePath.c_str(), 0444);
  window->DeleteSong();
  EXPECT_FALSE(window->Save());
  EXPECT_EQ(user.Messages().back().kind, MessageKind::Error);
  EXPECT_EQ(user.Messages().back().text, "Cannot save " + databasePath + ": the file is read-only");
  EXPECT_TRUE(catalogue.Modified());

  user.QueueButton(Button::Yes);     // save the changes?
  user.QueueButton(Button::Cancel);  // continue anyway?
  EXPECT_FALSE(window->CloseQuery());
  EXPECT_EQ(user.Messages().back().text,
            "Cannot save database to file " + databasePath +
                "\rThe Drive or Folder may no longer be available.\r\rContinue anyway?");
  EXPECT_EQ(test::ReadFileText(databasePath), before);
}

TEST_F(CatalogueWindowTest, SaveErrorsKeepTheModifiedFlag) {
  auto window = StartWith(kSongs);
  window->DeleteSong();
  std::filesystem::remove_all(folder.Path());
  EXPECT_FALSE(window->Save());
  EXPECT_TRUE(catalogue.Modified());
  EXPECT_EQ(user.Messages().back().kind, MessageKind::Error);
}

TEST_F(CatalogueWindowTest, NewDatabaseKeepsAskingForANameAndTheIdList) {
  auto window = StartWith(kSongs);
  window->NewDatabase();
  EXPECT_TRUE(catalogue.Songs().Empty());
  EXPECT_EQ(window->CaptionText(), "-Tunedex- # New file #");
  EXPECT_EQ(catalogue.Path(), databasePath);
  EXPECT_TRUE(catalogue.Ids().Contains("WA001"));
  window->Save();
  EXPECT_EQ(user.FileRequests().back().fileName, "");  // Save As, name cleared
  window->PlaylistCentral();
  EXPECT_EQ(user.Messages().back().text,
            "Please save the new database before opening Playlist Central");
}

// Ticks are commands of the window like any other: the menus only show them.
TEST_F(CatalogueWindowTest, TicksAreCommandsAndPlayersNeedADesktop) {
  auto window = StartWith(kSongs, 33);
  const std::tuple<Command, int, bool> ticks[] = {
      {Command::PlayerInFront, 0, false},
      {Command::SwitchToPlugin, 0, true},
      {Command::ToggleDisplay, static_cast<int>(DisplaySwitch::StatusBar), true},
      {Command::ToggleDisplay, static_cast<int>(DisplaySwitch::ShowFormatMismatches), false}};
  for (const auto& [command, tag, before] : ticks) {
    EXPECT_EQ(window->Ticked(command, tag), before) << static_cast<int>(command);
    window->Run(command, tag);
    EXPECT_EQ(window->Ticked(command, tag), !before) << static_cast<int>(command);
  }
  EXPECT_FALSE(window->Display().statusBar);
  EXPECT_EQ(window->Ticked(Command::Sort, kSortByTitle), true);
  window->Run(Command::Sort, kSortByArtist);
  EXPECT_EQ(window->Ticked(Command::Sort, kSortByArtist), true);
  EXPECT_FALSE(window->Ticked(Command::Save).has_value());

  window->Run(Command::Players);
  EXPECT_EQ(user.Messages().back().text, "Players cannot be configured without a desktop.");
}

// A save dialog cancelled leaves the name it remembers as it was, also after a new database
// offered none.
TEST_F(CatalogueWindowTest, CancelledSaveDialogsKeepTheRememberedName) {
  auto window = StartWith(kSongs);
  const std::string other = folder.PathOf("other.tdb");
  user.QueueFile(other);
  ASSERT_TRUE(window->SaveAs());
  user.QueueFile(std::nullopt);
  window->SaveSelection();
  EXPECT_EQ(user.FileRequests().back().fileName, "other.tdb");
  window->NewDatabase();
  user.QueueFile(std::nullopt);
  EXPECT_FALSE(window->SaveAs());
  EXPECT_EQ(user.FileRequests().back().fileName, "");
  user.QueueFile(databasePath);
  window->OpenDatabase();
  user.QueueFile(std::nullopt);
  window->SaveAs();
  EXPECT_EQ(user.FileRequests().back().fileName, "other.tdb");
}

TEST_F(CatalogueWindowTest, SaveSelectionWritesTheShownSongsOnly) {
  auto window = StartWith(kSongs);
  window->ChooseView(ViewMode::English);
  const std::string path = folder.PathOf("english.tdb");
  user.QueueFile(path);
  window->SaveSelection();
  tSongList saved(tSongList::Ownership::OwnsSongs);
  LoadDatabase(saved, path, user);
  EXPECT_EQ(Column(saved, TextField::Title),
            (std::vector<std::string>{"Waterloo", "Dancing Queen"}));
  EXPECT_EQ(catalogue.Path(), databasePath);
  EXPECT_FALSE(catalogue.Modified());
}

TEST_F(CatalogueWindowTest, ViewsSelectByLanguageAndTheFilterNarrowsTheShownView) {
  auto window = StartWith(kSongs);
  const std::pair<ViewMode, std::size_t> views[] = {{ViewMode::All, 5},
                                                    {ViewMode::CustomLanguage, 1},
                                                    {ViewMode::English, 2},
                                                    {ViewMode::OtherLanguages, 1},
                                                    {ViewMode::NewSongs, 1}};
  for (const auto& [mode, count] : views) {
    window->ChooseView(mode);
    EXPECT_EQ(window->View().Count(), count) << static_cast<int>(mode);
  }
  window->ChooseView(ViewMode::English);
  EXPECT_EQ(window->ViewStatusText(), "Showing: English songs");
  nextFilter = {.Text = "queen", .Fields = kFilterAnyField};
  window->ChooseView(ViewMode::CustomFiltered);
  EXPECT_EQ(Column(window->View(), TextField::Title), std::vector<std::string>{"Dancing Queen"});
  EXPECT_EQ(window->ViewStatusText(), "Showing: Custom-filtered list");
  EXPECT_EQ(window->TickedViewMode(), ViewMode::CustomFiltered);
  // Cancel goes back to the mode before, and keeps the edited filter.
  filterOk = false;
  nextFilter = {.Text = "abba", .Fields = kFilterArtist};
  window->ChooseView(ViewMode::CustomFiltered);
  EXPECT_EQ(window->ShownViewMode(), ViewMode::CustomFiltered);
  EXPECT_EQ(window->Filter().Text, "abba");
  window->ChooseView(ViewMode::All);
  filterOk = false;
  window->ChooseView(ViewMode::CustomFiltered);
  EXPECT_EQ(window->ShownViewMode(), ViewMode::All);
  EXPECT_EQ(window->View().Count(), 5u);
}

TEST_F(CatalogueWindowTest, ChoosingAnotherCustomLanguageReselectsItsView) {
  auto window = StartWith(kSongs);
  window->ChooseView(ViewMode::CustomLanguage);
  EXPECT_EQ(Column(window->View(), TextField::Title), std::vector<std::string>{"Sommar"});
  window->ChooseCustomLanguage({.index = 1});
  EXPECT_EQ(Column(window->View(), TextField::Title), std::vector<std::string>{"Amour"});
  EXPECT_EQ(window->ViewStatusText(), "Showing: French songs");
  EXPECT_EQ(window->ViewCaption(ViewMode::CustomLanguage), "French songs");
  EXPECT_EQ(window->ViewHint(ViewMode::CustomLanguage), "Show songs in French");
}

TEST_F(CatalogueWindowTest, SetSortTogglesAndKeepsThePreviousOrderForEqualKeys) {
  auto window = StartWith(kSongs);
  window->SetSort(kSortByTitle);
  EXPECT_EQ(window->SortStatusText(), "Sort: Title");
  window->SetSort(kSortByTitle);
  EXPECT_EQ(catalogue.SortCode(), -33);
  EXPECT_EQ(window->SortStatusText(), "Sort: Title");
  window->SetSort(kSortByTitle);
  window->SetSort(kSortByArtist);
  EXPECT_EQ(catalogue.PreviousSortCode(), 33);
  EXPECT_EQ(Column(window->View(), TextField::Title),
            (std::vector<std::string>{"Dancing Queen", "Waterloo", "Sommar", "New one", "Amour"}));
  EXPECT_TRUE(catalogue.Modified());
  EXPECT_EQ(catalogue.Songs().SortOrder(), 34);
  // The selected song stays selected.
  window->SelectRow(3);
  window->SetSort(kSortById);
  EXPECT_EQ(window->CurrentSong()->Record().Title(), "New one");
}

TEST_F(CatalogueWindowTest, SortCodeZeroKeepsTheOrderAndTheStatus) {
  auto window = StartWith(kSongs);
  window->SetSort(kSortByArtist);
  window->SetSort(0);
  EXPECT_EQ(catalogue.SortCode(), 0);
  EXPECT_EQ(window->SortStatusText(), "Sort: Artist");
}

TEST_F(CatalogueWindowTest, FindBoxSearchesForwardWithoutWrapping) {
  auto window = StartWith(kSongs);
  window->FindTextChanged("abba");
  EXPECT_EQ(window->CurrentRow(), 0);  // the file name part holds ABBA
  window->FindNext();
  EXPECT_EQ(window->CurrentRow(), 1);
  window->FindNext();
  EXPECT_EQ(user.Messages().back().text, "Cannot find abba");
  EXPECT_EQ(window->CurrentRow(), 1);
  EXPECT_TRUE(window->TakeFindBoxFocusRequest());
  window->FindTextChanged("love");  // only the folder holds it
  EXPECT_EQ(user.Messages().back().text, "Cannot find love");
  window->FindTextChanged("");
  EXPECT_EQ(window->CurrentRow(), 0);
  EXPECT_FALSE(window->Enabled(Command::FindNext));
}

TEST_F(CatalogueWindowTest, TypeAheadFindsByTheSortKeyFromTheCurrentRow) {
  auto window = StartWith(kSongs);
  window->SetSort(kSortById);  // the selected Waterloo is now the last row
  window->TypeAhead("L");
  EXPECT_EQ(beeps, 1);  // nothing at or below it
  window->HandleKey(WindowKey::Escape, kNoModifier);
  beeps = 0;
  for (const char* key : {"L", "E", "0"}) window->TypeAhead(key);
  EXPECT_EQ(window->CurrentSong()->Record().IdCode(), "LE001");
  window->TypeAhead("1");
  EXPECT_EQ(window->CurrentSong()->Record().IdCode(), "LE010");
  EXPECT_EQ(window->TypeAheadBuffer(), "LE01");
  EXPECT_EQ(beeps, 0);
  window->TypeAhead("9");
  EXPECT_EQ(beeps, 1);
  window->HandleKey(WindowKey::Backspace, kNoModifier);
  EXPECT_EQ(window->TypeAheadBuffer(), "LE01");
  EXPECT_EQ(window->CurrentSong()->Record().IdCode(), "LE010");
  window->HandleKey(WindowKey::Escape, kNoModifier);
  EXPECT_EQ(window->TypeAheadBuffer(), "");
  EXPECT_EQ(window->CurrentRow(), 0);
  // An empty buffer matches nothing.
  EXPECT_TRUE(window->HandleKey(WindowKey::Backspace, kNoModifier));
  EXPECT_EQ(beeps, 2);
}

TEST_F(CatalogueWindowTest, TypeAheadWithoutASortCodeNeverMatches) {
  auto window = StartWith(kSongs);
  window->TypeAhead("W");
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(window->CurrentRow(), 0);
}

TEST_F(CatalogueWindowTest, WindowKeysMoveTheSelectionOrScroll) {
  std::vector<SongFields> many;
  tCatalogueWindow window(catalogue, Services());
  window.Start(tIniFile());
  for (int i = 0; i < 30; ++i) {
    catalogue.Add(
        MakeRecord({.title = "t" + std::to_string(i), .fileName = "/f" + std::to_string(i)}));
  }
  window.RebuildView();
  window.SetVisibleRows(10);
  EXPECT_FALSE(window.HandleKey(WindowKey::End, kNoModifier));
  EXPECT_EQ(window.CurrentRow(), 29);
  EXPECT_EQ(window.TopRow(), 20);
  window.HandleKey(WindowKey::Home, kAlt);
  EXPECT_EQ(window.TopRow(), 0);
  EXPECT_EQ(window.CurrentRow(), 29);
  window.HandleKey(WindowKey::PageDown, kAlt);
  EXPECT_EQ(window.TopRow(), 10);
  window.HandleKey(WindowKey::Up, kNoModifier);
  EXPECT_EQ(window.CurrentRow(), 28);
  EXPECT_TRUE(window.HandleKey(WindowKey::PageDown, kNoModifier));
  window.HandleKey(WindowKey::PageUp, kCtrl);
  EXPECT_EQ(window.CurrentRow(), 0);
  EXPECT_FALSE(window.Enabled(Command::PreviousSong));
  EXPECT_TRUE(window.Enabled(Command::NextSong));
  window.HandleKey(WindowKey::Right, kNoModifier);
  window.HandleKey(WindowKey::Right, kNoModifier);
  window.HandleKey(WindowKey::Right, kNoModifier);
  EXPECT_EQ(window.Columns().LeftColumn(), 3);
  EXPECT_EQ(window.Columns().SectionWidth(2), 0);
}

TEST_F(CatalogueWindowTest, AddSongRefusesAFileAlreadyInTheCatalogue) {
  auto window = StartWith(kSongs);
  editorAnswers.push_back(MakeRecord({.title = "Again", .fileName = "/S/DQ.KAR", .idCode = "X"}));
  window->AddSong();
  EXPECT_EQ(user.Messages().back().text, "This song is already in the list");
  EXPECT_EQ(catalogue.Songs().Count(), 5u);
  EXPECT_FALSE(catalogue.Modified());
  EXPECT_EQ(editorModes.back(), kEditable);
}

TEST_F(CatalogueWindowTest, AddedSongIsSortedInAndSelected) {
  auto window = StartWith(kSongs);
  window->SetSort(kSortByTitle);
  editorAnswers.push_back(
      MakeRecord({.title = "Banana", .language = "eng", .fileName = "/s/b.kar", .idCode = "BA1"}));
  window->AddSong();
  EXPECT_EQ(window->CurrentSong()->Record().Title(), "Banana");
  EXPECT_EQ(window->CurrentRow(), 1);
  EXPECT_TRUE(catalogue.Modified());
  EXPECT_EQ(window->Settings().songsFolder, "/songs/");
  EXPECT_TRUE(catalogue.Ids().Contains("BA1"));
}

TEST_F(CatalogueWindowTest, EditModesFollowTheCommandTag) {
  auto window = StartWith(kSongs);
  window->Run(Command::FullSongDetails);
  window->Run(Command::EditSong, kEditSongTag);
  window->Run(Command::EditSong);
  EXPECT_EQ(editorModes, (std::vector<int>{6, 7, 0}));
  // The editor stored the record; the window re-sorts and finds the song again.
  window->SetSort(kSortByTitle);
  window->SelectRow(4);
  tSongRecord edited = window->CurrentSong()->Record();
  edited.SetTitle("Aaa first");
  window->View()[4]->SetRecord(edited);
  editorAnswers.push_back(edited);
  window->ShowCurrentSong(kEditSongTag);
  EXPECT_EQ(window->CurrentRow(), 0);
  EXPECT_EQ(window->CurrentSong()->Record().Title(), "Aaa first");
}

TEST_F(CatalogueWindowTest, DeletingTheLastSongOfAViewSelectsTheNewLastRow) {
  auto window = StartWith(kSongs);
  window->SelectRow(4);
  user.QueueButton(Button::Yes);
  window->DeleteSong();
  EXPECT_EQ(user.Messages().back().text, "Remove song\rNew one: Nobody?");
  EXPECT_EQ(catalogue.Songs().Count(), 4u);
  EXPECT_EQ(window->CurrentRow(), 3);
  EXPECT_TRUE(catalogue.Modified());
  user.QueueButton(Button::No);
  window->DeleteSong();
  EXPECT_EQ(catalogue.Songs().Count(), 4u);
}

TEST_F(CatalogueWindowTest, DeleteAllSongsNamesTheFileAndKeepsTheIds) {
  auto window = StartWith(kSongs);
  user.QueueButton(Button::Yes);
  window->DeleteAllSongs();
  EXPECT_EQ(user.Messages().back().text,
            "Clear all songs from database songs.tdb?\r\rAre you sure?");
  EXPECT_TRUE(catalogue.Songs().Empty());
  EXPECT_TRUE(catalogue.Ids().Contains("WA001"));
  EXPECT_EQ(window->SongStatusText(), "No songs");
}

TEST_F(CatalogueWindowTest, FillMissingIdCodesGivesUniqueCodes) {
  auto window = StartWith(kSongs);
  window->FillMissingIdCodes();
  EXPECT_EQ(catalogue.Songs()[4]->Record().IdCode(), "NE001");
  EXPECT_EQ(catalogue.Songs()[0]->Record().IdCode(), "WA001");
  EXPECT_TRUE(catalogue.Modified());
}

TEST_F(CatalogueWindowTest, SettingsRoundTripThroughTheWindow) {
  auto window = StartWith(kSongs, 0,
                          "[Options]\nCustom language index=5\nCustom language name=Suomi\n"
                          "Custom language code=Fin\nPlayer popups=3\nConfirm saves=0\n");
  EXPECT_EQ(window->CustomLanguage().name, "Suomi");
  EXPECT_TRUE(window->playerInFront);
  EXPECT_FALSE(window->Display().confirmSaves);
  window->playerInFront = false;
  tIniFile ini;
  window->WriteSettings(ini, {50, 60, 70});
  EXPECT_EQ(ini.ReadInteger("Options", "Player popups", -1), 2);
  EXPECT_EQ(ini.ReadString("Options", "Custom language code", ""), "Fin");
  EXPECT_EQ(ini.ReadInteger("SongGrid", "Column3", 0), 60);
  EXPECT_EQ(ini.ReadString("Startup", "Data", ""), databasePath);
}

}  // namespace
}  // namespace tunedex
