// The host's artwork point and the geometry core's point are the same pair of
// doubles (document points, y up); these convert between the two spellings.
// Nothing is rounded either way: coordinates bound for a host record are
// rounded to single precision where they are computed.
#pragma once

#include "geometry/point.h"
#include "sdk/SPTypes.h"

namespace geom::hostpath {

constexpr Point FromHost(AIRealPoint p) { return {p.h, p.v}; }
constexpr AIRealPoint ToHost(Point p) { return {p.h, p.v}; }

}  // namespace geom::hostpath
