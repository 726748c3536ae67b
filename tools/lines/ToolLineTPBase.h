// Lines tangent or perpendicular to two paths: what "QM Tangent Line" and "QM Perpendicular
// Line" share. The user points at two paths (click, move, click; or press on the first and drag
// to the second) and gets the line that touches both, or meets both at right angles, nearest
// where they were pointed at. Unless Alt is held at the last update, both paths get an anchor
// at their contact, so that the line ends on anchors of the paths.
//
// States: 0 idle, looking for the first path; 1 pressed on nothing; 2 pressed on nothing with
// the first path chosen; 3 pressed on the first path; 4 dragging; 5 first path chosen, button
// up, looking for the second; 6 pressed on the second path. The line is created on the release
// in state 4 or 6.
#pragma once

#include <exception>
#include <optional>

#include "geometry/host/path_pick.h"
#include "geometry/two_piece_solver.h"
#include "tools/framework/FSMTool.h"

namespace Tools {

class ToolLineTPBase : public FSMTool<ToolLineTPBase> {
 public:
  enum State : int32_t {
    kIdle = 0,
    kPressedOnNothing = 1,
    kPressedOnNothingSecond = 2,
    kPressedOnFirst = 3,
    kDragging = 4,
    kFirstChosen = 5,
    kPressedOnSecond = 6,
  };

  void DrawFeedback(AII::IAnnoSurface& surface, bool measuring) override;
  int32_t CursorId() const;

 protected:
  ToolLineTPBase() noexcept;

  // Clears the contact, then searches it for the current picks with the tool's pair of
  // equations (SearchContact). Raises what the search raises.
  virtual void ComputeContact() = 0;
  void SearchContact(geom::LineKind kind);

 private:
  // Where the line meets one path, with what the feedback draws there.
  struct Contact {
    AIArtHandle art = nullptr;
    geom::PieceRef at;
    geom::Point point;
    geom::Point tangent;
  };

  // Entry and do actions.
  void ClearPicks(ToolEvent& event);
  void FollowFirst(ToolEvent& event);
  void RecordPress(ToolEvent& event);
  void FollowSecond(ToolEvent& event);
  // Guards.
  bool PressOnFirst(ToolEvent& event);
  bool PressOnSecond(ToolEvent& event);
  bool MovedFromPress(ToolEvent& event);
  // Transition action.
  void CreateLine(ToolEvent& event);
  void MakeLine();

  // ComputeContact, with any failure of the search meaning no contact.
  void UpdateContact();

  static const StateEntry<ToolLineTPBase> kStates[7];
  static const TransitionEntry<ToolLineTPBase> kTransitions[11];

  geom::hostpath::PathPick first_;
  geom::hostpath::PathPick second_;
  AIPoint press_{};
  bool keepPaths_ = false;
  geom::Point cursor_;
  std::optional<Contact> contact1_, contact2_;  // both or neither
  // A failure of the last creation, raised once the gesture has ended (see CreateLine).
  std::exception_ptr failure_;
};

}  // namespace Tools
