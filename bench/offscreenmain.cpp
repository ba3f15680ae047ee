// SPDX-License-Identifier: GPL-3.0-or-later
// The main of the benchmarks that paint windows: the toolkit on its offscreen platform, with
// the program's pictures, then the benchmarks.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "ui/widgets/pictures.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  tunedex::InitUiResources();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
