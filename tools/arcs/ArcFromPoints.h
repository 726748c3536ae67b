// The arc the arc tools build from their three points: where it starts and
// ends, the centre of its circle and which way round it runs.
#pragma once

#include <optional>

#include "geometry/arc.h"
#include "geometry/point.h"

namespace Tools {

struct ArcGeometry {
  geom::Point start;
  geom::Point end;
  geom::Point centre;
  // The arc runs from start to end with increasing angle about the centre.
  bool counterClockwise = true;
};

// The arc from p1 to p2 that passes through p3: on the circle through the three points, going
// round whichever way meets p3 (the long way when p3 lies beyond the chord's short side).
// Nothing when the points are collinear or coincident.
std::optional<ArcGeometry> ArcThroughThreePoints(geom::Point p1, geom::Point p2, geom::Point p3);

// The arc from s to e that leaves s along the direction from s to towards: its centre lies on
// the normal at s and on the chord's perpendicular bisector. Nothing when the direction is
// zero or parallel to the chord, or when s and e coincide.
std::optional<ArcGeometry> ArcLeavingAlong(geom::Point s, geom::Point e, geom::Point towards);

// The arc's cubic pieces in order from start to end (ArcChain: equal pieces of at most a
// quarter turn and a little); none when start and end lie at the same angle.
void ArcPieces(const ArcGeometry& arc, const geom::PieceConsumer& consume);

}  // namespace Tools
