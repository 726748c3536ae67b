// "QM Connect": joins an end of one open path to an end of another (or to the
// other end of the same path) with one cubic piece that continues both paths
// along their tangents.
//
// The first end is pressed; the second is reached by dragging to it and
// releasing, or by releasing and clicking it.  Pressing on the second end and
// dragging reshapes the connection with a two-axis handle: along "balance"
// both handles grow or shrink exponentially, along "tension" their lengths
// shift from one end to the other.  On release the first path takes the
// connection and the second path's anchors and the second path is deleted
// (both ends on one path close it); the result is selected.
//
// States: 0 idle; 1 pressed on nothing; 2 pressed on nothing while the second
// end is sought; 3 pressed on the first end; 4 pressed on the second end;
// 5 first end chosen, button up, seeking the second end; 6 dragging from the
// first end; 7 adjusting the connection.  No modifier keys are read.
#pragma once

#include <array>
#include <memory>
#include <span>

#include "geometry/bezier.h"
#include "geometry/host/path_pick.h"
#include "hostcall/SuiteSet.h"
#include "tools/framework/Cataloged.h"
#include "tools/framework/FSMTool.h"

namespace Tools {

class ToolJoin final : public Cataloged<FSMTool<ToolJoin>> {
 public:
  enum State : int32_t {
    kIdle = 0,
    kPressedOnNothing = 1,
    kPressedOnNothingSeeking = 2,
    kFirstPressed = 3,
    kSecondPressed = 4,
    kSeeking = 5,
    kDraggingFromFirst = 6,
    kAdjusting = 7,
  };

  // Computes the connecting pieces between two picked ends.
  class Joiner {
   public:
    virtual ~Joiner() = default;
    // -1 when either pick is not valid; otherwise writes the connection into
    // out (from the first end's anchor to the second end's) and returns how
    // many pieces it has.  x scales both handles by 5^x; a in [-1, 1] moves
    // length from the second end's handle to the first's.  Raises ai::Error
    // when the host cannot read the ends' segments, PARM when out is too
    // short.
    virtual int32_t BuildConnection(const geom::hostpath::PathPick& first, const geom::hostpath::PathPick& second,
                                    double x, double a, std::span<geom::Bezier> out, ai::SuiteSet& suites) const = 0;
  };

  static constexpr int kMaxConnectionPieces = 4;

  explicit ToolJoin(const ToolIdentity& identity);
  ~ToolJoin() override;

  void DrawFeedback(AII::IAnnoSurface& surface, bool measuring) override;
  // The handle's snap lines go with the tool.
  void Deselect(AIToolMessage* message) override;
  int32_t CursorId() const;

 private:
  // Entry and do actions.
  void Reset(ToolEvent& event);
  void PickFirst(ToolEvent& event);
  void PressFirst(ToolEvent& event);
  void PressSecond(ToolEvent& event);
  void Seek(ToolEvent& event);
  void StartAdjusting(ToolEvent& event);
  void Adjust(ToolEvent& event);
  // Guards.
  bool FirstValid(ToolEvent& event);  // picks afresh at the press
  bool SecondFound(ToolEvent& event);  // seeks afresh at the event's point
  bool SecondValid(ToolEvent& event);
  bool Moved(ToolEvent& event);
  // Transition actions.
  void SelectFirstAnchor(ToolEvent& event);
  void Join(ToolEvent& event);

  void Rebuild();
  void DrawHandle(AII::IAnnoSurface& surface);

  static const StateEntry<ToolJoin> kStates[8];
  static const TransitionEntry<ToolJoin> kTransitions[14];

  geom::hostpath::PathPick first_;
  geom::hostpath::PathPick second_;
  AIPoint pressView_{};
  geom::Point cursor_;
  double adjustLength_ = 0;  // f: the handle's axis length, document units
  double exponent_ = 0;      // x
  double distribution_ = 0;  // a
  geom::Point centre_;       // C
  geom::Point chordAxis_;    // V
  geom::Point crossAxis_;    // W
  double crossRatio_ = 0;    // b
  double chordRatio_ = 0;    // p
  std::unique_ptr<Joiner> joiner_;
  int32_t connectionCount_ = -1;
  std::array<geom::Bezier, kMaxConnectionPieces> connection_{};
  bool constraintsSet_ = false;
};

}  // namespace Tools
