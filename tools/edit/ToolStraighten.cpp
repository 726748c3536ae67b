#include "tools/edit/ToolStraighten.h"

#include "geometry/host/path_access.h"
#include "geometry/host/path_snapshot.h"
#include "hostcall/Error.h"
#include "hostcall/HostCall.h"
#include "tools/edit/StraightenEdits.h"
#include "tools/framework/AnnoRenderBase.h"
#include "tools/framework/DocumentQueries.h"
#include "tools/framework/ToolView.h"

namespace Tools {

namespace {

using Tool = ToolStraighten;
using geom::Point;
using namespace StraightenExtra;

constexpr const char* kAnchorsOnly = "Av";
constexpr const char* kWhileEditing = "ATFPLMv o i";

// A press becomes a drag beyond this many view pixels: a little more than
// elsewhere, since a click here already edits the path.
constexpr int32_t kStraightenDragPx = 6;
// A dragged piece snaps to an anchor's level within this many view pixels of
// the anchor.
constexpr double kAnchorSnapPx = 16;

// The path under the point, anchors and curves only; a hit on art that is
// not a path is no pick.
geom::hostpath::PathPick PickAt(ai::SuiteSet& suites, Point at) {
  geom::hostpath::PathPick pick = geom::hostpath::HitTestPaths(suites, at);
  if (!pick.valid) return pick;
  int16_t type = kUnknownArt;
  ai::Check(suites.Art().GetArtType(pick.art, &type));
  pick.valid = type == kPathArt;
  return pick;
}

bool SmartGuidesOn(ai::SuiteSet& suites) {
  AIBoolean on = false;
  ai::Check(suites.CursorSnap().GetSmartGuidesState(AII::CurrentView(suites), &on));
  return on != 0;
}

}  // namespace

// Listed in state order: the first row is where a gesture starts.
const StateEntry<Tool> Tool::kStates[5] = {
    {kIdle, &Tool::Forget, &Tool::Hover, nullptr},
    {kPressedOnPiece, &Tool::Press, &Tool::PreviewClick, nullptr},
    {kDraggingPiece, nullptr, &Tool::LevelToCursor, nullptr},
    {kPressedOnAnchor, &Tool::Press, nullptr, nullptr},
    {kTurning, nullptr, &Tool::Turn, nullptr},
};

// The press's own pick decides: PressedOnPiece, asked first, picks afresh at
// the press, so that an anchor under the press beats the piece hovered last.
const TransitionEntry<Tool> Tool::kTransitions[8] = {
    {kIdle, kEventMouseDown, &Tool::PressedOnPiece, nullptr, kPressedOnPiece},
    {kIdle, kEventMouseDown, &Tool::PressedOnAnchor, nullptr, kPressedOnAnchor},
    {kPressedOnPiece, kEventMouseDrag, &Tool::Moved, nullptr, kDraggingPiece},
    {kPressedOnPiece, kEventMouseUp, nullptr, &Tool::LevelClicked, kIdle},
    {kDraggingPiece, kEventMouseUp, nullptr, &Tool::LevelToCursorAndWrite, kIdle},
    {kPressedOnAnchor, kEventMouseDrag, &Tool::Moved, &Tool::ChoosePiece, kTurning},
    {kPressedOnAnchor, kEventMouseUp, nullptr, nullptr, kIdle},
    {kTurning, kEventMouseUp, nullptr, &Tool::TurnAndWrite, kIdle},
};

ToolStraighten::ToolStraighten(const ToolIdentity& identity) noexcept
    : Cataloged(identity, std::span<const StateEntry<Tool>>(kStates),
                std::span<const TransitionEntry<Tool>>(kTransitions)) {}

const char* ToolStraighten::SnapControl() const {
  const std::optional<int32_t> state = CurrentState();
  if (!state) return nullptr;
  if (*state == kIdle) return kAnchorsOnly;
  if (*state == kDraggingPiece || *state == kTurning) return kWhileEditing;
  return nullptr;
}

void ToolStraighten::MouseDown(AIToolMessage* message) {
  FSMTool::MouseDown(message);
  ai::Check(ai::Suites().Document().RedrawDocument());
}

bool ToolStraighten::CurveHit() const { return pick_.valid && pick_.partType == kCurvePart; }
bool ToolStraighten::AnchorHit() const { return pick_.valid && pick_.partType == kSegmentPart; }

// Keys from the event; the direction from the picked piece: the one it is
// closer to, or the other with Alt (45 degrees counts as closer to vertical).
void ToolStraighten::UpdateMode(const ToolEvent& event) {
  keepCurve_ = Held(event, aiEventModifiers_shiftKey) || Held(event, aiEventModifiers_cmdKey);
  swap_ = Held(event, aiEventModifiers_optionKey);
  if (!pick_.valid) {
    mode_ = kNoMode;
  } else if (AnchorHit()) {
    mode_ = kTurn;
  } else {
    const geom::Bezier piece =
        geom::hostpath::GetPiece(ai::Suites(), pick_.art, geom::hostpath::PickToPieceRef(ai::Suites(), pick_).piece);
    const Point chord = piece.P(3) - piece.P(0);
    const bool nearerHorizontal = std::abs(chord.h) > std::abs(chord.v);
    mode_ = nearerHorizontal != swap_ ? kHorizontal : kVertical;
  }
}

int ToolStraighten::ReadPickedPath() {
  ai::SuiteSet& suites = ai::Suites();
  const int piece = CurveHit() ? geom::hostpath::PickToPieceRef(suites, pick_).piece : pick_.segment;
  working_ = geom::hostpath::ReadSegments(suites, pick_.art);
  closed_ = geom::hostpath::PathClosed(suites, pick_.art);
  return piece;
}

void ToolStraighten::LevelByMean(geom::SegmentList& list, int piece) const {
  if (list.size() < 2) return;
  const Point s = list[static_cast<std::size_t>(piece)].p;
  const Point e = list[static_cast<std::size_t>(piece + 1) % list.size()].p;
  LevelPiece(list, piece, mode_ == kVertical ? Level::Vertical : Level::Horizontal, keepCurve_, (s + e) / 2);
}

// The whole path is written back in one rewrite; should the host refuse any
// part of it, the path gets back what it had.
void ToolStraighten::WriteWorkingList() {
  if (working_.empty()) return;
  ai::SuiteSet& suites = ai::Suites();
  const geom::hostpath::PathSnapshot before = geom::hostpath::PathSnapshot::Take(suites, pick_.art);
  geom::hostpath::EditOrRestore(suites, {&before}, [&] { geom::hostpath::WriteSegments(suites, pick_.art, working_); });
}

void ToolStraighten::Forget(ToolEvent&) {
  pick_ = {};
  mode_ = kNoMode;
  keepCurve_ = false;
  working_.clear();
  snapped_ = false;
  hoverValid_ = false;
}

// The hovered piece as a click would level it, for the feedback.
void ToolStraighten::Hover(ToolEvent& event) {
  hoverValid_ = false;
  pick_ = PickAt(ai::Suites(), CursorPoint(event));
  UpdateMode(event);
  if (!CurveHit()) return;
  const int piece = ReadPickedPath();
  LevelByMean(working_, piece);
  if (working_.size() < 2) return;
  hoverPiece_ = geom::PieceOf(working_, piece);
  hoverValid_ = true;
}

void ToolStraighten::Press(ToolEvent& event) { press_ = CursorPoint(event); }

// The whole path as the click would leave it, for the feedback.
void ToolStraighten::PreviewClick(ToolEvent& event) {
  UpdateMode(event);
  working_.clear();
  if (!CurveHit()) return;
  LevelByMean(working_, ReadPickedPath());
}

bool ToolStraighten::PressedOnPiece(ToolEvent& event) {
  pick_ = PickAt(ai::Suites(), CursorPoint(event));
  UpdateMode(event);
  return CurveHit();
}

bool ToolStraighten::PressedOnAnchor(ToolEvent&) { return AnchorHit(); }

bool ToolStraighten::Moved(ToolEvent& event) {
  return MovedBeyond(CurrentViewPoint(geom::hostpath::ToHost(press_)), CurrentViewPoint(event.message->cursor),
                     kStraightenDragPx);
}

void ToolStraighten::LevelClicked(ToolEvent& event) {
  UpdateMode(event);
  if (!CurveHit()) return;
  LevelByMean(working_, ReadPickedPath());
  WriteWorkingList();
}

// The piece goes to the cursor's level, or to the level of the anchor within
// the snapping distance of the cursor (unless smart guides snap instead).
void ToolStraighten::LevelToCursor(ToolEvent& event) {
  UpdateMode(event);
  snapped_ = false;
  if (!CurveHit()) return;
  ai::SuiteSet& suites = ai::Suites();
  const int piece = ReadPickedPath();
  if (working_.size() < 2) return;
  const Point q = CursorPoint(event);
  const auto endIndex = static_cast<int32_t>(static_cast<std::size_t>(piece + 1) % working_.size());
  const Point s = working_[static_cast<std::size_t>(piece)].p, e = working_[static_cast<std::size_t>(endIndex)].p;
  const double zoom = CurrentViewZoom(suites);
  const double toS = geom::Distance(q, s) * zoom, toE = geom::Distance(q, e) * zoom;
  const bool endNearer = toS > toE;
  snapped_ = (endNearer ? toE : toS) < kAnchorSnapPx && !SmartGuidesOn(suites);
  snappedAnchor_ = endNearer ? endIndex : piece;
  const Point target = snapped_ ? (endNearer ? e : s) : q;
  LevelPiece(working_, piece, mode_ == kVertical ? Level::Vertical : Level::Horizontal, keepCurve_, target);
}

void ToolStraighten::LevelToCursorAndWrite(ToolEvent& event) {
  LevelToCursor(event);
  if (CurveHit()) WriteWorkingList();
}

void ToolStraighten::ChoosePiece(ToolEvent& event) {
  if (!AnchorHit()) return;
  ReadPickedPath();
  following_ = TurnsFollowingPiece(working_, closed_, pick_.segment, CursorPoint(event) - press_);
}

void ToolStraighten::Turn(ToolEvent& event) {
  if (!AnchorHit()) return;
  ReadPickedPath();
  const TurnOptions options{Held(event, aiEventModifiers_shiftKey), Held(event, aiEventModifiers_cmdKey),
                            Held(event, aiEventModifiers_optionKey)};
  TurnPiece(working_, pick_.segment, following_, CursorPoint(event), options);
}

void ToolStraighten::TurnAndWrite(ToolEvent& event) {
  if (!AnchorHit()) return;
  Turn(event);
  WriteWorkingList();
}

}  // namespace Tools
