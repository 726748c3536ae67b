// Which part of which path lies under a point, the way the host's hit-test
// suite reports it.
//
// Art is tried front to back and the first art with any part within the
// tolerance wins; within one path the parts are tried in the order anchors,
// handle ends (request 2 only), curve, fill (request 2 only), and the nearest
// candidate of the first part that has one is taken.  Only paths are hit (also
// inside groups and compound paths); art that is hidden or locked, itself, by
// an enclosing container or by its layer, is not hit.
//
// kSegmentOrCurveHitRequest (8): an anchor is part kSegmentPart with that
// anchor's index; a point on a curve is part kCurvePart with the index of the
// anchor that ends the hit piece (0 for the closing piece of a closed path)
// and t on that piece.
// kAllHitRequest (2): any part; the segment index is that of the anchor
// nearest the hit point.  Handle ends count only where they are pulled out of
// their anchor; the fill counts for closed paths with a fill colour, with
// non-zero winding over all the paths of an enclosing compound path.
#pragma once

#include <cstdint>

#include "host/model/Document.h"

namespace host::model {

struct Hit {
  bool hit = false;
  ArtId art = kNoId;
  int16_t part = kSegmentPart;
  int16_t segment = 0;
  double t = 0;  // kCurvePart only
  Point point;   // the point on the art: the anchor, handle end or curve point; the query point for fills
};

// scope kNoId tests the whole document, otherwise that art and its members.
// tolerance is in artwork units.  An unknown request is kBadParameterErr.
Hit HitTest(const Document& doc, ArtId scope, Point p, int32_t request, double tolerance);

}  // namespace host::model
