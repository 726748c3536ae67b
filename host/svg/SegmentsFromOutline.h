// Outlines become the model's anchors: each anchor takes the handle before
// it (in) and after it (out) from the pieces on either side; an end without a
// piece keeps its handle on the anchor.
//
// A closed subpath whose last piece ends exactly on its start is closed
// without a duplicate anchor: that piece becomes the closing piece, its
// controls going into the last anchor's out-handle and the first anchor's
// in-handle.  A closed subpath ending elsewhere gets a straight closing piece.
//
// Corner flags: an anchor is smooth when both handles stand off the anchor
// and point in opposite directions (within kSmoothTolerance), else a corner.
#pragma once

#include <vector>

#include "host/model/Primitives.h"
#include "host/svg/Outline.h"

namespace host::svg {

// |sin| of the angle between the two handles' directions below which they
// count as opposite.  Handles computed from one tangent direction (circles,
// arcs, smooth S commands) agree to a few ulps; anything drawn by hand as a
// corner is far above this.
inline constexpr double kSmoothTolerance = 1e-9;

struct PathGeometry {
  std::vector<model::Segment> segments;
  bool closed = false;
};

// `ctm` maps the outline's user space into the document's SVG space, which
// is then mapped to artwork.  The identity is skipped, keeping every bit.
PathGeometry SegmentsFromOutline(const Subpath& outline, const model::Matrix& ctm);

bool HandlesAreSmooth(const model::Segment& s);

// A point of the outline's user space in artwork: through ctm, then flipped.
inline model::Point MapToArtwork(SvgPoint p, const model::Matrix& ctm, bool ctmIsIdentity) {
  return ToArtwork(ctmIsIdentity ? p : model::Apply(ctm, p));
}

}  // namespace host::svg
