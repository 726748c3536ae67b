// Paths as lists of segments, and the pieces they are made of.
//
// A path is an ordered list of segments plus a closed flag. Piece i runs from segment i to the
// next segment: P0 = seg[i].p, P1 = seg[i].out, P2 = seg[i+1].in, P3 = seg[i+1].p. An open path of
// n segments has n - 1 pieces; a closed path has n, the last running from segment n - 1 back to
// segment 0 (a closed path with one segment has one piece from the anchor to itself).
//
// Coordinates computed here and written into segments are rounded to single precision (the
// host stores them so); coordinates copied from existing segments are copied unchanged.
#pragma once

#include <vector>

#include "geometry/bezier.h"

namespace geom {

// One anchor of a path: the anchor point, the handle towards the previous anchor (in), the
// handle towards the next anchor (out), and whether the anchor is a corner (true) or smooth.
struct Segment {
  Point p;
  Point in;
  Point out;
  bool corner = false;
  friend bool operator==(const Segment&, const Segment&) = default;
};

// The working copy of a path's segments, owned by value. Appending never reorders entries.
using SegmentList = std::vector<Segment>;

// A position on a path: a piece index (counted as in the header comment) and a parameter.
struct PieceRef {
  int piece = 0;
  double t = 0;
  friend bool operator==(const PieceRef&, const PieceRef&) = default;
};

// Pieces of a path of segmentCount segments: segmentCount if closed, segmentCount - 1 if open
// (never negative).
int CountPieces(int segmentCount, bool closed);

// Piece i of a segment list, the end segment taken modulo the list length (so the last index
// gives the closing piece). Raises ParameterError unless 0 <= i < segments.size().
Bezier PieceOf(const SegmentList& segments, int i);

// Appends a piece to a list. An empty list first gets the start anchor
// {p = P0, in = P0, out = P1, corner}; otherwise the last anchor becomes the joint (out-handle P1,
// corner flag as given). Then the end anchor {p = P3, in = P2, out = P3, corner = true} is
// appended. Every coordinate written is rounded to single precision.
void AppendPiece(SegmentList& list, const Bezier& piece, bool corner);

// Copies the part of a path from position a forward to position b as a new open list.
// On a closed path the walk wraps past the last segment; a and b on the same piece with b not
// after a walk all the way round. The copy starts with an exact copy of the next anchor when
// a.t >= kSubPathStartAtEnd and ends on an exact copy of anchor b.piece when b.t <= kSubPathEndAtStart.
// Raises ParameterError when a piece index is outside the path or when, on an open path, b does
// not lie after a (the walk would have to jump from the last anchor to the first).
SegmentList ExtractSubPath(const SegmentList& segments, bool closed, PieceRef a, PieceRef b);

}  // namespace geom
