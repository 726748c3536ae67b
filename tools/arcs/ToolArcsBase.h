// What the two arc tools share on top of the three-point gesture: the arc
// kept while the third point moves, its preview and its creation.
//
// The preview shows the first point (and the line to the second while that
// is being placed), then both points, the arc and its centre; each tool adds
// its own construction lines.  Ctrl makes a closed pie wedge: the arc and the
// two radii, with corner anchors at both ends of the arc and at the centre.
#pragma once

#include <optional>

#include "tools/arcs/ArcFromPoints.h"
#include "tools/arcs/ThreePointTool.h"

namespace Tools {

// Half-size of the plus marks at the placed points and the centre (view pixels).
constexpr int32_t kArcMarkPx = 10;

class ToolArcsBase : public ThreePointTool {
 public:
  void DrawFeedback(AII::IAnnoSurface& surface, bool measuring) override;

 protected:
  explicit ToolArcsBase(const ToolServices& services) noexcept : ThreePointTool(services) {}

  // The arc the tool makes of its three points (first_, second_, third_).
  virtual std::optional<ArcGeometry> ArcOfPoints() const = 0;
  // The tool's own construction lines, drawn over the arc.
  virtual void DrawConstruction(AII::IAnnoSurface& surface) = 0;

  // The two radii of a pie wedge, while the third point is placed.
  void DrawRadii(AII::IAnnoSurface& surface);
  const std::optional<ArcGeometry>& arc() const noexcept { return arc_; }

 private:
  bool ComputeArc() final;
  void ResetArc() final { arc_.reset(); }
  void CreateArc() final;
  int32_t ThirdPointCursor() const final;

  void DrawArc(AII::IAnnoSurface& surface);

  std::optional<ArcGeometry> arc_;  // valid while it holds an arc
};

}  // namespace Tools
