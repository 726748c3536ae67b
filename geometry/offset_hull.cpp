#include "geometry/offset_hull.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "geometry/tolerances.h"

namespace geom {

Box ControlBox(const ControlPoints& p) {
  Box b{p[0].h, p[0].v, p[0].h, p[0].v};
  for (const Point& q : p) {
    b.minH = std::min(b.minH, q.h), b.maxH = std::max(b.maxH, q.h);
    b.minV = std::min(b.minV, q.v), b.maxV = std::max(b.maxV, q.v);
  }
  return b;
}

namespace {

// The hull of ConvexHull into a fixed array (at most four points); returns the point count.
std::size_t HullOf(const ControlPoints& points, ControlPoints& hull) {
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
  std::size_t n = 0;
  for (Point p : pts) {
    while (n >= 2 && Cross(hull[n - 1] - hull[n - 2], p - hull[n - 1]) <= tol::kHullCrossZero) --n;
    if (n == 0 || p != hull[n - 1]) hull[n++] = p;
  }
  return n;
}

}  // namespace

std::vector<Point> ConvexHull(const ControlPoints& points) {
  ControlPoints hull;
  const std::size_t n = HullOf(points, hull);
  return {hull.begin(), hull.begin() + static_cast<std::ptrdiff_t>(n)};
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

Box BoundsOf(const LineSegment* polygon, std::size_t count) {
  Box b{polygon[0].a.h, polygon[0].a.v, polygon[0].a.h, polygon[0].a.v};
  for (const LineSegment& s : std::span(polygon, count)) {
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
  const Box b = ControlBox(piece.Controls());
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
bool SameSideOfAll(std::span<const LineSegment> polygon, Point p) {
  const int side = SideOf(polygon[0], p);
  return std::all_of(polygon.begin(), polygon.end(), [&](const LineSegment& s) { return SideOf(s, p) == side; });
}

bool AnyCrossing(std::span<const LineSegment> x, std::span<const LineSegment> y) {
  for (const LineSegment& s : x)
    for (const LineSegment& u : y)
      if (SegmentsIntersect(s, u)) return true;
  return false;
}

// The offset polygon into a fixed array (at most 8 segments); returns the segment count.
std::size_t OffsetPolygonOf(const Bezier& piece, double r, std::array<LineSegment, 8>& polygon) {
  if (Collinear(piece)) {
    const Point n = r * UnitRightNormal(piece.P(3) - piece.P(0));
    polygon[0] = {piece.P(0) + n, piece.P(3) + n};
    polygon[1] = {piece.P(3) - n, piece.P(0) - n};
    return 2;
  }
  ControlPoints hull;
  const std::size_t k = HullOf(piece.Controls(), hull);
  std::array<Point, 4> normals;
  for (std::size_t i = 0; i < k; ++i) normals[i] = r * UnitRightNormal(hull[(i + 1) % k] - hull[i]);
  for (std::size_t i = 0; i < k; ++i) {
    const Point next = hull[(i + 1) % k];
    polygon[2 * i] = {hull[i] + normals[i], next + normals[i]};
    polygon[2 * i + 1] = {next + normals[i], next + normals[(i + 1) % k]};
  }
  return 2 * k;
}

}  // namespace

std::vector<LineSegment> OffsetPolygon(const Bezier& piece, double r) {
  std::array<LineSegment, 8> polygon;
  const std::size_t n = OffsetPolygonOf(piece, r, polygon);
  return {polygon.begin(), polygon.begin() + static_cast<std::ptrdiff_t>(n)};
}

bool SegmentsIntersect(const LineSegment& s1, const LineSegment& s2) {
  const Point d1 = s1.b - s1.a, d2 = s2.b - s2.a;
  const double det = Cross(d1, d2);
  if (!(std::abs(det) >= tol::kLineDeterminantMin)) return false;
  const Point x = s1.a + d1 * (Cross(s2.a - s1.a, d2) / det);
  return WithinRange(x.h, s1.a.h, s1.b.h) && WithinRange(x.v, s1.a.v, s1.b.v) && WithinRange(x.h, s2.a.h, s2.b.h) &&
         WithinRange(x.v, s2.a.v, s2.b.v);
}

OffsetRegion::OffsetRegion(const Bezier& piece, double r)
    : grown(GrownControlBox(piece, r)), count(OffsetPolygonOf(piece, r, segments)), start(piece.P(0)) {
  if (count >= 2) bounds = BoundsOf(segments.data(), count);
}

bool MayMeet(const OffsetRegion& first, const OffsetRegion& second) {
  if (!Overlap(first.grown, second.grown)) return false;
  if (first.count < 2 || second.count < 2) return false;
  if (!Overlap(first.bounds, second.bounds)) return false;
  const std::span<const LineSegment> p1(first.segments.data(), first.count);
  const std::span<const LineSegment> p2(second.segments.data(), second.count);
  if (AnyCrossing(p1, p2)) return true;
  if (p1.size() > 2 && SameSideOfAll(p1, second.start)) return true;
  if (p2.size() > 2 && SameSideOfAll(p2, first.start)) return true;
  return false;
}

bool MayMeet(const Bezier& first, const Bezier& second, double r) {
  return MayMeet(OffsetRegion(first, r), OffsetRegion(second, r));
}

}  // namespace geom
