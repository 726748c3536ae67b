#include "geometry/point_piece_solver.h"

#include <array>
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

// The runs of one root finder are independent, and each alone is one long chain of dependent
// divisions and square roots. They are stepped side by side, one step of every live run per
// pass, so that the processor overlaps the chains; every run still does exactly the arithmetic
// it would do alone, and the results are read in the order of the starts.
enum class RunState : unsigned char { Running, Converged, Failed };

template <std::size_t N>
struct Runs {
  std::array<double, N> t{};
  std::array<RunState, N> state{};
  std::size_t count = 0;  // runs in use, from the front

  void Start(double t0) { t[count] = t0, state[count++] = RunState::Running; }
  void AppendInside(std::vector<double>& roots) const {
    for (std::size_t k = 0; k < count; ++k)
      if (state[k] == RunState::Converged && InUnitInterval(t[k])) roots.push_back(t[k]);
  }
};

// One step of a normal run (damped Newton, t -= 0.5 f/f'), or its end.
RunState NormalStep(const PointPieceSolver& s, double& t) {
  const NormalValue v = EvaluateNormal(s, t);
  if (std::abs(v.f) < tol::kPointPieceResidual) return RunState::Converged;
  t -= tol::kNormalDamping * v.f / v.df;
  // A parameter that is no longer finite makes every later f NaN: the run cannot succeed.
  return std::isfinite(t) ? RunState::Running : RunState::Failed;
}

// One step of a tangent run (damped Newton, t -= 0.9 g/g'), or its end.
RunState TangentStep(const PointPieceSolver& s, double& t) {
  const Point b = s.piece.At(t) - s.p, d = s.piece.Derivative(t);
  const double g = b.v * d.h - b.h * d.v;
  if (std::abs(g) < tol::kPointPieceResidual) return RunState::Converged;
  if (t < 0) return RunState::Failed;
  const Point dd = s.piece.SecondDerivative(t);
  t -= tol::kTangentDamping * g / (b.v * dd.h - b.h * dd.v);
  return std::isfinite(t) ? RunState::Running : RunState::Failed;
}

// Steps all runs until each has converged or failed, or `maxSteps` steps are used up (failed).
template <std::size_t N, class Step>
void RunAll(Runs<N>& runs, int maxSteps, Step step) {
  std::size_t live = runs.count;
  for (int i = 0; i < maxSteps && live > 0; ++i) {
    for (std::size_t k = 0; k < runs.count; ++k) {
      if (runs.state[k] != RunState::Running) continue;
      runs.state[k] = step(runs.t[k]);
      if (runs.state[k] != RunState::Running) --live;
    }
  }
  for (std::size_t k = 0; k < runs.count; ++k)
    if (runs.state[k] == RunState::Running) runs.state[k] = RunState::Failed;
}

}  // namespace

double PointPieceSolver::Normal(double t) const { return EvaluateNormal(*this, t).f; }
double PointPieceSolver::NormalDerivative(double t) const { return EvaluateNormal(*this, t).df; }

std::vector<double> NormalRoots(const PointPieceSolver& solver, double t0) {
  Runs<1 + tol::kNormalStarts.size()> runs;
  runs.Start(t0);
  for (double start : tol::kNormalStarts) runs.Start(start);
  RunAll(runs, tol::kNormalMaxIterations, [&solver](double& t) { return NormalStep(solver, t); });
  std::vector<double> roots;
  roots.reserve(runs.count);
  runs.AppendInside(roots);
  return roots;
}

std::vector<double> TangentRoots(const PointPieceSolver& solver, double t0) {
  // The caller's start, the two ends, and one start past each of at most three turning points.
  Runs<1 + tol::kTangentStarts.size() + 3> runs;
  runs.Start(t0);
  for (double start : tol::kTangentStarts) runs.Start(start);
  const auto [a, b, c, d] = solver.TangentDerivativeCoefficients();
  // SolveCubic drops non-finite roots (a == 0); runs started from them could not succeed.
  for (double r : SolveCubic(a, b, c, d)) runs.Start(r + tol::kPastTurningPoint);
  RunAll(runs, tol::kTangentMaxIterations, [&solver](double& t) { return TangentStep(solver, t); });
  std::vector<double> roots;
  roots.reserve(runs.count);
  runs.AppendInside(roots);
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
