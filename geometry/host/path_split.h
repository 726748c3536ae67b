// Cutting a document path's piece in place by inserting an anchor where a created line meets
// it, so that the line ends on an anchor of the path.
//
// The edit itself is planned by anchor_insertion.h: anchor k's out-handle and the next anchor's
// in-handle shrink to the outer handles of the two de Casteljau halves, and a new smooth anchor
// at the cut carries the inner handles; the shape is kept apart from single-precision rounding
// of the written coordinates. The next anchor of the closing piece of a closed path is anchor 0
// and the new anchor goes in at index 0 then, so every piece index of that path moves up by one.
#pragma once

#include "geometry/segment_list.h"
#include "hostcall/SuiteSet.h"

namespace geom::hostpath {

// Cuts piece k of the path at t, inserting a smooth anchor at p (the point of the piece at t),
// and returns true. Returns false, changing nothing, when t < kAnchorSnapLow or
// t > kAnchorSnapHigh: the cut would fall on an existing anchor. Reads the two anchors of the
// piece, writes them back with their new handles, inserts the new anchor; every coordinate it
// computes is rounded to single precision. Raises PARM, changing nothing, unless art is a path
// with 0 <= k < CountPieces whose segment count can grow by one, and ai::Error with the host's
// code when a host call fails.
bool InsertAnchorAt(ai::SuiteSet& suites, AIArtHandle art, int k, double t, Point p);

// One place where a created line meets a path.
struct PathContact {
  AIArtHandle art = nullptr;
  PieceRef at;
  Point point;  // the piece's point at at.t
};

struct ContactSplits {
  bool first = false;   // an anchor was inserted at the first contact
  bool second = false;  // ... and at the second
};

// Inserts anchors at two contacts, the first first (InsertAnchorAt each). When both lie on one
// path and the first split inserted an anchor, the second is addressed on the path as it now
// stands (ReaddressAfterInsertion): its piece index moves past the new anchor and, on the
// piece that was cut, its parameter is rescaled to the half it lies on. Either order along the
// path works; the line tools pass the earlier contact first. Raises as InsertAnchorAt; when
// the second split raises, the first has already been made.
ContactSplits InsertAnchorsAtContacts(ai::SuiteSet& suites, const PathContact& first, const PathContact& second);

}  // namespace geom::hostpath
