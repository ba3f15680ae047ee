// SPDX-License-Identifier: GPL-3.0-or-later
// The Song Explorer listing a folder of 2,000 KAR and MP3 files (warm cache), half of them in
// the catalogue: the time until the first slice of rows is there, and the whole list.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "catalogue/songexplorer.h"
#include "common/userinteraction.h"
#include "platform/giofilesystem.h"
#include "support/songfilebuilders.h"

namespace tunedex {
namespace {

constexpr int kFiles = 2'000;
constexpr std::size_t kSlice = 50;  // rows read between two rounds of window events

struct SongFolder {
  SongFolder() {
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / "tunedex-explorer-XXXXXX").string();
    root = ::mkdtemp(pattern.data());
    std::vector<test::MetaText> karaoke = {
        {1, "@KMIDI KARAOKE FILE"}, {1, "@Tsome title"}, {1, "@Tsome artist"}};
    for (int i = 0; i < 3000; ++i) karaoke.push_back({1, "la la la "});  // about 40 KB
    const std::string kar = test::MidiFile(karaoke);
    const std::string mp3 = test::Id3v2File({{"TIT2", "a title"}, {"TPE1", "an artist"}});
    std::vector<tSongRecord> catalogued;
    for (int i = 0; i < kFiles; ++i) {
      const bool isKar = i % 2 == 0;
      const std::string path =
          root + "/Artist " + std::to_string(i) + " - Title." + (isKar ? "kar" : "mp3");
      std::ofstream(path, std::ios::binary) << (isKar ? kar : mp3);
      if (!isKar) (void)::truncate(path.c_str(), 4 << 20);  // sparse
      if (i % 4 < 2) {
        tSongRecord record;
        record.SetTitle("t");
        record.SetFileName(path);
        record.SetFileType(isKar ? 1 : 5);
        catalogued.push_back(record);
      }
    }
    catalogue.Import(catalogued);
  }
  ~SongFolder() { std::filesystem::remove_all(root); }

  std::string root;
  tCatalogue catalogue;
};

SongFolder& Folder() {
  static SongFolder folder;
  return folder;
}

// The explorer over the generated folder, with what it needs.
struct ExplorerOnFolder {
  SongFolder& folder = Folder();
  SilentUser user;
  GioFileSystem files;
  tLivePlayerOptions options;
  tSongExplorer explorer{{folder.catalogue, files, user, options, {}}};
};

void BM_ExplorerFirstSlice(benchmark::State& state) {
  ExplorerOnFolder run;
  SongFolder& folder = run.folder;
  tSongExplorer& explorer = run.explorer;
  for (auto _ : state) {
    explorer.ChooseFolder(folder.root);
    explorer.LoadSlice(kSlice);
    benchmark::DoNotOptimize(explorer.Items().size());
  }
  state.counters["rows"] = static_cast<double>(explorer.Items().size());
}
BENCHMARK(BM_ExplorerFirstSlice)->Unit(benchmark::kMillisecond);

void BM_ExplorerWholeList(benchmark::State& state) {
  ExplorerOnFolder run;
  SongFolder& folder = run.folder;
  tSongExplorer& explorer = run.explorer;
  for (auto _ : state) {
    explorer.ChooseFolder(folder.root);
    while (explorer.LoadSlice(kSlice)) {
    }
    benchmark::DoNotOptimize(explorer.Items().size());
  }
  state.counters["rows"] = static_cast<double>(explorer.Items().size());
  state.counters["inCatalogue"] =
      static_cast<double>(explorer.Items().size() - explorer.ImportableCount());
}
BENCHMARK(BM_ExplorerWholeList)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tunedex

BENCHMARK_MAIN();
