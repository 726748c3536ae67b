// Rewriting paths with a connection: the segment lists of a join, and their
// writing through the host with everything put back when a host call fails.
#pragma once

#include <span>

#include "geometry/host/path_pick.h"
#include "geometry/segment_list.h"
#include "hostcall/SuiteSet.h"

namespace Tools::ToolJoinExtra {

// The anchors in the opposite order, each with its handles swapped, so that
// the path is the same outline run the other way.
void ReversePath(geom::SegmentList& path);

// Path a, turned so that its anchor firstIndex (0: the start, any other
// index: the end) comes last, the connection pieces, then path b from its
// anchor secondIndex onwards (turned likewise so that that anchor leads).
// Both joints are smooth: a's end takes the connection's first handle, and
// the connection's last anchor, which is b's end, keeps b's handle beyond it.
// The result has a.size() + pieces + b.size() - 1 anchors.
geom::SegmentList JoinedSegments(const geom::SegmentList& a, int firstIndex, std::span<const geom::Bezier> pieces,
                                 const geom::SegmentList& b, int secondIndex);

// Path a turned as above, the connection pieces appended, and the
// connection's last anchor folded into the first anchor, which becomes smooth
// with the connection's last handle as its in-handle: the anchors of a
// closed path, as many as a has.
geom::SegmentList ClosedSegments(const geom::SegmentList& a, int firstIndex, std::span<const geom::Bezier> pieces);

// Rewrites first's path with the connection and second's anchors, selects
// it, and disposes of second's path (the last step, so that nothing before
// it is lost for good).  When any host call fails the first path gets back
// its segments, closed flag and anchor selection, the second path is still
// there, and the error is raised.
void JoinTwoPaths(ai::SuiteSet& suites, const geom::hostpath::PathPick& first,
                  const geom::hostpath::PathPick& second, std::span<const geom::Bezier> pieces);

// Closes first's path with the connection and selects it; restores it as
// above when a host call fails.
void CloseOnePath(ai::SuiteSet& suites, const geom::hostpath::PathPick& first, std::span<const geom::Bezier> pieces);

}  // namespace Tools::ToolJoinExtra
