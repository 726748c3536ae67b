#include "tools/edit/ToolJoin.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "hostcall/Error.h"
#include "hostcall/HostCall.h"
#include "tools/edit/JoinEnds.h"
#include "tools/edit/JoinPaths.h"
#include "tools/edit/TangentJoiner.h"
#include "tools/framework/AnnoRenderBase.h"
#include "tools/framework/DocumentQueries.h"
#include "tools/framework/ToolView.h"

namespace Tools {

namespace {

using Tool = ToolJoin;
using geom::Point;
using ToolJoinExtra::HitTestEnd;

// The handle's axes are at least this part of the smaller side of the view.
constexpr double kAdjustViewShare = 0.25;
// An axis shorter than this (squared, pt^2) has no direction to project on.
constexpr double kMinAxisSquared = 1e-15;

constexpr const char* kBalanceLabel = "balance";
constexpr const char* kTensionLabel = "tension";

double Degrees(Point v) { return std::atan2(v.v, v.h) * 180 / std::numbers::pi; }

AICursorConstraint LineConstraint(Point through, Point along, const char* label) {
  AICursorConstraint c{};
  c.kind = kLinearConstraintAbs;
  c.point = geom::hostpath::ToHost(geom::RoundToSingle(through));
  c.angle = static_cast<float>(Degrees(along));
  c.label = label;
  return c;
}

// The signed position of d along the axis, in axis lengths.
double ProjectionRatio(Point d, Point axis) {
  const double lengthSquared = geom::LengthSquared(axis);
  if (lengthSquared < kMinAxisSquared) ai::ThrowBadParameter();
  return geom::Dot(d, axis) / lengthSquared;
}

}  // namespace

// Listed in state order: the first row is where a gesture starts.
const StateEntry<Tool> Tool::kStates[8] = {
    {kIdle, &Tool::Reset, &Tool::PickFirst, nullptr},
    {kPressedOnNothing, nullptr, nullptr, nullptr},
    {kPressedOnNothingSeeking, nullptr, nullptr, nullptr},
    {kFirstPressed, &Tool::PressFirst, nullptr, nullptr},
    {kSecondPressed, &Tool::PressSecond, nullptr, nullptr},
    {kSeeking, nullptr, &Tool::Seek, nullptr},
    {kDraggingFromFirst, nullptr, &Tool::Seek, nullptr},
    {kAdjusting, &Tool::StartAdjusting, &Tool::Adjust, nullptr},
};

// Each guarded row comes before the unguarded row it overrides.  The guards
// of a press or of the release of a drag pick afresh at the event's point.
const TransitionEntry<Tool> Tool::kTransitions[14] = {
    {kIdle, kEventMouseDown, &Tool::FirstValid, &Tool::SelectFirstAnchor, kFirstPressed},
    {kIdle, kEventMouseDown, nullptr, nullptr, kPressedOnNothing},
    {kPressedOnNothing, kEventMouseUp, nullptr, nullptr, kIdle},
    {kFirstPressed, kEventMouseDrag, &Tool::Moved, nullptr, kDraggingFromFirst},
    {kFirstPressed, kEventMouseUp, nullptr, nullptr, kSeeking},
    {kDraggingFromFirst, kEventMouseUp, &Tool::SecondFound, &Tool::Join, kIdle},
    {kDraggingFromFirst, kEventMouseUp, nullptr, nullptr, kIdle},
    {kSeeking, kEventMouseDown, &Tool::SecondFound, nullptr, kSecondPressed},
    {kSeeking, kEventMouseDown, nullptr, nullptr, kPressedOnNothingSeeking},
    {kPressedOnNothingSeeking, kEventMouseUp, nullptr, nullptr, kSeeking},
    {kSecondPressed, kEventMouseDrag, &Tool::Moved, nullptr, kAdjusting},
    {kSecondPressed, kEventMouseUp, &Tool::SecondValid, &Tool::Join, kIdle},
    {kSecondPressed, kEventMouseUp, nullptr, nullptr, kIdle},
    {kAdjusting, kEventMouseUp, nullptr, &Tool::Join, kIdle},
};

ToolJoin::ToolJoin(const ToolIdentity& identity)
    : Cataloged(identity, std::span<const StateEntry<Tool>>(kStates),
                std::span<const TransitionEntry<Tool>>(kTransitions)),
      joiner_(std::make_unique<ToolJoinExtra::TangentJoiner>()) {}

ToolJoin::~ToolJoin() = default;

void ToolJoin::Deselect(AIToolMessage* message) {
  FSMTool::Deselect(message);
  if (!constraintsSet_) return;
  constraintsSet_ = false;
  ai::Check(ai::Suites().CursorSnap().ClearCustom());
}

void ToolJoin::Reset(ToolEvent&) {
  connectionCount_ = -1;
  first_ = {};
  second_ = {};
  exponent_ = 0;
  distribution_ = 0;
}

void ToolJoin::PickFirst(ToolEvent& event) { first_ = HitTestEnd(ai::Suites(), CursorPoint(event)); }

void ToolJoin::PressFirst(ToolEvent& event) { pressView_ = CurrentViewPoint(event.message->cursor); }

void ToolJoin::PressSecond(ToolEvent& event) { pressView_ = CurrentViewPoint(event.message->cursor); }

void ToolJoin::Seek(ToolEvent& event) {
  cursor_ = CursorPoint(event);
  second_ = HitTestEnd(ai::Suites(), cursor_, &first_);
  Rebuild();
}

// Cleared first, so that a build that fails leaves no connection behind (and
// none to a path no longer under the cursor).
void ToolJoin::Rebuild() {
  connectionCount_ = -1;
  connectionCount_ =
      joiner_->BuildConnection(first_, second_, exponent_, distribution_, connection_, ai::Suites());
}

// The axes run through the second end's hit point: the chord from the first
// end's hit point ("tension", at least the view-dependent length f) and the
// chord turned a quarter counter-clockwise ("balance").  Two ends hit at one
// point give no chord; the tension axis is then horizontal.
void ToolJoin::StartAdjusting(ToolEvent&) {
  ai::SuiteSet& suites = ai::Suites();
  AIRect pixels{};
  ai::Check(suites.DocumentView().GetDocumentViewPixelBounds(AII::CurrentView(suites), &pixels));
  const double side = std::min(pixels.right - pixels.left, pixels.bottom - pixels.top);
  adjustLength_ = side / CurrentViewZoom(suites) * kAdjustViewShare;
  centre_ = second_.hitPoint;
  chordAxis_ = second_.hitPoint - first_.hitPoint;
  if (geom::Length(chordAxis_) < adjustLength_) {
    const Point direction = geom::Unit(chordAxis_);
    chordAxis_ = (direction == Point{} ? Point{1, 0} : direction) * adjustLength_;
  }
  crossAxis_ = geom::TurnLeft(chordAxis_);
  const AICursorConstraint lines[2] = {LineConstraint(centre_, crossAxis_, kBalanceLabel),
                                       LineConstraint(centre_, chordAxis_, kTensionLabel)};
  ai::Check(suites.CursorSnap().SetCustom(2, lines));
  constraintsSet_ = true;
}

void ToolJoin::Adjust(ToolEvent& event) {
  const Point d = CursorPoint(event) - centre_;
  crossRatio_ = ProjectionRatio(d, crossAxis_);
  chordRatio_ = ProjectionRatio(d, chordAxis_);
  exponent_ = crossRatio_;
  distribution_ = std::clamp(chordRatio_, -1.0, 1.0);
  Rebuild();
}

bool ToolJoin::FirstValid(ToolEvent& event) {
  PickFirst(event);
  return first_.valid;
}

bool ToolJoin::SecondFound(ToolEvent& event) {
  Seek(event);
  return second_.valid;
}

bool ToolJoin::SecondValid(ToolEvent&) { return second_.valid; }

bool ToolJoin::Moved(ToolEvent& event) { return MovedBeyond(pressView_, CurrentViewPoint(event.message->cursor)); }

void ToolJoin::SelectFirstAnchor(ToolEvent&) {
  ai::SuiteSet& suites = ai::Suites();
  ai::Check(suites.MatchingArt().DeselectAll());
  ai::Check(suites.Path().SetPathSegmentSelected(first_.art, first_.segment, kSegmentPointSelected));
}

void ToolJoin::Join(ToolEvent&) {
  if (connectionCount_ < 0 || !first_.valid || !second_.valid) return;
  const std::span<const geom::Bezier> pieces(connection_.data(), static_cast<std::size_t>(connectionCount_));
  ai::SuiteSet& suites = ai::Suites();
  if (first_.art == second_.art)
    ToolJoinExtra::CloseOnePath(suites, first_, pieces);
  else
    ToolJoinExtra::JoinTwoPaths(suites, first_, second_, pieces);
}

}  // namespace Tools
