// FindTangentCircle per query on pairs of wavy in-memory paths of 1, 10, 50 and 200 pieces,
// and its recall against an exhaustive reference written here.
//
// Reference: a circle of radius r touches a curve where its centre lies on the curve's normal
// at distance r, that is on one of the curve's two offset curves. For every pair of pieces and
// each of the four side combinations, both offset curves are sampled densely (kSamples
// segments) and the polylines intersected; each crossing is polished by Newton's method on
// O1(t1) = O2(t2). Kept: t1, t2 in [0, 1], touching points at least kCurvesMeet apart. The
// nearest centre to the guess is the reference answer.
//
// Counters (over all queries of the size):
//   recall       share of queries with a reference circle where the engine returns the
//                reference's nearest circle (centre within 1e-3);
//   missed_all   share of those where the engine returns no circle at all;
//   with_circle  share of queries for which the reference has a circle.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <optional>

#include "bench_fixtures.h"
#include "geometry/piece_source.h"
#include "geometry/tangent_circle.h"
#include "tangent_circle_scenario.h"
#include "reference_engine.h"

namespace {

constexpr int kSamples = 96;
constexpr double kSameCentre = 1e-3;

// Centre candidate on side s (+1 left, -1 right) of piece c at t.
geom::Point Offset(const geom::Bezier& c, double t, double s, double r) {
  return c.At(t) + s * r * geom::Unit(geom::TurnLeft(c.Derivative(t)));
}

std::optional<std::pair<double, double>> Polish(const geom::Bezier& a, double s1, const geom::Bezier& b, double s2,
                                                double r, double t1, double t2) {
  for (int i = 0; i < 40; ++i) {
    const geom::Point f = Offset(a, t1, s1, r) - Offset(b, t2, s2, r);
    if (geom::Length(f) < 1e-11) return std::pair{t1, t2};
    const double h = 1e-7;
    const geom::Point da = (Offset(a, t1 + h, s1, r) - Offset(a, t1 - h, s1, r)) / (2 * h);
    const geom::Point db = (Offset(b, t2 + h, s2, r) - Offset(b, t2 - h, s2, r)) / (2 * h) * -1;
    const double det = geom::Cross(da, db);
    if (std::abs(det) < 1e-14) return std::nullopt;
    t1 -= geom::Cross(f, db) / det;
    t2 -= geom::Cross(da, f) / det;
    if (!std::isfinite(t1) || !std::isfinite(t2)) return std::nullopt;
  }
  const geom::Point f = Offset(a, t1, s1, r) - Offset(b, t2, s2, r);
  return geom::Length(f) < 1e-8 ? std::optional(std::pair{t1, t2}) : std::nullopt;
}

struct Box {
  double minH = 1e300, minV = 1e300, maxH = -1e300, maxV = -1e300;
  void Add(geom::Point p) {
    minH = std::min(minH, p.h), maxH = std::max(maxH, p.h), minV = std::min(minV, p.v), maxV = std::max(maxV, p.v);
  }
  bool Overlaps(const Box& o) const { return minH <= o.maxH && o.minH <= maxH && minV <= o.maxV && o.minV <= maxV; }
};

// All reference centres between two pieces (offset polylines intersected, then polished).
void PairCentres(const geom::Bezier& a, const geom::Bezier& b, double r, std::vector<geom::Point>& out) {
  for (double s1 : {1.0, -1.0}) {
    for (double s2 : {1.0, -1.0}) {
      std::vector<geom::Point> pa(kSamples + 1), pb(kSamples + 1);
      for (int i = 0; i <= kSamples; ++i) pa[i] = Offset(a, double(i) / kSamples, s1, r);
      for (int i = 0; i <= kSamples; ++i) pb[i] = Offset(b, double(i) / kSamples, s2, r);
      for (int i = 0; i < kSamples; ++i) {
        Box ba;
        ba.Add(pa[i]), ba.Add(pa[i + 1]);
        for (int j = 0; j < kSamples; ++j) {
          Box bb;
          bb.Add(pb[j]), bb.Add(pb[j + 1]);
          if (!ba.Overlaps(bb)) continue;
          const geom::Point d1 = pa[i + 1] - pa[i], d2 = pb[j + 1] - pb[j];
          const double det = geom::Cross(d1, d2);
          if (det == 0) continue;
          const double u = geom::Cross(pb[j] - pa[i], d2) / det, v = geom::Cross(pb[j] - pa[i], d1) / det;
          if (u < -0.05 || u > 1.05 || v < -0.05 || v > 1.05) continue;
          const auto fit = Polish(a, s1, b, s2, r, (i + u) / kSamples, (j + v) / kSamples);
          if (!fit || fit->first < 0 || fit->first > 1 || fit->second < 0 || fit->second > 1) continue;
          if (geom::Distance(a.At(fit->first), b.At(fit->second)) < geom::tol::kCurvesMeet) continue;
          out.push_back(Offset(a, fit->first, s1, r));
        }
      }
    }
  }
}

Box GrownBox(const geom::Bezier& c, double r) {
  Box b;
  for (geom::Point p : c.Controls()) b.Add(p);
  b.minH -= r, b.minV -= r, b.maxH += r, b.maxV += r;
  return b;
}

std::optional<geom::Point> ReferenceNearest(const geom::PieceSource& p1, const geom::PieceSource& p2, double r,
                                            geom::Point guess) {
  std::vector<geom::Point> centres;
  for (int i = 0; i < p1.CountPieces(); ++i) {
    const geom::Bezier a = p1.GetPiece(i);
    for (int j = 0; j < p2.CountPieces(); ++j) {
      const geom::Bezier b = p2.GetPiece(j);
      if (GrownBox(a, r).Overlaps(GrownBox(b, r))) PairCentres(a, b, r, centres);
    }
  }
  if (centres.empty()) return std::nullopt;
  return *std::min_element(centres.begin(), centres.end(), [&](geom::Point x, geom::Point y) {
    return geom::Distance(x, guess) < geom::Distance(y, guess);
  });
}

}  // namespace

