// FindTangentCircle, ours and the frozen reference, reading the two wavy paths of the
// geometry benchmark through the stand-in host's path suite as the plug-in reads them: a
// piece costs a segment count, a closed flag and its segments (three or four suite calls), a
// whole path the same in one go.  So the time includes every host read each engine makes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <stdexcept>
#include <vector>

#include "bench_fixtures.h"
#include "geometry/piece_source.h"
#include "geometry/tangent_circle.h"
#include "host/Host.h"
#include "host/core/SuiteCall.h"
#include "host/model/Document.h"
#include "host/model/Ids.h"
#include "reference_engine.h"

namespace {

// A path of the host's document, read through its path suite.
class HostPath final : public geom::PieceSource {
 public:
  HostPath(const AIPathSuite& paths, AIArtHandle art) : paths_(paths), art_(art) {}
  int CountPieces() const override { return geom::CountPieces(SegmentCount(), Closed()); }
  geom::Bezier GetPiece(int i) const override {
    const int16_t count = SegmentCount();
    if (i < 0 || i >= geom::CountPieces(count, Closed())) throw std::out_of_range("no such piece");
    AIPathSegment ends[2];
    if (i < count - 1) {
      Call(paths_.GetPathSegments(art_, static_cast<int16_t>(i), 2, ends));
    } else {
      Call(paths_.GetPathSegments(art_, static_cast<int16_t>(i), 1, &ends[0]));
      Call(paths_.GetPathSegments(art_, 0, 1, &ends[1]));
    }
    return {Point(ends[0].p), Point(ends[0].out), Point(ends[1].in), Point(ends[1].p)};
  }
  std::vector<geom::Bezier> AllPieces() const override {
    const int16_t count = SegmentCount();
    const bool closed = Closed();
    std::vector<AIPathSegment> segments(static_cast<std::size_t>(count));
    Call(paths_.GetPathSegments(art_, 0, count, segments.data()));
    std::vector<geom::Bezier> pieces;
    for (int i = 0; i < geom::CountPieces(count, closed); ++i) {
      const AIPathSegment &a = segments[static_cast<std::size_t>(i)], &b = segments[static_cast<std::size_t>((i + 1) % count)];
      pieces.emplace_back(Point(a.p), Point(a.out), Point(b.in), Point(b.p));
    }
    return pieces;
  }
  bool Closed() const override {
    AIBoolean closed = false;
    Call(paths_.GetPathClosed(art_, &closed));
    return closed != 0;
  }
  const void* Identity() const override { return art_; }

 private:
  static void Call(AIErr e) {
    if (e != kNoErr) throw std::runtime_error("host read failed");
  }
  static geom::Point Point(AIRealPoint p) { return {p.h, p.v}; }
  int16_t SegmentCount() const {
    int16_t count = 0;
    Call(paths_.GetPathSegmentCount(art_, &count));
    return count;
  }
  const AIPathSuite& paths_;
  AIArtHandle art_;
};

// The host's document holding the two paths of the in-memory scenario of that size.
struct HostScene {
  std::unique_ptr<host::Host> host;
  const AIPathSuite* paths = nullptr;
  AIArtHandle first = nullptr, second = nullptr;
};

AIArtHandle AddPath(host::model::Document& d, const geom::SegmentList& segments) {
  const host::model::ArtId id = d.NewArt(host::model::ArtType::Path, {kPlaceInsideOnTop, d.layer(d.currentLayer()).group});
  for (const geom::Segment& s : segments)
    d.art(id).segments.push_back({{s.p.h, s.p.v}, {s.in.h, s.in.v}, {s.out.h, s.out.v}, s.corner});
  return host::model::ArtHandle(id);
}

template <bool Reference>
void FindTangentCircleThroughHost(benchmark::State& state) {
  const int pieces = static_cast<int>(state.range(0));
  // The same seeds and draws as the in-memory benchmark's scenario.
  std::mt19937 rng(7000 + pieces);
  const geom::SegmentList a = bench::WavyPath(pieces, 0, rng), b = bench::WavyPath(pieces, 45, rng);
  HostScene scene{std::make_unique<host::Host>(host::HostOptions{})};
  scene.host->NewDocument(20000, 20000);
  scene.first = AddPath(scene.host->document(), a);
  scene.second = AddPath(scene.host->document(), b);
  const void* table = nullptr;
  if (scene.host->suites().Acquire(kAIPathSuite, kAIPathSuiteVersion, &table) != kNoErr) {
    state.SkipWithError("no path suite");
    return;
  }
  const HostPath first(*static_cast<const AIPathSuite*>(table), scene.first);
  const HostPath second(*static_cast<const AIPathSuite*>(table), scene.second);
  std::uniform_real_distribution<double> unit(0, 1), radius(8, 30), lift(-20, 65);
  std::uniform_int_distribution<int> piece(0, pieces - 1);
  struct Query {
    geom::PieceRef pick1, pick2;
    double r;
    geom::Point guess;
  };
  std::vector<Query> queries;
  for (int q = 0; q < 60; ++q) {
    const int k = piece(rng);
    const int k2 = std::clamp(k + static_cast<int>(std::lround(unit(rng) * 2 - 1)), 0, pieces - 1);
    const double r = radius(rng);
    const geom::Point guess{20.0 * (k + unit(rng)), lift(rng)};
    queries.push_back({{k, unit(rng)}, {k2, unit(rng)}, r, guess});
  }
  host::SuiteTime& time = host::HostSuiteTime();
  time = host::SuiteTime{};
  time.on = true;
  std::size_t i = 0;
  for (auto _ : state) {
    const Query& q = queries[i];
    geom::TangentCircle result;
    if constexpr (Reference)
      benchmark::DoNotOptimize(geom::reference::FindTangentCircle(first, q.pick1, second, q.pick2, q.r, q.guess, result));
    else
      benchmark::DoNotOptimize(geom::FindTangentCircle(first, q.pick1, second, q.pick2, q.r, q.guess, result));
    if (++i == queries.size()) i = 0;
  }
  time.on = false;
  state.counters["suite_calls"] = static_cast<double>(time.suites.calls) / static_cast<double>(state.iterations());
  scene.host->suites().Release(kAIPathSuite, kAIPathSuiteVersion);
}

void BM_FindTangentCircleThroughHost(benchmark::State& state) { FindTangentCircleThroughHost<false>(state); }
void BM_FindTangentCircleThroughHost_Reference(benchmark::State& state) { FindTangentCircleThroughHost<true>(state); }

BENCHMARK(BM_FindTangentCircleThroughHost)->Arg(1)->Arg(10)->Arg(50)->Arg(200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindTangentCircleThroughHost_Reference)->Arg(1)->Arg(10)->Arg(50)->Arg(200)->Unit(benchmark::kMicrosecond);

}  // namespace
