// One full paint of the timeline at the window's height: an hour of audio
// (18 000 columns) and the longest duration the analyser reports (65 535 s).
#include <QGuiApplication>
#include <QImage>
#include <benchmark/benchmark.h>

#include "WaveRender.h"

namespace {

constexpr int Height = 152;

// range(0): columns; range(1): 0 for the initial selection, 1 for a
// selection over the whole timeline (every envelope column flipped).
void BM_Paint(benchmark::State& state) {
  const int columns = static_cast<int>(state.range(0));
  QImage canvas(columns, Height, QImage::Format_RGB32);
  TWaveRender render(&canvas, columns, Height);
  render.SetTimelineLength(columns);
  if (state.range(1) != 0) {
    render.SetStartCol(0);
    render.SetEndCol(columns);
  }
  for (auto _ : state) {
    render.Paint();
    benchmark::DoNotOptimize(canvas.constBits());
  }
  state.counters["image_MiB"] = static_cast<double>(canvas.sizeInBytes()) / (1024.0 * 1024.0);
}

BENCHMARK(BM_Paint)
    ->ArgsProduct({{18'000, 327'675}, {0, 1}})
    ->ArgNames({"columns", "whole_selection"})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);  // the ruler's texts need the font system
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
