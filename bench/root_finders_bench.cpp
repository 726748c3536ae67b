// TangentRoots / NormalRoots against lib2geom's find_tangents / find_normals on the same seeded
// cubics and points. Both sides get their curve in their own prepared form (our Bezier with
// power-basis coefficients, lib2geom's D2<SBasis>); only the queries are timed.
//
// Counters (computed once over the whole query set):
//   agree_all    share of queries where every root ours returns is one of lib2geom's (within 1e-6
//                in t);
//   has_nearest  among queries where lib2geom finds a root, share where ours also finds
//                lib2geom's root nearest the cursor;
//   ours_none    share of those queries where ours finds no root at all.
#include <benchmark/benchmark.h>

#include <2geom/bezier-curve.h>
#include <2geom/sbasis-geometric.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "bench_fixtures.h"
#include "geometry/point_piece_solver.h"
#include "reference_engine.h"

namespace {

constexpr int kQueries = 2000;
constexpr double kSameRoot = 1e-6;

struct Query {
  geom::PointPieceSolver ours;
  Geom::D2<Geom::SBasis> theirs;
  Geom::Point p;
  geom::Point cursor;
};

const std::vector<Query>& Queries() {
  static const std::vector<Query> queries = [] {
    std::mt19937 rng(2024);
    std::uniform_real_distribution<double> coord(-50, 150), unit(0, 1);
    std::vector<Query> q;
    for (int i = 0; i < kQueries; ++i) {
      const geom::Bezier c = bench::RandomCubic(rng);
      const geom::Point p{coord(rng), coord(rng)};
      const Geom::CubicBezier g(Geom::Point(c.P(0).h, c.P(0).v), Geom::Point(c.P(1).h, c.P(1).v),
                                Geom::Point(c.P(2).h, c.P(2).v), Geom::Point(c.P(3).h, c.P(3).v));
      q.push_back({{c, p}, g.toSBasis(), Geom::Point(p.h, p.v), c.At(unit(rng))});
    }
    return q;
  }();
  return queries;
}

using OursFn = std::vector<double> (*)(const geom::PointPieceSolver&, double);
using TheirsFn = std::vector<double> (*)(Geom::Point, const Geom::D2<Geom::SBasis>&);

std::vector<double> InUnit(std::vector<double> roots) {
  std::erase_if(roots, [](double t) { return !(t >= 0 && t <= 1); });
  return roots;
}

bool Contains(const std::vector<double>& roots, double t) {
  return std::any_of(roots.begin(), roots.end(), [t](double r) { return std::abs(r - t) <= kSameRoot; });
}

void SetAgreementCounters(benchmark::State& state, OursFn ours, TheirsFn theirs) {
  int agree = 0, withRoot = 0, nearestFound = 0, oursNone = 0;
  for (const Query& q : Queries()) {
    const std::vector<double> a = ours(q.ours, 0.5);
    const std::vector<double> b = InUnit(theirs(q.p, q.theirs));
    agree += std::all_of(a.begin(), a.end(), [&](double t) { return Contains(b, t); });
    if (b.empty()) continue;
    ++withRoot;
    oursNone += a.empty();
    const double nearest = *std::min_element(b.begin(), b.end(), [&](double x, double y) {
      return geom::Distance(q.ours.piece.At(x), q.cursor) < geom::Distance(q.ours.piece.At(y), q.cursor);
    });
    nearestFound += Contains(a, nearest);
  }
  state.counters["agree_all"] = static_cast<double>(agree) / kQueries;
  state.counters["has_nearest"] = withRoot ? static_cast<double>(nearestFound) / withRoot : 0;
  state.counters["ours_none"] = withRoot ? static_cast<double>(oursNone) / withRoot : 0;
}

template <OursFn F>
void Ours(benchmark::State& state) {
  const std::vector<Query>& queries = Queries();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(F(queries[i].ours, 0.5));
    if (++i == queries.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}

template <TheirsFn F>
void Lib2geom(benchmark::State& state) {
  const std::vector<Query>& queries = Queries();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(F(queries[i].p, queries[i].theirs));
    if (++i == queries.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_TangentRoots_Ours(benchmark::State& state) {
  Ours<geom::TangentRoots>(state);
  SetAgreementCounters(state, geom::TangentRoots, Geom::find_tangents);
}
void BM_TangentRoots_Lib2geom(benchmark::State& state) { Lib2geom<Geom::find_tangents>(state); }
void BM_NormalRoots_Ours(benchmark::State& state) {
  Ours<geom::NormalRoots>(state);
  SetAgreementCounters(state, geom::NormalRoots, Geom::find_normals);
}
void BM_NormalRoots_Lib2geom(benchmark::State& state) { Lib2geom<Geom::find_normals>(state); }

// The root finders as they were: Newton from fixed starts (the frozen reference copy).
void BM_TangentRoots_Reference(benchmark::State& state) {
  Ours<geom::reference::TangentRoots>(state);
  SetAgreementCounters(state, geom::reference::TangentRoots, Geom::find_tangents);
}
void BM_NormalRoots_Reference(benchmark::State& state) {
  Ours<geom::reference::NormalRoots>(state);
  SetAgreementCounters(state, geom::reference::NormalRoots, Geom::find_normals);
}

BENCHMARK(BM_TangentRoots_Ours);
BENCHMARK(BM_TangentRoots_Reference);
BENCHMARK(BM_NormalRoots_Reference);
BENCHMARK(BM_TangentRoots_Lib2geom);
BENCHMARK(BM_NormalRoots_Ours);
BENCHMARK(BM_NormalRoots_Lib2geom);

}  // namespace
