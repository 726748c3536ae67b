// Circular arcs as cubic pieces.
//
// An arc of centre C and radius r from angle a0 sweeping s radians (positive counter-clockwise)
// is approximated by the symmetric cubic whose handles have length r * 4/3 * tan(s/4): exact at
// both ends and the middle, with a radial error below 3e-4 r for a quarter turn. Longer arcs are
// chains of such pieces of at most a quarter turn each.
#pragma once

#include <functional>
#include <vector>

#include "geometry/bezier.h"
#include "geometry/segment_list.h"

namespace geom {

// The cubic for the arc of centre c, radius r, from angle a0 with signed sweep s.
// A sweep of 0 has no defined handles (their coordinates are not finite).
Bezier ArcPiece(Point c, double r, double a0, double s);

enum class ArcDirection { CounterClockwise, Clockwise };

// Receives each produced piece in order. The builders never store pieces themselves.
using PieceConsumer = std::function<void(const Bezier&)>;

// A consumer that appends each piece to list with AppendPiece and the given corner flag.
PieceConsumer AppendTo(SegmentList& list, bool corner);

// The arc from angle `from` to angle `to` (both normalised first) going in `direction`, as
// n = ceil(S / (pi/2 + 0.01)) pieces of equal sweep, S being the sweep in that direction.
// Equal angles produce nothing (not a full circle).
void ArcChain(Point c, double r, double from, double to, ArcDirection direction, const PieceConsumer& consume);

// A closed counter-clockwise circle about c through the given points, radius |points[0] - c|.
// Every point after the first in angular order is exactly an anchor (after single-precision
// rounding); the first anchor is the circle point at the first point's angle. No piece spans more
// than a quarter turn (+1e-5 rad); every anchor carries `corner`. Points at the same angle as
// the previous one are skipped (they would give a piece of zero sweep with undefined handles).
// Raises ParameterError when points is empty.
SegmentList CircleThroughPoints(Point c, const std::vector<Point>& points, bool corner);

}  // namespace geom
