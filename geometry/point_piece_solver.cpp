#include "geometry/point_piece_solver.h"

#include <cmath>

#include "geometry/cubic.h"

namespace geom {

double PointPieceSolver::Tangent(double t) const {
  const Point b = piece.At(t), d = piece.Derivative(t);
  return (b.v - p.v) * d.h - (b.h - p.h) * d.v;
}

double PointPieceSolver::TangentDerivative(double t) const {
  const Point b = piece.At(t), s = piece.SecondDerivative(t);
  return (b.v - p.v) * s.h - (b.h - p.h) * s.v;
}

std::array<double, 4> PointPieceSolver::TangentDerivativeCoefficients() const {
  const PowerBasis& k = piece.Coefficients();
  const double x3 = k.a.h, x2 = k.b.h, x1 = k.c.h, x0 = k.d.h - p.h;
  const double y3 = k.a.v, y2 = k.b.v, y1 = k.c.v, y0 = k.d.v - p.v;
  return {4 * (x3 * y2 - y3 * x2), 6 * (x3 * y1 - y3 * x1), 2 * (3 * x3 * y0 + x2 * y1 - x1 * y2 - 3 * y3 * x0),
          2 * (x2 * y0 - y2 * x0)};
}

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

double PointPieceSolver::Normal(double t) const { return EvaluateNormal(*this, t).f; }
double PointPieceSolver::NormalDerivative(double t) const { return EvaluateNormal(*this, t).df; }

std::vector<double> NormalRoots(const PointPieceSolver& solver, double t0) {
  std::vector<double> roots;
  AppendIfInside(roots, NormalRun(solver, t0));
  for (double start : tol::kNormalStarts) AppendIfInside(roots, NormalRun(solver, start));
  return roots;
}

std::vector<double> TangentRoots(const PointPieceSolver& solver, double t0) {
  std::vector<double> roots;
  AppendIfInside(roots, TangentRun(solver, t0));
  for (double start : tol::kTangentStarts) AppendIfInside(roots, TangentRun(solver, start));
  const auto [a, b, c, d] = solver.TangentDerivativeCoefficients();
  // SolveCubic drops non-finite roots (a == 0); runs started from them could not succeed.
  for (double r : SolveCubic(a, b, c, d)) AppendIfInside(roots, TangentRun(solver, r + tol::kPastTurningPoint));
  return roots;
}

std::optional<PointContact> FindPointContact(const PieceSource& path, PieceRef pick, Point start, Point cursor,
                                             RootFinder finder) {
  for (int i : OutwardOrder(pick.piece, path.CountPieces())) {
    const PointPieceSolver solver{path.GetPiece(i), start};
    const std::vector<double> roots = finder(solver, pick.t);
    if (roots.empty()) continue;
    double bestT = roots.front();
    double bestDistance = Distance(solver.piece.At(bestT), cursor);
    for (double t : roots) {
      const double d = Distance(solver.piece.At(t), cursor);
      if (d < bestDistance) bestT = t, bestDistance = d;
    }
    return PointContact{path.Identity(), {i, bestT}, solver.piece.At(bestT)};
  }
  return std::nullopt;
}

}  // namespace geom
