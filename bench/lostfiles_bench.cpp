// SPDX-License-Identifier: GPL-3.0-or-later
// The lost files of a 100,000-song catalogue on a local disk: counting them (most files there),
// path matching over 100,000 lost songs, and finding 100,000 moved files by name in a tree.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <thread>

#include "catalogue/catalogue.h"
#include "catalogue/cataloguewindow.h"
#include "catalogue/lostcount.h"
#include "catalogue/lostfiles.h"
#include "catalogue/movedfiles.h"
#include "catalogue/pathmatching.h"
#include "generatedcatalogue.h"
#include "platform/giofilesystem.h"
#include "platform/linuxvolumes.h"

namespace tunedex {
namespace {

constexpr int kSongs = 100'000;

// 100,000 empty song files, a hundred to a folder, two folder levels deep.
struct SongTree {
  SongTree() {
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / "tunedex-lost-XXXXXX").string();
    root = ::mkdtemp(pattern.data());
    for (int i = 0; i < kSongs; ++i) {
      const std::string folder = Folder(i);
      if (i % 100 == 0) fs::create_directories(root + folder);
      const int fd = ::open((root + folder + Name(i)).c_str(), O_CREAT | O_WRONLY, 0644);
      if (fd >= 0) ::close(fd);
    }
  }
  ~SongTree() { std::filesystem::remove_all(root); }

  static std::string Folder(int i) {
    return "/Disc " + std::to_string(i / 1000) + "/Part " + std::to_string(i / 100 % 10) + "/";
  }
  static std::string Name(int i) { return "Artist " + std::to_string(i) + " - Title.kar"; }

  std::string root;
};

const SongTree& Tree() {
  static const SongTree tree;
  return tree;
}

// The generated catalogue's records with the file names given.
void Fill(tCatalogue& catalogue, const std::function<std::string(int)>& path) {
  std::vector<tSongRecord> records = bench::GeneratedCatalogue(kSongs);
  for (int i = 0; i < kSongs; ++i) records[static_cast<std::size_t>(i)].SetFileName(path(i));
  catalogue.Import(records);
}

std::vector<LostSong> Everything(const tCatalogue& catalogue) {
  std::vector<LostSong> lost;
  for (tSong* song : catalogue.Songs()) lost.push_back({song, LostReason::WindowsPath});
  return lost;
}

// Every hundredth file is missing.
void BM_CountLostFiles(benchmark::State& state) {
  const SongTree& tree = Tree();
  tCatalogue catalogue;
  Fill(catalogue, [&](int i) {
    return tree.root + SongTree::Folder(i) + (i % 100 == 7 ? "gone " : "") + SongTree::Name(i);
  });
  GioFileSystem files;
  LinuxVolumes volumes;
  for (auto _ : state) {
    const std::vector<LostSong> lost =
        FindLostSongs(catalogue.Songs(), files, volumes, LostIgnore{true, true, false});
    if (lost.size() != kSongs / 100) state.SkipWithError("wrong count");
  }
}
BENCHMARK(BM_CountLostFiles)->Unit(benchmark::kMillisecond);

// Every song on a network volume whose server does not answer: one bounded question (two
// seconds), and no file of the volume is looked at.
void BM_CountLostFilesOnAServerThatDoesNotAnswer(benchmark::State& state) {
  const SongTree& tree = Tree();
  const std::string mountInfo = tree.root + "/mountinfo";
  {
    std::FILE* file = std::fopen(mountInfo.c_str(), "w");
    std::fputs(
        "26 1 8:2 / / rw - ext4 /dev/sda2 rw\n"
        "32 26 0:45 / /mnt/karaoke rw - nfs4 server:/karaoke rw\n",
        file);
    std::fclose(file);
  }
  tCatalogue catalogue;
  Fill(catalogue, [](int i) { return "/mnt/karaoke" + SongTree::Folder(i) + SongTree::Name(i); });
  GioFileSystem files;
  for (auto _ : state) {
    VolumeSources sources;
    sources.mountInfo = mountInfo;
    sources.fstab = "/nonexistent";
    // The server is down: the question hangs well past the bound.
    LinuxVolumes volumes(sources, [](const std::string&) {
      std::this_thread::sleep_for(std::chrono::seconds(5));
      return true;
    });
    const std::vector<LostSong> lost = FindLostSongs(catalogue.Songs(), files, volumes, {});
    if (lost.size() != kSongs) state.SkipWithError("wrong count");
  }
}
BENCHMARK(BM_CountLostFilesOnAServerThatDoesNotAnswer)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

// A catalogue from the Windows program moved here in one step.
void BM_MatchPathsOfAWindowsCatalogue(benchmark::State& state) {
  const SongTree& tree = Tree();
  GioFileSystem files;
  for (auto _ : state) {
    state.PauseTiming();
    auto catalogue = std::make_unique<tCatalogue>();
    Fill(*catalogue, [](int i) {
      std::string path = "D:\\Karaoke" + SongTree::Folder(i) + SongTree::Name(i);
      std::replace(path.begin(), path.end(), '/', '\\');
      return path;
    });
    const std::vector<LostSong> lost = Everything(*catalogue);
    state.ResumeTiming();
    const std::size_t repaired = MatchLostPaths(*catalogue, lost, "D:\\Karaoke", tree.root, files);
    if (repaired != kSongs) state.SkipWithError("not every song was repaired");
    state.PauseTiming();
    catalogue.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_MatchPathsOfAWindowsCatalogue)->Unit(benchmark::kMillisecond);

// "Remove all" of 10,000 lost songs out of 100,000, with the catalogue window's view following
// the catalogue.
void BM_RemoveAllLostSongs(benchmark::State& state) {
  const SongTree& tree = Tree();
  GioFileSystem files;
  LinuxVolumes volumes;
  SilentUser user;  // answers the question with Yes
  for (auto _ : state) {
    state.PauseTiming();
    auto catalogue = std::make_unique<tCatalogue>();
    Fill(*catalogue, [&](int i) {
      return tree.root + SongTree::Folder(i) + (i % 10 == 3 ? "gone " : "") + SongTree::Name(i);
    });
    auto window = std::make_unique<tCatalogueWindow>(*catalogue, CatalogueServices{user, files});
    auto lost = std::make_unique<tLostFiles>(
        LostFilesServices{*catalogue, std::make_shared<GioFileSystem>(), volumes, user});
    lost->Open();
    state.ResumeTiming();
    lost->RemoveAll();
    state.PauseTiming();
    if (catalogue->Songs().Count() != kSongs - kSongs / 10) state.SkipWithError("songs left");
    lost.reset();
    window.reset();
    catalogue.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_RemoveAllLostSongs)->Unit(benchmark::kMillisecond)->Iterations(1);

// Every song's file was sorted into another folder: the tree is walked once on a thread of its
// own and each name found once is proposed.
void BM_FindMovedFiles(benchmark::State& state) {
  const SongTree& tree = Tree();
  tCatalogue catalogue;
  Fill(catalogue, [](int i) { return "/gone/" + SongTree::Name(i); });
  const std::vector<LostSong> lost = Everything(catalogue);
  auto files = std::make_shared<GioFileSystem>();
  for (auto _ : state) {
    tMovedFiles search(catalogue, files, tree.root, lost);
    while (!search.Poll().finished) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (search.Findings().proposals.size() != kSongs) state.SkipWithError("proposals missing");
  }
}
BENCHMARK(BM_FindMovedFiles)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tunedex

BENCHMARK_MAIN();
