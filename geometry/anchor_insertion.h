// Cutting a path's piece in place by inserting an anchor.
//
// Cutting piece k (from anchor k to the next anchor) at t replaces it by its two de Casteljau
// halves: anchor k's out-handle and the next anchor's in-handle shrink to the halves' outer
// handles, and a new smooth anchor at the cut point carries the halves' inner handles. The path's
// shape is unchanged apart from single-precision rounding of the written coordinates.
// The next anchor of the closing piece of a closed path is anchor 0, and the new anchor is then
// inserted at index 0: the cyclic order is right, but every existing piece index moves up by one.
#pragma once

#include <optional>

#include "geometry/segment_list.h"

namespace geom {

// The three segment edits of one insertion. Apply them in this order: write `start` at
// startIndex, write `end` at endIndex, then insert `anchor` before the segment at insertIndex.
// When startIndex == endIndex (the one piece of a closed path of one anchor) both records hold
// both handle changes, so writing either one after the other loses nothing.
struct AnchorInsertion {
  int startIndex = 0;
  Segment start;  // anchor k with its new out-handle
  int endIndex = 0;
  Segment end;  // the anchor after piece k with its new in-handle
  int insertIndex = 0;  // equals endIndex
  Segment anchor;       // the new smooth anchor at the cut point
};

// The edits that cut piece k at t, given the two anchors of the piece as they are now, the
// path's segment count and closed flag, and the point p on the piece at t (written as the new
// anchor). Nothing when t < kAnchorSnapLow or t > kAnchorSnapHigh (the cut would fall on an
// existing anchor). Raises ParameterError unless 0 <= k < CountPieces(segmentCount, closed).
std::optional<AnchorInsertion> PlanAnchorInsertion(const Segment& start, const Segment& end, int k, int segmentCount,
                                                   bool closed, double t, Point p);

// Applies PlanAnchorInsertion to a segment list. Returns whether an anchor was inserted.
bool InsertAnchorAt(SegmentList& segments, bool closed, PieceRef at, Point p);

// Where `target` lies after an anchor was inserted at `cut` on the same path (which had
// segmentCount segments before). Pieces after the cut move up by one index (all pieces, when
// the cut was on the closing piece of a closed path); a target on the cut piece moves to the
// half it lies on, with its parameter rescaled to that half. Use only after an insertion
// actually happened (kAnchorSnapLow <= cut.t <= kAnchorSnapHigh).
PieceRef ReaddressAfterInsertion(PieceRef cut, int segmentCount, bool closed, PieceRef target);

}  // namespace geom
