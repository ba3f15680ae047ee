// SPDX-License-Identifier: GPL-3.0-or-later
// The print preview over 100,000 songs on Qt's offscreen platform: from creating the window to
// its first painted report pane, the whole text in the pane; and scrolling to the end of it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

#include <memory>

#include "catalogue/song.h"
#include "generatedcatalogue.h"
#include "ui/print/printpreviewdialog.h"

namespace tunedex {
namespace {

constexpr std::size_t kSongs = 100'000;

const tSongList& TheView() {
  return bench::GeneratedView(kSongs);
}

std::unique_ptr<TPreviewWin> OpenPreview(SilentUser& user) {
  auto preview = std::make_unique<TPreviewWin>(
      PrintPreviewContext{TheView(), "Showing: All Songs, Sort: Title", user});
  preview->show();
  if (!QTest::qWaitForWindowExposed(preview.get())) std::abort();
  preview->ReportPane().viewport()->repaint();
  return preview;
}

void BM_PreviewOpenToFirstPaint(benchmark::State& state) {
  SilentUser user;
  TheView();
  for (auto _ : state) {
    auto preview = OpenPreview(user);
    state.PauseTiming();
    preview.reset();
    state.ResumeTiming();
  }
  state.counters["songs"] = static_cast<double>(kSongs);
}
BENCHMARK(BM_PreviewOpenToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(5);

// Ctrl+End and Ctrl+Home in the open pane, each painted.
void BM_PreviewScrollToEndAndBack(benchmark::State& state) {
  SilentUser user;
  auto preview = OpenPreview(user);
  QPlainTextEdit& pane = preview->ReportPane();
  for (auto _ : state) {
    QTest::keyClick(&pane, Qt::Key_End, Qt::ControlModifier);
    pane.viewport()->repaint();
    QTest::keyClick(&pane, Qt::Key_Home, Qt::ControlModifier);
    pane.viewport()->repaint();
  }
}
BENCHMARK(BM_PreviewScrollToEndAndBack)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tunedex
