// A frozen copy of the tangent-circle engine, the point-to-piece root finders and the two-piece
// line solver as they were before their evaluation was reorganised for speed. The differential
// test runs it beside the library on seeded queries and requires bit-identical results; it is
// kept verbatim (only namespaces and the two-piece solver's declaration added) and never
// optimised, so that it stays the behaviour the library must reproduce.
#include "reference_engine.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <vector>

#include "geometry/construction.h"
#include "geometry/offset_hull.h"

namespace geom::reference {

namespace cubic {
std::vector<double> SolveCubicRef(double a, double b, double c, double d) {
  const double p = (3 * a * c - b * b) / (3 * a * a);
  const double q = (2 * b * b * b - 9 * a * b * c + 27 * a * a * d) / (27 * a * a * a);
  const double disc = p * p * p / 27 + q * q / 4;
  const double shift = -b / (3 * a);
  std::vector<double> roots;
  if (std::abs(p) < tol::kCubicTripleRoot && std::abs(q) < tol::kCubicTripleRoot &&
      std::abs(disc) < tol::kCubicTripleRoot) {
    roots = {-std::cbrt(d / a)};
  } else if (disc <= 0) {
    const double rho = std::sqrt(q * q / 4 - disc);
    const double m = std::cbrt(rho);
    // Mathematically within [-1, 1]; the clamp keeps rounding from producing NaN.
    const double phi = std::acos(std::clamp(-q / (2 * rho), -1.0, 1.0)) / 3;
    const double cosPhi = std::cos(phi), sinPhi = std::sin(phi);
    roots = {2 * m * cosPhi + shift, shift - m * (cosPhi + std::numbers::sqrt3 * sinPhi),
             shift - m * (cosPhi - std::numbers::sqrt3 * sinPhi)};
  } else {
    const double s = std::sqrt(disc);
    roots = {std::cbrt(-q / 2 + s) + std::cbrt(-q / 2 - s) + shift};
  }
  std::erase_if(roots, [](double r) { return !std::isfinite(r); });
  return roots;
}

}  // namespace cubic

namespace roots {
using cubic::SolveCubicRef;
namespace {

constexpr double kNoRoot = -1;

bool InUnitInterval(double t) { return t >= 0 && t <= 1; }

// f and f' from one evaluation of the piece (the same expressions as Normal and
// NormalDerivative, without evaluating the piece twice per step).
struct NormalValue {
  double f, df;
};
NormalValue EvaluateNormal(const PointPieceSolver& s, double t) {
  const Point d1 = s.piece.Derivative(t), d2 = s.piece.SecondDerivative(t);
  const Point w = s.p - s.piece.At(t);
  const double len = Length(d1);
  const double u = Dot(w, d1);
  return {u / len, (Dot(w, d2) - Dot(d1, d1)) / len - u * Dot(d1, d2) / (len * len * len)};
}

double NormalRun(const PointPieceSolver& s, double t) {
  for (int i = 0; i < tol::kNormalMaxIterations; ++i) {
    const NormalValue v = EvaluateNormal(s, t);
    if (std::abs(v.f) < tol::kPointPieceResidual) return t;
    t -= tol::kNormalDamping * v.f / v.df;
    // A parameter that is no longer finite makes every later f NaN: the run cannot succeed.
    if (!std::isfinite(t)) return kNoRoot;
  }
  return kNoRoot;
}

double TangentRun(const PointPieceSolver& s, double t) {
  for (int i = 0; i < tol::kTangentMaxIterations; ++i) {
    const Point b = s.piece.At(t) - s.p, d = s.piece.Derivative(t);
    const double g = b.v * d.h - b.h * d.v;
    if (std::abs(g) < tol::kPointPieceResidual) return t;
    if (t < 0) return kNoRoot;
    const Point dd = s.piece.SecondDerivative(t);
    t -= tol::kTangentDamping * g / (b.v * dd.h - b.h * dd.v);
    if (!std::isfinite(t)) return kNoRoot;
  }
  return kNoRoot;
}

void AppendIfInside(std::vector<double>& roots, double t) {
  if (InUnitInterval(t)) roots.push_back(t);
}

}  // namespace


std::vector<double> NormalRootsRef(const PointPieceSolver& solver, double t0) {
  std::vector<double> roots;
  AppendIfInside(roots, NormalRun(solver, t0));
  for (double start : tol::kNormalStarts) AppendIfInside(roots, NormalRun(solver, start));
  return roots;
}

std::vector<double> TangentRootsRef(const PointPieceSolver& solver, double t0) {
  std::vector<double> roots;
  AppendIfInside(roots, TangentRun(solver, t0));
  for (double start : tol::kTangentStarts) AppendIfInside(roots, TangentRun(solver, start));
  const auto [a, b, c, d] = solver.TangentDerivativeCoefficients();
  // SolveCubic drops non-finite roots (a == 0); runs started from them could not succeed.
  for (double r : SolveCubicRef(a, b, c, d)) AppendIfInside(roots, TangentRun(solver, r + tol::kPastTurningPoint));
  return roots;
}

}  // namespace roots

namespace hull {

bool SegmentsIntersectRef(const LineSegment& s1, const LineSegment& s2);
std::vector<Point> ConvexHullRef(const ControlPoints& points) {
  ControlPoints pts = points;
  auto lowest = std::min_element(pts.begin(), pts.end(), [](Point a, Point b) {
    return a.v < b.v || (a.v == b.v && a.h < b.h);
  });
  std::iter_swap(pts.begin(), lowest);
  const Point o = pts[0];
  // By angle about o; points on one ray from o nearest first, so the scan drops the inner ones.
  std::sort(pts.begin() + 1, pts.end(), [o](Point a, Point b) {
    const double c = Cross(a - o, b - o);
    if (c != 0) return c > 0;
    return LengthSquared(a - o) < LengthSquared(b - o);
  });
  std::vector<Point> hull;
  for (Point p : pts) {
    while (hull.size() >= 2 && Cross(hull.back() - hull[hull.size() - 2], p - hull.back()) <= tol::kHullCrossZero)
      hull.pop_back();
    if (hull.empty() || p != hull.back()) hull.push_back(p);
  }
  return hull;
}

namespace {

Point UnitRightNormal(Point d) {
  const double len = Length(d);
  return len > tol::kUnitMinLength ? TurnRight(d) / len : Point{};
}

bool Collinear(const Bezier& piece) {
  const Point d01 = piece.P(1) - piece.P(0), d12 = piece.P(2) - piece.P(1), d23 = piece.P(3) - piece.P(2);
  return std::abs(Cross(d01, d12)) < tol::kHullCrossZero && std::abs(Cross(d12, d23)) < tol::kHullCrossZero;
}

struct Box {
  double minH, minV, maxH, maxV;
};

Box BoundsOf(const std::vector<LineSegment>& polygon) {
  Box b{polygon[0].a.h, polygon[0].a.v, polygon[0].a.h, polygon[0].a.v};
  for (const LineSegment& s : polygon) {
    for (Point p : {s.a, s.b}) {
      b.minH = std::min(b.minH, p.h), b.maxH = std::max(b.maxH, p.h);
      b.minV = std::min(b.minV, p.v), b.maxV = std::max(b.maxV, p.v);
    }
  }
  return b;
}

bool Overlap(const Box& x, const Box& y) {
  return x.minH <= y.maxH && y.minH <= x.maxH && x.minV <= y.maxV && y.minV <= x.maxV;
}

// Control-point box grown by r: contains the offset polygon's points, so disjoint grown boxes
// mean disjoint polygon boxes. Lets most far-apart pairs skip building the polygons.
Box GrownControlBox(const Bezier& piece, double r) {
  Box b{piece.P(0).h, piece.P(0).v, piece.P(0).h, piece.P(0).v};
  for (Point p : piece.Controls()) {
    b.minH = std::min(b.minH, p.h), b.maxH = std::max(b.maxH, p.h);
    b.minV = std::min(b.minV, p.v), b.maxV = std::max(b.maxV, p.v);
  }
  const double g = std::abs(r);
  return {b.minH - g, b.minV - g, b.maxH + g, b.maxV + g};
}

bool WithinRange(double x, double e1, double e2) {
  return x >= std::min(e1, e2) - tol::kSegmentRangeSlack && x <= std::max(e1, e2) + tol::kSegmentRangeSlack;
}

int SideOf(const LineSegment& s, Point p) {
  const double c = Cross(s.b - s.a, p - s.a);
  if (std::abs(c) < tol::kHullCrossZero) return 0;
  return c > 0 ? 1 : -1;
}

// Whether p lies on the same side of every segment of the polygon (all side signs equal).
bool SameSideOfAll(const std::vector<LineSegment>& polygon, Point p) {
  const int side = SideOf(polygon[0], p);
  return std::all_of(polygon.begin(), polygon.end(), [&](const LineSegment& s) { return SideOf(s, p) == side; });
}

bool AnyCrossing(const std::vector<LineSegment>& x, const std::vector<LineSegment>& y) {
  for (const LineSegment& s : x)
    for (const LineSegment& u : y)
      if (SegmentsIntersectRef(s, u)) return true;
  return false;
}

}  // namespace

std::vector<LineSegment> OffsetPolygonRef(const Bezier& piece, double r) {
  if (Collinear(piece)) {
    const Point n = r * UnitRightNormal(piece.P(3) - piece.P(0));
    return {{piece.P(0) + n, piece.P(3) + n}, {piece.P(3) - n, piece.P(0) - n}};
  }
  const std::vector<Point> hull = ConvexHullRef(piece.Controls());
  const std::size_t k = hull.size();
  std::vector<Point> normals(k);
  for (std::size_t i = 0; i < k; ++i) normals[i] = r * UnitRightNormal(hull[(i + 1) % k] - hull[i]);
  std::vector<LineSegment> polygon;
  polygon.reserve(2 * k);
  for (std::size_t i = 0; i < k; ++i) {
    const Point next = hull[(i + 1) % k];
    polygon.push_back({hull[i] + normals[i], next + normals[i]});
    polygon.push_back({next + normals[i], next + normals[(i + 1) % k]});
  }
  return polygon;
}

bool SegmentsIntersectRef(const LineSegment& s1, const LineSegment& s2) {
  const Point d1 = s1.b - s1.a, d2 = s2.b - s2.a;
  const double det = Cross(d1, d2);
  if (!(std::abs(det) >= tol::kLineDeterminantMin)) return false;
  const Point x = s1.a + d1 * (Cross(s2.a - s1.a, d2) / det);
  return WithinRange(x.h, s1.a.h, s1.b.h) && WithinRange(x.v, s1.a.v, s1.b.v) && WithinRange(x.h, s2.a.h, s2.b.h) &&
         WithinRange(x.v, s2.a.v, s2.b.v);
}

bool MayMeetRef(const Bezier& first, const Bezier& second, double r) {
  if (!Overlap(GrownControlBox(first, r), GrownControlBox(second, r))) return false;
  const std::vector<LineSegment> p1 = OffsetPolygonRef(first, r);
  const std::vector<LineSegment> p2 = OffsetPolygonRef(second, r);
  if (p1.size() < 2 || p2.size() < 2) return false;
  if (!Overlap(BoundsOf(p1), BoundsOf(p2))) return false;
  if (AnyCrossing(p1, p2)) return true;
  if (p1.size() > 2 && SameSideOfAll(p1, second.P(0))) return true;
  if (p2.size() > 2 && SameSideOfAll(p2, first.P(0))) return true;
  return false;
}

}  // namespace hull

namespace circle {
using hull::MayMeetRef;
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

std::optional<Point> CircleCentreRef(const Bezier& c1, double t1, const Bezier& c2, double t2, double r) {
  const std::optional<Centres> o = CandidateCentres(c1.At(t1), c1.Derivative(t1), c2.At(t2), c2.Derivative(t2), r);
  if (!o) return std::nullopt;
  return (o->o1 + o->o2) / 2;
}

double CentreMismatchRef(const Bezier& c1, const Bezier& c2, double r, ParameterPair at) {
  const std::optional<Centres> o =
      CandidateCentres(c1.At(at.t1), c1.Derivative(at.t1), c2.At(at.t2), c2.Derivative(at.t2), r);
  return o ? Distance(o->o1, o->o2) : tol::kParallelMismatch;
}

std::optional<ParameterPair> IterateTangentPairRef(const Bezier& c1, const Bezier& c2, double r, ParameterPair start,
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
  if (auto fit = IterateTangentPairRef(c1, c2, r_, picked, tol::kCircleConvergence, tol::kCircleAcceptance)) {
    if (auto centre = CircleCentreRef(c1, fit->t1, c2, fit->t2, r_)) Offer(pick1.piece, pick2.piece, *fit, *centre);
  }
  if (MayMeetRef(c1, c2, r_)) GridSearch(pick1.piece, pick2.piece, c1, c2);

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
    if (MayMeetRef(b1, b2, r_)) solved = GridSearch(c.i, c.j, b1, b2);
  }
}

std::vector<TangentSearch::Candidate> TangentSearch::Candidates(PieceRef pick1, PieceRef pick2) const {
  std::vector<Candidate> candidates;
  const int n1 = first_.CountPieces(), n2 = second_.CountPieces();
  for (int i = 0; i < n1; ++i) {
    for (int j = 0; j < n2; ++j) {
      if (i == pick1.piece && j == pick2.piece) continue;
      const Bezier b1 = first_.GetPiece(i), b2 = second_.GetPiece(j);
      if (MayMeetRef(b1, b2, r_)) candidates.push_back({i, j, CornerScore(b1, guess_) + CornerScore(b2, guess_)});
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
      samples[static_cast<std::size_t>(a * kAxis + b)] = {at, CentreMismatchRef(c1, c2, r_, at)};
    }
  }
  std::stable_sort(samples.begin(), samples.end(),
                   [](const Sample& x, const Sample& y) { return SortKey(x.mismatch) < SortKey(y.mismatch); });
  bool solved = false;
  for (int k = 0; k < tol::kGridStarts; ++k) {
    const auto fit = IterateTangentPairRef(c1, c2, r_, samples[static_cast<std::size_t>(k)].at, tol::kCircleConvergence,
                                        tol::kCircleAcceptance);
    if (!fit) continue;
    solved = true;
    // A converged pair whose normals are parallel has no centre: nothing to offer.
    if (auto centre = CircleCentreRef(c1, fit->t1, c2, fit->t2, r_)) Offer(i, j, *fit, *centre);
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

bool FindTangentCircleRef(const PieceSource& first, PieceRef pick1, const PieceSource& second, PieceRef pick2,
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

}  // namespace circle

namespace lines {

// The solver's declaration, as in two_piece_solver.h.
class TwoPieceSolver {
 public:
  TwoPieceSolver(const Bezier& first, const Bezier& second, LineKind kind, double a0, double b0);
  std::optional<ContactPair> Solve();
  ContactPair NewtonRun(double a, double b) const;
  Residual Evaluate(double a, double b) const;
  Jacobian Derivatives(double a, double b) const;
  bool IsValid(ContactPair c) const;

 private:
  double DistanceToReference(ContactPair c) const;

  Bezier first_, second_;
  LineKind kind_;
  double a0_, b0_;
  ContactPair best_;
};

TwoPieceSolver::TwoPieceSolver(const Bezier& first, const Bezier& second, LineKind kind, double a0, double b0)
    : first_(first), second_(second), kind_(kind), a0_(a0), b0_(b0) {}

Residual TwoPieceSolver::Evaluate(double a, double b) const {
  const Point t1 = first_.Derivative(a), t2 = second_.Derivative(b);
  const Point d = second_.At(b) - first_.At(a);
  if (kind_ == LineKind::Tangent) return {t1.v * d.h - t1.h * d.v, t2.h * d.v - t2.v * d.h};
  return {Dot(d, t1) / Length(t1), -Dot(d, t2) / Length(t2)};
}

Jacobian TwoPieceSolver::Derivatives(double a, double b) const {
  const Point t1 = first_.Derivative(a), t2 = second_.Derivative(b);
  const Point s1 = first_.SecondDerivative(a), s2 = second_.SecondDerivative(b);
  const Point d = second_.At(b) - first_.At(a);  // dD/da = -T1, dD/db = T2
  if (kind_ == LineKind::Tangent) {
    // F1 = T1 x D up to sign, F2 likewise; the T x T terms of the product rule cancel.
    return {s1.v * d.h - s1.h * d.v, t1.v * t2.h - t1.h * t2.v, t2.v * t1.h - t2.h * t1.v, s2.h * d.v - s2.v * d.h};
  }
  // F = u / |T| with u = D . T: dF = du / |T| - u (T . T') / |T|^3.
  const double n1 = Length(t1), n2 = Length(t2);
  const double u1 = Dot(d, t1), u2 = Dot(d, t2);
  const double f1a = (Dot(d, s1) - Dot(t1, t1)) / n1 - u1 * Dot(t1, s1) / (n1 * n1 * n1);
  const double f1b = Dot(t2, t1) / n1;
  const double f2a = Dot(t1, t2) / n2;
  const double f2b = -((Dot(d, s2) + Dot(t2, t2)) / n2 - u2 * Dot(t2, s2) / (n2 * n2 * n2));
  return {f1a, f1b, f2a, f2b};
}

ContactPair TwoPieceSolver::NewtonRun(double a, double b) const {
  for (int i = 0; i < tol::kTwoPieceMaxIterations; ++i) {
    const Residual f = Evaluate(a, b);
    if (std::abs(f.f1) < tol::kTwoPieceResidual && std::abs(f.f2) < tol::kTwoPieceResidual) return {a, b};
    const Jacobian j = Derivatives(a, b);
    const double det = j.f1a * j.f2b - j.f1b * j.f2a;
    double da = 0, db = 0;
    if (!(std::abs(det) < tol::kTwoPieceDeterminantMin)) {
      da = (j.f2b * f.f1 - j.f1b * f.f2) / det;
      db = (j.f1a * f.f2 - j.f2a * f.f1) / det;
    }
    if (std::abs(da) < tol::kTwoPieceStepMin && std::abs(db) < tol::kTwoPieceStepMin) return {};
    // Once a parameter is no longer finite every later residual is NaN: the run cannot succeed.
    if (!std::isfinite(da) || !std::isfinite(db)) return {};
    a -= tol::kTwoPieceDamping * da;
    b -= tol::kTwoPieceDamping * db;
  }
  return {};
}

bool TwoPieceSolver::IsValid(ContactPair c) const {
  return c.a >= 0 && c.a <= 1 && c.b >= 0 && c.b <= 1 &&
         Distance(first_.At(c.a), second_.At(c.b)) > tol::kDistinctContacts;
}

double TwoPieceSolver::DistanceToReference(ContactPair c) const {
  return 2 * Distance(first_.At(c.a), first_.At(a0_)) + Distance(second_.At(c.b), second_.At(b0_));
}

std::optional<ContactPair> TwoPieceSolver::Solve() {
  best_ = {};
  auto consider = [this](ContactPair c) {
    if (!IsValid(c)) return;
    if (!IsValid(best_) || DistanceToReference(c) < DistanceToReference(best_)) best_ = c;
  };
  consider(NewtonRun(a0_, b0_));
  for (double a : tol::kTwoPieceGridA)
    for (double b : tol::kTwoPieceGridB) consider(NewtonRun(a, b));
  return IsValid(best_) ? std::optional(best_) : std::nullopt;
}

namespace {

// The start parameter on piece i of a path picked at (picked, t): the picked parameter on the
// picked piece, else the end of piece i nearest the picked piece.
double StartParameter(int i, PieceRef picked) {
  if (i == picked.piece) return picked.t;
  return i < picked.piece ? 1.0 : 0.0;
}

}  // namespace

std::optional<LineContact> FindLineContactRef(const PieceSource& first, PieceRef pick1, const PieceSource& second,
                                           PieceRef pick2, LineKind kind) {
  const std::vector<int> order1 = OutwardOrder(pick1.piece, first.CountPieces());
  const std::vector<int> order2 = OutwardOrder(pick2.piece, second.CountPieces());
  for (int i : order1) {
    for (int j : order2) {
      TwoPieceSolver solver(first.GetPiece(i), second.GetPiece(j), kind, StartParameter(i, pick1),
                            StartParameter(j, pick2));
      if (const std::optional<ContactPair> c = solver.Solve())
        return LineContact{first.Identity(), {i, c->a}, second.Identity(), {j, c->b}};
    }
  }
  return std::nullopt;
}
}  // namespace lines

std::vector<double> NormalRoots(const PointPieceSolver& s, double t0) { return roots::NormalRootsRef(s, t0); }
std::vector<double> TangentRoots(const PointPieceSolver& s, double t0) { return roots::TangentRootsRef(s, t0); }
bool MayMeet(const Bezier& a, const Bezier& b, double r) { return hull::MayMeetRef(a, b, r); }
std::optional<ParameterPair> IterateTangentPair(const Bezier& c1, const Bezier& c2, double r, ParameterPair start,
                                                double convergence, double acceptance) {
  return circle::IterateTangentPairRef(c1, c2, r, start, convergence, acceptance);
}
double CentreMismatch(const Bezier& c1, const Bezier& c2, double r, ParameterPair at) {
  return circle::CentreMismatchRef(c1, c2, r, at);
}
bool FindTangentCircle(const PieceSource& first, PieceRef pick1, const PieceSource& second, PieceRef pick2, double r,
                       Point guess, TangentCircle& result) {
  return circle::FindTangentCircleRef(first, pick1, second, pick2, r, guess, result);
}
std::optional<ContactPair> SolveTwoPieces(const Bezier& first, const Bezier& second, LineKind kind, double a0,
                                          double b0) {
  return lines::TwoPieceSolver(first, second, kind, a0, b0).Solve();
}
std::optional<LineContact> FindLineContact(const PieceSource& first, PieceRef pick1, const PieceSource& second,
                                           PieceRef pick2, LineKind kind) {
  return lines::FindLineContactRef(first, pick1, second, pick2, kind);
}

}  // namespace geom::reference
