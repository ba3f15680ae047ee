// SPDX-License-Identifier: GPL-3.0-or-later
// The song-list report and printouts of 100,000 songs: filling the preview's report lines,
// saving the report, laying out the printed list (about 2,000 pages) and the songbooks, and
// painting the printed list into a PDF.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QGuiApplication>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "catalogue/song.h"
#include "generatedcatalogue.h"
#include "print/printgrid.h"
#include "print/qt/pdfdocument.h"
#include "print/qt/qtfontmetrics.h"
#include "print/songbook.h"
#include "print/songreport.h"

#include <QPdfWriter>

namespace tunedex {
namespace {

constexpr std::size_t kSongs = 100'000;

const tSongList& TheView() {
  return bench::GeneratedView(kSongs);
}

const ReportHeading kHeading{"Showing: All Songs, Sort: Title", "Thursday 12/10/26"};

// The preview's pane text: every report line in one buffer.
void BM_FillReportLines(benchmark::State& state) {
  const tSongList& view = TheView();
  for (auto _ : state) {
    std::string text;
    AppendReportLines(view, text, "\n");
    benchmark::DoNotOptimize(text.data());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kSongs));
}
BENCHMARK(BM_FillReportLines)->Unit(benchmark::kMillisecond);

void BM_SaveReport(benchmark::State& state) {
  const tSongList& view = TheView();
  const std::string folder = std::filesystem::temp_directory_path() /
                             ("tunedex-print-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::string path = folder + "/report.txt";
  for (auto _ : state) SaveReport(path, kHeading, view);
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SaveReport)->Unit(benchmark::kMillisecond);

// Layouts measured with the PDF writer's own font metrics, as the real printout is.
void BM_Layout(benchmark::State& state) {
  const tSongList& view = TheView();
  const auto layout = static_cast<PrintLayout>(state.range(0));
  QPdfWriter writer(QStringLiteral("/dev/null"));
  writer.setResolution(600);
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageMargins(QMarginsF(0, 0, 0, 0));
  QtFontMetrics metrics(&writer);
  std::size_t pages = 0;
  for (auto _ : state) {
    const PrintDocument document =
        LayoutPrintout(layout, PageDeviceOf(writer), metrics, kHeading, view);
    pages = document.pages.size();
  }
  state.counters["pages"] = static_cast<double>(pages);
}
BENCHMARK(BM_Layout)
    ->Arg(static_cast<int>(PrintLayout::List))
    ->Arg(static_cast<int>(PrintLayout::ByArtist))
    ->Arg(static_cast<int>(PrintLayout::ByTitle))
    ->ArgName("layout")
    ->Unit(benchmark::kMillisecond);

// The printed list written as a PDF file: layout, painting every page, writing the file.
void BM_PrintedListPdf(benchmark::State& state) {
  const tSongList& view = TheView();
  const std::string folder = std::filesystem::temp_directory_path() /
                             ("tunedex-print-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::string path = folder + "/list.pdf";
  int pages = 0;
  for (auto _ : state) {
    WritePdf(
        path, "Karaoke Songs",
        [&](const PageDevice& device, FontMetrics& metrics) {
          return LayoutPrintout(PrintLayout::List, device, metrics, kHeading, view);
        },
        [&](int done, int) {
          pages = done;
          return true;
        });
  }
  state.counters["pages"] = pages;
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_PrintedListPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace tunedex

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
