// "QM tangent line from" and "QM perpendicular line from": a line drawn from
// a picked point P of a path along the path's tangent or its normal there.
// One class, registered twice, once per mode.
//
// The user presses on a path and drags, or clicks on the path, moves and
// clicks again.  The line runs from P to the foot of the perpendicular from
// the cursor onto the tangent (or normal) line through P.  While it is placed
// the host's snapping is given that line as a constraint, labelled "tangent"
// or "perpendicular".  Shift rounds the length to a zoom-dependent step in
// the ruler unit (the line takes the cursor's side of P); Ctrl centres the
// line on P; Alt keeps the path as it is, where otherwise an anchor is
// inserted at P.
//
// States: 0 idle, looking for the path under the cursor; 1 pressed where no
// line can start; 2 pressed on a path; 3 dragging the line out; 4 point
// picked, button up: placing the end.
#pragma once

#include "geometry/host/path_pick.h"
#include "geometry/point.h"
#include "tools/framework/Cataloged.h"
#include "tools/framework/FSMTool.h"

namespace Tools {

class ToolTanPerpFrom final : public Cataloged<FSMTool<ToolTanPerpFrom>> {
 public:
  enum class Mode { Tangent, Perpendicular };
  enum State : int32_t {
    kIdle = 0,
    kBlocked = 1,
    kPressedOnPath = 2,
    kDraggingLine = 3,
    kPlacingEnd = 4,
  };

  ToolTanPerpFrom(const ToolIdentity& identity, Mode mode) noexcept;
  Mode mode() const noexcept { return mode_; }

  void Deselect(AIToolMessage* message) override;
  void DrawFeedback(AII::IAnnoSurface& surface, bool measuring) override;
  void OnEvent(ToolEvent& event) override;
  int32_t CursorId() const;

 private:
  // Entry and do actions.
  void EnterIdle(ToolEvent& event);
  void LookForPath(ToolEvent& event);
  void RecordPress(ToolEvent& event);
  void FollowCursor(ToolEvent& event);
  // Guards.
  bool CanStartOnPath(ToolEvent& event);
  bool MovedFromPress(ToolEvent& event);
  // Transition actions.
  void SetUpDirection(ToolEvent& event);
  void CreateLine(ToolEvent& event);

  void MakeLine(ToolEvent& event);

  bool SetUpFrame();
  bool ComputeLineEnd() noexcept;
  void SetConstraint();
  void ClearConstraint();
  void InsertAnchorAtStart();
  geom::Point LineStart() const noexcept { return symmetric_ ? 2 * start_ - end_ : start_; }

  static const StateEntry<ToolTanPerpFrom> kStates[5];
  static const TransitionEntry<ToolTanPerpFrom> kTransitions[7];

  Mode mode_;
  bool keepPath_ = false;
  geom::hostpath::PathPick pick_;
  AIPoint pressView_{};
  bool shift_ = false;
  bool symmetric_ = false;
  bool valid_ = false;
  bool constraintSet_ = false;  // the host holds our snapping constraint
  geom::Point start_;           // P
  geom::Point direction_;
  geom::Point cursor_;
  geom::Point end_;             // E
  geom::Point tangent_;
  geom::Point normal_;
};

}  // namespace Tools
