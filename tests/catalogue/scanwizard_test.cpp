// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/scanwizard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <thread>

#include "common/userlocale.h"
#include "platform/giofilesystem.h"
#include "support/fakevolumes.h"
#include "support/gatedfilesystem.h"
#include "support/scripteduser.h"
#include "support/songfilebuilders.h"
#include "support/songfixtures.h"
#include "support/tempfolder.h"

namespace tunedex {
namespace {

using namespace std::chrono_literals;
using Strings = std::vector<std::string>;

constexpr std::size_t kKarBox = 0;
constexpr std::size_t kMidiBox = 2;
constexpr std::size_t kMp3Box = 3;
constexpr std::size_t kKfnBox = 5;
constexpr std::size_t kMpegBox = 6;

class ScanWizardTest : public testing::Test {
 protected:
  ScanWizardTest() { SetUserLocale("en_US"); }

  std::string Song(const std::string& name, const std::string& bytes = {}) {
    std::filesystem::create_directories(std::filesystem::path(m_folder.PathOf(name)).parent_path());
    return m_folder.Write(name, bytes.empty() ? test::MidiFile({{3, name}, {3, "band"}}) : bytes);
  }

  void Catalogue(const std::string& path) {
    m_catalogue.Import({test::MakeRecord({.title = "x", .fileName = path})});
    m_catalogue.SetModified(false);
  }

  // Chooses the boxes and the folder, scans and waits for the end.
  void ScanFolder(std::initializer_list<std::size_t> boxes, const std::string& folder) {
    for (std::size_t box : boxes) m_wizard.SetTypeChosen(box, true);
    m_wizard.Next();
    m_wizard.SetStartNode(tScanStart::Folder(folder));
    m_wizard.Next();
    ASSERT_EQ(m_wizard.Step(), ScanWizardStep::Results);
    Finish();
  }

  void Finish() {
    while (m_wizard.Poll()) std::this_thread::sleep_for(1ms);
  }

  Strings Captions() const {
    Strings captions;
    for (const tExplorerItem& item : m_wizard.Items()) captions.push_back(item.caption);
    return captions;
  }
  Strings SortedCaptions() const {
    Strings captions = Captions();
    std::sort(captions.begin(), captions.end());
    return captions;
  }

