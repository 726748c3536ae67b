#include "tools/circles/ToolCircle23.h"

#include <vector>

#include "geometry/arc.h"
#include "geometry/construction.h"
#include "geometry/host/new_circle_path.h"
#include "hostcall/HostCall.h"
#include "tools/circles/CircleFeedback.h"
#include "tools/framework/DocumentQueries.h"
#include "tools/framework/ToolView.h"

namespace Tools {

namespace {

using Tool = ToolCircle23;

using geom::hostpath::ToHost;

void AddCircle(const geom::Point& centre, const std::vector<geom::Point>& onCircle) {
  // Every anchor is smooth.
  const geom::SegmentList circle = geom::CircleThroughPoints(centre, onCircle, false);
  geom::hostpath::NewCirclePath(ai::Suites(), circle, true);
}

}  // namespace

// Listed in state order: the first row is where a gesture starts.
const StateEntry<Tool> Tool::kStates[7] = {
    {kIdle, nullptr, nullptr, nullptr},
    {kBlocked, nullptr, nullptr, nullptr},
    {kFirstPressed, &Tool::PressFirst, nullptr, nullptr},
    {kDraggingDiameter, nullptr, &Tool::FollowDiameterEnd, nullptr},
    {kFirstPlaced, nullptr, &Tool::FollowDiameterEnd, nullptr},
    {kSecondPressed, &Tool::PressSecond, nullptr, nullptr},
    {kDraggingThird, nullptr, &Tool::FollowThird, nullptr},
};

// Each guarded row comes before the unguarded row it overrides; a refused
// second press (4 -> 4) keeps the first point.
const TransitionEntry<Tool> Tool::kTransitions[11] = {
    {kIdle, kEventMouseDown, &Tool::CanCreate, nullptr, kFirstPressed},
    {kIdle, kEventMouseDown, nullptr, nullptr, kBlocked},
    {kBlocked, kEventMouseUp, nullptr, nullptr, kIdle},
    {kFirstPressed, kEventMouseDrag, &Tool::MovedFromFirst, nullptr, kDraggingDiameter},
    {kFirstPressed, kEventMouseUp, nullptr, nullptr, kFirstPlaced},
    {kDraggingDiameter, kEventMouseUp, nullptr, &Tool::CreateTwoPointCircle, kIdle},
    {kFirstPlaced, kEventMouseDown, &Tool::CanCreate, nullptr, kSecondPressed},
    {kFirstPlaced, kEventMouseDown, nullptr, nullptr, kFirstPlaced},
    {kSecondPressed, kEventMouseDrag, &Tool::MovedFromSecond, nullptr, kDraggingThird},
    {kSecondPressed, kEventMouseUp, nullptr, &Tool::CreateTwoPointCircle, kIdle},
    {kDraggingThird, kEventMouseUp, nullptr, &Tool::CreateThreePointCircle, kIdle},
};

ToolCircle23::ToolCircle23(const ToolIdentity& identity) noexcept
    : Cataloged(identity, std::span<const StateEntry<Tool>>(kStates),
                std::span<const TransitionEntry<Tool>>(kTransitions)) {}

// Shift is applied here, to the snapped point, so that every later step (the
// second press of state 4 included) sees the constrained point.
void ToolCircle23::OnEvent(ToolEvent& event) {
  if (!InState({kDraggingDiameter, kFirstPlaced}) || !Held(event, aiEventModifiers_shiftKey)) return;
  event.message->cursor = ToHost(geom::RoundToSingle(geom::ConstrainTo45(first_, CursorPoint(event))));
}

void ToolCircle23::PressFirst(ToolEvent& event) {
  first_ = CursorPoint(event);
  firstView_ = CurrentViewPoint(event.message->cursor);
}

void ToolCircle23::PressSecond(ToolEvent& event) {
  second_ = CursorPoint(event);
  secondView_ = CurrentViewPoint(event.message->cursor);
}

// With Alt the diameter keeps its direction and its length is rounded to the
// first step longer than two screen pixels in the ruler unit.
void ToolCircle23::FollowDiameterEnd(ToolEvent& event) {
  const geom::Point q = CursorPoint(event);
  if (!Held(event, aiEventModifiers_optionKey)) {
    second_ = q;
    return;
  }
  ai::SuiteSet& suites = ai::Suites();
  const double length = geom::SnapLength(geom::Distance(first_, q), CurrentViewZoom(suites),
                                         CurrentUnitCode(suites));
  second_ = geom::RoundToSingle(first_ + geom::Unit(q - first_) * length);
}

void ToolCircle23::FollowThird(ToolEvent& event) { third_ = CursorPoint(event); }

bool ToolCircle23::MovedFromFirst(ToolEvent& event) {
  return MovedBeyond(firstView_, CurrentViewPoint(event.message->cursor));
}

bool ToolCircle23::MovedFromSecond(ToolEvent& event) {
  return MovedBeyond(secondView_, CurrentViewPoint(event.message->cursor));
}

void ToolCircle23::CreateTwoPointCircle(ToolEvent&) {
  if (const std::optional<geom::Point> centre = DiameterCentre(first_, second_)) AddCircle(*centre, {first_, second_});
}

// The circle goes through the release point, and so does its third anchor:
// should the release come off the last dragged point, an anchor off the
// circle would dent it.
void ToolCircle23::CreateThreePointCircle(ToolEvent& event) {
  third_ = CursorPoint(event);
  if (const std::optional<geom::Circle> circle = geom::Circumcircle(first_, second_, third_))
    AddCircle(circle->centre, {first_, second_, third_});
}

}  // namespace Tools
