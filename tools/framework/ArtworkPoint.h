// The host's artwork point and the geometry core's point are the same pair of
// doubles (points, y up); these convert between the two spellings.
#pragma once

#include "geometry/point.h"
#include "sdk/SPTypes.h"

namespace Tools {

constexpr geom::Point ToGeom(AIRealPoint p) { return {p.h, p.v}; }
constexpr AIRealPoint ToHost(geom::Point p) { return {p.h, p.v}; }

}  // namespace Tools