namespace bench {

constexpr int kQueriesPerSize = 60;

const TangentScenario& TangentScenarioFor(int pieces) {
  static std::map<int, TangentScenario> cache;
  auto it = cache.find(pieces);
  if (it != cache.end()) return it->second;
  std::mt19937 rng(7000 + pieces);
  TangentScenario s;
  s.first = std::make_unique<geom::InMemoryPath>(WavyPath(pieces, 0, rng), false);
  s.second = std::make_unique<geom::InMemoryPath>(WavyPath(pieces, 45, rng), false);
  std::uniform_real_distribution<double> unit(0, 1), radius(8, 30), lift(-20, 65);
  std::uniform_int_distribution<int> piece(0, pieces - 1);
  for (int q = 0; q < kQueriesPerSize; ++q) {
    const int k = piece(rng);
    const int k2 = std::clamp(k + static_cast<int>(std::lround(unit(rng) * 2 - 1)), 0, pieces - 1);
    const double r = radius(rng);
    const geom::Point guess{20.0 * (k + unit(rng)), lift(rng)};
    TangentQuery query{{k, unit(rng)}, {k2, unit(rng)}, r, guess, std::nullopt};
    query.reference = ReferenceNearest(*s.first, *s.second, r, guess);
    s.queries.push_back(query);
  }
  return cache.emplace(pieces, std::move(s)).first->second;
}

}  // namespace bench

namespace {

using bench::TangentQuery;
using bench::TangentScenario;

// A path read the way the host's paths are: every piece read is counted, and a search may not
// keep pieces between reads (PiecesMayBeKept is false), so the reference engine reads per pair.
class CountingPath final : public geom::PieceSource {
 public:
  explicit CountingPath(const geom::InMemoryPath& path) : path_(path) {}
  int CountPieces() const override { return path_.CountPieces(); }
  geom::Bezier GetPiece(int i) const override {
    ++reads_;
    return path_.GetPiece(i);
  }
  const void* Identity() const override { return path_.Identity(); }
  long Reads() const { return reads_; }

 private:
  const geom::InMemoryPath& path_;
  mutable long reads_ = 0;
};

using Engine = bool (*)(const geom::PieceSource&, geom::PieceRef, const geom::PieceSource&, geom::PieceRef, double,
                        geom::Point, geom::TangentCircle&);

template <Engine Find>
void FindTangentCircleWith(benchmark::State& state) {
  const TangentScenario& s = bench::TangentScenarioFor(static_cast<int>(state.range(0)));
  const CountingPath first(*s.first), second(*s.second);
  std::size_t i = 0;
  for (auto _ : state) {
    const TangentQuery& q = s.queries[i];
    geom::TangentCircle result;
    benchmark::DoNotOptimize(Find(first, q.pick1, second, q.pick2, q.r, q.guess, result));
    if (++i == s.queries.size()) i = 0;
  }
  state.counters["reads"] = static_cast<double>(first.Reads() + second.Reads()) / state.iterations();
  int withCircle = 0, hit = 0, none = 0;
  for (const TangentQuery& q : s.queries) {
    if (!q.reference) continue;
    ++withCircle;
    geom::TangentCircle result;
    if (!Find(*s.first, q.pick1, *s.second, q.pick2, q.r, q.guess, result)) {
      ++none;
    } else if (geom::Distance(result.centre, *q.reference) <= kSameCentre) {
      ++hit;
    }
  }
  const double n = withCircle ? withCircle : 1;
  state.counters["recall"] = hit / n;
  state.counters["missed_all"] = none / n;
  state.counters["with_circle"] = static_cast<double>(withCircle) / s.queries.size();
  state.SetItemsProcessed(state.iterations());
}

void BM_FindTangentCircle(benchmark::State& state) { FindTangentCircleWith<geom::FindTangentCircle>(state); }
void BM_FindTangentCircle_Reference(benchmark::State& state) {
  FindTangentCircleWith<geom::reference::FindTangentCircle>(state);
}

BENCHMARK(BM_FindTangentCircle)->Arg(1)->Arg(10)->Arg(50)->Arg(200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindTangentCircle_Reference)->Arg(1)->Arg(10)->Arg(50)->Arg(200)->Unit(benchmark::kMicrosecond);

}  // namespace
