// The ends of open paths that "QM Connect" joins: which one is under the
// cursor, and which way the path leaves through it.
#pragma once

#include "geometry/host/path_pick.h"
#include "hostcall/SuiteSet.h"

namespace Tools::ToolJoinExtra {

// The host's hit at `point` for any part of any art (request kAllHitRequest),
// whose segment index is the anchor nearest the hit.  The pick is valid only
// for an end of an open path of two or more anchors (index 0 or the last),
// hit anywhere but its fill, and, when `other` is valid, not on other's own
// anchor: a middle anchor, a closed path or a fill is no end to join.  The
// hit reference is released on every way out.  Raises ai::Error when a host
// call fails.
geom::hostpath::PathPick HitTestEnd(ai::SuiteSet& suites, geom::Point point,
                                    const geom::hostpath::PathPick* other = nullptr);

// An end's anchor and the unit direction in which the path leaves through it
// (the zero vector when it has none).
struct EndTangent {
  geom::Point anchor;
  geom::Point direction;
};

// Index 0 is the start of its path, any other index its end.  The direction
// runs from the anchor's inner handle through the anchor; a retracted inner
// handle hands over to the neighbouring anchor's handle.  Raises ai::Error
// when a segment read fails.
EndTangent ReadEndTangent(ai::SuiteSet& suites, const geom::hostpath::PathPick& end);

}  // namespace Tools::ToolJoinExtra
