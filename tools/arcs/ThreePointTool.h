// The three-point gesture the arc tools share: a start point, an end point
// and a third point, each placed by a click, or the second and third by
// dragging from the press before them.
//
// States: 0 idle; 1 button down for the first point; 2 dragging out the
// second point; 3 first point placed, button up: placing the second point;
// 4 button down for the second point; 5 second point placed, button up:
// placing the third point; 6 dragging out the third point; 7 button down for
// the third point.  A press becomes a drag once the cursor is at least
// kArcDragThresholdPx from it.  Gestures: click, click, click (0 1 3 4 5 7 0);
// press and drag out the chord, then click (0 1 2 5 7 0); and any mix in
// which a press on the second or third point is dragged out to the third
// (4 or 7 to 6, released to 0).
//
// Every point placed is the point the preview showed: the cursor after the
// host's snapping and the tool's Shift constraint (ConstrainPoint).  Shift,
// Alt and Ctrl are sampled from every event that moves a point and from the
// host's announcement of a modifier change, which recomputes the preview
// at once (the tool listens to the modifier-change list from its first
// selection on).
#pragma once

#include "geometry/point.h"
#include "tools/framework/FSMTool.h"
#include "tools/framework/NotifyHandler.h"
#include "tools/framework/ToolServices.h"

namespace Tools {

// A press on a point becomes a drag once the cursor is this many view pixels
// from it (the squared distance reaches its square): one pixel less of play
// than other tools, since a drag here places a point rather than starts one.
constexpr int32_t kArcDragThresholdPx = 3;

class ThreePointTool : public FSMTool<ThreePointTool> {
 public:
  enum State : int32_t {
    kIdle = 0,
    kFirstPressed = 1,
    kDraggingSecond = 2,
    kPlacingSecond = 3,
    kSecondPressed = 4,
    kPlacingThird = 5,
    kDraggingThird = 6,
    kThirdPressed = 7,
  };

  // Joins the modifier-change list as well (and stays in it when deselected:
  // with no gesture in progress a notification changes nothing).
  void Select(AIToolMessage* message) override;
  int32_t CursorId() const;

 protected:
  // Which point the cursor is placing.
  enum class Placing { Second, Third };

  explicit ThreePointTool(const ToolServices& services) noexcept;

  // The point placed for a cursor point: the cursor itself, or with Shift
  // held the tool's constraint of it.
  virtual geom::Point ConstrainPoint(Placing which, geom::Point cursor) const = 0;
  // Recomputes the arc from the three points; whether there is one.
  virtual bool ComputeArc() = 0;
  // Forgets the arc.
  virtual void ResetArc() = 0;
  // Adds the arc to the document (nothing without one).
  virtual void CreateArc() = 0;
  // The cursor while the third point is placed.
  virtual int32_t ThirdPointCursor() const = 0;

  geom::Point first_;
  geom::Point second_;
  geom::Point third_;
  bool shift_ = false;
  bool alt_ = false;
  bool ctrl_ = false;

 private:
  void EnterIdle(ToolEvent& event);
  void SampleAlt(ToolEvent& event);
  void RecordPress(ToolEvent& event);
  void FollowSecond(ToolEvent& event);
  void FollowThird(ToolEvent& event);
  bool MovedFromPress(ToolEvent& event);
  void PlaceFirst(ToolEvent& event);
  void Finish(ToolEvent& event);

  void Sample(const ToolEvent& event);
  void SampleModifiers(uint16_t modifiers);
  void UpdateSecond();
  void UpdateThird();
  void OnModifiersChanged(AINotifierMessage* message);

  static const StateEntry<ThreePointTool> kStates[8];
  static const TransitionEntry<ThreePointTool> kTransitions[11];

  NotifierList& modifiersChanged_;
  NotifyHandler<ThreePointTool> modifierHandler_;
  AIPoint pressView_{};
  // The last cursor point before the Shift constraint, so that a change of
  // Shift alone can constrain it again.
  geom::Point cursor_;
};

}  // namespace Tools
