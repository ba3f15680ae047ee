// SPDX-License-Identifier: GPL-3.0-or-later
// Scanning a tree of 10,000 song files of mixed formats and realistic sizes (the large ones
// sparse), beside a plain open and read of the first KiB of each file; and inspecting a 4 GB
// video.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "catalogue/songlist.h"
#include "common/userinteraction.h"
#include "inspect/songfilereader.h"
#include "inspect/songscan.h"
#include "platform/giofilesystem.h"
#include "support/songfilebuilders.h"

namespace tunedex {
namespace {

SongScan::CatalogueLookup InCatalogue(const tSongList& songs) {
  return [&songs](const tSongRecord& record) { return songs.ContainsFileName(record); };
}

constexpr int kFiles = 10'000;

struct SongTree {
  SongTree() {
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / "tunedex-scan-XXXXXX").string();
    root = ::mkdtemp(pattern.data());
    using namespace test;
    std::vector<test::MetaText> karaoke = {
        {1, "@KMIDI KARAOKE FILE"}, {1, "@Tsome title"}, {1, "@Tsome artist"}};
    for (int i = 0; i < 2100; ++i) karaoke.push_back({1, "la la la "});  // about 28 KB
    const std::string kar = MidiFile(karaoke);
    const std::string mid = MidiFile({{3, "title"}, {3, "artist"}, {1, "a text"}});
    const std::string mp3 = Id3v2File({{"TIT2", "a title"}, {"TPE1", "an artist"}});
    const std::string wma = WmaFile({AsfContentDescription("title", "artist", "")});
    const std::string st3 = StarDataFile(4000, {{20, "title"}, {132, "singer"}});
    const std::string kfn = KfnBlock({{8, "title"}, {72, "artist"}});
    struct Kind {
      const char* ext;
      const std::string* bytes;
      off_t size;  // the file is made this long, sparse beyond its bytes
    };
    // A host's usual mix, in twentieths: 8 KAR, 6 MP3, 2 WMA, 2 ST3, 1 KFN and 1 MIDI.
    const Kind kinds[] = {
        {"kar", &kar, 0},       {"mp3", &mp3, 4 << 20}, {"kar", &kar, 0}, {"wma", &wma, 3 << 20},
        {"kar", &kar, 0},       {"mp3", &mp3, 5 << 20}, {"st3", &st3, 0}, {"kar", &kar, 0},
        {"mp3", &mp3, 4 << 20}, {"kfn", &kfn, 2 << 20}, {"kar", &kar, 0}, {"mp3", &mp3, 3 << 20},
        {"wma", &wma, 3 << 20}, {"kar", &kar, 0},       {"mid", &mid, 0}, {"mp3", &mp3, 4 << 20},
        {"kar", &kar, 0},       {"st3", &st3, 0},       {"kar", &kar, 0}, {"mp3", &mp3, 5 << 20}};
    for (int i = 0; i < kFiles; ++i) {
      const std::string folder =
          root + "/disc" + std::to_string(i / 500) + "/" + std::to_string(i / 50 % 10);
      fs::create_directories(folder);
      const Kind& kind = kinds[i % std::size(kinds)];
      const std::string path = folder + "/Artist " + std::to_string(i) + " - Title." + kind.ext;
      std::ofstream(path, std::ios::binary) << *kind.bytes;
      if (kind.size > 0) (void)::truncate(path.c_str(), kind.size);
      paths.push_back(path);
    }
    film = root + "/film.mpg";
    std::ofstream(film, std::ios::binary) << std::string("\0\0\x01\xBA", 4);
    (void)::truncate(film.c_str(), 4LL << 30);
  }
  ~SongTree() { std::filesystem::remove_all(root); }

  std::string root;
  std::string film;
  std::vector<std::string> paths;
};

const SongTree& Tree() {
  static const SongTree tree;
  return tree;
}

void BM_PlainOpenAndReadFirstKiB(benchmark::State& state) {
  const SongTree& tree = Tree();
  char buffer[1024];
  for (auto _ : state) {
    // The same walk of the folders, then each file opened and its first KiB read.
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(tree.root)) {
      if (!entry.is_regular_file()) continue;
      const int fd = ::open(entry.path().c_str(), O_RDONLY);
      benchmark::DoNotOptimize(::read(fd, buffer, sizeof buffer));
      ::close(fd);
      ++files;
    }
    benchmark::DoNotOptimize(files);
  }
}
BENCHMARK(BM_PlainOpenAndReadFirstKiB)->Unit(benchmark::kMillisecond);

void BM_ScanTree(benchmark::State& state) {
  const SongTree& tree = Tree();
  SilentUser user;
  tSongList master(tSongList::Ownership::OwnsSongs);
  GioFileSystem files;
  for (auto _ : state) {
    SongScan scan(ScanPatternText(kScanAllTypes), InCatalogue(master), user, files);
    scan.Walk(tree.root);
    benchmark::DoNotOptimize(scan.Results().size());
  }
}
BENCHMARK(BM_ScanTree)->Unit(benchmark::kMillisecond);

void BM_InspectFourGigabyteVideo(benchmark::State& state) {
  const SongTree& tree = Tree();
  SilentUser user;
  for (auto _ : state) {
    InfoLines lines;
    benchmark::DoNotOptimize(InspectSongFile(tree.film, lines, user));
  }
}
BENCHMARK(BM_InspectFourGigabyteVideo)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tunedex

BENCHMARK_MAIN();
