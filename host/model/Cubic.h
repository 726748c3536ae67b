// The cubic Bezier pieces of host paths and the measurements the host makes
// on them: bounds, nearest points, and whether a point is inside a fill.
//
// Piece i of a path runs from segment i (P0 = p, P1 = out) to segment i + 1
// (P2 = in, P3 = p); a closed path has one more piece, from its last segment
// back to segment 0.  B(t) = (1-t)^3 P0 + 3(1-t)^2 t P1 + 3(1-t) t^2 P2 + t^3 P3,
// t in [0, 1].
#pragma once

#include <vector>

#include "host/model/Primitives.h"

namespace host::model {

struct Cubic {
  Point p0, p1, p2, p3;
};

Point Evaluate(const Cubic& c, double t);
Point Derivative(const Cubic& c, double t);

// Pieces of a path: segment count - 1 when open, segment count when closed
// (a closed path of one anchor has one piece, from the anchor to itself).
int PieceCount(const std::vector<Segment>& segments, bool closed);
// Requires 0 <= i < PieceCount.
Cubic PieceOf(const std::vector<Segment>& segments, int i);

// The exact bounds of the curve (not of its control polygon): the end points
// and the points where B'(t) has a zero coordinate inside (0, 1).
Rect Bounds(const Cubic& c);
Rect Union(const Rect& a, const Rect& b);

struct NearestPoint {
  double t = 0;
  Point point;
  double distance = 0;
};

// The point of the piece nearest to p.  Samples the piece, then polishes every
// sampled local minimum with Newton steps on (B(t) - p) . B'(t) = 0, so that a
// piece that comes near p twice is not caught in the wrong valley.
NearestPoint Nearest(const Cubic& c, Point p);

// Non-zero winding number of p with respect to closed outlines (each path is
// taken as closed).  Pieces are flattened into kWindingChords chords: a point
// within a hair of an outline may be judged either way, which does not matter
// because outline hits are tested before fill hits.
int WindingNumber(const std::vector<const std::vector<Segment>*>& outlines, Point p);
inline constexpr int kWindingChords = 64;

}  // namespace host::model
