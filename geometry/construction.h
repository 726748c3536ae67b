// Straight-edge constructions: line intersection, the circle through three points, and the
// 45-degree constraint of dragged points.
#pragma once

#include <cmath>
#include <optional>

#include "geometry/point.h"

namespace geom {

// The line a*h + b*v + c = 0.
struct ImplicitLine {
  double a = 0, b = 0, c = 0;
};

// The line through two points: a = y2 - y1, b = x1 - x2, c = x2*y1 - x1*y2.
ImplicitLine LineThrough(Point p1, Point p2);

// The intersection of two lines; nothing when their determinant a1*b2 - b1*a2 is below
// kLineDeterminantMin in magnitude (parallel or coincident lines). Inline: the tangent circle
// iteration intersects two pairs of lines per round.
inline std::optional<Point> IntersectLines(const ImplicitLine& l1, const ImplicitLine& l2) {
  const double det = l1.a * l2.b - l1.b * l2.a;
  if (!(std::abs(det) >= tol::kLineDeterminantMin)) return std::nullopt;
  return Point{-(l1.c * l2.b - l1.b * l2.c) / det, (l1.c * l2.a - l1.a * l2.c) / det};
}

struct Circle {
  Point centre;
  double radius = 0;
};

// The circle through a, b and c, as the intersection of the perpendicular bisectors of ab and
// bc. Nothing when the points are collinear (cross product below kCircumcircleCollinear) or
// coincident.
std::optional<Circle> Circumcircle(Point a, Point b, Point c);

// p projected perpendicularly onto the ray from anchor whose angle is the multiple of 45 degrees
// nearest p's angle about the anchor (so the distance from the anchor is not kept). p itself
// when it lies within kConstrainMinDistance of the anchor.
Point ConstrainTo45(Point anchor, Point p);

}  // namespace geom
