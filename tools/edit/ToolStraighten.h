// "QM Straighten": levels a piece horizontally or vertically, or turns it
// about an anchor towards the cursor.
//
// A click on a piece levels it at the mean of its anchors, in the direction
// it is closer to (Alt swaps); without Shift or Ctrl it also becomes straight.
// A drag from a piece moves the levelled piece to the cursor, snapping to
// either anchor within 16 pixels (smart guides off).  A drag from an anchor
// turns the piece on the side the drag leaves towards about that anchor,
// keeping its length: straight unless Ctrl is held, in 45-degree steps with
// Shift, the anchor's other handle left alone with Alt.  The path is written
// on release, in one rewrite.
//
// States: 0 idle; 1 pressed on a piece; 2 dragging from a piece; 3 pressed on
// an anchor; 4 dragging from an anchor.  A drag of 6 pixels or less is a
// click.
#pragma once

#include "geometry/host/path_pick.h"
#include "geometry/segment_list.h"
#include "tools/framework/Cataloged.h"
#include "tools/framework/FSMTool.h"

namespace Tools {

class ToolStraighten final : public Cataloged<FSMTool<ToolStraighten>> {
 public:
  enum State : int32_t {
    kIdle = 0,
    kPressedOnPiece = 1,
    kDraggingPiece = 2,
    kPressedOnAnchor = 3,
    kTurning = 4,
  };
  enum Mode : int32_t { kNoMode = 0, kHorizontal = 1, kVertical = 2, kTurn = 3 };

  explicit ToolStraighten(const ToolIdentity& identity) noexcept;

  // Anchors only while idle; the full set while dragging a piece or turning
  // about an anchor; no snapping in any other state, nor before the first
  // event (there is no state to say what the cursor is doing).
  const char* SnapControl() const override;
  // The document is redrawn after every press.
  void MouseDown(AIToolMessage* message) override;
  void DrawFeedback(AII::IAnnoSurface& surface, bool measuring) override;
  int32_t CursorId() const;

 private:
  // Entry and do actions.
  void Forget(ToolEvent& event);
  void Hover(ToolEvent& event);
  void Press(ToolEvent& event);
  void PreviewClick(ToolEvent& event);
  void LevelToCursor(ToolEvent& event);
  void Turn(ToolEvent& event);
  // Guards.
  bool PressedOnPiece(ToolEvent& event);  // picks afresh at the press
  bool PressedOnAnchor(ToolEvent& event);
  bool Moved(ToolEvent& event);
  // Transition actions.
  void LevelClicked(ToolEvent& event);
  void LevelToCursorAndWrite(ToolEvent& event);
  void ChoosePiece(ToolEvent& event);
  void TurnAndWrite(ToolEvent& event);

  void UpdateMode(const ToolEvent& event);
  bool CurveHit() const;
  bool AnchorHit() const;
  // The pick's path read into the working list, and the picked piece's index.
  int ReadPickedPath();
  void LevelByMean(geom::SegmentList& list, int piece) const;
  void WriteWorkingList();

  static const StateEntry<ToolStraighten> kStates[5];
  static const TransitionEntry<ToolStraighten> kTransitions[8];

  geom::hostpath::PathPick pick_;
  int32_t mode_ = kNoMode;
  bool keepCurve_ = false;
  bool swap_ = false;
  geom::SegmentList working_;
  bool closed_ = false;
  geom::Point press_;
  bool following_ = true;
  bool snapped_ = false;
  int32_t snappedAnchor_ = 0;
  // The hovered piece as a click would leave it (state 0).
  bool hoverValid_ = false;
  geom::Bezier hoverPiece_;
};

}  // namespace Tools
