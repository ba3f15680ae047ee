// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue window with 100,000 songs: its rules alone, and the real widgets on Qt's
// offscreen platform (each step measured until the grid has repainted). Memory is measured on
// the real program: /usr/bin/time -v build/bin/tunedex --screenshot ... with such a catalogue.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHeaderView>
#include <QTest>
#include <fstream>

#include "catalogue/cataloguewindow.h"
#include "generatedcatalogue.h"
#include "platform/giofilesystem.h"
#include "platform/linuxvolumes.h"
#include "ui/main/mainwindow.h"
#include "ui/main/songgrid.h"

namespace tunedex {
namespace {

constexpr std::size_t kSongs = 100000;

// The generated catalogue and a settings file that opens it.
struct Files {
  Files()
      : catalogue(kSongs), database(catalogue.path), settings(catalogue.folder + "/tunedex.ini") {
    std::ofstream(settings) << "[Startup]\nData=" << database << "\n";
  }
  bench::GeneratedCatalogueFile catalogue;
  std::string database, settings;
};

Volumes& RealVolumes() {
  static LinuxVolumes volumes;
  return volumes;
}

FileSystem& RealFileSystem() {
  static GioFileSystem files;
  return files;
}

const Files& TheFiles() {
  static const Files files;
  return files;
}

// The window's rules over a catalogue of their own.
struct Logic {
  explicit Logic(SilentUser& user) : window(catalogue, CatalogueServices{user, RealFileSystem()}) {
    window.Start(tIniFile::Load(TheFiles().settings));
    window.SetVisibleRows(25);
  }
  tCatalogue catalogue;
  tCatalogueWindow window;
};

std::unique_ptr<Logic> StartedLogic(SilentUser& user) {
  return std::make_unique<Logic>(user);
}

void BM_LogicStart(benchmark::State& state) {
  SilentUser user;
  for (auto _ : state) benchmark::DoNotOptimize(StartedLogic(user));
}
BENCHMARK(BM_LogicStart)->Unit(benchmark::kMillisecond);

void BM_LogicHeaderClick(benchmark::State& state) {
  SilentUser user;
  auto started = StartedLogic(user);
  tCatalogueWindow* window = &started->window;
  window->SetSort(kSortByTitle);  // sort keys built once
  for (auto _ : state) window->SetSort(kSortByTitle);
}
BENCHMARK(BM_LogicHeaderClick)->Unit(benchmark::kMillisecond);

void BM_LogicFindKeystroke(benchmark::State& state) {
  SilentUser user;
  auto started = StartedLogic(user);
  tCatalogueWindow* window = &started->window;
  window->FindTextChanged("l");  // the searchable text is built once
  const char* texts[] = {"lo", "lov", "love", "love m", "zzzz"};
  std::size_t next = 0;
  for (auto _ : state) window->FindTextChanged(texts[next++ % 5]);
}
BENCHMARK(BM_LogicFindKeystroke)->Unit(benchmark::kMillisecond);

// From creating the window to the first painted grid.
void BM_WindowStartToFirstPaint(benchmark::State& state) {
  for (auto _ : state) {
    tCatalogue catalogue;
    auto window = std::make_unique<TTunedexMain>(catalogue, RealFileSystem(), RealVolumes(),
                                                 TheFiles().settings);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) state.SkipWithError("no window");
    window->Grid().viewport()->repaint();
  }
}
BENCHMARK(BM_WindowStartToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(5);

struct OpenWindow {
  OpenWindow() : window(catalogue, RealFileSystem(), RealVolumes(), TheFiles().settings) {
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) std::abort();
  }
  void Repaint() { window.Grid().viewport()->repaint(); }
  tCatalogue catalogue;
  TTunedexMain window;
};

void BM_WindowHeaderClick(benchmark::State& state) {
  OpenWindow open;
  Q_EMIT open.window.Grid().horizontalHeader()->sectionClicked(3);
  for (auto _ : state) {
    Q_EMIT open.window.Grid().horizontalHeader()->sectionClicked(3);
    open.Repaint();
  }
}
BENCHMARK(BM_WindowHeaderClick)->Unit(benchmark::kMillisecond);

void BM_WindowFindKeystroke(benchmark::State& state) {
  OpenWindow open;
  tCatalogueWindow& logic = open.window.Logic();
  logic.FindTextChanged("l");
  const char* texts[] = {"lo", "lov", "love", "love m", "l"};
  std::size_t next = 0;
  for (auto _ : state) {
    logic.FindTextChanged(texts[next++ % 5]);
    open.window.Sync();
    open.Repaint();
  }
}
BENCHMARK(BM_WindowFindKeystroke)->Unit(benchmark::kMillisecond);

void BM_WindowScrollPage(benchmark::State& state) {
  OpenWindow open;
  tCatalogueWindow& logic = open.window.Logic();
  for (auto _ : state) {
    if (logic.TopRow() + 2 * logic.VisibleRows() >= static_cast<int>(logic.RowCount())) {
      logic.SetTopRow(0);
    }
    logic.HandleKey(WindowKey::PageDown, kAlt);
    open.window.Sync();
    open.Repaint();
  }
}
BENCHMARK(BM_WindowScrollPage)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tunedex
