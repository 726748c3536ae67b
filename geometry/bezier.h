// One cubic Bezier piece.
//
// A piece is given by four control points P0..P3 and runs over t in [0, 1]:
//   B(t) = (1-t)^3 P0 + 3(1-t)^2 t P1 + 3(1-t) t^2 P2 + t^3 P3.
// For the many evaluations of the numeric searches it also carries the power basis, per
// coordinate, B(t) = a t^3 + b t^2 + c t + d with
//   a = -P0 + 3 P1 - 3 P2 + P3,   b = 3 P0 - 6 P1 + 3 P2,   c = 3 P1 - 3 P0,   d = P0.
// The coefficients are always derived from the control points: the only way to change a control
// point is SetControlPoint, which rebuilds them.
#pragma once

#include <array>

#include "geometry/point.h"

namespace geom {

using ControlPoints = std::array<Point, 4>;

// Power-basis coefficients of one piece (see the header comment).
struct PowerBasis {
  Point a, b, c, d;
};

class Bezier {
 public:
  Bezier() = default;  // all four control points at the origin
  Bezier(Point p0, Point p1, Point p2, Point p3);
  explicit Bezier(const ControlPoints& cp) : Bezier(cp[0], cp[1], cp[2], cp[3]) {}

  const ControlPoints& Controls() const { return cp_; }
  const Point& P(int i) const { return cp_[static_cast<std::size_t>(i)]; }
  const PowerBasis& Coefficients() const { return pb_; }

  // Replaces control point i (0..3) and rebuilds the coefficients.
  void SetControlPoint(int i, Point p);

  // Position B(t). t is not clamped: the polynomial is evaluated outside [0, 1] as well.
  Point At(double t) const {
    return ((pb_.a * t + pb_.b) * t + pb_.c) * t + pb_.d;
  }
  // First derivative B'(t), the (unnormalised) tangent.
  Point Derivative(double t) const { return (pb_.a * (3 * t) + pb_.b * 2) * t + pb_.c; }
  // Second derivative B''(t).
  Point SecondDerivative(double t) const { return pb_.a * (6 * t) + pb_.b * 2; }
  // Signed curvature (x'y'' - y'x'') / (x'^2 + y'^2)^1.5: positive where the piece turns
  // counter-clockwise. Not finite where the derivative vanishes.
  double Curvature(double t) const;

 private:
  void Rebuild();

  ControlPoints cp_{};
  PowerBasis pb_{};
};

struct BezierHalves {
  Bezier left;   // covers [0, t]
  Bezier right;  // covers [t, 1]
};

// Splits a piece at t by de Casteljau's construction (t is not clamped).
// Straight-piece rule: when both handles are retracted (each within kRetractedHandle of its
// anchor) the halves are [P0, P0, S, S] and [S, S, P3, P3] with S = B(t), so a straight piece
// stays straight with retracted handles.
BezierHalves SplitBezier(const Bezier& piece, double t);

// The part of a piece over [t0, t1] (t0 < t1 <= 1) by the same rules: a straight piece gives the
// straight piece from B(t0) to B(t1) with retracted handles; any other piece is split at t0 and
// its right half again at 1 - (1 - t1) / (1 - t0). Splitting a straight piece twice would miss B(t1):
// its halves keep retracted handles and so are not parameterised as the stretch they cover.
Bezier SplitBezierBetween(const Bezier& piece, double t0, double t1);

// The plain de Casteljau split of four control points at t, without the straight-piece rule;
// used where a piece is cut in place inside a path (anchor insertion), so that its shape is
// kept exactly.
void SplitBezier(const ControlPoints& piece, double t, ControlPoints& left, ControlPoints& right);

}  // namespace geom
