// Lines from a point tangent or perpendicular to a path: what "QM Tangent to" and "QM
// Perpendicular to" share. The user presses at the start point and drags to a path (or clicks
// the start point and clicks near the path); the line runs from the start point to where it
// touches the path (or meets it at right angles) nearest the cursor. Unless Alt is held, the
// path gets an anchor at the contact.
//
// States: 0 idle; 1 pressed where nothing may be drawn; 2 pressed at the start point;
// 3 dragging towards the path; 4 start point placed, button up, looking for the path. The line
// is created on the release in state 3, or on the second press in state 4.
#pragma once

#include <exception>
#include <optional>

#include "geometry/host/path_pick.h"
#include "geometry/two_piece_solver.h"
#include "tools/framework/FSMTool.h"

namespace Tools {

class ToolTPLineToBase : public FSMTool<ToolTPLineToBase> {
 public:
  enum State : int32_t {
    kIdle = 0,
    kBlocked = 1,
    kPressedAtStart = 2,
    kDragging = 3,
    kStartPlaced = 4,
  };

  void DrawFeedback(AII::IAnnoSurface& surface, bool measuring) override;
  int32_t CursorId() const;

 protected:
  ToolTPLineToBase() noexcept;

  // Clears the contact, then, when the pick holds a path, searches it with the tool's root
  // finder (SearchContact). Raises what the search raises.
  virtual void ComputeContact() = 0;
  void SearchContact(geom::LineKind kind);

 private:
  // Entry and do actions.
  void Reset(ToolEvent& event);
  void FollowAlt(ToolEvent& event);
  void PressStart(ToolEvent& event);
  void FollowTarget(ToolEvent& event);
  // Guards.
  bool MovedFromPress(ToolEvent& event);
  // Transition actions.
  void CreateLine(ToolEvent& event);
  void MakeLine();
  void CreateLineAtPress(ToolEvent& event);

  static const StateEntry<ToolTPLineToBase> kStates[5];
  static const TransitionEntry<ToolTPLineToBase> kTransitions[7];

  AIPoint press_{};
  geom::hostpath::PathPick pick_;
  geom::Point start_;
  geom::Point cursor_;
  bool keepPath_ = false;
  // The contact: the path, where on it, and the point and tangent there.
  AIArtHandle contactArt_ = nullptr;
  geom::PieceRef contactAt_;
  geom::Point contactPoint_;
  geom::Point contactTangent_;
  // A failure of the last creation, raised once the gesture has ended (see CreateLine).
  std::exception_ptr failure_;
};

}  // namespace Tools
