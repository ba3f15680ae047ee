// SPDX-License-Identifier: GPL-3.0-or-later
// Playlists over a 100,000-song catalogue: loading a 1,000-item playlist, and the item editor's
// available songs (one existence check per song of the view, on a local disk). The full
// playlist view painting a page of 1,000 items on Qt's offscreen platform.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <QTableView>
#include <filesystem>

#include "catalogue/catalogue.h"
#include "common/fileio.h"
#include "generatedcatalogue.h"
#include "platform/giofilesystem.h"
#include "platform/processstarter.h"
#include "playlist/itemeditor.h"
#include "playlist/playlistcentral.h"
#include "playlist/playlistfile.h"
#include "ui/playlist/audienceviewwindow.h"
#include "ui/playlist/fulllistwindow.h"
#include "ui/widgets/pictures.h"

namespace tunedex {
namespace {

constexpr int kSongs = 100'000;
constexpr int kItems = 1'000;

// A folder of 100,000 empty song files, a hundred to a subfolder, and a catalogue of them.
struct Setup {
  Setup() {
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / "tunedex-playlist-XXXXXX").string();
    root = ::mkdtemp(pattern.data());
    std::vector<tSongRecord> records = bench::GeneratedCatalogue(kSongs);
    for (int i = 0; i < kSongs; ++i) {
      const std::string folder = root + "/Part " + std::to_string(i / 100) + "/";
      if (i % 100 == 0) fs::create_directories(folder);
      const std::string path = folder + "Artist " + std::to_string(i) + " - Title.kar";
      const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0644);
      if (fd >= 0) ::close(fd);
      records[static_cast<std::size_t>(i)].SetFileName(path);
    }
    catalogue.Import(records);
    catalogue.SetPath(root + "/songs.tdb", false);
    // Every hundredth song, in upper case as a Windows playlist may spell it.
    std::string bytes;
    for (int i = 0; i < kItems; ++i) {
      std::string name(
          catalogue.Songs()[static_cast<std::size_t>(i) * 97 % kSongs]->Record().FileName());
      for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      bytes += static_cast<char>(5) + std::string("Singr") + static_cast<char>(name.size()) + name;
    }
    playlist = root + "/evening.tdp";
    WriteFileAtomically(playlist, bytes);
  }
  ~Setup() { std::filesystem::remove_all(root); }

  std::string root;
  std::string playlist;
  tCatalogue catalogue;
};

Setup& Shared() {
  static Setup setup;
  return setup;
}

void BM_LoadPlayList(benchmark::State& state) {
  Setup& setup = Shared();
  SilentUser user;
  tPlayList list(setup.catalogue);
  LoadPlayList(setup.playlist, list, user);  // the catalogue's file-name index exists by now
  for (auto _ : state) {
    LoadPlayList(setup.playlist, list, user);
    if (list.Count() != kItems) state.SkipWithError("songs not found");
  }
}
BENCHMARK(BM_LoadPlayList)->Unit(benchmark::kMillisecond);

class NoWindows : public PlaylistCentralHost {
 public:
  void PlaySong(const tSong&, bool) override {}
  void ClosePlayer() override {}
  void SetCatalogueWindowVisible(bool) override {}
  void ShowSongDetails(const tSong&) override {}
  void OpenItemEditor(int) override {}
  void BringToFront(bool) override {}
  void ShowNormal() override {}
  void Refresh() override {}
  void ScrollIntoView(int) override {}
};

void BM_ItemEditorAvailableSongs(benchmark::State& state) {
  Setup& setup = Shared();
  SilentUser user;
  GioFileSystem files;
  ThreadSleeper sleeper;
  PosixProgramStarter programs;
  tLivePlayerOptions players;
  NoPlaylistViews views;
  NoWindows windows;
  tPlaylistCentral central({setup.catalogue, [] { return std::size_t{kSongs}; }, user, files,
                            sleeper, programs, players, windows, views});
  for (auto _ : state) {
    tItemEditor editor({central, setup.catalogue, files, user, [](const tSong&, bool) {}, players},
                       setup.catalogue.Songs(), kAddMode, ItemEditorSettings{});
    // Slices as a window fills between its events.
    while (!editor.FillSlice(2000)) {
    }
    if (editor.AvailableSongs().size() != kSongs) state.SkipWithError("files missing");
  }
}
BENCHMARK(BM_ItemEditorAvailableSongs)->Unit(benchmark::kMillisecond);

// One paint of the window (width and height as arguments) showing a page of a 1,000-item list,
// scrolled to its middle, into an image: the grid's rows through its delegate, the header and the
// status bar.
void BM_FullListPaintPage(benchmark::State& state) {
  tCatalogue catalogue;
  catalogue.Import(bench::GeneratedCatalogue(kItems));
  tPlayList items(catalogue);
  for (int i = 0; i < kItems; ++i) {
    items.Append(i % 7 == 0 ? "" : "Singer " + std::to_string(i % 40),
                 *catalogue.Songs()[static_cast<std::size_t>(i)]);
  }
  TFullListView view(FullListContext{items, "", {}, {}});
  view.AttachItems();
  view.resize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  view.show();
  QCoreApplication::processEvents();
  view.SetRows(kItems / 2, kItems / 2 + 3);
  view.Grid().verticalScrollBar()->setValue(kItems / 2);
  QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    view.render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["rows"] = view.Logic().VisibleRows(view.Grid().viewport()->height());
}
// A window of 800 x 600 and one over a whole 1920 x 1080 screen.
BENCHMARK(BM_FullListPaintPage)
    ->Args({800, 600})
    ->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond);

// The audience view after a play: new texts for both bars, the labels laid out again, the
// window's shape cut, and the bars painted, over a 1920-pixel-wide screen.
void BM_AudienceViewAfterPlay(benchmark::State& state) {
  IdleAudienceMaster master;
  TAudienceView view(AudienceViewContext{master});
  view.setGeometry(0, 0, 1920, 1080);
  view.show();
  QCoreApplication::processEvents();
  const AudienceItems plays[2] = {
      {"Bohemian Rhapsody", "Freddie", "Dancing Queen", "Agnetha", RunState::Running},
      {"Dancing Queen", "Agnetha", "Fly Me To The Moon", "Frank", RunState::Running}};
  QImage image(QSize(1920, 200), QImage::Format_ARGB32_Premultiplied);
  int turn = 0;
  for (auto _ : state) {
    view.SetItems(plays[turn++ % 2]);
    view.render(&image, QPoint(), view.VisibleRegion());
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_AudienceViewAfterPlay)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tunedex
