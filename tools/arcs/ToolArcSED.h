// "QM Arc start-end-direction": the arc from the first point to the second
// that leaves the first towards the third (tangent there to the line from the
// first point to the third).  With Alt the direction is taken at the second
// point instead and the arc runs from the second point to the first.
//
// Shift keeps the chord at multiples of 45 degrees, and the direction too
// (about the point it is taken at); Ctrl makes a pie wedge.  The preview
// shows the direction line.
#pragma once

#include "tools/arcs/ToolArcsBase.h"
#include "tools/framework/Cataloged.h"

namespace Tools {

class ToolArcSED final : public Cataloged<ToolArcsBase> {
 public:
  ToolArcSED(const ToolIdentity& identity, const ToolServices& services) noexcept
      : Cataloged(identity, services) {}

 private:
  geom::Point ConstrainPoint(Placing which, geom::Point cursor) const override;
  std::optional<ArcGeometry> ArcOfPoints() const override;
  void DrawConstruction(AII::IAnnoSurface& surface) override;

  // The point the direction is taken at: the second point with Alt, else the first.
  geom::Point DirectionAnchor() const { return alt_ ? second_ : first_; }
};

}  // namespace Tools
