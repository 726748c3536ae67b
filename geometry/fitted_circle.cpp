#include "geometry/fitted_circle.h"

#include <cmath>
#include <numbers>

namespace geom {

namespace {

// Shorter handles count as retracted: no end direction to take a normal from.
constexpr double kRetractedHandle = 1e-4;
constexpr double kParallelNormals = 1e-15;
// The three distances may differ by this fraction of pi * (r0 + r3).
constexpr double kArcTolerance = 0.001;
// Shorter derivatives give no normal.
constexpr double kNoDerivative = 1e-15;

}  // namespace

std::optional<FittedCircle> CircularArcOf(const Bezier& piece) {
  const Point p0 = piece.P(0), p1 = piece.P(1), p2 = piece.P(2), p3 = piece.P(3);
  const Point u = p1 - p0, v = p3 - p2;
  if (Length(u) < kRetractedHandle || Length(v) < kRetractedHandle) return std::nullopt;
  // The normal lines: (X - p0).u = 0 and (X - p3).v = 0.
  const double det = u.h * v.v - u.v * v.h;
  if (std::abs(det) < kParallelNormals) return std::nullopt;
  const double e = Dot(u, p0), f = Dot(v, p3);
  const Point c{(e * v.v - u.v * f) / det, (u.h * f - e * v.h) / det};
  const double r0 = Distance(c, p0), r3 = Distance(c, p3), rm = Distance(c, piece.At(0.5));
  const double tolerance = kArcTolerance * std::numbers::pi * (r0 + r3);
  if (std::abs(r0 - r3) > tolerance || std::abs(r0 - rm) > tolerance) return std::nullopt;
  return FittedCircle{c, (r0 + r3 + rm) / 3};
}

std::optional<FittedCircle> FittedCircleAt(const Bezier& piece, double t) {
  if (const std::optional<FittedCircle> arc = CircularArcOf(piece)) return arc;
  const double rho = 1 / piece.Curvature(t);
  if (!std::isfinite(rho)) return std::nullopt;
  const Point d = piece.Derivative(t);
  const double length = Length(d);
  const Point normal = length <= kNoDerivative ? Point{} : Point{-d.v, d.h} / length;
  return FittedCircle{piece.At(t) + normal * rho, rho};
}

SquareCorners CircleCorners(Point centre, double radius) {
  const double r = std::abs(radius);
  return {RoundToSingle(Point{centre.h - r, centre.v - r}), RoundToSingle(Point{centre.h + r, centre.v + r})};
}

}  // namespace geom
