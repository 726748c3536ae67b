#include "geometry/tangent_circle.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <vector>

#include "geometry/construction.h"
#include "geometry/offset_hull.h"

namespace geom {

namespace {

// The line through p perpendicular to direction d.
ImplicitLine NormalLine(Point p, Point d) { return {d.h, d.v, -Dot(d, p)}; }

// The line through p along direction d.
ImplicitLine LineAlong(Point p, Point d) {
  const Point n = TurnLeft(d);
  return {n.h, n.v, -Dot(n, p)};
}

struct Centres {
  Point o1, o2;
};

// The candidate centres on each normal at distance r, on the side where the normals cross.
std::optional<Centres> CandidateCentres(Point p1, Point d1, Point p2, Point d2, double r) {
  const std::optional<Point> x = IntersectLines(NormalLine(p1, d1), NormalLine(p2, d2));
  if (!x) return std::nullopt;
  return Centres{p1 + r * Unit(*x - p1), p2 + r * Unit(*x - p2)};
}

bool InUnitInterval(double t) { return t >= 0 && t <= 1; }

// Moves t 0.5% of the way towards 0.5, off an end where the derivative vanishes.
double Nudge(double t) { return tol::kNudgeKeep * t + tol::kNudgeShift; }

// The undamped parameter change that moves the candidate centre o of piece c (at t, point p,
// derivative d with squared length ls) towards z, where the two centres' tangent lines cross.
// The distance |z - o| is turned into a parameter distance by the curve's speed |d| and the
// ratio q = |centre of curvature - o| / |radius of curvature|, the speed of the offset curve
// relative to the curve. The curvature is c.Curvature(t) written out with the derivative the
// round already holds; |d| (which is also |TurnLeft(d)|) is taken once.
double ParameterStep(const Bezier& c, double t, Point p, Point d, double ls, Point o, Point z) {
  const double len = std::sqrt(ls);
  const double rho = 1 / (Cross(d, c.SecondDerivative(t)) / std::pow(ls, 1.5));
  double q = 1;
  if (std::isfinite(rho) && std::abs(rho) <= tol::kFlatCurvatureRadius) {
    const Point normal = len > tol::kUnitMinLength ? TurnLeft(d) / len : Point{};
    const Point curvatureCentre = p + rho * normal;
    q = Distance(curvatureCentre, o) / std::abs(rho);
  }
  const double s = Dot(z - o, d) > 0 ? 1 : -1;
  return Distance(z, o) / len * s / q;
}

// One run of the iteration, played a round at a time so that a grid search can step its runs
// side by side (see GridSearch). A run's rounds depend only on its own state.
class PairRun {
 public:
  PairRun() = default;
  explicit PairRun(ParameterPair start) : t1_(start.t1), t2_(start.t2) {}

  bool Running() const { return state_ == State::Running; }
  // Plays round `round` (1-based); false once the run has ended early (accepted or rejected).
  bool Round(const Bezier& c1, const Bezier& c2, double r, double convergence, int round);
  // The result once the run has ended or played every round.
  std::optional<ParameterPair> Outcome(const Bezier& c1, const Bezier& c2, double acceptance) const;

 private:
  enum class State : unsigned char { Running, Accepted, Rejected };

  bool End(State s) {
    state_ = s;
    return false;
  }
  bool Acceptable(const Bezier& c1, const Bezier& c2) const {
    return InUnitInterval(t1_) && InUnitInterval(t2_) && Distance(c1.At(t1_), c2.At(t2_)) >= tol::kCurvesMeet;
  }

