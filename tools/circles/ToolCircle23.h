// "QM Circle by 2 or 3 points": a circle from the two ends of a diameter
// (dragged out, or clicked one after the other), or through three points
// (click the first, press at the second and drag to the third).
//
// States: 0 idle; 1 pressed where nothing can be created; 2 first point
// pressed; 3 dragging a diameter; 4 first point placed, button up; 5 second
// point pressed; 6 dragging the third point.  A press that moves no more
// than the drag threshold is a click.
//
// Shift keeps the diameter at multiples of 45 degrees and Alt rounds its
// length to a zoom-dependent step in the document's ruler unit.  Both act on
// the end of the diameter wherever it is set (states 3 and 4, and the second
// press), never on the event's cursor point, so the drag thresholds measure
// the hand's movement.
#pragma once

#include "geometry/point.h"
#include "tools/framework/Cataloged.h"
#include "tools/framework/FSMTool.h"

namespace Tools {

class ToolCircle23 final : public Cataloged<FSMTool<ToolCircle23>> {
 public:
  enum State : int32_t {
    kIdle = 0,
    kBlocked = 1,
    kFirstPressed = 2,
    kDraggingDiameter = 3,
    kFirstPlaced = 4,
    kSecondPressed = 5,
    kDraggingThird = 6,
  };

  explicit ToolCircle23(const ToolIdentity& identity) noexcept;

  void DrawFeedback(AII::IAnnoSurface& surface, bool measuring) override;
  int32_t CursorId() const;

 private:
  // Entry and do actions.
  void PressFirst(ToolEvent& event);
  void PressSecond(ToolEvent& event);
  void FollowDiameterEnd(ToolEvent& event);
  void FollowThird(ToolEvent& event);
  // Guards (and the framework's CanCreate).
  bool MovedFromFirst(ToolEvent& event);
  bool MovedFromSecond(ToolEvent& event);
  // Transition actions.
  void CreateTwoPointCircle(ToolEvent& event);
  void CreateThreePointCircle(ToolEvent& event);

  geom::Point DiameterEnd(const ToolEvent& event) const;
  void DrawDiameter(AII::IAnnoSurface& surface, bool measuring);
  void DrawThreePoints(AII::IAnnoSurface& surface);

  static const StateEntry<ToolCircle23> kStates[7];
  static const TransitionEntry<ToolCircle23> kTransitions[11];

  geom::Point first_;
  AIPoint firstView_{};
  geom::Point second_;
  AIPoint secondView_{};
  geom::Point third_;
};

}  // namespace Tools
