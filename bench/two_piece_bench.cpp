// The two-piece line solver per pair of pieces, and the whole two-path contact search on two
// wavy paths of 1, 10, 50 and 200 pieces, ours beside the frozen reference search (the first
// pair of pieces outward from the picks on which 17 Newton runs find a contact).
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <optional>

#include "bench_fixtures.h"
#include "geometry/two_piece_solver.h"
#include "reference_engine.h"

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

// Two wavy paths of n pieces 80 pt apart and 40 seeded picks on them, made once per size.
struct LineScene {
  geom::InMemoryPath first, second;
  std::vector<std::pair<geom::PieceRef, geom::PieceRef>> picks;
};

const LineScene& SceneOf(int n) {
  static std::map<int, std::unique_ptr<LineScene>> scenes;
  std::unique_ptr<LineScene>& s = scenes[n];
  if (!s) {
    std::mt19937 rng(77 + n);
    s = std::make_unique<LineScene>(LineScene{geom::InMemoryPath(bench::WavyPath(n, 0, rng), false),
                                              geom::InMemoryPath(bench::WavyPath(n, 80, rng), false), {}});
    std::uniform_int_distribution<int> piece(0, n - 1);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < 40; ++i) s->picks.push_back({{piece(rng), unit(rng)}, {piece(rng), unit(rng)}});
  }
  return *s;
}

double Score(const LineScene& s, const std::pair<geom::PieceRef, geom::PieceRef>& pick, const geom::LineContact& c) {
  auto at = [](const geom::InMemoryPath& p, geom::PieceRef r) { return p.GetPiece(r.piece).At(r.t); };
  return 2 * geom::Distance(at(s.first, c.first), at(s.first, pick.first)) +
         geom::Distance(at(s.second, c.second), at(s.second, pick.second));
}

using Search = std::optional<geom::LineContact> (*)(const geom::PieceSource&, geom::PieceRef, const geom::PieceSource&,
                                                    geom::PieceRef, geom::LineKind);

// One contact search per iteration on two paths of state.range(0) pieces, kind state.range(1).
// Counters, over the scene's picks: "solved", share of searches that return a line; "nearest",
// share of those with a line where the search returns the nearest contact either engine finds
// (score within 1e-4); "nearer", share where its contact is nearer than the other engine's.
void RunLineContact(benchmark::State& state, Search search, Search other) {
  const LineScene& s = SceneOf(static_cast<int>(state.range(0)));
  const auto kind = static_cast<geom::LineKind>(state.range(1));
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(search(s.first, s.picks[i].first, s.second, s.picks[i].second, kind));
    if (++i == s.picks.size()) i = 0;
  }
  int solved = 0, nearest = 0, nearer = 0;
  for (const auto& pick : s.picks) {
    const auto mine = search(s.first, pick.first, s.second, pick.second, kind);
    const auto theirs = other(s.first, pick.first, s.second, pick.second, kind);
    if (!mine) continue;
    ++solved;
    const double a = Score(s, pick, *mine), b = theirs ? Score(s, pick, *theirs) : 1e300;
    nearest += a <= b + 1e-4;
    nearer += a < b - 1e-4;
  }
  state.counters["solved"] = static_cast<double>(solved) / s.picks.size();
  state.counters["nearest"] = solved ? static_cast<double>(nearest) / solved : 0;
  state.counters["nearer"] = solved ? static_cast<double>(nearer) / solved : 0;
  state.SetLabel(kind == geom::LineKind::Tangent ? "tangent" : "perpendicular");
  state.SetItemsProcessed(state.iterations());
}

void BM_FindLineContact(benchmark::State& state) {
  RunLineContact(state, geom::FindLineContact, geom::reference::FindLineContact);
}
void BM_FindLineContact_Reference(benchmark::State& state) {
  RunLineContact(state, geom::reference::FindLineContact, geom::FindLineContact);
}

void LineArgs(benchmark::internal::Benchmark* b) {
  for (int kind = 0; kind < 2; ++kind)
    for (int n : {1, 10, 50, 200}) b->Args({n, kind});
  b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_TwoPieceSolver)->Arg(static_cast<int>(geom::LineKind::Tangent))
    ->Arg(static_cast<int>(geom::LineKind::Perpendicular))->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindLineContact)->Apply(LineArgs);
BENCHMARK(BM_FindLineContact_Reference)->Apply(LineArgs);

}  // namespace
