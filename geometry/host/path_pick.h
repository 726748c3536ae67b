// The path under the cursor, and where on the path it is.
//
// The host's hit test with request kSegmentOrCurveHitRequest reports either an anchor (part
// kSegmentPart, that anchor's index) or a point on a curve (part kCurvePart, the index of the
// anchor that *ends* the hit piece - 0 for the closing piece of a closed path - and t on that
// piece). PickToPieceRef turns that into the piece numbering of segment_list.h.
#pragma once

#include <cstdint>
#include <optional>

#include "geometry/segment_list.h"
#include "hostcall/SuiteSet.h"

namespace geom::hostpath {

// What a tool keeps of the host's hit record. Only a valid pick names a path position.
struct PathPick {
  bool valid = false;              // the host hit a path, at an anchor or on a curve
  int16_t partType = kSegmentPart;  // kSegmentPart (anchor) or kCurvePart
  int16_t segment = 0;             // as the host reports it, see the header comment
  AIArtHandle art = nullptr;
  Point hitPoint;                  // the point on the path the host found
  double t = 0;                    // parameter on the hit piece, curve hits only
};

// The path at `point` (document coordinates; the host's own hit tolerance applies): anchors
// and curves of any path of the document. Invalid when nothing is hit or the hit is any other
// part. The host's hit reference is released on every way out, errors included. Raises
// ai::Error with the host's code when a host call fails.
PathPick HitTestPaths(ai::SuiteSet& suites, Point point);

// The host's hit record at `point` for a hit request of the host's (kSegmentOrCurveHitRequest,
// kAllHitRequest ...), as it reports it: valid whenever the host hit some art, whatever the
// part. HitTestPaths and the tools that judge a hit by rules of their own start from it. The
// hit reference is released on every way out; raises as HitTestPaths.
PathPick HitTestArt(ai::SuiteSet& suites, Point point, int32_t request);

// The same, but a hit on the same art reporting the same segment index as `earlier` (when
// that is valid) is invalid too: a second pick must lie on another path or another segment.
PathPick HitTestPaths(ai::SuiteSet& suites, Point point, const PathPick& earlier);

// The position of a pick on its path:
//   anchor s, s the last anchor     -> (segment count - 2, 1): the end of the piece before it
//                                      (on a closed path not the start of the closing piece);
//                                      on a closed path of one anchor, its one piece at t = 1;
//   anchor s otherwise              -> (s, 0);
//   curve hit reporting s >= 1      -> (s - 1, t);
//   curve hit reporting 0           -> (CountPieces - 1, t), the closing piece.
// Raises PARM when the pick is invalid, of another part type, not on a path, or maps to no
// piece of it.
PieceRef PickToPieceRef(ai::SuiteSet& suites, const PathPick& pick);

// The pick's point on its piece with the unit tangent B'(t)/|B'(t)| and the unit normal (the
// tangent turned a quarter counter-clockwise).
struct PathFrame {
  Point point;
  Point tangent;
  Point normal;
};

// Nothing, instead of raising, when the pick is invalid, any step fails, or the derivative
// vanishes at the pick (a retracted handle at the end the pick maps to: no tangent).
std::optional<PathFrame> PickFrame(ai::SuiteSet& suites, const PathPick& pick);

// The same, but a host call that fails raises ai::Error with the host's code (as does a valid
// path pick that maps to no piece, PickToPieceRef): nothing only when the pick is invalid or
// not on a path, when the geometry refuses the pick's parameter (ParameterError), or when the
// derivative vanishes. For a tool that tells a pick with no tangent from a host that failed.
std::optional<PathFrame> PickFrameOrRaise(ai::SuiteSet& suites, const PathPick& pick);

}  // namespace geom::hostpath
