// What the circle tools share between their feedback and their results.
#pragma once

#include <cstdint>
#include <optional>

#include "geometry/point.h"

namespace AII {
class IAnnoSurface;
}

namespace Tools {

// pt.  Diameter ends closer than this make no circle: nothing is drawn or
// created for them.
constexpr double kCoincidentEndsPt = 1e-8;

// Half-size of the plus marks at picked points and centres (view pixels).
constexpr int32_t kCircleMarkPx = 10;

// The diameter label sits this far right of and above the diameter's end
// (view pixels).
constexpr int32_t kLabelOffsetPx = 5;

// A length label: prefix (platform encoding) and the length in the document's
// ruler unit with the labels' precision and the unit, placed kLabelOffsetPx
// right of and above the view position of `beside`.  Measuring draws it
// empty: text is measured to the view's edge whatever it says, so the host is
// asked nothing more.
void DrawLengthLabel(AII::IAnnoSurface& surface, geom::Point beside, double lengthPt, bool measuring,
                     const char* prefix = "");

// The centre of the circle with diameter ab; nothing when a and b coincide.
inline std::optional<geom::Point> DiameterCentre(geom::Point a, geom::Point b) {
  if (geom::Distance(a, b) < kCoincidentEndsPt) return std::nullopt;
  return (a + b) / 2;
}

}  // namespace Tools
