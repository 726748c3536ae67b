// "QM Curvature circle": the circle that best fits a path where the cursor
// is: the osculating circle (radius of curvature, centre on the normal), or
// the piece's own circle when the piece is a circular arc.  A click on a
// path adds that circle as an ellipse made by the host's shape construction.
//
// States: 0 idle; 1 pressed over nothing; 2 pressed on a path.  While the
// button is held the pick follows the cursor, so the circle created is the
// one at the release point; releasing away from any path creates nothing.
// Straight places show nothing; a radius above kMaxCurvatureRadius shows its
// label but no circle, and a click there creates nothing.
#pragma once

#include <optional>

#include "geometry/fitted_circle.h"
#include "geometry/host/path_pick.h"
#include "tools/framework/Cataloged.h"
#include "tools/framework/FSMTool.h"

namespace Tools {

// pt.  Larger fitted radii are neither drawn nor created.
constexpr double kMaxCurvatureRadius = 8191;

class ToolCurvature final : public Cataloged<FSMTool<ToolCurvature>> {
 public:
  enum State : int32_t {
    kIdle = 0,
    kBlocked = 1,
    kPressed = 2,
  };

  explicit ToolCurvature(const ToolIdentity& identity) noexcept;

  void DrawFeedback(AII::IAnnoSurface& surface, bool measuring) override;
  int32_t CursorId() const;

 private:
  // The point on the path and the circle fitted there.
  struct Fit {
    geom::Point point;
    geom::FittedCircle circle;
  };

  void ClearPick(ToolEvent& event);
  void FollowPick(ToolEvent& event);
  bool PressOnPath(ToolEvent& event);
  bool ReleaseOnPath(ToolEvent& event);
  void CreateCircle(ToolEvent& event);

  // Nothing when the pick is invalid, the place is straight, or reading the
  // path fails.
  std::optional<Fit> FitAtPick() const;

  static const StateEntry<ToolCurvature> kStates[3];
  static const TransitionEntry<ToolCurvature> kTransitions[5];

  geom::hostpath::PathPick pick_;
  std::optional<Fit> fit_;  // FitAtPick() of pick_
};

}  // namespace Tools
