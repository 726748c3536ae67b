// The circle that best fits a piece at a parameter: the piece's own circle when the piece is a
// circular arc, else the osculating circle (radius of curvature, centre on the normal).
#pragma once

#include <optional>

#include "geometry/bezier.h"

namespace geom {

struct FittedCircle {
  Point centre;
  // Signed: negative where the piece turns clockwise (the centre then lies on the right of
  // the direction of travel). An arc's own circle has a positive radius.
  double radius = 0;
};

// The circle of a piece that is a circular arc: its end tangents' normals meet at a centre
// from which both ends and the middle B(0.5) lie at the same distance within 0.1 % of the
// circumference estimate (0.001 * pi * (r0 + r3)); the radius is the mean of the three
// distances. Nothing when a handle is retracted (shorter than 1e-4), the end normals are
// parallel (determinant below 1e-15) or the distances differ.
std::optional<FittedCircle> CircularArcOf(const Bezier& piece);

// The arc's own circle when the whole piece is a circular arc, else the osculating circle at
// t: radius 1 / k(t), centre B(t) + radius * N with N the unit left normal. Nothing where the
// piece is straight at t (the radius is not finite).
std::optional<FittedCircle> FittedCircleAt(const Bezier& piece, double t);

// The corners of the square an ellipse construction spans for a circle of radius |radius|
// about centre, each coordinate rounded to single precision: (c - |r|, c - |r|) and
// (c + |r|, c + |r|).
struct SquareCorners {
  Point low, high;
};
SquareCorners CircleCorners(Point centre, double radius);

}  // namespace geom
