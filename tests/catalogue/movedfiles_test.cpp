// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/movedfiles.h"

#include <gtest/gtest.h>

#include <thread>

#include "catalogue/lostfiles.h"
#include "song/songtype.h"
#include "support/fakefilesystem.h"
#include "support/fakevolumes.h"
#include "support/gatedfilesystem.h"
#include "support/scripteduser.h"
#include "support/songfixtures.h"

namespace tunedex {
namespace {

using test::AVolume;

using namespace std::chrono_literals;
using test::MakeRecord;
using Strings = std::vector<std::string>;

class MovedFilesTest : public testing::Test {
 protected:
  MovedFilesTest() { m_volumes.Mount(AVolume("/", VolumeKind::Fixed)); }

  void Songs(const Strings& paths) {
    std::vector<tSongRecord> records;
    for (const std::string& path : paths) {
      tSongRecord record = MakeRecord({.title = "T " + path,
                                       .artist = "A",
                                       .language = "Eng",
                                       .fileName = path,
                                       .idCode = "ID" + std::to_string(records.size()),
                                       .notes = "kept"});
      records.push_back(record);
    }
    m_catalogue.Import(records);
    m_catalogue.SetModified(false);
  }

  tLostFiles& Window(std::shared_ptr<FileSystem> files) {
    m_window = std::make_unique<tLostFiles>(
        LostFilesServices{m_catalogue, std::move(files), m_volumes, m_user});
    m_window->Open();
    return *m_window;
  }

  static void WaitFor(tMovedFiles& search) {
    for (int i = 0; i < 5000 && !search.Poll().finished; ++i) std::this_thread::sleep_for(1ms);
  }

