// The double-precision clipping behind SetPath (CairoPath.h): flattening
// cubic pieces near a box, and clipping polygons and segments to it.
#pragma once

#include <optional>
#include <vector>

#include "host/render/DevicePath.h"

namespace host::render {

// Axis-aligned, left <= right and top <= bottom (y down).
struct Box {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
  bool Contains(DevicePoint p) const { return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; }
};

// How far a chord may stray from the curve it stands for.  A tenth of a pixel
// is below what antialiasing can show.
inline constexpr double kFlatnessPx = 0.1;

// Appends the points that follow `from` along the piece, its end included: a
// line gives its end; a curve is split in halves until each half is within
// kFlatnessPx of its chord, except that a half whose control points all lie
// on one side outside the box is taken as its chord at once (the curve stays
// inside the control points' hull, so neither the chord nor the curve can
// reach into the box, and the winding number of every point inside is the
// same for both).
void FlattenPiece(DevicePoint from, const DevicePath::Piece& piece, const Box& box, std::vector<DevicePoint>& out);

// The closed polygon clipped to the box (Sutherland-Hodgman): every point
// inside the box has the same winding number as before; the result may run
// along the box's edges and may be empty.
std::vector<DevicePoint> ClipPolygon(std::vector<DevicePoint> polygon, const Box& box);

// The parameters t0 <= t1 in [0, 1] of the part of segment a-b inside the
// box (Liang-Barsky), or nullopt when no part is.
struct SegmentSpan {
  double t0 = 0;
  double t1 = 1;
};
std::optional<SegmentSpan> ClipSegment(DevicePoint a, DevicePoint b, const Box& box);

}  // namespace host::render
