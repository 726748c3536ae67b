#include "geometry/tangent_circle.h"

#include <algorithm>
#include <array>
#include <cmath>
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
// derivative d) towards z, where the two centres' tangent lines cross. The distance |z - o| is
// turned into a parameter distance by the curve's speed |d| and the ratio q = |centre of
// curvature - o| / |radius of curvature|, the speed of the offset curve relative to the curve.
double ParameterStep(const Bezier& c, double t, Point p, Point d, Point o, Point z) {
  const double rho = 1 / c.Curvature(t);
  double q = 1;
  if (std::isfinite(rho) && std::abs(rho) <= tol::kFlatCurvatureRadius) {
    const Point curvatureCentre = p + rho * Unit(TurnLeft(d));
    q = Distance(curvatureCentre, o) / std::abs(rho);
  }
  const double s = Dot(z - o, d) > 0 ? 1 : -1;
  return Distance(z, o) / Length(d) * s / q;
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
  double t1 = start.t1, t2 = start.t2;
  double f = tol::kCircleStepFactor;
  std::optional<double> mismatch;  // unset while every round took the nudge branch
  auto acceptable = [&] {
    return Distance(c1.At(t1), c2.At(t2)) >= tol::kCurvesMeet && InUnitInterval(t1) && InUnitInterval(t2);
  };
  for (int round = 1; round <= tol::kCircleMaxRounds; ++round) {
    // A parameter that became infinite or NaN (a step divided by a vanishing q) never recovers.
    if (!std::isfinite(t1) || !std::isfinite(t2)) return std::nullopt;
    const Point p1 = c1.At(t1), p2 = c2.At(t2);
    if (Distance(p1, p2) < tol::kCurvesMeet) return std::nullopt;
    const Point d1 = c1.Derivative(t1), d2 = c2.Derivative(t2);
    if (LengthSquared(d1) < tol::kZeroTangentSquared) {
      t1 = Nudge(t1);
      continue;
    }
    if (LengthSquared(d2) < tol::kZeroTangentSquared) {
      t2 = Nudge(t2);
      continue;
    }
    const std::optional<Centres> o = CandidateCentres(p1, d1, p2, d2, r);
    if (!o) return std::nullopt;
    mismatch = Distance(o->o1, o->o2);
    if (*mismatch <= convergence) return acceptable() ? std::optional(ParameterPair{t1, t2}) : std::nullopt;
    const std::optional<Point> z = IntersectLines(LineAlong(o->o1, d1), LineAlong(o->o2, d2));
    if (!z) return std::nullopt;
    if (round < tol::kCircleMaxRounds) {
      const double step2 = ParameterStep(c2, t2, p2, d2, o->o2, *z);
      const double step1 = ParameterStep(c1, t1, p1, d1, o->o1, *z);
      t2 += step2 * f;
      t1 += step1 * f;
      f *= tol::kCircleStepDecay;
    }
  }
  if (mismatch && acceptance > *mismatch && acceptable()) return ParameterPair{t1, t2};
  return std::nullopt;
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
  for (int i = 0; i < n1; ++i) {
    for (int j = 0; j < n2; ++j) {
      if (i == pick1.piece && j == pick2.piece) continue;
      const Bezier b1 = first_.GetPiece(i), b2 = second_.GetPiece(j);
      if (MayMeet(b1, b2, r_)) candidates.push_back({i, j, CornerScore(b1, guess_) + CornerScore(b2, guess_)});
    }
  }
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const Candidate& a, const Candidate& b) { return SortKey(a.score) < SortKey(b.score); });
  return candidates;
}

bool TangentSearch::GridSearch(int i, int j, const Bezier& c1, const Bezier& c2) {
  struct Sample {
    ParameterPair at;
    double mismatch;
  };
  constexpr int kAxis = tol::kGridSamplesPerAxis;
  std::array<Sample, kAxis * kAxis> samples;
  for (int a = 0; a < kAxis; ++a) {
    for (int b = 0; b < kAxis; ++b) {
      const ParameterPair at{a * tol::kGridSpacing, b * tol::kGridSpacing};
      samples[static_cast<std::size_t>(a * kAxis + b)] = {at, CentreMismatch(c1, c2, r_, at)};
    }
  }
  std::stable_sort(samples.begin(), samples.end(),
                   [](const Sample& x, const Sample& y) { return SortKey(x.mismatch) < SortKey(y.mismatch); });
  bool solved = false;
  for (int k = 0; k < tol::kGridStarts; ++k) {
    const auto fit = IterateTangentPair(c1, c2, r_, samples[static_cast<std::size_t>(k)].at, tol::kCircleConvergence,
                                        tol::kCircleAcceptance);
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
