// "QM Arc by three points": the arc from the first point to the second that
// passes through the third.  Shift keeps the chord (first to second point)
// at multiples of 45 degrees; Ctrl makes a pie wedge, whose radii the preview
// shows.
#pragma once

#include "tools/arcs/ToolArcsBase.h"
#include "tools/framework/Cataloged.h"

namespace Tools {

class ToolArc3Pt final : public Cataloged<ToolArcsBase> {
 public:
  ToolArc3Pt(const ToolIdentity& identity, const ToolServices& services) noexcept
      : Cataloged(identity, services) {}

 private:
  geom::Point ConstrainPoint(Placing which, geom::Point cursor) const override;
  std::optional<ArcGeometry> ArcOfPoints() const override;
  void DrawConstruction(AII::IAnnoSurface& surface) override;
};

}  // namespace Tools
