#include "geometry/offset_hull.h"

#include <algorithm>
#include <cmath>

#include "geometry/tolerances.h"

namespace geom {

std::vector<Point> ConvexHull(const ControlPoints& points) {
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
      if (SegmentsIntersect(s, u)) return true;
  return false;
}

}  // namespace

std::vector<LineSegment> OffsetPolygon(const Bezier& piece, double r) {
  if (Collinear(piece)) {
    const Point n = r * UnitRightNormal(piece.P(3) - piece.P(0));
    return {{piece.P(0) + n, piece.P(3) + n}, {piece.P(3) - n, piece.P(0) - n}};
  }
  const std::vector<Point> hull = ConvexHull(piece.Controls());
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

bool SegmentsIntersect(const LineSegment& s1, const LineSegment& s2) {
  const Point d1 = s1.b - s1.a, d2 = s2.b - s2.a;
  const double det = Cross(d1, d2);
  if (!(std::abs(det) >= tol::kLineDeterminantMin)) return false;
  const Point x = s1.a + d1 * (Cross(s2.a - s1.a, d2) / det);
  return WithinRange(x.h, s1.a.h, s1.b.h) && WithinRange(x.v, s1.a.v, s1.b.v) && WithinRange(x.h, s2.a.h, s2.b.h) &&
         WithinRange(x.v, s2.a.v, s2.b.v);
}

bool MayMeet(const Bezier& first, const Bezier& second, double r) {
  if (!Overlap(GrownControlBox(first, r), GrownControlBox(second, r))) return false;
  const std::vector<LineSegment> p1 = OffsetPolygon(first, r);
  const std::vector<LineSegment> p2 = OffsetPolygon(second, r);
  if (p1.size() < 2 || p2.size() < 2) return false;
  if (!Overlap(BoundsOf(p1), BoundsOf(p2))) return false;
  if (AnyCrossing(p1, p2)) return true;
  if (p1.size() > 2 && SameSideOfAll(p1, second.P(0))) return true;
  if (p2.size() > 2 && SameSideOfAll(p2, first.P(0))) return true;
  return false;
}

}  // namespace geom
