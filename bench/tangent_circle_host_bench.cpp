// FindTangentCircle, ours and the frozen reference, on the scene of the in-memory benchmark
// (tangent_circle_scenario.h) with its two paths held in a stand-in host's document and read
// through the host's path suite by the plug-in's own source (geom::hostpath::ArtPieceSource),
// so that every host read each engine makes is timed.
#include <benchmark/benchmark.h>

#include <cstddef>

#include "geometry/host/art_piece_source.h"
#include "geometry/tangent_circle.h"
#include "host/Host.h"
#include "host/core/SuiteCall.h"
#include "host/model/Document.h"
#include "host/model/Ids.h"
#include "hostcall/SuiteSet.h"
#include "reference_engine.h"
#include "tangent_circle_scenario.h"

namespace {

AIArtHandle AddPath(host::model::Document& d, const geom::SegmentList& segments) {
  const host::model::ArtId id =
      d.NewArt(host::model::ArtType::Path, {kPlaceInsideOnTop, d.layer(d.currentLayer()).group});
  for (const geom::Segment& s : segments)
    d.art(id).segments.push_back({{s.p.h, s.p.v}, {s.in.h, s.in.v}, {s.out.h, s.out.v}, s.corner});
  return host::model::ArtHandle(id);
}

template <bool Reference>
void FindTangentCircleThroughHost(benchmark::State& state) {
  const bench::TangentScenario& s = bench::TangentScenarioFor(static_cast<int>(state.range(0)));
  host::Host h{host::HostOptions{}};
  h.NewDocument(20000, 20000);
  const AIArtHandle firstArt = AddPath(h.document(), s.first->Segments());
  const AIArtHandle secondArt = AddPath(h.document(), s.second->Segments());
  const void* basic = nullptr;
  if (h.suites().Acquire(kSPBasicSuite, kSPBasicSuiteVersion, &basic) != kNoErr) {
    state.SkipWithError("no basic suite");
    return;
  }
  {
    ai::SuiteSet suites(static_cast<const SPBasicSuite*>(basic));
    const geom::hostpath::ArtPieceSource first(suites, firstArt), second(suites, secondArt);
    host::SuiteTime& time = host::HostSuiteTime();
    time = host::SuiteTime{};
    time.on = true;
    std::size_t i = 0;
    for (auto _ : state) {
      const bench::TangentQuery& q = s.queries[i];
      geom::TangentCircle result;
      if constexpr (Reference)
        benchmark::DoNotOptimize(
            geom::reference::FindTangentCircle(first, q.pick1, second, q.pick2, q.r, q.guess, result));
      else
        benchmark::DoNotOptimize(geom::FindTangentCircle(first, q.pick1, second, q.pick2, q.r, q.guess, result));
      if (++i == s.queries.size()) i = 0;
    }
    time.on = false;
    state.counters["suite_calls"] = static_cast<double>(time.suites.calls) / static_cast<double>(state.iterations());
  }
  h.suites().Release(kSPBasicSuite, kSPBasicSuiteVersion);
}

void BM_FindTangentCircleThroughHost(benchmark::State& state) { FindTangentCircleThroughHost<false>(state); }
void BM_FindTangentCircleThroughHost_Reference(benchmark::State& state) { FindTangentCircleThroughHost<true>(state); }

BENCHMARK(BM_FindTangentCircleThroughHost)->Arg(1)->Arg(10)->Arg(50)->Arg(200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindTangentCircleThroughHost_Reference)->Arg(1)->Arg(10)->Arg(50)->Arg(200)->Unit(benchmark::kMicrosecond);

}  // namespace
