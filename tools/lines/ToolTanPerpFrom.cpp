#include "tools/lines/ToolTanPerpFrom.h"

#include <cmath>
#include <numbers>
#include <optional>

#include "geometry/construction.h"
#include "geometry/host/host_point.h"
#include "geometry/host/new_path_art.h"
#include "geometry/host/path_access.h"
#include "geometry/host/path_snapshot.h"
#include "geometry/host/path_split.h"
#include "geometry/units.h"
#include "hostcall/Error.h"
#include "hostcall/HostCall.h"
#include "tools/framework/DocumentQueries.h"
#include "tools/framework/ToolView.h"

namespace Tools {

namespace {

using Tool = ToolTanPerpFrom;
using geom::Point;

// pt.  A direction shorter than this gives no line.
constexpr double kMinDirection = 1e-6;
// pt.  A line end closer than this to P (after projection or rounding) gives
// no line: it would be a line of no length.
constexpr double kMinLineLength = 1e-4;
// pt (cross products of unit vectors with a distance).  The dead zone of the
// side tests that decide where a rounded line goes.
constexpr double kSideDeadZone = 1e-15;

constexpr const char* kTangentLabel = "tangent";
constexpr const char* kPerpendicularLabel = "perpendicular";

struct Frame {
  Point point;
  Point tangent;
};

// The unit tangent at anchor k of a path where the pick frame has none (the
// handle the pick maps to is retracted): the anchor's other handle; else the
// previous anchor's out-handle point, else the previous anchor; on an open
// path's first anchor, the next anchor's in-handle point, else the next
// anchor.  Nothing when every candidate coincides with the anchor.
std::optional<Frame> AnchorFrame(ai::SuiteSet& suites, const geom::hostpath::PathPick& pick) {
  using namespace geom::hostpath;
  const int16_t count = PathSegmentCount(suites, pick.art);
  const bool closed = PathClosed(suites, pick.art);
  const int16_t k = pick.segment;
  if (k < 0 || k >= count) return std::nullopt;
  const geom::Segment anchor = ReadSegment(suites, pick.art, k);
  const Point p = anchor.p;
  Point candidates[3];
  int n = 0;
  if (closed || k > 0) {
    const geom::Segment prev = ReadSegment(suites, pick.art, static_cast<int16_t>(k > 0 ? k - 1 : count - 1));
    candidates[n++] = p - anchor.in;
    candidates[n++] = p - prev.out;
    candidates[n++] = p - prev.p;
  } else if (count > 1) {
    const geom::Segment next = ReadSegment(suites, pick.art, 1);
    candidates[n++] = next.in - p;
    candidates[n++] = next.p - p;
  }
  for (int i = 0; i < n; ++i) {
    // A handle within the retraction distance has no say; the last candidate
    // (an anchor) counts down to the length that still has a direction.
    const bool last = i == n - 1;
    if (last || geom::Length(candidates[i]) > geom::tol::kRetractedHandle) {
      const Point t = geom::Unit(candidates[i]);
      if (t == Point{}) return std::nullopt;
      return Frame{p, t};
    }
  }
  return std::nullopt;
}

// The anchors stand in only where the curve has no tangent at the pick: a
// host call that fails raises, rather than giving a line in another
// direction.
std::optional<Frame> FrameAtPick(ai::SuiteSet& suites, const geom::hostpath::PathPick& pick) {
  if (const auto frame = geom::hostpath::PickFrameOrRaise(suites, pick)) return Frame{frame->point, frame->tangent};
  if (!pick.valid || pick.partType != kSegmentPart) return std::nullopt;
  return AnchorFrame(suites, pick);
}

}  // namespace

// Listed in state order: the first row is where a gesture starts.
const StateEntry<Tool> Tool::kStates[5] = {
    {kIdle, &Tool::EnterIdle, &Tool::LookForPath, nullptr},
    {kBlocked, nullptr, nullptr, nullptr},
    {kPressedOnPath, &Tool::RecordPress, nullptr, nullptr},
    {kDraggingLine, nullptr, &Tool::FollowCursor, nullptr},
    {kPlacingEnd, nullptr, &Tool::FollowCursor, nullptr},
};

// In the click gesture the line is made on the second press; the release
// after it arrives in state 0 and is ignored.
const TransitionEntry<Tool> Tool::kTransitions[7] = {
    {kIdle, kEventMouseDown, &Tool::CanStartOnPath, nullptr, kPressedOnPath},
    {kIdle, kEventMouseDown, nullptr, nullptr, kBlocked},
    {kBlocked, kEventMouseUp, nullptr, nullptr, kIdle},
    {kPressedOnPath, kEventMouseDrag, &Tool::MovedFromPress, &Tool::SetUpDirection, kDraggingLine},
    {kDraggingLine, kEventMouseUp, nullptr, &Tool::CreateLine, kIdle},
    {kPressedOnPath, kEventMouseUp, nullptr, &Tool::SetUpDirection, kPlacingEnd},
    {kPlacingEnd, kEventMouseDown, nullptr, &Tool::CreateLine, kIdle},
};

ToolTanPerpFrom::ToolTanPerpFrom(const ToolIdentity& identity, Mode mode) noexcept
    : Cataloged(identity, std::span<const StateEntry<Tool>>(kStates),
                std::span<const TransitionEntry<Tool>>(kTransitions)),
      mode_(mode) {}

// The host's snapping must not keep guiding the cursor along a line of a
// gesture that is gone.
void ToolTanPerpFrom::Deselect(AIToolMessage* message) {
  FSMTool::Deselect(message);
  ClearConstraint();
}

// A press decides its pick (and Alt) where it goes down, not where the
// cursor last moved.
void ToolTanPerpFrom::OnEvent(ToolEvent& event) {
  if (event.kind != kEventMouseDown || (CurrentState() && !InState({kIdle}))) return;
  pick_ = geom::hostpath::HitTestPaths(ai::Suites(), CursorPoint(event));
  keepPath_ = Held(event, aiEventModifiers_optionKey);
}

void ToolTanPerpFrom::EnterIdle(ToolEvent&) { keepPath_ = false; }

void ToolTanPerpFrom::LookForPath(ToolEvent& event) {
  pick_ = geom::hostpath::HitTestPaths(ai::Suites(), CursorPoint(event));
  keepPath_ = Held(event, aiEventModifiers_optionKey);
}

// Alt at the press counts too: the first event of all enters state 0 after
// OnEvent sampled it, and that entry clears it.
void ToolTanPerpFrom::RecordPress(ToolEvent& event) {
  pressView_ = CurrentViewPoint(event.message->cursor);
  keepPath_ = Held(event, aiEventModifiers_optionKey);
}

void ToolTanPerpFrom::FollowCursor(ToolEvent& event) {
  keepPath_ = Held(event, aiEventModifiers_optionKey);
  shift_ = Held(event, aiEventModifiers_shiftKey);
  symmetric_ = Held(event, aiEventModifiers_cmdKey);
  cursor_ = CursorPoint(event);
  valid_ = ComputeLineEnd();
}

bool ToolTanPerpFrom::CanStartOnPath(ToolEvent&) { return pick_.valid && CanCreateArtNow(); }

bool ToolTanPerpFrom::MovedFromPress(ToolEvent& event) {
  return MovedBeyond(pressView_, CurrentViewPoint(event.message->cursor));
}

void ToolTanPerpFrom::SetUpDirection(ToolEvent&) {
  valid_ = false;
  if (SetUpFrame()) SetConstraint();
}

// P, the tangent and the normal at the pick, and the direction the line runs
// in.  Without a frame there is no direction, and so no line: never the
// direction of an earlier gesture.
bool ToolTanPerpFrom::SetUpFrame() {
  direction_ = tangent_ = normal_ = Point{};
  const std::optional<Frame> frame = FrameAtPick(ai::Suites(), pick_);
  if (!frame) return false;
  start_ = frame->point;
  tangent_ = frame->tangent;
  normal_ = geom::TurnLeft(tangent_);
  direction_ = mode_ == Mode::Perpendicular ? normal_ : tangent_;
  return true;
}

bool ToolTanPerpFrom::ComputeLineEnd() noexcept {
  if (geom::Length(direction_) < kMinDirection) return false;
  const geom::ImplicitLine along = geom::LineThrough(start_, start_ + direction_);
  const geom::ImplicitLine across = geom::LineThrough(cursor_, cursor_ + geom::TurnLeft(direction_));
  const std::optional<Point> foot = geom::IntersectLines(along, across);
  if (!foot || geom::Distance(start_, *foot) < kMinLineLength) return false;
  if (!shift_) {
    end_ = *foot;
    return true;
  }
  ai::SuiteSet& suites = ai::Suites();
  const double length =
      geom::SnapLength(geom::Distance(start_, *foot), CurrentViewZoom(suites), CurrentUnitCode(suites));
  if (!(length >= kMinLineLength)) return false;
  // The cursor's side of the normal (tangent mode) or of the tangent line
  // (perpendicular mode) through P, each with its dead zone on one side.
  const Point off = cursor_ - start_;
  const bool minus = mode_ == Mode::Tangent ? geom::Dot(tangent_, off) < kSideDeadZone
                                            : geom::Dot(normal_, off) <= -kSideDeadZone;
  const Point unit = geom::Unit(direction_);
  end_ = minus ? start_ - unit * length : start_ + unit * length;
  return true;
}

void ToolTanPerpFrom::SetConstraint() {
  const AICursorConstraint constraint{
      kLinearConstraintAbs, 0, geom::hostpath::ToHost(geom::RoundToSingle(start_)),
      static_cast<float>(std::atan2(direction_.v, direction_.h) * 180 / std::numbers::pi),
      mode_ == Mode::Tangent ? kTangentLabel : kPerpendicularLabel};
  ai::Check(ai::Suites().CursorSnap().SetCustom(1, &constraint));
  constraintSet_ = true;
}

void ToolTanPerpFrom::ClearConstraint() {
  if (!constraintSet_) return;
  ai::Check(ai::Suites().CursorSnap().ClearCustom());
  constraintSet_ = false;
}

// A failure ends the gesture as well; its error goes back to the host.
void ToolTanPerpFrom::CreateLine(ToolEvent& event) {
  try {
    MakeLine(event);
  } catch (...) {
    RestartGesture();
    throw;
  }
}

// The line ends where the press (or the release) is.  Creation and the split
// of the path stand or fall together: when either fails, the path is put
// back and no line stays.
void ToolTanPerpFrom::MakeLine(ToolEvent& event) {
  ClearConstraint();
  FollowCursor(event);
  ai::SuiteSet& suites = ai::Suites();
  if (!valid_) return;
  const Point s = geom::RoundToSingle(LineStart()), e = geom::RoundToSingle(end_);
  const geom::SegmentList line = {{s, s, s, true}, {e, e, e, true}};
  if (keepPath_) {
    geom::hostpath::NewPathArt(suites, line, false);
    return;
  }
  const geom::hostpath::PathSnapshot before = geom::hostpath::PathSnapshot::Take(suites, pick_.art);
  try {
    InsertAnchorAtStart();
    if (!geom::hostpath::NewPathArt(suites, line, false)) before.RestoreQuietly(suites);
  } catch (...) {
    before.RestoreQuietly(suites);
    throw;
  }
}

// Nothing is inserted at (or within a hair of) an existing anchor.
void ToolTanPerpFrom::InsertAnchorAtStart() {
  ai::SuiteSet& suites = ai::Suites();
  const geom::PieceRef at = geom::hostpath::PickToPieceRef(suites, pick_);
  geom::hostpath::InsertAnchorAt(suites, pick_.art, at.piece, at.t, start_);
}

}  // namespace Tools
