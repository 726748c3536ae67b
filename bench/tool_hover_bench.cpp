// One cursor move of "QM Tangent Line" through PIMain, on the bundled lines example with the
// first path picked: the host's message, the hit test, the two-path contact search through the
// host's path suite, the invalidation passes of the feedback and the cursor.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "host/Host.h"

namespace {

// Points on the example's two curved strokes (artwork coordinates, the pieces at t = 0.5).
constexpr AIRealPoint kOnFirstCurve{121.25, -130};
constexpr AIRealPoint kOnSecondCurve{293.75, -205};

void BM_TangentLineCursorMove(benchmark::State& state) {
  host::HostOptions options;
  options.preferencesFile = std::filesystem::temp_directory_path() / "corvane-bench-preferences.ini";
  host::Host h(options);
  h.OpenDocument(std::filesystem::path(CORVANE_EXAMPLES_DIR) / "lines.svg");
  h.LoadPlugin(CORVANE_MODULE_PATH);
  if (h.Startup() != kNoErr || h.SelectTool("QM Tangent Line") != kNoErr) {
    state.SkipWithError("the plug-in did not start");
    return;
  }
  h.TrackCursor(kOnFirstCurve);
  h.MouseDown(kOnFirstCurve);
  h.MouseUp(kOnFirstCurve);
  for (auto _ : state) benchmark::DoNotOptimize(h.TrackCursor(kOnSecondCurve));
  std::filesystem::remove(options.preferencesFile);
}
BENCHMARK(BM_TangentLineCursorMove)->Unit(benchmark::kMicrosecond);

}  // namespace
