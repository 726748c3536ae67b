// The host's cursor snapping: where Track moves a point, given a control
// string of letters.
//
//   v  the custom constraints: kPointConstraint snaps to its point,
//      kLinearConstraintAbs onto the line through its point at its angle
//      (degrees, counter-clockwise); other kinds are ignored
//   A  anchors of paths            T  handle ends pulled out of their anchor
//   M  midpoints (t = 1/2) of path pieces
//   F  nearest points on path outlines
// Other letters and blanks are ignored.  The path letters apply only when
// smart guides are on, and then to every path that is not hidden (itself, by
// a container or by its layer); locked art still guides the cursor.
//
// Candidates within the tolerance compete in two ranks: points (v points, A,
// T, M) before lines and outlines (v lines, F).  Within a rank the nearest
// wins; with no candidate the point is returned unchanged.
#pragma once

#include <string_view>
#include <vector>

#include "host/model/Document.h"

namespace host::model {

struct SnapSettings {
  bool smartGuides = false;
  double tolerance = 0;  // artwork units
};

Point Snap(const Document& doc, Point p, std::string_view control, const std::vector<AICursorConstraint>& custom,
           const SnapSettings& settings);

}  // namespace host::model
