// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include "catalogue/cataloguewindow.h"
#include "common/fileio.h"
#include "common/userlocale.h"
#include "platform/giofilesystem.h"
#include "support/scripteduser.h"
#include "support/songfixtures.h"
#include "support/tempfolder.h"

namespace tunedex {
namespace {

using test::MakeRecord;

// Records every notice, and what the catalogue held when it came.
class NoticeLog : public CatalogueObserver {
 public:
  void CatalogueChanged(const CatalogueNotice& notice) override {
    changes.push_back(notice.change);
    songCounts.push_back(m_catalogue ? m_catalogue->Songs().Count() : 0);
    if (notice.song) songTitles.push_back(notice.song->Record().Title());
  }
  void Watch(tCatalogue& catalogue) {
    m_catalogue = &catalogue;
    catalogue.AddObserver(*this);
  }
  std::vector<CatalogueChange> changes;
  std::vector<std::size_t> songCounts;
  std::vector<std::string> songTitles;

 private:
  tCatalogue* m_catalogue = nullptr;
};

class CatalogueTest : public testing::Test {
 protected:
  void SetUp() override {
    SetUserLocale("en_US");
    log.Watch(catalogue);
  }

  test::TempFolder folder;
  test::ScriptedUser user;
  GioFileSystem files;
  tCatalogue catalogue;
  NoticeLog log;
};

TEST_F(CatalogueTest, ImportAddsNewSongsSortsByPreviousThenCurrentAndGivesIdCodes) {
  catalogue.Import({MakeRecord({.title = "Zulu", .artist = "Q", .fileName = "/a/one.kar"}),
                    MakeRecord({.title = "Alpha", .artist = "Q", .fileName = "/elsewhere.kar"})});
  catalogue.SortBy(kSortByArtist);
  catalogue.SortBy(kSortByTitle);
  catalogue.SetModified(false);
  const std::vector<tSongRecord> found = {
      MakeRecord({.title = "Second", .artist = "B", .fileName = "/a/two.kar"}),
      MakeRecord({.title = "First Song", .artist = "A", .fileName = "/a/three.kar"}),
      MakeRecord({.title = "Third", .artist = "C", .fileName = "/A/ONE.KAR"}),   // catalogued
      MakeRecord({.title = "Second", .artist = "B", .fileName = "/a/two.kar"}),  // twice
      tSongRecord()};
  EXPECT_EQ(catalogue.Import(found), 2u);
  EXPECT_TRUE(catalogue.Modified());
  EXPECT_EQ(test::Column(catalogue.Songs(), TextField::Title),
            (std::vector<std::string>{"Alpha", "First Song", "Second", "Zulu"}));
  for (const tSong* song : catalogue.Songs()) {
    EXPECT_FALSE(song->Record().IdCode().empty());
    EXPECT_EQ(song->Record().Language(), "");
  }
  catalogue.SetModified(false);
  EXPECT_EQ(catalogue.Import(found), 0u);
  EXPECT_FALSE(catalogue.Modified());
}

TEST_F(CatalogueTest, ObserversDropReferencesBeforeSongsAreDestroyed) {
  catalogue.Import({MakeRecord({.title = "One", .fileName = "/1.kar"}),
                    MakeRecord({.title = "Two", .fileName = "/2.kar"})});
  log.changes.clear();
  log.songCounts.clear();
  catalogue.Remove(catalogue.Songs()[0]);
  EXPECT_EQ(log.changes,
            (std::vector<CatalogueChange>{CatalogueChange::Removing, CatalogueChange::Removed}));
  EXPECT_EQ(log.songCounts, (std::vector<std::size_t>{2, 1}));  // told while it still exists
  EXPECT_EQ(log.songTitles.back(), "One");

  log.changes.clear();
  log.songCounts.clear();
  catalogue.RemoveAll();
  EXPECT_EQ(log.changes,
            (std::vector<CatalogueChange>{CatalogueChange::Replacing, CatalogueChange::Replaced}));
  EXPECT_EQ(log.songCounts, (std::vector<std::size_t>{1, 0}));
  EXPECT_TRUE(catalogue.Modified());
}

TEST_F(CatalogueTest, ManySongsAreRemovedLastFirstWithOneRemovedNotice) {
  catalogue.Import({MakeRecord({.title = "One", .fileName = "/1.kar"}),
                    MakeRecord({.title = "Two", .fileName = "/2.kar"}),
                    MakeRecord({.title = "Three", .fileName = "/3.kar"})});
  catalogue.SetModified(false);
  log.changes.clear();
  log.songCounts.clear();
  log.songTitles.clear();
  catalogue.Remove(std::vector<const tSong*>{catalogue.Songs()[0], catalogue.Songs()[2]});
  EXPECT_EQ(log.changes,
            (std::vector<CatalogueChange>{CatalogueChange::Removing, CatalogueChange::Removing,
                                          CatalogueChange::Removed, CatalogueChange::Modified}));
  EXPECT_EQ(log.songCounts, (std::vector<std::size_t>{3, 3, 1, 1}));
  EXPECT_EQ(log.songTitles, (std::vector<std::string>{"Three", "One"}));
  EXPECT_EQ(test::Column(catalogue.Songs(), TextField::Title), std::vector<std::string>{"Two"});
  EXPECT_TRUE(catalogue.Modified());

  log.changes.clear();
  catalogue.Remove(std::vector<const tSong*>{});
  EXPECT_TRUE(log.changes.empty());
}

TEST_F(CatalogueTest, ChangesAreToldOnceAndOnlyWhenSomethingChanged) {
  tSong* song = catalogue.Add(MakeRecord({.title = "One", .fileName = "/1.kar"}));
  ASSERT_NE(song, nullptr);
  EXPECT_EQ(catalogue.Add(MakeRecord({.title = "Again", .fileName = "/1.KAR"})), nullptr);
  catalogue.SetModified(false);
  log.changes.clear();
  catalogue.ChangeRecord(*song, song->Record());
  catalogue.SetModified(false);
  EXPECT_TRUE(log.changes.empty());
  tSongRecord changed = song->Record();
  changed.SetTitle("Uno");
  changed.SetIdCode("UN001");
  catalogue.ChangeRecord(*song, changed);
  EXPECT_EQ(log.changes, (std::vector<CatalogueChange>{CatalogueChange::RecordChanged,
                                                       CatalogueChange::Modified}));
  EXPECT_TRUE(catalogue.Ids().Contains("un001"));
}

TEST_F(CatalogueTest, OpeningAFileThatIsNotACatalogueKeepsTheOpenOne) {
  const std::string good = folder.Write(
      "good.tdb", test::DatabaseFile(-34, {MakeRecord({.title = "One", .fileName = "/1.kar"})}));
  const std::string bad = folder.Write("bad.tdb", "not a catalogue at all");
  ASSERT_TRUE(catalogue.Open(good, user));
  EXPECT_EQ(catalogue.SortCode(), -34);
  EXPECT_EQ(catalogue.Path(), good);
  EXPECT_FALSE(catalogue.IsNew());
  log.changes.clear();
  EXPECT_FALSE(catalogue.Open(bad, user));
  EXPECT_FALSE(catalogue.Open(folder.PathOf("missing.tdb"), user));
  EXPECT_TRUE(log.changes.empty());
  EXPECT_EQ(catalogue.Songs().Count(), 1u);
  EXPECT_EQ(catalogue.Path(), good);
  EXPECT_EQ(user.Messages().size(), 2u);
}

TEST_F(CatalogueTest, AFailedSaveChangesNothing) {
  catalogue.Add(MakeRecord({.title = "One", .fileName = "/1.kar"}));
  catalogue.SetPath("/nowhere/x.tdb", true);
  EXPECT_THROW(catalogue.SaveAs("/nowhere/x.tdb"), FileError);
  EXPECT_TRUE(catalogue.Modified());
  EXPECT_TRUE(catalogue.IsNew());
  const std::string path = folder.PathOf("saved.tdb");
  catalogue.SaveAs(path);
  EXPECT_FALSE(catalogue.Modified());
  EXPECT_FALSE(catalogue.IsNew());
  EXPECT_EQ(catalogue.Path(), path);
}

// A change made elsewhere (another window, the command line) reaches the catalogue window's view.
TEST_F(CatalogueTest, TheWindowViewFollowsChangesMadeElsewhere) {
  test::ScriptedUser windowUser;
  tCatalogueWindow window(catalogue, CatalogueServices{windowUser, files});
  window.Start(tIniFile());
  window.SetVisibleRows(10);
  EXPECT_EQ(window.SongStatusText(), "No songs");
  catalogue.Import({MakeRecord({.title = "B", .language = "Eng", .fileName = "/b.kar"}),
                    MakeRecord({.title = "A", .fileName = "/a.kar"})});
  EXPECT_EQ(window.SongStatusText(), "Song 1/2");
  window.ChooseView(ViewMode::NewSongs);
  EXPECT_EQ(window.RowCount(), 1u);
  window.SelectRow(0);
  const tSong* shown = window.CurrentSong();
  catalogue.Remove(shown);  // the row goes before the song does
  EXPECT_EQ(window.SongStatusText(), "No songs");
  EXPECT_EQ(window.CurrentSong(), nullptr);
  catalogue.SortBy(kSortByTitle);
  window.ChooseView(ViewMode::All);
  EXPECT_EQ(window.CurrentSong()->Record().Title(), "B");
  EXPECT_EQ(window.SortStatusText(), "Sort: Title");
}

}  // namespace
}  // namespace tunedex
