// The edits "QM Straighten" makes to a path's segment list: levelling one
// piece, and turning one piece about one of its anchors.  Values in, values
// out; every coordinate written is rounded to single precision.
#pragma once

#include "geometry/segment_list.h"

namespace Tools::StraightenExtra {

enum class Level { Horizontal, Vertical };

// Piece i (from anchor i to anchor (i + 1) mod n) moved so that both anchors
// take target's vertical coordinate (Horizontal) or its horizontal one
// (Vertical).  Each anchor's handle outside the piece moves with it, so the
// neighbouring pieces follow.  With keepCurve the handles inside the piece
// move with their anchors too; without it they are retracted and both anchors
// become corners, leaving a straight piece.  Lists of fewer than two anchors,
// and an i outside the list, are left alone.
void LevelPiece(geom::SegmentList& list, int i, Level level, bool keepCurve, geom::Point target);

struct TurnOptions {
  bool fortyFive = false;  // the direction snaps to multiples of 45 degrees
  bool keepCurve = false;  // the piece turns rigidly instead of becoming straight
  bool leaveOther = false; // the pivot's handle on the other side stays put
};

// The piece on one side of anchor `pivot` (the following piece, or the one
// before it) turned about the pivot so that it points towards `towards`,
// keeping its chord length.  The far anchor turns with both its handles and
// the pivot's handle on the piece with it; the pivot's other handle turns too
// unless the pivot is a corner or leaveOther is set (the pivot becomes a
// corner then).  Without keepCurve the piece's inner handles are retracted
// and both its anchors become corners.  Lists of fewer than two anchors, and
// a pivot outside the list, are left alone.
void TurnPiece(geom::SegmentList& list, int pivot, bool following, geom::Point towards, TurnOptions options);

// Which piece a drag from anchor `pivot` turns: on an open path the only one
// at an end anchor; otherwise the one whose direction away from the pivot is
// closer to the drag's direction `drag`.
bool TurnsFollowingPiece(const geom::SegmentList& list, bool closed, int pivot, geom::Point drag);

}  // namespace Tools::StraightenExtra
