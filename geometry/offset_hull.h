// A cheap test whether two pieces can both be touched by one circle of radius r.
//
// The centre of such a circle lies within r of both pieces, and a piece lies inside the convex
// hull of its control points; so the hull grown by r (an "offset polygon") contains every
// possible centre. Two pieces whose offset polygons neither cross nor contain each other's start
// point cannot share a circle. The test may pass pieces that cannot meet (it is a quick
// rejection, never a proof).
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "geometry/bezier.h"

namespace geom {

struct LineSegment {
  Point a, b;
};

// The convex hull of four points, counter-clockwise, starting at the lowest point (smallest v,
// then smallest h); points that make no strict left turn (cross product <= kHullCrossZero) are
// dropped.
std::vector<Point> ConvexHull(const ControlPoints& points);

// The offset polygon of a piece for radius r, as a list of segments.
// Straight piece (collinear control points): the two lines P0 + r n -> P3 + r n and
// P3 - r n -> P0 - r n, n the unit right normal of P3 - P0.
// Otherwise, for each hull edge Vi -> Vi+1 with unit right normal ni: the offset edge
// (Vi + r ni, Vi+1 + r ni) followed by the corner chord (Vi+1 + r ni, Vi+1 + r ni+1), two
// segments per hull vertex.
std::vector<LineSegment> OffsetPolygon(const Bezier& piece, double r);

// Whether two segments intersect: their lines' determinant is at least kLineDeterminantMin in
// magnitude and the crossing lies within both segments' coordinate ranges (slack
// kSegmentRangeSlack).
bool SegmentsIntersect(const LineSegment& s1, const LineSegment& s2);

// Whether circles of radius r touching both pieces may exist: the offset polygons cross, or one
// (of more than two segments) holds the other piece's start point. False when either polygon
// has fewer than two segments or their bounding boxes are disjoint.
bool MayMeet(const Bezier& first, const Bezier& second, double r);

struct Box {
  double minH, minV, maxH, maxV;
};

// The box of a piece's control points, which holds the piece.
Box ControlBox(const ControlPoints& p);

// Everything MayMeet needs of one piece for one radius. A search that tests one piece against
// many builds it once per piece: MayMeet(OffsetRegion(a, r), OffsetRegion(b, r)) is
// MayMeet(a, b, r).
struct OffsetRegion {
  OffsetRegion(const Bezier& piece, double r);

  Box grown;                              // the control-point box grown by |r|
  std::array<LineSegment, 8> segments{};  // the offset polygon, 2 segments per hull vertex
  std::size_t count = 0;                  // segments in use
  Box bounds{};                           // box of the polygon's points (count >= 2 only)
  Point start;                            // the piece's P0
};

bool MayMeet(const OffsetRegion& first, const OffsetRegion& second);

}  // namespace geom
