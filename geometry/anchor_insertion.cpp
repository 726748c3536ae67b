#include "geometry/anchor_insertion.h"

#include <string>

#include "geometry/errors.h"

namespace geom {

namespace {

// The anchor after piece k: anchor 0 for the closing piece of a closed path.
int NextAnchor(int k, int segmentCount, bool closed) { return closed && k == segmentCount - 1 ? 0 : k + 1; }

}  // namespace

std::optional<AnchorInsertion> PlanAnchorInsertion(const Segment& start, const Segment& end, int k, int segmentCount,
                                                   bool closed, double t, Point p) {
  if (k < 0 || k >= CountPieces(segmentCount, closed))
    throw ParameterError("piece index " + std::to_string(k) + " outside the path");
  if (t < tol::kAnchorSnapLow || t > tol::kAnchorSnapHigh) return std::nullopt;
  ControlPoints left, right;
  SplitBezier(ControlPoints{start.p, start.out, end.in, end.p}, t, left, right);
  AnchorInsertion edit;
  edit.startIndex = k;
  edit.start = start;
  edit.start.out = RoundToSingle(left[1]);
  edit.endIndex = NextAnchor(k, segmentCount, closed);
  edit.end = end;
  edit.end.in = RoundToSingle(right[2]);
  if (edit.endIndex == edit.startIndex) {
    edit.start.in = edit.end.in;
    edit.end.out = edit.start.out;
  }
  edit.insertIndex = edit.endIndex;
  edit.anchor = {RoundToSingle(p), RoundToSingle(left[2]), RoundToSingle(right[1]), false};
  return edit;
}

bool InsertAnchorAt(SegmentList& segments, bool closed, PieceRef at, Point p) {
  const int n = static_cast<int>(segments.size());
  if (at.piece < 0 || at.piece >= CountPieces(n, closed))
    throw ParameterError("piece index " + std::to_string(at.piece) + " outside the path");
  const int next = NextAnchor(at.piece, n, closed);
  const std::optional<AnchorInsertion> edit =
      PlanAnchorInsertion(segments[static_cast<std::size_t>(at.piece)], segments[static_cast<std::size_t>(next)],
                          at.piece, n, closed, at.t, p);
  if (!edit) return false;
  segments[static_cast<std::size_t>(edit->startIndex)] = edit->start;
  segments[static_cast<std::size_t>(edit->endIndex)] = edit->end;
  segments.insert(segments.begin() + edit->insertIndex, edit->anchor);
  return true;
}

PieceRef ReaddressAfterInsertion(PieceRef cut, int segmentCount, bool closed, PieceRef target) {
  const int inserted = NextAnchor(cut.piece, segmentCount, closed);
  if (target.piece != cut.piece) return {target.piece >= inserted ? target.piece + 1 : target.piece, target.t};
  if (target.t >= cut.t) return {inserted, (target.t - cut.t) / (1 - cut.t)};
  // The left half keeps the cut piece's start anchor, which moved up when the anchor went in at 0.
  return {inserted == 0 ? cut.piece + 1 : cut.piece, target.t / cut.t};
}

}  // namespace geom
