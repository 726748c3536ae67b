// Shapes the host constructs for the shape construction suite.
#pragma once

#include <vector>

#include "host/model/Primitives.h"

namespace host::model {

// Handle length of a quarter ellipse, as a fraction of its radius, for which
// the cubic passes through the true ellipse at 45 degrees: 4/3 (sqrt 2 - 1).
inline constexpr double kEllipseKappa = 0.5522847498307936;

// A closed smooth ellipse of four anchors inscribed in the rectangle spanned
// by the corners a and b.  The anchors run left, top, right, bottom (clockwise
// on screen); reversed runs them the other way, starting at the same anchor.
// Segments are unselected smooth anchors.
std::vector<Segment> OvalSegments(Point a, Point b, bool reversed);

}  // namespace host::model