  test::TempFolder m_folder;
  test::ScriptedUser m_user;
  tCatalogue m_catalogue;
  tLivePlayerOptions m_options;
  std::shared_ptr<FileSystem> m_files = std::make_shared<GioFileSystem>();
  std::shared_ptr<test::FakeVolumes> m_volumes = std::make_shared<test::FakeVolumes>();
  tScanWizard m_wizard{{m_catalogue, m_user, m_options, m_files, m_volumes}};
};

TEST_F(ScanWizardTest, StepsAndTheirButtons) {
  tScanWizardControls types;
  types.nextCaption = "&Next";
  types.nextHint = "Next step";
  EXPECT_EQ(m_wizard.Controls(), types) << "no box ticked: Next disabled";
  m_wizard.Next();
  EXPECT_EQ(m_wizard.Step(), ScanWizardStep::Types);

  m_wizard.SetTypeChosen(kMp3Box, true);
  types.nextEnabled = true;
  EXPECT_EQ(m_wizard.Controls(), types);
  m_wizard.Next();
  ASSERT_EQ(m_wizard.Step(), ScanWizardStep::Start);
  tScanWizardControls start;
  start.nextCaption = "&Scan";
  start.nextHint = "Start search for files";
  start.backEnabled = true;
  EXPECT_EQ(m_wizard.Controls(), start) << "no node selected: Scan disabled";
  m_wizard.SetStartNode(tScanStart{});
  start.nextEnabled = true;
  EXPECT_EQ(m_wizard.Controls(), start) << "any node may be chosen";
  m_wizard.SetStartNode(tScanStart::Folder(m_folder.Path()));
  EXPECT_EQ(m_wizard.StartLabel(), m_folder.Path());

  m_wizard.Back();
  EXPECT_EQ(m_wizard.Step(), ScanWizardStep::Types);
  EXPECT_EQ(m_wizard.Controls(), types);
  m_wizard.SetTypeChosen(kMp3Box, false);
  EXPECT_FALSE(m_wizard.Controls().nextEnabled) << "Next follows the boxes";
  m_wizard.SetTypeChosen(kMp3Box, true);

  m_wizard.Next();
  m_wizard.Next();
  ASSERT_EQ(m_wizard.Step(), ScanWizardStep::Results);
  Finish();
  tScanWizardControls results = start;
  results.nextEnabled = false;
  results.stopShown = true;
  results.playerInFrontShown = true;
  results.pathLineShown = true;
  EXPECT_EQ(m_wizard.Controls(), results) << "no song found: nothing to import, no problems";
  m_wizard.Back();
  EXPECT_EQ(m_wizard.Step(), ScanWizardStep::Start);
  EXPECT_EQ(m_wizard.Controls(), start);
}

TEST_F(ScanWizardTest, ThePatternTextFollowsTheBoxesInTheirOrder) {
  const std::pair<std::vector<std::size_t>, std::string> cases[] = {
      {{kKarBox}, "*.kar;"},
      {{kMpegBox, kMidiBox}, "*.mi;*.mid;*.midi;*.rmi;*.mpg;*.mpeg;"},
      {{0, 1, 2, 3, 4, 5, 6},
       "*.kar;*.st3;*.mi;*.mid;*.midi;*.rmi;*.mp3;*.wma;*.kfn;*.mpg;*.mpeg;"},
  };
  for (const auto& [boxes, text] : cases) {
    tScanWizard wizard{{m_catalogue, m_user, m_options, m_files, m_volumes}};
    for (std::size_t box : boxes) wizard.SetTypeChosen(box, true);
    EXPECT_EQ(wizard.PatternText(), text);
    for (std::size_t box : boxes) EXPECT_TRUE(wizard.TypeChosen(box));
  }
  EXPECT_EQ(ScanTypeBoxes()[kKfnBox].caption, "KFun *.kfn karaoke files");
  EXPECT_EQ(ScanTypeBoxes()[kKfnBox].picture, 19);
}

TEST_F(ScanWizardTest, FindsByTheLowerCasedExtensionAsASubstringOfThePatterns) {
  Song("a.KAR");
  Song("b.ar");
  Song("noextension");
  Song("c.mp3", test::Id3v2File({{"TIT2", "c"}}));
  Song(".old/d.kar");
  Song("sub/e.kar");
  ScanFolder({kKarBox}, m_folder.Path());
  EXPECT_EQ(SortedCaptions(), (Strings{"a.KAR", "b.ar", "e.kar"}));
  ASSERT_EQ(m_user.Messages().size(), 1u);
  EXPECT_EQ(m_user.Messages()[0].text, "Scan for song files completed.\r3 songs found");
  EXPECT_EQ(m_user.Messages()[0].kind, MessageKind::Information);
  EXPECT_EQ(m_wizard.Counter(), "1/3");
  EXPECT_EQ(m_wizard.PathLine(), m_wizard.Items()[0].record.FileName());
  EXPECT_TRUE(m_wizard.Items()[0].selected);
  EXPECT_TRUE(m_wizard.ResultsPending());
  EXPECT_TRUE(m_wizard.Controls().importEnabled);
  EXPECT_FALSE(m_wizard.Controls().stopEnabled);
  EXPECT_EQ(m_wizard.SortColumn(), -1);
}

TEST_F(ScanWizardTest, AScanThatFindsNothingSaysSo) {
  Song("notes.txt", "not a song");
  ScanFolder({kKarBox}, m_folder.Path());
  EXPECT_TRUE(m_wizard.Items().empty());
  EXPECT_EQ(m_user.Messages().at(0).text, "Scan for song files completed.\r0 songs found");
  EXPECT_EQ(m_wizard.PathLine(), "No songs found");
  EXPECT_EQ(m_wizard.Counter(), "0/0");
  EXPECT_FALSE(m_wizard.ResultsPending());
  tIniFile ini;
  EXPECT_TRUE(m_wizard.Close(ini));
  EXPECT_EQ(m_user.Messages().size(), 1u) << "nothing pending: closing asks nothing";
}

TEST_F(ScanWizardTest, BackAndScanAgainClearsTheListFirst) {
  Song("a.kar");
  Song("b.kar");
  ScanFolder({kKarBox}, m_folder.Path());
  ASSERT_EQ(m_wizard.Items().size(), 2u);
  m_wizard.Back();
  EXPECT_EQ(m_wizard.Items().size(), 2u) << "the results stay until the next scan";
  m_wizard.Next();
  EXPECT_TRUE(m_wizard.Items().empty());
  EXPECT_EQ(m_wizard.Counter(), "0");
  EXPECT_TRUE(m_wizard.Controls().stopEnabled);
  EXPECT_FALSE(m_wizard.Controls().backEnabled);
  Finish();
  EXPECT_EQ(SortedCaptions(), (Strings{"a.kar", "b.kar"}));
  EXPECT_EQ(m_user.Messages().back().text, "Scan for song files completed.\r2 songs found");
}

TEST_F(ScanWizardTest, ImportSwitchesPicturesBothWays) {
  const std::string kfn = Song("k.kfn", test::KfnBlock({{8, "title"}, {72, "artist"}}));
  const std::string held = Song("held.kar");
  const std::string mp3 = Song("m.mp3", test::Id3v2File({{"TIT2", "m"}}));
  Catalogue(held);
  ScanFolder({kKarBox, kMp3Box, kKfnBox}, m_folder.Path());
  ASSERT_EQ(m_user.Messages().at(0).text, "Scan for song files completed.\r3 songs found")
      << "files already in the catalogue count too";
  const auto item = [&](const std::string& path) {
    return *std::find_if(m_wizard.Items().begin(), m_wizard.Items().end(),
                         [&](const tExplorerItem& i) { return i.record.FileName() == path; });
  };
  EXPECT_EQ(item(held).picture, 1);
  EXPECT_EQ(item(kfn).picture, 19);
  EXPECT_EQ(item(mp3).picture, 8);

  // The song of the catalogue goes elsewhere; the kfn and the held song are imported.
  m_catalogue.Remove(m_catalogue.Songs().FindByFileName(std::string_view(held)));
  for (std::size_t i = 0; i < m_wizard.Items().size(); ++i) {
    m_wizard.SetSelected(i, m_wizard.Items()[i].record.FileName() != mp3);
  }
  m_user.QueueButton(Button::Yes);
  EXPECT_EQ(m_wizard.Import(), 1u);
  EXPECT_EQ(m_user.Messages().back().text,
            "Add 1 songs to the database?\r\n1 of the selected songs cannot be added.")
      << "the held song still shows as in the catalogue, so it is not importable";
  EXPECT_EQ(item(kfn).picture, 20);
  EXPECT_EQ(item(held).picture, 0) << "no longer in the catalogue: back to its plain picture";
  EXPECT_EQ(item(mp3).picture, 8);
  EXPECT_FALSE(m_wizard.ResultsPending());
  EXPECT_TRUE(m_catalogue.Modified());
  EXPECT_NE(m_catalogue.Songs().FindByFileName(std::string_view(kfn)), nullptr);
}

TEST_F(ScanWizardTest, ImportAnsweredNoKeepsTheResultsPending) {
  Song("a.kar");
  ScanFolder({kKarBox}, m_folder.Path());
  m_user.QueueButton(Button::No);
  EXPECT_EQ(m_wizard.Import(), 0u);
  EXPECT_TRUE(m_wizard.ResultsPending());
  EXPECT_EQ(m_catalogue.Songs().Count(), 0u);
}

TEST_F(ScanWizardTest, ClosingWithResultsNotImportedAsksFirst) {
  Song("a.kar");
  ScanFolder({kKarBox}, m_folder.Path());
  m_wizard.Settings().width = 900;
  tIniFile ini;
  m_user.QueueButton(Button::No);
  EXPECT_FALSE(m_wizard.Close(ini));
  EXPECT_EQ(m_user.Messages().back().text,
            "Close Song-file Scan Expert without importing any songs?");
  EXPECT_EQ(m_user.Messages().back().kind, MessageKind::Confirmation);
  EXPECT_EQ(m_wizard.Items().size(), 1u);
  EXPECT_EQ(ini.ReadInteger("SongScan", "Width", 0), 0) << "nothing written while open";

  m_user.QueueButton(Button::Yes);
  EXPECT_TRUE(m_wizard.Close(ini));
  EXPECT_TRUE(m_wizard.Items().empty());
  EXPECT_FALSE(m_wizard.ResultsPending());
  EXPECT_EQ(ini.ReadInteger("SongScan", "Width", 0), 900);
}

TEST_F(ScanWizardTest, SortingStartsWithNoColumn) {
  Song("b.kar", test::MidiFile({{1, "@KMIDI KARAOKE FILE"}, {1, "@TZulu"}, {1, "@Talpha"}}));
  Song("a.kar", test::MidiFile({{1, "@KMIDI KARAOKE FILE"}, {1, "@TYankee"}, {1, "@Tbravo"}}));
  ScanFolder({kKarBox}, m_folder.Path());
  const std::pair<int, Strings> clicks[] = {
      {2, {"b.kar", "a.kar"}},  // the first click on any column sorts ascending
      {2, {"a.kar", "b.kar"}},  // again: descending
      {0, {"b.kar", "a.kar"}},  // another column keeps the direction
  };
  for (const auto& [column, order] : clicks) {
    m_wizard.SortByColumn(column);
    EXPECT_EQ(Captions(), order) << column;
  }
  EXPECT_TRUE(m_wizard.Descending());
}

TEST_F(ScanWizardTest, StopWhileAFolderDoesNotAnswerKeepsWhatWasFound) {
  auto gated = std::make_shared<test::GatedFileSystem>(m_files);
  const std::string dead = m_folder.PathOf("dead");
  gated->HangListing(dead);
  Song("a.kar");
  Song("dead/b.kar");
  tScanWizard wizard{{m_catalogue, m_user, m_options, gated, m_volumes}};
  wizard.SetTypeChosen(kKarBox, true);
  wizard.Next();
  wizard.SetStartNode(tScanStart::Folder(m_folder.Path()));
  wizard.Next();
  ASSERT_TRUE(gated->WaitUntilHanging(10s));
  EXPECT_TRUE(wizard.Poll()) << "the scan goes on while the folder hangs";
  wizard.Stop();
  EXPECT_FALSE(wizard.Scanning());
  EXPECT_EQ(Strings{wizard.Items().at(0).caption}, Strings{"a.kar"})
      << "a folder's files come before its subfolders";
  EXPECT_EQ(m_user.Messages().at(0).text, "Scan for song files completed.\r1 songs found");
  EXPECT_EQ(wizard.PathLine(), "Stopped: " + dead + " does not answer");
  ASSERT_EQ(wizard.Problems().size(), 1u);
  EXPECT_EQ(wizard.Problems()[0].path, dead);
  EXPECT_TRUE(wizard.Controls().problemsEnabled);
  EXPECT_TRUE(wizard.Controls().importEnabled) << "the results so far stay usable";
  EXPECT_TRUE(gated->Release(10s));
}

TEST_F(ScanWizardTest, TheComputerNodeScansEveryReadyVolume) {
  Song("disk/a.kar");
  Song("stick/b.kar");
  Song("gone/c.kar");
  for (const char* name : {"disk", "stick", "gone"}) {
    Volume volume;
    volume.mountPoint = m_folder.PathOf(name);
    m_volumes->Mount(volume);
  }
  m_volumes->SetReady(m_folder.PathOf("gone"), false);
  m_wizard.SetTypeChosen(kKarBox, true);
  m_wizard.Next();
  m_wizard.SetStartNode(tScanStart::Computer());
  m_wizard.Next();
  Finish();
  EXPECT_EQ(Captions(), (Strings{"a.kar", "b.kar"})) << "volume by volume, in mount-point order";
}

TEST_F(ScanWizardTest, PlayerInFrontIsTheWizardsOwnBit) {
  m_options.Set().PlayerPopups.SetInFront(PlayerPopup::Explorer, true);
  EXPECT_FALSE(m_wizard.PlayerInFront());
  m_wizard.SetPlayerInFront(true);
  EXPECT_EQ(m_options.Set().PlayerPopups.Stored(), 4 | 8);
  m_wizard.SetPlayerInFront(false);
  EXPECT_EQ(m_options.Set().PlayerPopups.Stored(), 4);
}

TEST(ScanWizardSettingsTest, ReadsDefaultsAndWritesThePlacementOnlyWhenNormal) {
  tIniFile empty;
  EXPECT_EQ(ReadScanWizardSettings(empty), tScanWizardSettings{});
  EXPECT_EQ(tScanWizardSettings{}.verticalDivision, 377);
  EXPECT_EQ(tScanWizardSettings{}.horizontalDivision, 200);

  for (const int state : {0, 1, 2}) {
    tScanWizardSettings settings;
    settings.top = 5;
    settings.verticalDivision = 300;
    settings.state = state;
    tIniFile ini;
    WriteScanWizardSettings(ini, settings);
    EXPECT_EQ(ini.ReadInteger("SongScan", "State", -1), state);
    EXPECT_EQ(ini.ReadInteger("SongScan", "Top", -1), state == 0 ? 5 : -1) << state;
    EXPECT_EQ(ini.ReadInteger("SongScan", "Vertical division", -1), state == 0 ? 300 : -1);
    if (state == 0) {
      EXPECT_EQ(ReadScanWizardSettings(ini), settings);
    }
  }
  tIniFile damaged;
  damaged.WriteInteger("SongScan", "State", 7);
  damaged.WriteInteger("SongScan", "Width", -3);
  EXPECT_EQ(ReadScanWizardSettings(damaged), tScanWizardSettings{});
}

TEST(ScanWizardSettingsTest, ColumnsKeepTheirSharesAndTheLastTakesTheRest) {
  EXPECT_EQ(ScaleScanColumns({100, 150, 140}, 400, 800), (std::array<int, 3>{200, 300, 302}));
  EXPECT_EQ(ScaleScanColumns({101, 151, 140}, 400, 200), (std::array<int, 3>{51, 76, 75}));
  // Narrower than the first two: the last gets nothing rather than a negative width.
  EXPECT_EQ(ScaleScanColumns({300, 300, 10}, 100, 100), (std::array<int, 3>{300, 300, 0}));
  EXPECT_EQ(ScaleScanColumns({1, 2, 3}, 0, 100), (std::array<int, 3>{1, 2, 3}));
}

}  // namespace
}  // namespace tunedex