  double t1_ = 0, t2_ = 0;
  double f_ = tol::kCircleStepFactor;
  double mismatch_ = 0;
  bool hasMismatch_ = false;  // false while every round took the nudge branch
  State state_ = State::Running;
};

bool PairRun::Round(const Bezier& c1, const Bezier& c2, double r, double convergence, int round) {
  // A parameter that became infinite or NaN (a step divided by a vanishing q) never recovers.
  if (!std::isfinite(t1_) || !std::isfinite(t2_)) return End(State::Rejected);
  const Point p1 = c1.At(t1_), p2 = c2.At(t2_);
  if (Distance(p1, p2) < tol::kCurvesMeet) return End(State::Rejected);
  const Point d1 = c1.Derivative(t1_), d2 = c2.Derivative(t2_);
  const double ls1 = LengthSquared(d1), ls2 = LengthSquared(d2);
  if (ls1 < tol::kZeroTangentSquared) {
    t1_ = Nudge(t1_);
    return true;
  }
  if (ls2 < tol::kZeroTangentSquared) {
    t2_ = Nudge(t2_);
    return true;
  }
  const std::optional<Centres> o = CandidateCentres(p1, d1, p2, d2, r);
  if (!o) return End(State::Rejected);
  mismatch_ = Distance(o->o1, o->o2);
  hasMismatch_ = true;
  if (mismatch_ <= convergence) return End(Acceptable(c1, c2) ? State::Accepted : State::Rejected);
  const std::optional<Point> z = IntersectLines(LineAlong(o->o1, d1), LineAlong(o->o2, d2));
  if (!z) return End(State::Rejected);
  if (round < tol::kCircleMaxRounds) {
    const double step2 = ParameterStep(c2, t2_, p2, d2, ls2, o->o2, *z);
    const double step1 = ParameterStep(c1, t1_, p1, d1, ls1, o->o1, *z);
    t2_ += step2 * f_;
    t1_ += step1 * f_;
    f_ *= tol::kCircleStepDecay;
  }
  return true;
}

std::optional<ParameterPair> PairRun::Outcome(const Bezier& c1, const Bezier& c2, double acceptance) const {
  switch (state_) {
    case State::Accepted: return ParameterPair{t1_, t2_};
    case State::Rejected: return std::nullopt;
    case State::Running: break;
  }
  if (hasMismatch_ && acceptance > mismatch_ && Acceptable(c1, c2)) return ParameterPair{t1_, t2_};
  return std::nullopt;
}

// Sort key that places NaN last, keeping the comparisons a strict weak ordering.
double SortKey(double x) { return std::isnan(x) ? std::numeric_limits<double>::infinity() : std::abs(x); }

}  // namespace

std::optional<Point> CircleCentre(const Bezier& c1, double t1, const Bezier& c2, double t2, double r) {
  const std::optional<Centres> o = CandidateCentres(c1.At(t1), c1.Derivative(t1), c2.At(t2), c2.Derivative(t2), r);
  if (!o) return std::nullopt;
  return (o->o1 + o->o2) / 2;
}

double CentreMismatch(const Bezier& c1, const Bezier& c2, double r, ParameterPair at) {
  const std::optional<Centres> o =
      CandidateCentres(c1.At(at.t1), c1.Derivative(at.t1), c2.At(at.t2), c2.Derivative(at.t2), r);
  return o ? Distance(o->o1, o->o2) : tol::kParallelMismatch;
}

std::optional<ParameterPair> IterateTangentPair(const Bezier& c1, const Bezier& c2, double r, ParameterPair start,
                                                double convergence, double acceptance) {
  PairRun run(start);
  for (int round = 1; round <= tol::kCircleMaxRounds; ++round)
    if (!run.Round(c1, c2, r, convergence, round)) break;
  return run.Outcome(c1, c2, acceptance);
}

namespace {

Box Grown(Box b, double r) { return {b.minH - r, b.minV - r, b.maxH + r, b.maxV + r}; }

// Where the centres on one side of a stretch of a piece can lie: the stretch's control box
// moved by r times every unit normal the stretch can have on that side. The directions of B'
// lie in the cone of the hodograph's control vectors; where that cone is narrower than a half
// turn, the normals on side s (+1 left, -1 right) span an arc of the unit circle whose box is
// exact. Otherwise the box grown by r, which holds every point within r of the stretch.
struct SideBoxes {
  Box side[2];  // [0] left (+1), [1] right (-1)
};

SideBoxes CentreBoxes(const ControlPoints& p, double r) {
  const Box box = ControlBox(p);
  const Box grown = Grown(box, r);
  double angle[3];
  int n = 0;
  for (int k = 0; k < 3; ++k) {
    const Point d = p[static_cast<std::size_t>(k + 1)] - p[static_cast<std::size_t>(k)];
    if (LengthSquared(d) > 0) angle[n++] = std::atan2(d.v, d.h);
  }
  if (n == 0) return {{grown, grown}};
  // At most three: sorted by exchanges.
  for (int a = 0; a < n; ++a)
    for (int b = a + 1; b < n; ++b)
      if (angle[b] < angle[a]) std::swap(angle[a], angle[b]);
  // The cone is the circle less its widest gap between consecutive directions.
  constexpr double kTurn = 2 * std::numbers::pi;
  double gap = angle[0] + kTurn - angle[n - 1], from = angle[0];
  for (int k = 1; k < n; ++k)
    if (angle[k] - angle[k - 1] > gap) gap = angle[k] - angle[k - 1], from = angle[k];
  const double span = kTurn - gap;
  if (!(span < 0.9 * std::numbers::pi)) return {{grown, grown}};
  SideBoxes out{};
  for (int side = 0; side < 2; ++side) {
    // Normal angles on this side: the directions turned a quarter left (or right).
    const double a0 = from + (side == 0 ? 0.5 : -0.5) * std::numbers::pi;
    double minH = std::min(std::cos(a0), std::cos(a0 + span)), maxH = std::max(std::cos(a0), std::cos(a0 + span));
    double minV = std::min(std::sin(a0), std::sin(a0 + span)), maxV = std::max(std::sin(a0), std::sin(a0 + span));
    // The arc reaches an axis direction k quarter turns from 0 when k lies within it.
    for (int k = -4; k <= 8; ++k) {
      const double axis = k * 0.5 * std::numbers::pi;
      if (axis < a0 || axis > a0 + span) continue;
      switch (((k % 4) + 4) % 4) {
        case 0: maxH = 1; break;
        case 1: maxV = 1; break;
        case 2: minH = -1; break;
        default: minV = -1; break;
      }
    }
    out.side[side] = {box.minH + r * minH, box.minV + r * minV, box.maxH + r * maxH, box.maxV + r * maxV};
  }
  return out;
}

// The least distance from g to a point that lies in both boxes; nothing when they are apart.
std::optional<double> DistanceToOverlap(const Box& x, const Box& y, Point g) {
  const double minH = std::max(x.minH, y.minH), maxH = std::min(x.maxH, y.maxH);
  const double minV = std::max(x.minV, y.minV), maxV = std::min(x.maxV, y.maxV);
  if (!(minH <= maxH && minV <= maxV)) return std::nullopt;
  const double dh = std::max({minH - g.h, 0.0, g.h - maxH}), dv = std::max({minV - g.v, 0.0, g.v - maxV});
  return std::sqrt(dh * dh + dv * dv);
}

// The centre candidate of piece c at t on side s (+1 left of the direction of travel, -1
// right): the point of its offset curve at distance r, and how fast it moves with t.
struct OffsetPoint {
  Point at, speed;
};
std::optional<OffsetPoint> OffsetAt(const Bezier& c, double t, double sr) {
  const Point d1 = c.Derivative(t), d2 = c.SecondDerivative(t);
  const double ls = LengthSquared(d1);
  if (ls < tol::kZeroTangentSquared) return std::nullopt;
  const double len = std::sqrt(ls);
  const Point n = TurnLeft(d1) / len;
  const Point dn = TurnLeft(d2) / len - TurnLeft(d1) * (Dot(d1, d2) / (ls * len));
  return OffsetPoint{c.At(t) + sr * n, d1 + sr * dn};
}

// Newton's method on O1(t1) = O2(t2), the crossing of the two offset curves on the given
// sides, from `start`. Nothing when a derivative vanishes, the system is singular or a
// parameter runs far outside [0, 1]; the caller checks the result against the acceptance tests.
std::optional<ParameterPair> OffsetCrossing(const Bezier& c1, double s1, const Bezier& c2, double s2, double r,
                                            ParameterPair start) {
  double t1 = start.t1, t2 = start.t2;
  for (int i = 0; i < 24; ++i) {
    const std::optional<OffsetPoint> o1 = OffsetAt(c1, t1, s1 * r), o2 = OffsetAt(c2, t2, s2 * r);
    if (!o1 || !o2) return std::nullopt;
    const Point f = o1->at - o2->at;
    const Point j2 = o2->speed * -1.0;
    const double det = Cross(o1->speed, j2);
    if (!(std::abs(det) > 1e-300)) return std::nullopt;
    const double d1 = Cross(f, j2) / det, d2 = Cross(o1->speed, f) / det;
    t1 -= d1, t2 -= d2;
    if (!(t1 > -0.5 && t1 < 1.5 && t2 > -0.5 && t2 < 1.5)) return std::nullopt;
    if (std::abs(d1) < 1e-13 && std::abs(d2) < 1e-13) break;
  }
  return ParameterPair{t1, t2};
}

class TangentSearch {
 public:
  TangentSearch(const PieceCache& first, const PieceCache& second, double r, Point guess)
      : first_(first), second_(second), r_(r), guess_(guess), sameArt_(first.Identity() == second.Identity()) {}

