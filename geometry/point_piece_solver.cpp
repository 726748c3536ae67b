#include "geometry/point_piece_solver.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

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

// f and f' from one evaluation of the piece.
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

// ---- Roots of a polynomial in [0, 1] by isolation between the roots of its derivative ----------
//
// A polynomial is monotone between consecutive roots of its derivative, so each such interval
// holds at most one root, and holds one exactly when the polynomial changes sign across it. The
// derivative's roots are found the same way, down to a quadratic solved in closed form. Each
// root is polished by Newton's method kept inside its bracket (a step that would leave the
// bracket bisects instead), so it converges whatever the shape of the polynomial there.
//
// Coefficients are in ascending order: c[k] multiplies t^k.

template <int N>
double Horner(const double* c, double t) {
  double v = c[N];
  for (int k = N - 1; k >= 0; --k) v = v * t + c[k];
  return v;
}

template <int N>
void Derivative(const double* c, double* d) {
  for (int k = 0; k < N; ++k) d[k] = (k + 1) * c[k + 1];
}

// The root of p in [lo, hi], where p(lo) and p(hi) have strictly opposite signs.  The result
// never leaves the bracket, even where rounding puts the chord's start or a converged step a
// hair outside it (a bracket that ends at 0 would otherwise give a root below 0).
template <int N>
double Polish(const double* c, double lo, double hi, double plo, double phi) {
  double d[N];
  Derivative<N>(c, d);
  if (plo > 0) std::swap(lo, hi), std::swap(plo, phi);  // from here p(lo) < 0 < p(hi)
  const double low = std::min(lo, hi), high = std::max(lo, hi);
  const auto within = [low, high](double t) { return std::clamp(t, low, high); };
  // Start where the chord crosses zero: close to the root on nearly straight stretches.
  double t = within(lo - plo * (hi - lo) / (phi - plo));
  double previousStep = high - low;
  for (int i = 0; i < 100; ++i) {
    const double v = Horner<N>(c, t);
    if (v == 0) return t;
    (v < 0 ? lo : hi) = t;
    const double dv = Horner<N - 1>(d, t);
    double next = t - v / dv;
    // Converged.  Tested before the bracket: t has just become one of its ends, so a step
    // that stays put would otherwise count as leaving it and bisect away from the root.
    const double step = std::abs(next - t);
    if (step <= 1e-15) return within(next);
    // A step this small and this much smaller than the one before is in Newton's quadratic
    // range: the error of next is about the square of it, below 1e-14.
    const bool inside = lo < hi ? (next > lo && next < hi) : (next > hi && next < lo);
    if (inside && step <= 1e-7 && step <= 1e-2 * previousStep) return next;
    previousStep = step;
    if (!inside) next = 0.5 * (lo + hi);
    if (next == lo || next == hi) return next;
    t = next;
  }
  return t;
}

// Roots of p (degree N) in the open interval (0, 1) where p changes sign, ascending, into out;
// returns their count (at most N).
template <int N>
int SignChangeRoots(const double* c, double* out);

template <>
int SignChangeRoots<1>(const double* c, double* out) {
  if (c[1] == 0) return 0;
  const double t = -c[0] / c[1];
  if (!(t > 0 && t < 1)) return 0;
  out[0] = t;
  return 1;
}

template <>
int SignChangeRoots<2>(const double* c, double* out) {
  const double a = c[2], b = c[1], k = c[0];
  if (a == 0) return SignChangeRoots<1>(c, out);
  const double disc = b * b - 4 * a * k;
  if (!(disc > 0)) return 0;  // no real root, or a double root where p does not change sign
  // The numerically stable pair of roots.
  const double q = -0.5 * (b + std::copysign(std::sqrt(disc), b));
  double r1 = q / a, r2 = q != 0 ? k / q : r1;
  if (r1 > r2) std::swap(r1, r2);
  int n = 0;
  for (double r : {r1, r2})
    if (r > 0 && r < 1 && (n == 0 || r != out[n - 1])) out[n++] = r;
  return n;
}

// 0, the roots in (0, 1) where p's derivative changes sign, and 1, ascending: between two
// neighbouring knots p is monotonic. Returns how many.
template <int N>
int MonotonicKnots(const double* c, double* knots) {
  double d[N];
  Derivative<N>(c, d);
  int m = 0;
  knots[m++] = 0;
  m += SignChangeRoots<N - 1>(d, knots + 1);
  knots[m++] = 1;
  return m;
}

template <int N>
int SignChangeRoots(const double* c, double* out) {
  double knots[N + 1];
  const int m = MonotonicKnots<N>(c, knots);
  int n = 0;
  double previous = Horner<N>(c, knots[0]);
  for (int k = 1; k < m; ++k) {
    const double value = Horner<N>(c, knots[k]);
    if ((previous < 0 && value > 0) || (previous > 0 && value < 0))
      out[n++] = Polish<N>(c, knots[k - 1], knots[k], previous, value);
    previous = value;
  }
  return n;
}

