#include "geometry/tangent_circle.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
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

// Smallest squared distance from g to a corner of the control-point box of a piece.
double CornerScore(const Bezier& piece, Point g) {
  double minH = piece.P(0).h, maxH = minH, minV = piece.P(0).v, maxV = minV;
  for (Point p : piece.Controls()) {
    minH = std::min(minH, p.h), maxH = std::max(maxH, p.h);
    minV = std::min(minV, p.v), maxV = std::max(maxV, p.v);
  }
  double best = std::numeric_limits<double>::infinity();
  for (Point c : {Point{minH, minV}, Point{maxH, minV}, Point{minH, maxV}, Point{maxH, maxV}})
    best = std::min(best, LengthSquared(c - g));
  return best;
}

// What the candidate ordering needs of one piece: its offset region for the search radius and
// its corner score. Built once per piece and search; a piece read again is checked against the
// kept control points, so a source that changed a piece between reads still gets fresh data.
struct PieceInfo {
  PieceInfo(const Bezier& piece, double r, Point guess)
      : controls(piece.Controls()), region(piece, r), score(CornerScore(piece, guess)) {}

  ControlPoints controls;
  OffsetRegion region;
  double score;
};

class PieceTable {
 public:
  PieceTable(int count, double r, Point guess) : entries_(static_cast<std::size_t>(count)), r_(r), guess_(guess) {}

  const PieceInfo& For(int i, const Bezier& piece) {
    std::optional<PieceInfo>& e = entries_[static_cast<std::size_t>(i)];
    if (!e || e->controls != piece.Controls()) e.emplace(piece, r_, guess_);
    return *e;
  }
  // Piece i as last given to For.
  const PieceInfo& Kept(int i) const { return *entries_[static_cast<std::size_t>(i)]; }

 private:
  std::vector<std::optional<PieceInfo>> entries_;
  double r_;
  Point guess_;
};

class TangentSearch {
 public:
  TangentSearch(const PieceSource& first, const PieceSource& second, double r, Point guess)
      : first_(first), second_(second), r_(r), guess_(guess), sameArt_(first.Identity() == second.Identity()) {}

  void Run(PieceRef pick1, PieceRef pick2);
  const std::optional<TangentCircle>& Best() const { return best_; }

 private:
  struct Candidate {
    int i, j;
    double score;
  };

  std::vector<Candidate> Candidates(PieceRef pick1, PieceRef pick2) const;
  bool GridSearch(int i, int j, const Bezier& c1, const Bezier& c2);
  void Offer(int i, int j, ParameterPair fit, Point centre);

  const PieceSource& first_;
  const PieceSource& second_;
  double r_;
  Point guess_;
  bool sameArt_;
  std::optional<TangentCircle> best_;
};

void TangentSearch::Run(PieceRef pick1, PieceRef pick2) {
  const Bezier c1 = first_.GetPiece(pick1.piece), c2 = second_.GetPiece(pick2.piece);
  const ParameterPair picked{pick1.t, pick2.t};
  if (auto fit = IterateTangentPair(c1, c2, r_, picked, tol::kCircleConvergence, tol::kCircleAcceptance)) {
    if (auto centre = CircleCentre(c1, fit->t1, c2, fit->t2, r_)) Offer(pick1.piece, pick2.piece, *fit, *centre);
  }
  if (MayMeet(c1, c2, r_)) GridSearch(pick1.piece, pick2.piece, c1, c2);

  const std::vector<Candidate> candidates = Candidates(pick1, pick2);
  std::size_t next = 0;
  int taken = 0, solvedPairs = 0;
  for (; next < candidates.size() && taken < tol::kFirstPassMaxPairs && solvedPairs < tol::kFirstPassMaxSolvedPairs;
       ++next, ++taken) {
    const Candidate& c = candidates[next];
    if (GridSearch(c.i, c.j, first_.GetPiece(c.i), second_.GetPiece(c.j))) ++solvedPairs;
  }
  if (best_ || solvedPairs > 0) return;
  for (bool solved = false; next < candidates.size() && !solved; ++next) {
    const Candidate& c = candidates[next];
    const Bezier b1 = first_.GetPiece(c.i), b2 = second_.GetPiece(c.j);
    if (MayMeet(b1, b2, r_)) solved = GridSearch(c.i, c.j, b1, b2);
  }
}

std::vector<TangentSearch::Candidate> TangentSearch::Candidates(PieceRef pick1, PieceRef pick2) const {
  std::vector<Candidate> candidates;
  const int n1 = first_.CountPieces(), n2 = second_.CountPieces();
  PieceTable table1(n1, r_, guess_), table2(n2, r_, guess_);
  // Sources whose pieces may be kept are read once per piece; the others once per pair.
  const bool keep = first_.PiecesMayBeKept() && second_.PiecesMayBeKept();
  if (keep) {
    for (int i = 0; i < n1; ++i) table1.For(i, first_.GetPiece(i));
    for (int j = 0; j < n2; ++j) table2.For(j, second_.GetPiece(j));
  }
  for (int i = 0; i < n1; ++i) {
    for (int j = 0; j < n2; ++j) {
      if (i == pick1.piece && j == pick2.piece) continue;
      const PieceInfo* a;
      const PieceInfo* b;
      if (keep) {
        a = &table1.Kept(i), b = &table2.Kept(j);
      } else {
        const Bezier b1 = first_.GetPiece(i), b2 = second_.GetPiece(j);
        a = &table1.For(i, b1), b = &table2.For(j, b2);
      }
      if (MayMeet(a->region, b->region)) candidates.push_back({i, j, a->score + b->score});
    }
  }
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const Candidate& a, const Candidate& b) { return SortKey(a.score) < SortKey(b.score); });
  return candidates;
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
    TangentSearch search(first, second, r, guess);
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
