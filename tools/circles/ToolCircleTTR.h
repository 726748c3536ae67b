// "QM Tangent Circle": a circle of a given radius touching two paths.
//
// The user picks a first path, then a second path (or another segment of the
// same path); the tool shows the circle of the stored radius touching both
// whose centre is nearest the middle of the two picks, and adds it as a closed
// circle path with anchors at the two touching points.  Three gestures:
//   click the first path, click the second      (states 0, 2, 3, 6)
//   press on the first path, drag to the second (0, 2, 4)
//   click the first, press on the second and drag out the radius (0, 2, 3, 6, 7)
// The first two complete through the options dialog when "CircleTTRAsk" is on
// (Ctrl inverts it for one completion); the radius drag creates at once, and
// Shift rounds the dragged radius to a zoom-dependent step.
//
// States: 0 idle, looking for the first path; 1 pressed over nothing; 2 first
// path pressed; 3 first path clicked, looking for the second; 4 dragging from
// the first path; 5 pressed over no second path; 6 second path pressed;
// 7 dragging the radius.  Every return to 0 removes the dialog's preview
// circle.
//
// The tool takes the cursor as the host delivers it: its catalog row has no
// snapping string and it hooks nothing before the state machine.  Its picks
// survive a tool change (the machine is not reset on deselection); selecting
// the tool again starts afresh only when a picked path no longer exists.
#pragma once

#include <optional>

#include "geometry/host/path_pick.h"
#include "geometry/tangent_circle.h"
#include "tools/circles/TTRCallbackPreview.h"
#include "tools/framework/Cataloged.h"
#include "tools/framework/FSMTool.h"

namespace Tools {

class ToolCircleTTR final : public Cataloged<FSMTool<ToolCircleTTR>>, public TTRCallbackPreview {
 public:
  enum State : int32_t {
    kIdle = 0,
    kBlocked = 1,
    kFirstPressed = 2,
    kFirstClicked = 3,
    kDraggingToSecond = 4,
    kBlockedSecond = 5,
    kSecondPressed = 6,
    kDraggingRadius = 7,
  };

  explicit ToolCircleTTR(const ToolIdentity& identity) noexcept;

  void Select(AIToolMessage* message) override;
  // The annotator goes off and the feedback is erased; the picks stay.
  void Deselect(AIToolMessage* message) override;
  // The options dialog, previewing nothing.
  void EditOptions(AIToolMessage* message) override;

  void DrawFeedback(AII::IAnnoSurface& surface, bool measuring) override;
  int32_t CursorId() const;

  void UpdatePreview(double radius, bool preview) override;

 private:
  // Entry and do actions.
  void EnterIdle(ToolEvent& event);
  void FollowFirst(ToolEvent& event);
  void PressFirst(ToolEvent& event);
  void FollowSecond(ToolEvent& event);
  void PressSecond(ToolEvent& event);
  void FollowRadius(ToolEvent& event);
  // Guards.
  bool PressOnFirst(ToolEvent& event);
  bool PressOnSecond(ToolEvent& event);
  bool MovedFromFirst(ToolEvent& event);
  bool MovedFromSecond(ToolEvent& event);
  // Transition actions.
  void ReleaseOnSecond(ToolEvent& event);
  void Complete(ToolEvent& event);
  void CreateDragged(ToolEvent& event);

  // The circle of radius r nearest guess touching both picks; invalid when
  // there is none or the picks cannot be read.
  void Solve(double r, geom::Point guess);
  // Solve with the stored radius around the middle of the two picks.
  void SolveWithStoredRadius();
  geom::Point PicksMiddle() const;
  // Adds the solution as a closed circle path (selected, the selection kept);
  // null when there is no valid solution or nothing can be created.
  AIArtHandle AddSolution();
  // Raises the host's code when it refuses; the quiet form is for ways out
  // that already carry an error.
  void DisposePreview();
  void DisposePreviewQuietly() noexcept;
  bool PicksStillExist();
  static void DrawPickMarker(AII::IAnnoSurface& surface, const std::optional<geom::hostpath::PathFrame>& frame);

  static const StateEntry<ToolCircleTTR> kStates[8];
  static const TransitionEntry<ToolCircleTTR> kTransitions[13];

  geom::hostpath::PathPick first_;
  geom::hostpath::PathPick second_;
  // PickFrame of each pick: where its marker is drawn (nothing for an invalid
  // pick or one whose tangent cannot be read).
  std::optional<geom::hostpath::PathFrame> firstFrame_, secondFrame_;
  AIPoint firstPressView_{};
  geom::Point secondPress_;
  AIPoint secondPressView_{};
  geom::Point cursor_;
  geom::Point dragCursor_;
  double dragRadius_ = 0;
  geom::TangentCircle solution_;
  AIArtHandle previewArt_ = nullptr;
  bool dialogOpen_ = false;
};

}  // namespace Tools