// Every t in [0, 1] where p is zero and `accept(t)` holds: the roots where p changes sign, and
// the ends and turning points of p where p touches zero (a double root, or one that rounding
// keeps just off zero), ascending. `accept` is the caller's residual test on the condition
// itself, so a root is kept exactly when the condition holds there within the tolerance;
// `hopeless(t, p(t))` says cheaply, from the polynomial's value, that the test would fail at an
// end or turning point, which then is not tested.
template <int N, class Accept, class Hopeless>
std::vector<double> RootsInUnitInterval(const double* c, Accept accept, Hopeless hopeless) {
  double knots[N + 1];
  const int m = MonotonicKnots<N>(c, knots);
  std::vector<double> roots;
  roots.reserve(static_cast<std::size_t>(2 * N));
  double previous = Horner<N>(c, knots[0]);
  if (!hopeless(knots[0], previous) && accept(knots[0])) roots.push_back(knots[0]);
  for (int k = 1; k < m; ++k) {
    const double value = Horner<N>(c, knots[k]);
    if ((previous < 0 && value > 0) || (previous > 0 && value < 0)) {
      const double t = Polish<N>(c, knots[k - 1], knots[k], previous, value);
      if (accept(t)) roots.push_back(t);
    }
    if (!hopeless(knots[k], value) && accept(knots[k])) roots.push_back(knots[k]);
    previous = value;
  }
  // A root polished next to a turning point that passed the test too may land on the far side
  // of it by rounding: order them, and keep one of roots that coincide within rounding.
  std::sort(roots.begin(), roots.end());
  roots.erase(std::unique(roots.begin(), roots.end(), [](double x, double y) { return y - x <= 1e-12; }), roots.end());
  return roots;
}

// Adds t0 in front when the condition holds there too but no root found lies there: a piece
// on which the condition holds everywhere (a straight piece through the point, for tangents)
// has no isolated root, and every parameter is an answer; the caller's own is the natural one.
template <class Accept>
void KeepStartWhereEverythingIsARoot(std::vector<double>& roots, double t0, Accept accept) {
  if (!(t0 > 0 && t0 < 1) || !accept(t0)) return;
  for (double t : roots)
    if (std::abs(t - t0) <= 1e-9) return;
  // Only when the condition holds half way to the neighbouring roots as well: then the
  // condition vanishes along a whole stretch, not only at one point near t0.
  const double mid = 0.5 * t0, mid2 = 0.5 * (t0 + 1);
  if (!accept(mid) || !accept(mid2)) return;
  roots.insert(std::upper_bound(roots.begin(), roots.end(), t0), t0);
}

}  // namespace

double PointPieceSolver::Normal(double t) const { return EvaluateNormal(*this, t).f; }
double PointPieceSolver::NormalDerivative(double t) const { return EvaluateNormal(*this, t).df; }

std::vector<double> NormalRoots(const PointPieceSolver& solver, double t0) {
  // h(t) = (B - P) . B' = -f(t) |B'|: the same roots as f where B' is not zero, degree 5.
  const PowerBasis& k = solver.piece.Coefficients();
  const Point a = k.a, b = k.b, c = k.c, d = k.d - solver.p;
  const double h[6] = {Dot(c, d),
                       Dot(c, c) + 2 * Dot(b, d),
                       3 * Dot(b, c) + 3 * Dot(a, d),
                       4 * Dot(a, c) + 2 * Dot(b, b),
                       5 * Dot(a, b),
                       3 * Dot(a, a)};
  const auto accept = [&solver](double t) {
    const Point w = solver.p - solver.piece.At(t), d1 = solver.piece.Derivative(t);
    return std::abs(Dot(w, d1) / Length(d1)) < tol::kPointPieceResidual;
  };
  // |f| = |h| / |B'|: where |h| is at least twice the tolerance times |B'|, f cannot pass.
  const auto hopeless = [&solver](double t, double value) {
    const Point d1 = solver.piece.Derivative(t);
    return value * value >= 4 * tol::kPointPieceResidual * tol::kPointPieceResidual * LengthSquared(d1);
  };
  std::vector<double> roots = RootsInUnitInterval<5>(h, accept, hopeless);
  KeepStartWhereEverythingIsARoot(roots, t0, accept);
  return roots;
}

std::vector<double> TangentRoots(const PointPieceSolver& solver, double t0) {
  // g(t) = Cross(B', B - P), a quartic (the t^5 term cancels).
  const PowerBasis& k = solver.piece.Coefficients();
  const Point a = k.a, b = k.b, c = k.c, d = k.d - solver.p;
  const double g[5] = {Cross(c, d), 2 * Cross(b, d), Cross(b, c) + 3 * Cross(a, d), 2 * Cross(a, c), Cross(a, b)};
  const auto accept = [&solver](double t) { return std::abs(solver.Tangent(t)) < tol::kPointPieceResidual; };
  // g itself is the tested value: twice the tolerance leaves room for rounding.
  const auto hopeless = [](double, double value) { return std::abs(value) >= 2 * tol::kPointPieceResidual; };
  std::vector<double> roots = RootsInUnitInterval<4>(g, accept, hopeless);
  KeepStartWhereEverythingIsARoot(roots, t0, accept);
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
