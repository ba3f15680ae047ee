// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "catalogue/catalogue.h"
#include "cli/commands.h"
#include "cli/consoleuser.h"
#include "platform/giofilesystem.h"
#include "support/fakevolumes.h"
#include "support/gatedfilesystem.h"
#include "support/scripteduser.h"
#include "support/songfilebuilders.h"
#include "support/tempfolder.h"

namespace tunedex {
namespace {

// The text a stream got.
std::string Written(std::FILE* file) {
  std::fflush(file);
  std::rewind(file);
  std::string text;
  char buffer[4096];
  while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, file))
    text.append(buffer, got);
  return text;
}

// Folders of a temporary tree stand in for the computer's volumes: "disk", with "stick" mounted
// inside it, and "server", which does not answer.
class ComputerScanTest : public testing::Test {
 protected:
  void SetUp() override {
    namespace fs = std::filesystem;
    for (const char* folder : {"disk/songs/broken", "disk/stick", "server"}) {
      fs::create_directories(m_folder.PathOf(folder));
    }
    m_folder.Write("disk/songs/one.kar",
                   test::MidiFile({{1, "@KMIDI KARAOKE FILE"}, {1, "@Tone"}}));
    m_folder.Write("disk/stick/two.mp3", test::Id3v2File({{"TIT2", "two"}}));
    m_folder.Write("server/three.kar", test::MidiFile({{3, "three"}}));
    for (const char* name : {"disk", "disk/stick", "server"}) {
      Volume volume;
      volume.mountPoint = m_folder.PathOf(name);
      m_volumes->Mount(volume);
    }
    m_volumes->SetReady(m_folder.PathOf("server"), false);
  }

  int Scan(std::vector<std::string> words) {
    words.insert(words.begin(), m_database);
    words.push_back("--computer");
    const cli::Arguments arguments(words, {"computer"});
    cli::ConsoleUser user(m_err);
    m_status = cli::RunComputerScan(arguments, user, m_out, {m_files, m_volumes});
    m_errors = user.ErrorsShown();
    return m_status;
  }

  std::vector<std::string> CatalogueFiles() {
    tCatalogue catalogue;
    test::ScriptedUser user;
    EXPECT_TRUE(catalogue.Open(m_database, user));
    std::vector<std::string> files;
    for (std::size_t i = 0; i < catalogue.Songs().Count(); ++i) {
      files.emplace_back(catalogue.Songs()[i]->Record().FileName());
    }
    std::sort(files.begin(), files.end());
    return files;
  }

  void TearDown() override {
    std::fclose(m_out);
    std::fclose(m_err);
  }

  test::TempFolder m_folder;
  std::string m_database = m_folder.PathOf("songs.tdb");
  std::shared_ptr<test::GatedFileSystem> m_files =
      std::make_shared<test::GatedFileSystem>(std::make_shared<GioFileSystem>());
  std::shared_ptr<test::FakeVolumes> m_volumes = std::make_shared<test::FakeVolumes>();
  std::FILE* m_out = std::tmpfile();
  std::FILE* m_err = std::tmpfile();
  int m_status = -1;
  int m_errors = 0;
};

TEST_F(ComputerScanTest, AddsTheSongsOfEveryReadyVolumeOnce) {
  EXPECT_EQ(Scan({}), cli::kExitOk);
  EXPECT_EQ(Written(m_out), "2 songs found, 2 added\n");
  EXPECT_EQ(Written(m_err), "");
  EXPECT_EQ(CatalogueFiles(), (std::vector<std::string>{m_folder.PathOf("disk/songs/one.kar"),
                                                        m_folder.PathOf("disk/stick/two.mp3")}));
}

TEST_F(ComputerScanTest, ChosenTypesOnly) {
  EXPECT_EQ(Scan({"--types", "mp3"}), cli::kExitOk);
  EXPECT_EQ(Written(m_out), "1 songs found, 1 added\n");
}

TEST_F(ComputerScanTest, NamesWhatItCouldNotReadAndSavesWhatItFound) {
  const std::string broken = m_folder.PathOf("disk/songs/broken");
  m_files->FailListing(broken, "Input/output error");
  const std::string damaged = m_folder.Write("disk/songs/bad.wma", test::WmaFile({}).substr(0, 70));
  Scan({});
  const std::string err = Written(m_err);
  EXPECT_NE(err.find("Cannot enter folder " + broken + ": Input/output error\n"), std::string::npos)
      << err;
  EXPECT_NE(err.find("Cannot read file " + damaged +
                     ": It may be corrupted or be in an unknown format.\n"),
            std::string::npos)
      << err;
  EXPECT_EQ(m_errors, 1) << "the damaged file is an error, and the command fails";
  EXPECT_EQ(Written(m_out), "3 songs found, 3 added\n");
  EXPECT_EQ(CatalogueFiles().size(), 3u);
}

TEST_F(ComputerScanTest, FoldersAreNotTakenWithTheComputer) {
  EXPECT_THROW(Scan({m_folder.PathOf("disk")}), cli::UsageError);
}

}  // namespace
}  // namespace tunedex
