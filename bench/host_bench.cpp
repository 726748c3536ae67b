// What a user feels on big documents, through the loaded module and PIMain:
// the latency of one cursor move with the circle tool chosen, on documents
// of 1,000 to 40,000 paths with smart guides off and on, and the memory that
// 100 circles made on a 10,000-path document add.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "big_document.h"
#include "host/Host.h"
#include "host/model/Document.h"
#include "host/model/HitTest.h"

namespace {

// A host with the module started, the circle tool chosen and a grid of
// `paths` small closed paths (bench/big_document.h).
struct BigDocument {
  explicit BigDocument(int paths) : host(Options()) {
    host.NewDocument(20000, 20000);
    host.LoadPlugin(CORVANE_MODULE_PATH);
    if (host.Startup() != kNoErr || host.SelectTool("QM Circle by 2 or 3 points") != kNoErr) std::abort();
    bench::AddGrid(host.document(), paths);
  }
  static host::HostOptions Options() {
    host::HostOptions options;
    options.preferencesFile = std::filesystem::temp_directory_path() / "corvane-bench-preferences.ini";
    return options;
  }
  host::Host host;
};

void BM_CursorMove(benchmark::State& state) {
  BigDocument doc(static_cast<int>(state.range(0)));
  doc.host.SetSmartGuides(state.range(1) != 0);
  float x = 1000;
  for (auto _ : state) {
    x = x > 3000 ? 1000 : x + 7;
    if (doc.host.TrackCursor({x, 1005}) != kNoErr) state.SkipWithError("cursor move failed");
  }
  state.SetLabel(state.range(1) ? "smart guides on" : "smart guides off");
}
BENCHMARK(BM_CursorMove)
    ->ArgsProduct({{1000, 10000, 40000}, {0, 1}})
    ->ArgNames({"paths", "guides"})
    ->Unit(benchmark::kMicrosecond);

// Back-to-back moves join one held undo step, so the host's undo work is
// paid only once.  An interactive host draws the overlay after each move;
// that message closes the held step, so each move and each redraw is a step
// of its own, as a user's hovering is.
void BM_CursorMoveAndRedraw(benchmark::State& state) {
  BigDocument doc(static_cast<int>(state.range(0)));
  doc.host.SetSmartGuides(state.range(1) != 0);
  float x = 1000;
  for (auto _ : state) {
    x = x > 3000 ? 1000 : x + 7;
    if (doc.host.TrackCursor({x, 1005}) != kNoErr) state.SkipWithError("cursor move failed");
    if (doc.host.DrawAnnotations() != kNoErr) state.SkipWithError("redraw failed");
  }
  state.SetLabel(state.range(1) ? "smart guides on" : "smart guides off");
}
BENCHMARK(BM_CursorMoveAndRedraw)
    ->ArgsProduct({{1000, 10000, 40000}, {0, 1}})
    ->ArgNames({"paths", "guides"})
    ->Unit(benchmark::kMicrosecond);

// Bytes the allocator has handed out and not taken back: unlike the resident
// size, it does not depend on what earlier benchmarks left in the free lists.
double HeapMB() { return static_cast<double>(mallinfo2().uordblks) / 1e6; }

void BM_HundredCircles(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    const double before = HeapMB();
    BigDocument doc(static_cast<int>(state.range(0)));
    const double built = HeapMB();
    state.ResumeTiming();
    for (int i = 0; i < 100; ++i) {
      const float x = 100.0f + 30 * (i % 20), y = 5000.0f + 30 * (i / 20);
      doc.host.MouseDown({x, y});
      doc.host.MouseDrag({x + 20, y});
      doc.host.MouseUp({x + 20, y});
    }
    state.PauseTiming();
    state.counters["document_MB"] = built - before;
    state.counters["growth_MB"] = HeapMB() - built;
    state.counters["undo_steps"] = static_cast<double>(doc.host.UndoDepth());
    state.ResumeTiming();
  }
}
BENCHMARK(BM_HundredCircles)->Arg(10000)->ArgName("paths")->Iterations(1)->Unit(benchmark::kMillisecond);

// The host's hit test of the whole document (what every picking tool asks on
// every move) at points over and between the paths of the grid, front and
// back: hits and misses alike.
void BM_HitTest(benchmark::State& state) {
  const int paths = static_cast<int>(state.range(0));
  host::model::Document doc;
  doc.AddLayer("Layer 1");
  bench::AddGrid(doc, paths);
  std::vector<host::model::Point> probes;
  for (int i = 0; i < 64; ++i) {
    const AIRealPoint p = bench::NearPath((i * 7919) % paths);
    probes.push_back({p.h + (i % 4 == 3 ? 8 : 0), p.v});  // every fourth between two paths
  }
  int hits = 0, n = 0;
  for (auto _ : state) {
    const host::model::Hit h =
        host::model::HitTest(doc, host::model::kNoId, probes[n++ % probes.size()], kSegmentOrCurveHitRequest, 3);
    hits += h.hit;
  }
  state.counters["hit_share"] = static_cast<double>(hits) / n;
}
BENCHMARK(BM_HitTest)->Arg(10)->Arg(1000)->Arg(10000)->ArgName("paths")->Unit(benchmark::kMicrosecond);

}  // namespace
