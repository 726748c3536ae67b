// One cursor move of a tool through PIMain on a bundled example, with the first path picked:
// the host's message, the hit test, the tool's search through the host's path suite, the
// invalidation passes of the feedback and the cursor.
//   "QM Tangent Line" on lines.svg: the two-path contact search.
//   "QM Tangent Circle" on tangent-circle.svg: the tangent-circle search (radius 60 pt).
// And one cursor move of every tool the module registers, nothing picked yet, over a path of a
// generated document of 10, 1,000 and 10,000 paths (bench/big_document.h).
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "big_document.h"
#include "host/Host.h"
#include "host/core/SuiteCall.h"
#include "host/runtime/Preferences.h"

namespace {

// A started host on the example with the tool chosen, its preferences in a file of its own;
// null (and the benchmark skipped) when the plug-in does not start.
class BenchHost {
 public:
  BenchHost(benchmark::State& state, const char* example, const char* tool) {
    options_.preferencesFile = std::filesystem::temp_directory_path() / "corvane-bench-preferences.ini";
    std::filesystem::remove(options_.preferencesFile);
    host_ = std::make_unique<host::Host>(options_);
    host_->OpenDocument(std::filesystem::path(CORVANE_EXAMPLES_DIR) / example);
    host_->LoadPlugin(CORVANE_MODULE_PATH);
    if (host_->Startup() != kNoErr || host_->SelectTool(tool) != kNoErr) state.SkipWithError("the plug-in did not start");
  }
  ~BenchHost() {
    host_.reset();
    std::filesystem::remove(options_.preferencesFile);
  }
  host::Host& operator*() { return *host_; }
  host::Host* operator->() { return host_.get(); }

 private:
  host::HostOptions options_;
  std::unique_ptr<host::Host> host_;
};

void Click(host::Host& h, AIRealPoint p) {
  h.TrackCursor(p);
  h.MouseDown(p);
  h.MouseUp(p);
}

void BM_TangentLineCursorMove(benchmark::State& state) {
  // Points on the example's two curved strokes (artwork coordinates, the pieces at t = 0.5).
  constexpr AIRealPoint kOnFirstCurve{121.25, -130};
  constexpr AIRealPoint kOnSecondCurve{293.75, -205};
  BenchHost h(state, "lines.svg", "QM Tangent Line");
  Click(*h, kOnFirstCurve);
  for (auto _ : state) benchmark::DoNotOptimize(h->TrackCursor(kOnSecondCurve));
}
BENCHMARK(BM_TangentLineCursorMove)->Unit(benchmark::kMicrosecond);

void BM_TangentCircleCursorMove(benchmark::State& state) {
  // Points on the example's two wavy curves (the pieces at t = 0.3).
  constexpr AIRealPoint kOnUpperCurve{102, -65.5};
  constexpr AIRealPoint kOnLowerCurve{112.54, -178.04};
  BenchHost h(state, "tangent-circle.svg", "QM Tangent Circle");
  h->preferences().PutReal("Corvane", "CircleTTRRadius", 60);
  Click(*h, kOnUpperCurve);
  for (auto _ : state) benchmark::DoNotOptimize(h->TrackCursor(kOnLowerCurve));
}
BENCHMARK(BM_TangentCircleCursorMove)->Unit(benchmark::kMicrosecond);

void BM_ToolCursorMove(benchmark::State& state, const std::string& tool) {
  const int paths = static_cast<int>(state.range(0));
  host::HostOptions options;
  options.preferencesFile = std::filesystem::temp_directory_path() / "corvane-bench-preferences.ini";
  std::filesystem::remove(options.preferencesFile);
  host::Host h(options);
  h.NewDocument(20000, 20000);
  h.LoadPlugin(CORVANE_MODULE_PATH);
  if (h.Startup() != kNoErr || h.SelectTool(tool) != kNoErr) state.SkipWithError("the plug-in did not start");
  bench::AddGrid(h.document(), paths);
  // Two paths in the middle of the grid, moved between so that each move is news to the tool.
  const AIRealPoint over[] = {bench::NearPath(paths / 2), bench::NearPath(paths / 2 + 1)};
  int n = 0;
  host::SuiteTime& time = host::HostSuiteTime();
  time = host::SuiteTime{};
  time.on = true;
  for (auto _ : state) benchmark::DoNotOptimize(h.TrackCursor(over[n++ % 2]));
  time.on = false;
  // The plug-in's own share: time inside its entry less the suite calls it made there.
  const double moves = static_cast<double>(state.iterations());
  state.counters["plugin_us"] = std::chrono::duration<double, std::micro>(time.module.inside - time.suites.inside).count() / moves;
  state.counters["suite_calls"] = static_cast<double>(time.suites.calls) / moves;
  std::filesystem::remove(options.preferencesFile);
}

// One benchmark per tool the module registers, asked of the module once at start.
const bool kToolsRegistered = [] {
  host::HostOptions options;
  options.preferencesFile = std::filesystem::temp_directory_path() / "corvane-bench-tool-list.ini";
  std::vector<std::string> titles;
  {
    host::Host h(options);
    h.LoadPlugin(CORVANE_MODULE_PATH);
    if (h.Startup() == kNoErr)
      for (const host::ToolInfo& t : h.Tools()) titles.push_back(t.title);
  }
  std::filesystem::remove(options.preferencesFile);
  for (const std::string& title : titles)
    benchmark::RegisterBenchmark(("BM_ToolCursorMove/" + title).c_str(), BM_ToolCursorMove, title)
        ->Arg(10)
        ->Arg(1000)
        ->Arg(10000)
        ->ArgName("paths")
        ->Unit(benchmark::kMicrosecond);
  return true;
}();

}  // namespace
