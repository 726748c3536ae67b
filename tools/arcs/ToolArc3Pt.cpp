#include "tools/arcs/ToolArc3Pt.h"

#include "geometry/construction.h"
#include "geometry/host/host_point.h"
#include "tools/framework/IAnnoSurface.h"

namespace Tools {

geom::Point ToolArc3Pt::ConstrainPoint(Placing which, geom::Point cursor) const {
  if (!shift_ || which != Placing::Second) return cursor;
  return geom::ConstrainTo45(first_, cursor);
}

std::optional<ArcGeometry> ToolArc3Pt::ArcOfPoints() const { return ArcThroughThreePoints(first_, second_, third_); }

void ToolArc3Pt::DrawConstruction(AII::IAnnoSurface& surface) { DrawRadii(surface); }

}  // namespace Tools
