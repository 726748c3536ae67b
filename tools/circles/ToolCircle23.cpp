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

void ToolCircle23::PressFirst(ToolEvent& event) {
  first_ = CursorPoint(event);
  firstView_ = CurrentViewPoint(event.message->cursor);
}

// The press keeps the end of the diameter that was shown (constrained and
// rounded as while moving); a drag from it is measured from where the hand
// pressed.
void ToolCircle23::PressSecond(ToolEvent& event) {
  second_ = DiameterEnd(event);
  secondView_ = CurrentViewPoint(event.message->cursor);
}

// Applied to every point the diameter ends at, so that a single drag event
// (a flick, or drag events merged by the host) is constrained too.
void ToolCircle23::FollowDiameterEnd(ToolEvent& event) { second_ = DiameterEnd(event); }

// With Shift the end is projected onto the nearest 45-degree ray from the
// first point; with Alt the diameter keeps its direction and its length is
// rounded to the first step longer than two screen pixels in the ruler unit.
geom::Point ToolCircle23::DiameterEnd(const ToolEvent& event) const {
  geom::Point q = CursorPoint(event);
  if (Held(event, aiEventModifiers_shiftKey)) q = geom::RoundToSingle(geom::ConstrainTo45(first_, q));
  if (!Held(event, aiEventModifiers_optionKey)) return q;
  ai::SuiteSet& suites = ai::Suites();
  const double length = geom::SnapLength(geom::Distance(first_, q), CurrentViewZoom(suites), CurrentUnitCode(suites));
  return geom::RoundToSingle(first_ + geom::Unit(q - first_) * length);
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
