// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "playlist/playlistcentral.h"
#include "song/songtype.h"
#include "support/fakeclock.h"
#include "support/fakedesktop.h"
#include "support/fakefilesystem.h"
#include "support/fakeplaylistwindows.h"
#include "support/scripteduser.h"
#include "support/songfixtures.h"
#include "support/tempfolder.h"

namespace tunedex::test {

// A catalogue of five songs whose files exist ("/k/s1.kar" to "/k/s5.mp3", titles "T1" to
// "T5"), saved as songs.tdb in a temporary folder, and Playlist Central over it.
class CentralFixture : public ::testing::Test {
 public:
  CentralFixture() {
    catalogue.SetPath(folder.PathOf("songs.tdb"), false);
    for (int i = 1; i <= 5; ++i) {
      const std::string name = "/k/s" + std::to_string(i) + (i == 5 ? ".mp3" : ".kar");
      SongFields fields{.title = "T" + std::to_string(i), .fileName = name};
      fields.idCode = "ID" + std::to_string(i);
      fields.artist = "Artist" + std::to_string(i);
      fields.language = "Eng";
      tSongRecord record = MakeRecord(fields);
      record.SetFileType(ExtToSongType(name));
      songs.push_back(catalogue.Add(record));
      files.AddFile(name);
    }
  }

  // The active playlist holds the items (singer, song number from 1) before opening.
  void Open(const std::vector<std::pair<std::string, int>>& items) {
    std::string bytes;
    for (const auto& [singer, song] : items) {
      const std::string name(songs[static_cast<std::size_t>(song - 1)]->Record().FileName());
      bytes += static_cast<char>(singer.size()) + singer + static_cast<char>(name.size()) + name;
    }
    folder.Write("songs.tdp", bytes);
    OpenAsIs();
  }
  void OpenAsIs() {
    central = std::make_unique<tPlaylistCentral>(
        tPlaylistCentral::Services{catalogue, [this] { return viewCount; }, user, files, clock,
                                   desktop, players, windows, windows});
    central->SetViewsAvailable(true);
  }
  std::vector<std::string> Singers() const {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < central->RowCount(); ++i) out.push_back(central->Row(i).singer);
    return out;
  }
  std::vector<int> Marks() const {
    std::vector<int> out;
    for (std::size_t i = 0; i < central->RowCount(); ++i) out.push_back(central->Row(i).mark);
    return out;
  }
  std::string ActiveFile() const { return ReadFileText(folder.PathOf("songs.tdp")); }

  TempFolder folder;
  tCatalogue catalogue;
  std::vector<const tSong*> songs;
  std::size_t viewCount = 5;
  ScriptedUser user;
  FakeFileSystem files;
  FakeClock clock;
  FakeDesktop desktop;
  tLivePlayerOptions players;
  FakePlaylistWindows windows;
  std::unique_ptr<tPlaylistCentral> central;
};

}  // namespace tunedex::test
