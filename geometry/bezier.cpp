#include "geometry/bezier.h"

#include <cmath>

namespace geom {

Bezier::Bezier(Point p0, Point p1, Point p2, Point p3) : cp_{p0, p1, p2, p3} { Rebuild(); }

void Bezier::SetControlPoint(int i, Point p) {
  cp_[static_cast<std::size_t>(i)] = p;
  Rebuild();
}

void Bezier::Rebuild() {
  const auto& [p0, p1, p2, p3] = cp_;
  pb_.a = -1 * p0 + 3 * p1 - 3 * p2 + p3;
  pb_.b = 3 * p0 - 6 * p1 + 3 * p2;
  pb_.c = 3 * p1 - 3 * p0;
  pb_.d = p0;
}

double Bezier::Curvature(double t) const {
  const Point d1 = Derivative(t);
  const Point d2 = SecondDerivative(t);
  return Cross(d1, d2) / std::pow(LengthSquared(d1), 1.5);
}

void SplitBezier(const ControlPoints& piece, double t, ControlPoints& left, ControlPoints& right) {
  const double u = 1 - t;
  const auto& [p0, p1, p2, p3] = piece;
  const Point q0 = u * p0 + t * p1;
  const Point q1 = u * p1 + t * p2;
  const Point q2 = u * p2 + t * p3;
  const Point r0 = u * q0 + t * q1;
  const Point r1 = u * q1 + t * q2;
  const Point s = u * r0 + t * r1;
  left = {p0, q0, r0, s};
  right = {s, r1, q2, p3};
}

namespace {

bool IsStraight(const Bezier& piece) {
  return Distance(piece.P(0), piece.P(1)) < tol::kRetractedHandle &&
         Distance(piece.P(3), piece.P(2)) < tol::kRetractedHandle;
}

}  // namespace

BezierHalves SplitBezier(const Bezier& piece, double t) {
  ControlPoints left, right;
  SplitBezier(piece.Controls(), t, left, right);
  if (IsStraight(piece)) {
    const Point s = left[3];
    left = {piece.P(0), piece.P(0), s, s};
    right = {s, s, piece.P(3), piece.P(3)};
  }
  return {Bezier(left), Bezier(right)};
}

Bezier SplitBezierBetween(const Bezier& piece, double t0, double t1) {
  if (IsStraight(piece)) {
    const Point start = SplitBezier(piece, t0).left.P(3);
    const Point end = SplitBezier(piece, t1).left.P(3);
    return Bezier(start, start, end, end);
  }
  return SplitBezier(SplitBezier(piece, t0).right, 1 - (1 - t1) / (1 - t0)).left;
}

}  // namespace geom
