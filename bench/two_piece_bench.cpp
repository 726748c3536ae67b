// The two-piece line solver per pair of pieces, and the whole two-path contact search on two
// wavy paths of 50 pieces. Counter "solved": share of pairs / searches that return a line.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench_fixtures.h"
#include "geometry/two_piece_solver.h"

namespace {

struct PiecePair {
  geom::Bezier first, second;
  double a0, b0;
};

const std::vector<PiecePair>& Pairs() {
  static const std::vector<PiecePair> pairs = [] {
    std::mt19937 rng(31);
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<PiecePair> p;
    for (int i = 0; i < 1000; ++i) {
      const geom::Bezier a = bench::RandomCubic(rng), b0 = bench::RandomCubic(rng);
      const geom::Point shift{120, 20};
      p.push_back({a, geom::Bezier(b0.P(0) + shift, b0.P(1) + shift, b0.P(2) + shift, b0.P(3) + shift), unit(rng),
                   unit(rng)});
    }
    return p;
  }();
  return pairs;
}

void BM_TwoPieceSolver(benchmark::State& state) {
  const auto kind = static_cast<geom::LineKind>(state.range(0));
  const std::vector<PiecePair>& pairs = Pairs();
  std::size_t i = 0;
  for (auto _ : state) {
    const PiecePair& p = pairs[i];
    geom::TwoPieceSolver solver(p.first, p.second, kind, p.a0, p.b0);
    benchmark::DoNotOptimize(solver.Solve());
    if (++i == pairs.size()) i = 0;
  }
  int solved = 0;
  for (const PiecePair& p : pairs) solved += geom::TwoPieceSolver(p.first, p.second, kind, p.a0, p.b0).Solve().has_value();
  state.counters["solved"] = static_cast<double>(solved) / pairs.size();
  state.SetLabel(kind == geom::LineKind::Tangent ? "tangent pair" : "perpendicular pair");
  state.SetItemsProcessed(state.iterations());
}

void BM_FindLineContact50(benchmark::State& state) {
  const auto kind = static_cast<geom::LineKind>(state.range(0));
  std::mt19937 rng(77);
  const geom::InMemoryPath first(bench::WavyPath(50, 0, rng), false), second(bench::WavyPath(50, 80, rng), false);
  std::uniform_int_distribution<int> piece(0, 49);
  std::uniform_real_distribution<double> unit(0, 1);
  std::vector<std::pair<geom::PieceRef, geom::PieceRef>> picks;
  for (int i = 0; i < 50; ++i) picks.push_back({{piece(rng), unit(rng)}, {piece(rng), unit(rng)}});
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(geom::FindLineContact(first, picks[i].first, second, picks[i].second, kind));
    if (++i == picks.size()) i = 0;
  }
  int solved = 0;
  for (const auto& [p1, p2] : picks) solved += geom::FindLineContact(first, p1, second, p2, kind).has_value();
  state.counters["solved"] = static_cast<double>(solved) / picks.size();
  state.SetLabel(kind == geom::LineKind::Tangent ? "tangent pair" : "perpendicular pair");
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_TwoPieceSolver)->Arg(static_cast<int>(geom::LineKind::Tangent))
    ->Arg(static_cast<int>(geom::LineKind::Perpendicular))->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindLineContact50)->Arg(static_cast<int>(geom::LineKind::Tangent))
    ->Arg(static_cast<int>(geom::LineKind::Perpendicular))->Unit(benchmark::kMicrosecond);

}  // namespace