  void Run(PieceRef pick1, PieceRef pick2);
  const std::optional<TangentCircle>& Best() const { return best_; }

 private:
  // A pair of stretches [a0, a1] of piece i and [b0, b1] of piece j, and the least distance
  // from the guess to the centre of any circle touching both stretches.
  struct Node {
    double bound;
    int i, j, depth;
    int side1, side2;  // 0 left, 1 right of each piece's direction of travel
    double a0, a1, b0, b1;
  };
  struct Farther {
    bool operator()(const Node& x, const Node& y) const {
      if (x.bound != y.bound) return x.bound > y.bound;
      if (x.i != y.i) return x.i > y.i;
      if (x.j != y.j) return x.j > y.j;
      if (x.side1 != y.side1) return x.side1 > y.side1;
      if (x.side2 != y.side2) return x.side2 > y.side2;
      return x.a0 + x.b0 > y.a0 + y.b0;
    }
  };

  bool Leaf(const Node& n, const Bezier& c1, const Bezier& c2);
  bool GridSearch(int i, int j, const Bezier& c1, const Bezier& c2);
  void Offer(int i, int j, ParameterPair fit, Point centre);
  double BestScore() const { return best_ ? best_->score : std::numeric_limits<double>::infinity(); }

  const PieceCache& first_;
  const PieceCache& second_;
  double r_;
  Point guess_;
  bool sameArt_;
  std::optional<TangentCircle> best_;
};

void TangentSearch::Run(PieceRef pick1, PieceRef pick2) {
  const std::vector<Bezier>& p1 = first_.Pieces();
  const std::vector<Bezier>& p2 = second_.Pieces();
  const Bezier& c1 = first_.GetPiece(pick1.piece);  // raises for a pick outside its path
  const Bezier& c2 = second_.GetPiece(pick2.piece);
  // The iteration from the picked parameters usually finds the circle the user aims at at once,
  // and its score bounds the search from the start.
  if (auto fit = IterateTangentPair(c1, c2, r_, {pick1.t, pick2.t}, tol::kCircleConvergence, tol::kCircleAcceptance)) {
    if (auto centre = CircleCentre(c1, fit->t1, c2, fit->t2, r_)) Offer(pick1.piece, pick2.piece, *fit, *centre);
  }

  const double r = std::abs(r_);
  // Pairs whose pieces' boxes grown by r are apart have no circle; the grown boxes of the
  // second path's pieces, sorted by their left edge, let each piece of the first path visit
  // only the pieces that reach across its own box.
  struct Entry {
    Box grown;
    SideBoxes sides;
    int j;
  };
  std::vector<Entry> second(p2.size());
  for (std::size_t j = 0; j < p2.size(); ++j)
    second[j] = {Grown(ControlBox(p2[j].Controls()), r), CentreBoxes(p2[j].Controls(), r), static_cast<int>(j)};
  std::sort(second.begin(), second.end(), [](const Entry& x, const Entry& y) {
    return x.grown.minH < y.grown.minH || (x.grown.minH == y.grown.minH && x.j < y.j);
  });
  double widest = 0;
  for (const Entry& e : second) widest = std::max(widest, e.grown.maxH - e.grown.minH);
  std::vector<Node> heap;
  for (std::size_t i = 0; i < p1.size(); ++i) {
    const Box g1 = Grown(ControlBox(p1[i].Controls()), r);
    const auto from = std::lower_bound(second.begin(), second.end(), g1.minH - widest,
                                       [](const Entry& e, double h) { return e.grown.minH < h; });
    bool sidesKnown = false;
    SideBoxes b1{};
    for (auto e = from; e != second.end() && e->grown.minH <= g1.maxH; ++e) {
      if (e->grown.maxH < g1.minH || e->grown.maxV < g1.minV || e->grown.minV > g1.maxV) continue;
      const int j = e->j;
      if (sameArt_ && static_cast<int>(i) == j) {
        const std::optional<double> bound = DistanceToOverlap(g1, g1, guess_);
        if (bound && *bound < BestScore()) heap.push_back({*bound, j, j, 0, 0, 0, 0, 1, 0, 1});
        continue;
      }
      if (!sidesKnown) b1 = CentreBoxes(p1[i].Controls(), r), sidesKnown = true;
      for (int u = 0; u < 2; ++u) {
        for (int v = 0; v < 2; ++v) {
          const std::optional<double> bound = DistanceToOverlap(b1.side[u], e->sides.side[v], guess_);
          if (bound && *bound < BestScore()) heap.push_back({*bound, static_cast<int>(i), j, 0, u, v, 0, 1, 0, 1});
        }
      }
    }
  }
  std::make_heap(heap.begin(), heap.end(), Farther{});
  while (!heap.empty()) {
    std::pop_heap(heap.begin(), heap.end(), Farther{});
    const Node n = heap.back();
    heap.pop_back();
    // Every circle still to be found has its centre at least this far from the guess.
    if (!(n.bound < BestScore())) break;
    const Bezier& b1 = p1[static_cast<std::size_t>(n.i)];
    const Bezier& b2 = p2[static_cast<std::size_t>(n.j)];
    if (sameArt_ && n.i == n.j) {
      GridSearch(n.i, n.j, b1, b2);  // one piece against itself: the grid of starts
      continue;
    }
    const Bezier s1 = n.depth == 0 ? b1 : SplitBezierBetween(b1, n.a0, n.a1);
    const Bezier s2 = n.depth == 0 ? b2 : SplitBezierBetween(b2, n.b0, n.b1);
    const Box x1 = ControlBox(s1.Controls()), x2 = ControlBox(s2.Controls());
    const double extent = std::max({x1.maxH - x1.minH, x1.maxV - x1.minV, x2.maxH - x2.minH, x2.maxV - x2.minV});
    // A small stretch pair is tried with Newton's method; it is done with when Newton finds a
    // circle touching both stretches (small stretches rarely hold two on one side combination)
    // or when it cannot be halved further. Otherwise it is halved like a large one.
    if (extent <= tol::kCircleLeafExtent * r && (Leaf(n, b1, b2) || n.depth >= tol::kCircleSearchMaxDepth)) continue;
    // Halve both stretches; keep the quarters whose centre boxes on the node's sides overlap.
    const double am = 0.5 * (n.a0 + n.a1), bm = 0.5 * (n.b0 + n.b1);
    const BezierHalves h1 = SplitBezier(s1, 0.5), h2 = SplitBezier(s2, 0.5);
    const Box g1[2] = {CentreBoxes(h1.left.Controls(), r).side[n.side1],
                       CentreBoxes(h1.right.Controls(), r).side[n.side1]};
    const Box g2[2] = {CentreBoxes(h2.left.Controls(), r).side[n.side2],
                       CentreBoxes(h2.right.Controls(), r).side[n.side2]};
    for (int u = 0; u < 2; ++u) {
      for (int v = 0; v < 2; ++v) {
        const std::optional<double> bound = DistanceToOverlap(g1[u], g2[v], guess_);
        if (!bound || !(*bound < BestScore())) continue;
        heap.push_back({std::max(*bound, n.bound), n.i, n.j, n.depth + 1, n.side1, n.side2, u ? am : n.a0,
                        u ? n.a1 : am, v ? bm : n.b0, v ? n.b1 : bm});
        std::push_heap(heap.begin(), heap.end(), Farther{});
      }
    }
  }
}

// A stretch pair small enough to hold few circles: Newton's method on each of the four side
// combinations from the middle of the stretches. Whatever passes the acceptance tests is
// offered, wherever on the pieces it lies.
bool TangentSearch::Leaf(const Node& n, const Bezier& c1, const Bezier& c2) {
  const ParameterPair start{0.5 * (n.a0 + n.a1), 0.5 * (n.b0 + n.b1)};
  const double s1 = n.side1 == 0 ? 1 : -1, s2 = n.side2 == 0 ? 1 : -1;
  const std::optional<ParameterPair> fit = OffsetCrossing(c1, s1, c2, s2, r_, start);
  if (!fit || !InUnitInterval(fit->t1) || !InUnitInterval(fit->t2)) return false;
  if (Distance(c1.At(fit->t1), c2.At(fit->t2)) < tol::kCurvesMeet) return false;
  if (!(CentreMismatch(c1, c2, r_, *fit) < tol::kCircleAcceptance)) return false;
  if (auto centre = CircleCentre(c1, fit->t1, c2, fit->t2, r_)) Offer(n.i, n.j, *fit, *centre);
  return fit->t1 >= n.a0 && fit->t1 <= n.a1 && fit->t2 >= n.b0 && fit->t2 <= n.b1;
}

bool TangentSearch::GridSearch(int i, int j, const Bezier& c1, const Bezier& c2) {
  constexpr int kAxis = tol::kGridSamplesPerAxis;
  constexpr std::size_t kSamples = kAxis * kAxis;
  // Each piece is evaluated once per grid parameter rather than once per sample.
  std::array<Point, kAxis> p1, d1, p2, d2;
  for (int a = 0; a < kAxis; ++a) {
    const double t = a * tol::kGridSpacing;
    const auto k = static_cast<std::size_t>(a);
    p1[k] = c1.At(t), d1[k] = c1.Derivative(t), p2[k] = c2.At(t), d2[k] = c2.Derivative(t);
  }
  // Samples in grid order (t1 outer), ranked by mismatch; equal mismatches keep grid order.
  std::array<double, kSamples> key;
  std::array<std::uint8_t, kSamples> order;
  for (std::size_t a = 0; a < kAxis; ++a) {
    for (std::size_t b = 0; b < kAxis; ++b) {
      const std::optional<Centres> o = CandidateCentres(p1[a], d1[a], p2[b], d2[b], r_);
      key[a * kAxis + b] = SortKey(o ? Distance(o->o1, o->o2) : tol::kParallelMismatch);
      order[a * kAxis + b] = static_cast<std::uint8_t>(a * kAxis + b);
    }
  }
  std::partial_sort(order.begin(), order.begin() + tol::kGridStarts, order.end(),
                    [&key](std::uint8_t x, std::uint8_t y) { return key[x] < key[y] || (key[x] == key[y] && x < y); });
  // The runs are independent; stepping them side by side lets their long chains of divisions,
  // square roots and powers overlap. Solutions are offered in rank order afterwards.
  std::array<PairRun, tol::kGridStarts> runs;
  for (std::size_t k = 0; k < runs.size(); ++k) {
    const int s = order[k];
    runs[k] = PairRun(ParameterPair{(s / kAxis) * tol::kGridSpacing, (s % kAxis) * tol::kGridSpacing});
  }
  std::size_t live = runs.size();
  for (int round = 1; round <= tol::kCircleMaxRounds && live > 0; ++round) {
    for (PairRun& run : runs) {
      if (run.Running() && !run.Round(c1, c2, r_, tol::kCircleConvergence, round)) --live;
    }
  }
  bool solved = false;
  for (const PairRun& run : runs) {
    const auto fit = run.Outcome(c1, c2, tol::kCircleAcceptance);
    if (!fit) continue;
    solved = true;
    // A converged pair whose normals are parallel has no centre: nothing to offer.
    if (auto centre = CircleCentre(c1, fit->t1, c2, fit->t2, r_)) Offer(i, j, *fit, *centre);
  }
  return solved;
}

void TangentSearch::Offer(int i, int j, ParameterPair fit, Point centre) {
  const double score = Distance(centre, guess_);
  if (best_ && !(score < best_->score)) return;
  if (sameArt_ && i == j && std::abs(fit.t1 - fit.t2) < tol::kSamePointParameter) return;
  TangentCircle c;
  c.art1 = first_.Identity();
  c.piece1 = i;
  c.t1 = fit.t1;
  c.art2 = second_.Identity();
  c.piece2 = j;
  c.t2 = fit.t2;
  c.centre = centre;
  c.valid = true;
  c.reference = guess_;
  c.score = score;
  best_ = c;
}

}  // namespace

bool FindTangentCircle(const PieceSource& first, PieceRef pick1, const PieceSource& second, PieceRef pick2,
                       double r, Point guess, TangentCircle& result) {
  try {
    // Each path is read once; the same path picked twice is read once.
    const PieceCache cache1(first);
    const std::optional<PieceCache> cache2 =
        first.Identity() == second.Identity() ? std::nullopt : std::optional<PieceCache>(std::in_place, second);
    TangentSearch search(cache1, cache2 ? *cache2 : cache1, r, guess);
    search.Run(pick1, pick2);
    if (!search.Best()) return false;
    const double radius = result.radius;
    result = *search.Best();
    result.radius = radius;
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace geom
