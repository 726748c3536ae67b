#include "geometry/segment_list.h"

#include <string>

#include "geometry/errors.h"

namespace geom {

int CountPieces(int segmentCount, bool closed) {
  if (segmentCount <= 0) return 0;
  return closed ? segmentCount : segmentCount - 1;
}

Bezier PieceOf(const SegmentList& segments, int i) {
  const int n = static_cast<int>(segments.size());
  if (i < 0 || i >= n) throw ParameterError("piece index " + std::to_string(i) + " outside the list");
  const Segment& s = segments[static_cast<std::size_t>(i)];
  const Segment& e = segments[static_cast<std::size_t>((i + 1) % n)];
  return Bezier(s.p, s.out, e.in, e.p);
}

void AppendPiece(SegmentList& list, const Bezier& piece, bool corner) {
  const Point p1 = RoundToSingle(piece.P(1));
  if (list.empty()) {
    const Point p0 = RoundToSingle(piece.P(0));
    list.push_back({p0, p0, p1, corner});
  } else {
    list.back().out = p1;
    list.back().corner = corner;
  }
  const Point p3 = RoundToSingle(piece.P(3));
  list.push_back({p3, RoundToSingle(piece.P(2)), p3, true});
}

namespace {

void CheckPieceIndex(int piece, int pieceCount) {
  if (piece < 0 || piece >= pieceCount)
    throw ParameterError("piece index " + std::to_string(piece) + " outside the path");
}

// The start of the copy: the rest of piece a after a.t, continuing as the path does.
void AppendStart(SegmentList& out, const SegmentList& segs, PieceRef a, int next) {
  const Segment& c = segs[static_cast<std::size_t>(next)];
  if (a.t < tol::kSubPathStartAtEnd) {
    AppendPiece(out, SplitBezier(PieceOf(segs, a.piece), a.t).right, false);
    out.back().corner = c.corner;
    out.back().out = c.out;
  } else {
    out.push_back(c);
  }
}

// The end of the copy: the part of piece b before b.t, ending on a smooth anchor.
void AppendEnd(SegmentList& out, const SegmentList& segs, PieceRef b) {
  if (b.t <= tol::kSubPathEndAtStart) return;
  const Bezier part = SplitBezier(PieceOf(segs, b.piece), b.t).left;
  out.back().out = RoundToSingle(part.P(1));
  const Point end = RoundToSingle(part.P(3));
  out.push_back({end, RoundToSingle(part.P(2)), end, false});
}

}  // namespace

SegmentList ExtractSubPath(const SegmentList& segments, bool closed, PieceRef a, PieceRef b) {
  const int n = static_cast<int>(segments.size());
  const int pieces = CountPieces(n, closed);
  CheckPieceIndex(a.piece, pieces);
  CheckPieceIndex(b.piece, pieces);
  SegmentList out;
  if (a.piece == b.piece && b.t > a.t) {
    AppendPiece(out, SplitBezierBetween(PieceOf(segments, a.piece), a.t, b.t), false);
    return out;
  }
  if (!closed && b.piece < a.piece + (a.piece == b.piece ? 1 : 0))
    throw ParameterError("sub-path end before its start on an open path");
  const int c = (a.piece + 1) % n;
  AppendStart(out, segments, a, c);
  for (int f = c; f != b.piece; f = (f + 1) % n) out.push_back(segments[static_cast<std::size_t>((f + 1) % n)]);
  AppendEnd(out, segments, b);
  return out;
}

}  // namespace geom