  tCatalogue m_catalogue;
  std::shared_ptr<test::FakeFileSystem> m_files = std::make_shared<test::FakeFileSystem>();
  test::FakeVolumes m_volumes;
  test::ScriptedUser m_user;
  std::unique_ptr<tLostFiles> m_window;
};

TEST_F(MovedFilesTest, ProposesNamesFoundOnceAndListsTheRestApart) {
  Songs({"/old/Song.Kar",               // found once, in another case
         "D:\\Karaoke\\b.mp3",          // a Windows path: its name after the last backslash
         "/old/c.kar",                  // found twice
         "/old/d.kar",                  // found once, but that file is catalogued already
         "/old/e.kar",                  // not found
         "/old1/f.kar", "/old2/f.kar",  // two songs for one file
         "/new/d.kar", "/present/g.kar"});
  m_files->AddFile("/present/g.kar");
  m_files->AddFile("/new/d.kar");
  m_files->AddFile("/new/x/song.kar");
  m_files->AddFile("/new/y/b.mp3");
  m_files->AddFile("/new/x/c.kar");
  m_files->AddFile("/new/y/c.kar");
  m_files->AddFile("/new/z/f.kar");
  m_files->AddFile("/new/.cache/song.kar");  // hidden folders are not searched
  tLostFiles& window = Window(m_files);
  ASSERT_EQ(window.Lost().size(), 7u);

  tMovedFiles& search = window.FindMovedFiles("/new");
  WaitFor(search);
  ASSERT_TRUE(search.Finished());
  EXPECT_FALSE(search.Stopped());
  const MovedFilesFindings& findings = search.Findings();
  ASSERT_EQ(findings.proposals.size(), 2u);
  EXPECT_EQ(findings.proposals[0].oldPath, "/old/Song.Kar");
  EXPECT_EQ(findings.proposals[0].newPath, "/new/x/song.kar");
  EXPECT_TRUE(findings.proposals[0].ticked);
  EXPECT_EQ(findings.proposals[1].oldPath, "D:\\Karaoke\\b.mp3");
  EXPECT_EQ(findings.proposals[1].newPath, "/new/y/b.mp3");
  ASSERT_EQ(findings.ambiguous.size(), 2u);
  EXPECT_EQ(findings.ambiguous[0].name, "c.kar");
  EXPECT_EQ(findings.ambiguous[0].lostPaths, Strings{"/old/c.kar"});
  Strings candidates = findings.ambiguous[0].candidates;
  std::sort(candidates.begin(), candidates.end());
  EXPECT_EQ(candidates, (Strings{"/new/x/c.kar", "/new/y/c.kar"}));
  EXPECT_EQ(findings.ambiguous[1].lostPaths, (Strings{"/old1/f.kar", "/old2/f.kar"}));
  EXPECT_EQ(findings.ambiguous[1].candidates, Strings{"/new/z/f.kar"});
  ASSERT_EQ(findings.alreadyCatalogued.size(), 1u);
  EXPECT_EQ(findings.alreadyCatalogued[0].oldPath, "/old/d.kar");
  EXPECT_FALSE(m_catalogue.Modified());
}

TEST_F(MovedFilesTest, AcceptingChangesOnlyTheTickedSongsFileNameAndTypeAndCountsAgain) {
  Songs({"/old/a.kar", "/old/b.mp3", "/old/c.kar"});
  for (tSong* song : m_catalogue.Songs()) {
    m_catalogue.ChangeRecord(*song, [&] {
      tSongRecord record = song->Record();
      record.SetFileType(kSongTypeNone);
      return record;
    }());
  }
  m_catalogue.SetModified(false);
  m_files->AddFile("/new/A.KAR");
  m_files->AddFile("/new/b.mp3");
  tLostFiles& window = Window(m_files);
  tMovedFiles& search = window.FindMovedFiles("/new");
  WaitFor(search);
  ASSERT_EQ(search.Findings().proposals.size(), 2u);
  search.SetTicked(1, false);
  EXPECT_EQ(search.TickedCount(), 1u);
  EXPECT_EQ(window.AcceptMovedFiles(), 1u);

  const tSong* song = m_catalogue.Songs().FindByFileName("/new/A.KAR");
  ASSERT_NE(song, nullptr);
  EXPECT_EQ(song->Record().FileName(), "/new/A.KAR");
  EXPECT_EQ(song->Record().FileType(), kSongTypeKar);
  EXPECT_EQ(song->Record().Title(), "T /old/a.kar");
  EXPECT_EQ(song->Record().IdCode(), "ID0");
  EXPECT_EQ(song->Record().Language(), "Eng");
  EXPECT_EQ(song->Record().Notes(), "kept");
  EXPECT_TRUE(m_catalogue.Modified());
  ASSERT_EQ(window.Lost().size(), 2u);
  EXPECT_EQ(window.Lost()[0].song->Record().FileName(), "/old/b.mp3");
  EXPECT_EQ(window.MovedFiles(), nullptr);
}

TEST_F(MovedFilesTest, ASongRemovedDuringTheReviewIsNotChanged) {
  Songs({"/old/a.kar", "/old/b.kar"});
  m_files->AddFile("/new/a.kar");
  m_files->AddFile("/new/b.kar");
  tLostFiles& window = Window(m_files);
  tMovedFiles& search = window.FindMovedFiles("/new");
  WaitFor(search);
  ASSERT_EQ(search.Findings().proposals.size(), 2u);
  m_catalogue.Remove(m_catalogue.Songs().FindByFileName("/old/a.kar"));
  EXPECT_EQ(search.Findings().proposals.size(), 1u);
  EXPECT_EQ(window.AcceptMovedFiles(), 1u);
  EXPECT_EQ(m_catalogue.Songs().Count(), 1u);
  EXPECT_NE(m_catalogue.Songs().FindByFileName("/new/b.kar"), nullptr);
}

// A folder on a mount that stopped answering: Stop leaves the walk behind at once, and a search
// that did not go through proposes nothing, since a name seen once may occur again in what was
// not walked.
TEST_F(MovedFilesTest, StopLeavesAHungWalkBehindAndProposesNothing) {
  Songs({"/old/a.kar"});
  m_files->AddFile("/new/first/a.kar");
  m_files->AddFile("/new/hung/other.kar");
  auto gated = std::make_shared<test::GatedFileSystem>(m_files);
  gated->HangListing("/new/hung");
  tLostFiles& window = Window(gated);
  tMovedFiles& search = window.FindMovedFiles("/new");
  ASSERT_TRUE(gated->WaitUntilHanging(5s));
  EXPECT_FALSE(search.Poll().finished);
  const auto before = std::chrono::steady_clock::now();
  search.Stop();
  EXPECT_LT(std::chrono::steady_clock::now() - before, 2s);
  EXPECT_TRUE(search.Finished());
  EXPECT_TRUE(search.Stopped());
  EXPECT_TRUE(search.Findings().proposals.empty());
  EXPECT_EQ(window.AcceptMovedFiles(), 0u);
  EXPECT_EQ(m_catalogue.Songs()[0]->Record().FileName(), "/old/a.kar");
  EXPECT_TRUE(gated->Release(5s));
}

TEST(MovedFileNames, TheNameFollowsEitherSeparator) {
  EXPECT_EQ(SongFileName("D:\\Karaoke\\a.kar"), "a.kar");
  EXPECT_EQ(SongFileName("/home/host/b.kar"), "b.kar");
  EXPECT_EQ(SongFileName("c.kar"), "c.kar");
  EXPECT_EQ(MovedFileKey("\xC3\x84PPLE.KAR"), MovedFileKey("\xC3\xA4pple.kar"));
}

}  // namespace
}  // namespace tunedex
