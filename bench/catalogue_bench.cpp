// SPDX-License-Identifier: GPL-3.0-or-later
// Catalogue operations on 100,000 songs: loading and saving, sorting, the find box and the
// duplicate test, beside a plain read of the same file for scale.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "catalogue/database.h"
#include "catalogue/songviews.h"
#include "common/fileio.h"
#include "generatedcatalogue.h"

namespace tunedex {
namespace {

constexpr std::size_t kSongs = 100'000;

using Catalogue = bench::GeneratedCatalogueFile;

const Catalogue& TheCatalogue() {
  static const Catalogue catalogue(kSongs);
  return catalogue;
}

std::unique_ptr<tSongList> LoadedList() {
  auto list = std::make_unique<tSongList>(tSongList::Ownership::OwnsSongs);
  SilentUser user;
  LoadDatabase(*list, TheCatalogue().path, user);
  return list;
}

// The file's bytes read into a buffer that stays allocated, as the song pool does for loads.
void BM_PlainRead(benchmark::State& state) {
  const std::string& path = TheCatalogue().path;
  std::vector<std::uint8_t> buffer(std::filesystem::file_size(path));
  for (auto _ : state) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    std::size_t done = 0;
    while (done < buffer.size()) {
      const ssize_t got = ::read(fd, buffer.data() + done, buffer.size() - done);
      if (got <= 0) break;
      done += static_cast<std::size_t>(got);
    }
    ::close(fd);
    benchmark::DoNotOptimize(buffer.data());
  }
}
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);

void BM_Load(benchmark::State& state) {
  SilentUser user;
  tSongList list(tSongList::Ownership::OwnsSongs);
  TheCatalogue();
  for (auto _ : state) {
    LoadDatabase(list, TheCatalogue().path, user);
    benchmark::DoNotOptimize(list.Count());
    state.PauseTiming();
    list.DestroySongs();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

void BM_Save(benchmark::State& state) {
  const auto list = LoadedList();
  const std::string path = TheCatalogue().folder + "/saved.tdb";
  for (auto _ : state) SaveDatabase(*list, path);
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);

// First sort: the keys of every song are built. Arguments: the sort code.
void BM_FirstSort(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto list = LoadedList();
    state.ResumeTiming();
    list->SortBy(static_cast<int>(state.range(0)));
    state.PauseTiming();
    list.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FirstSort)
    ->Arg(32)
    ->Arg(33)
    ->Arg(34)
    ->Arg(-32)
    ->Arg(-33)
    ->Arg(-34)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

// A re-sort with the keys cached, from another order (as after a header click).
void BM_Resort(benchmark::State& state) {
  const auto list = LoadedList();
  const int code = static_cast<int>(state.range(0));
  list->SortBy(code);
  const int other = (code == 33 || code == -33) ? 34 : 33;
  list->SortBy(other);
  for (auto _ : state) {
    state.PauseTiming();
    list->SortBy(other);
    state.ResumeTiming();
    list->SortBy(code);
  }
}
BENCHMARK(BM_Resort)->Arg(32)->Arg(33)->Arg(34)->Arg(-32)->Arg(-33)->Arg(-34)->Unit(
    benchmark::kMillisecond);

// The find box over every field of every song: the first search after a change builds the
// upper-cased text block; later ones search it. "xqz" occurs nowhere, so the whole list is
// searched; "ZYX" is found in the last song.
void BM_FindFirstSearch(benchmark::State& state) {
  const auto list = LoadedList();
  for (auto _ : state) {
    FindBoxSearch search(*list);
    benchmark::DoNotOptimize(search.FindFrom("xqz", 0));
  }
}
BENCHMARK(BM_FindFirstSearch)->Unit(benchmark::kMillisecond);

void BM_FindAbsent(benchmark::State& state) {
  const auto list = LoadedList();
  FindBoxSearch search(*list);
  search.FindFrom("xq", 0);
  for (auto _ : state) benchmark::DoNotOptimize(search.FindFrom("xqz", 0));
}
BENCHMARK(BM_FindAbsent)->Unit(benchmark::kMillisecond);

void BM_FindLastSong(benchmark::State& state) {
  const auto list = LoadedList();
  list->Item(kSongs - 1)->Modify([](tSongRecord& record) { record.SetNotes("zyx"); });
  FindBoxSearch search(*list);
  search.FindFrom("zy", 0);
  for (auto _ : state) benchmark::DoNotOptimize(search.FindFrom("ZYX", 0));
}
BENCHMARK(BM_FindLastSong)->Unit(benchmark::kMillisecond);

// The duplicate test of every importer, for a file that is in the catalogue and one that is not.
void BM_DuplicateTest(benchmark::State& state) {
  const auto list = LoadedList();
  tSongRecord present = list->Item(kSongs / 2)->Record();
  tSongRecord absent = present;
  absent.SetFileName("/media/karaoke/new/Some Artist - Some Title.kar");
  list->ContainsFileName(present);  // builds the index
  bool flip = false;
  for (auto _ : state) {
    benchmark::DoNotOptimize(list->ContainsFileName(flip ? present : absent));
    flip = !flip;
  }
}
BENCHMARK(BM_DuplicateTest)->Unit(benchmark::kNanosecond);

}  // namespace
}  // namespace tunedex

BENCHMARK_MAIN();
