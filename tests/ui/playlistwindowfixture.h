// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTreeView>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "playlist/playlistfile.h"
#include "song/songtype.h"
#include "support/fakedesktop.h"
#include "support/fakefilesystem.h"
#include "support/scripteduser.h"
#include "support/songfixtures.h"
#include "support/tempfolder.h"
#include "ui/playlist/playlistcentralwindow.h"
#include "ui/widgets/pictures.h"

namespace tunedex {

// A saved catalogue of four songs whose files exist, an active playlist written with the
// core's own writer, and the window over them.
class PlaylistCentralWindowTest : public testing::Test {
 public:
  void SetUp() override {
    InitUiResources();
    catalogue.SetPath(folder.PathOf("songs.tdb"), false);
    for (int i = 1; i <= 4; ++i) {
      const std::string name = "/k/song" + std::to_string(i) + ".kar";
      tSongRecord record = test::MakeRecord({.title = "Title " + std::to_string(i),
                                             .fileName = name,
                                             .idCode = "ID" + std::to_string(i)});
      record.SetFileType(ExtToSongType(name));
      songs.push_back(catalogue.Add(record));
      files.AddFile(name);
    }
  }

  // Writes the active playlist: (singer, song number from 1) per item.
  void WriteList(const std::vector<std::pair<std::string, int>>& items) {
    tPlayList list(catalogue);
    for (const auto& [singer, song] : items) {
      list.Append(singer, *songs[static_cast<std::size_t>(song - 1)]);
    }
    ASSERT_TRUE(SavePlayList(ActiveList(), list, user));
  }

  std::string ActiveList() const { return folder.PathOf("songs.tdp"); }

  TPlaylistCentralWindow& Open() {
    PlaylistCentralContext context{catalogue, files,   players,
                                   desktop,   desktop, [] { return std::size_t{4}; }};
    context.user = &user;
    context.settingsPath = folder.PathOf("settings.ini");
    context.showCatalogueWindow = [this](bool visible) { catalogueShown.push_back(visible); };
    context.showSongDetails = [this](const tSong& song) {
      details.emplace_back(song.Record().FileName());
    };
    context.openItemEditor = [this](int mode) { editorModes.push_back(mode); };
    window = std::make_unique<TPlaylistCentralWindow>(std::move(context));
    return *window;
  }

  QString Cell(int row, int column) const {
    const QAbstractItemModel& model = *window->List().model();
    return model.data(model.index(row, column), Qt::DisplayRole).toString();
  }

  std::vector<std::string> Singers() const {
    std::vector<std::string> out;
    for (int row = 0; row < window->List().model()->rowCount(); ++row) {
      out.push_back(Cell(row, 2).toStdString());
    }
    return out;
  }

  void Select(int row) { window->List().setCurrentIndex(window->List().model()->index(row, 0)); }

  QAction* MenuEntry(const QString& text) const {
    for (QAction* action : window->PopupMenu().actions()) {
      if (action->text() == text) return action;
    }
    return nullptr;
  }

  test::TempFolder folder;
  tCatalogue catalogue;
  std::vector<const tSong*> songs;
  test::ScriptedUser user;
  test::FakeFileSystem files;
  test::FakeDesktop desktop;
  tLivePlayerOptions players;
  std::vector<bool> catalogueShown;
  std::vector<std::string> details;
  std::vector<int> editorModes;
  std::unique_ptr<TPlaylistCentralWindow> window;
};

}  // namespace tunedex
