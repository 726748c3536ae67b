#include "tools/arcs/ToolArcSED.h"

#include "geometry/construction.h"
#include "geometry/host/host_point.h"
#include "tools/framework/IAnnoSurface.h"

namespace Tools {

geom::Point ToolArcSED::ConstrainPoint(Placing which, geom::Point cursor) const {
  if (!shift_) return cursor;
  return geom::ConstrainTo45(which == Placing::Second ? first_ : DirectionAnchor(), cursor);
}

std::optional<ArcGeometry> ToolArcSED::ArcOfPoints() const {
  if (alt_) return ArcLeavingAlong(second_, first_, third_);
  return ArcLeavingAlong(first_, second_, third_);
}

void ToolArcSED::DrawConstruction(AII::IAnnoSurface& surface) {
  using geom::hostpath::ToHost;
  surface.Line(ToHost(DirectionAnchor()), ToHost(third_));
  DrawRadii(surface);
}

}  // namespace Tools
