// What a user feels on big documents, through the loaded module and PIMain:
// the latency of one cursor move with the circle tool chosen, on documents
// of 1,000 to 40,000 paths with smart guides off and on, and the process's
// memory growth over 100 circles made on a 10,000-path document.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "host/Host.h"
#include "host/model/Document.h"

namespace {

// A host with the module started, the circle tool chosen and `paths` small
// closed four-anchor paths in a grid on the current layer.
struct BigDocument {
  explicit BigDocument(int paths) : host(Options()) {
    host.NewDocument(20000, 20000);
    host.LoadPlugin(CORVANE_MODULE_PATH);
    if (host.Startup() != kNoErr || host.SelectTool("QM Circle by 2 or 3 points") != kNoErr) std::abort();
    host::model::Document& d = host.document();
    const host::model::ArtId layer = d.layer(d.currentLayer()).group;
    for (int i = 0; i < paths; ++i) {
      const double x = 20.0 * (i % 200), y = 20.0 * (i / 200);
      const host::model::ArtId id = d.NewArt(host::model::ArtType::Path, {kPlaceInsideOnTop, layer});
      host::model::Art& art = d.art(id);
      for (const host::model::Point p : {host::model::Point{x, y}, {x + 10, y}, {x + 10, y + 10}, {x, y + 10}})
        art.segments.push_back({p, p, p, true});
      art.closed = true;
    }
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

long ResidentBytes() {
  long pages = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * sysconf(_SC_PAGESIZE);
}

void BM_HundredCircles(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    const long before = ResidentBytes();
    BigDocument doc(static_cast<int>(state.range(0)));
    const long built = ResidentBytes();
    state.ResumeTiming();
    for (int i = 0; i < 100; ++i) {
      const float x = 100.0f + 30 * (i % 20), y = 5000.0f + 30 * (i / 20);
      doc.host.MouseDown({x, y});
      doc.host.MouseDrag({x + 20, y});
      doc.host.MouseUp({x + 20, y});
    }
    state.PauseTiming();
    state.counters["document_MB"] = static_cast<double>(built - before) / 1e6;
    state.counters["growth_MB"] = static_cast<double>(ResidentBytes() - built) / 1e6;
    state.counters["undo_steps"] = static_cast<double>(doc.host.UndoDepth());
    state.ResumeTiming();
  }
}
BENCHMARK(BM_HundredCircles)->Arg(10000)->ArgName("paths")->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
