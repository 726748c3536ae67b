#include "geometry/construction.h"

#include <cmath>

namespace geom {

ImplicitLine LineThrough(Point p1, Point p2) {
  return {p2.v - p1.v, p1.h - p2.h, p2.h * p1.v - p1.h * p2.v};
}

namespace {

// The perpendicular bisector of pq, through its midpoint and the midpoint moved one unit along
// the right normal of pq.
ImplicitLine Bisector(Point p, Point q) {
  const Point mid = (p + q) / 2;
  const Point d = q - p;
  const double len = Length(d);
  const Point offset = len > tol::kUnitMinLength ? TurnRight(d) / len : Point{};
  return LineThrough(mid, mid + offset);
}

}  // namespace

std::optional<Circle> Circumcircle(Point a, Point b, Point c) {
  const double cross = (b.v - a.v) * (c.h - b.h) - (c.v - b.v) * (b.h - a.h);
  if (!(std::abs(cross) >= tol::kCircumcircleCollinear)) return std::nullopt;
  const std::optional<Point> centre = IntersectLines(Bisector(a, b), Bisector(b, c));
  if (!centre) return std::nullopt;
  return Circle{*centre, Distance(*centre, a)};
}

Point ConstrainTo45(Point anchor, Point p) {
  if (Distance(anchor, p) < tol::kConstrainMinDistance) return p;
  constexpr double kEighth = std::numbers::pi / 4;
  const double snapped = std::floor(AngleOf(p - anchor) / kEighth + 0.5) * kEighth;
  const Point dir{std::cos(snapped), std::sin(snapped)};
  const ImplicitLine ray = LineThrough(anchor, anchor + dir);
  const ImplicitLine across = LineThrough(p, p + TurnLeft(dir));
  return IntersectLines(ray, across).value_or(p);
}

}  // namespace geom
