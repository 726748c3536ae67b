#include "tools/arcs/ThreePointTool.h"

#include "tools/framework/DocumentQueries.h"
#include "tools/framework/ToolView.h"

namespace Tools {

namespace {

using Tool = ThreePointTool;

uint16_t ModifiersOf(const ToolEvent& event) {
  const AIEvent* host = event.message->event;
  return host ? host->modifiers : 0;
}

}  // namespace

// Listed in state order: the first row is where a gesture starts.
const StateEntry<Tool> Tool::kStates[8] = {
    {kIdle, &Tool::EnterIdle, &Tool::SampleAlt, nullptr},
    {kFirstPressed, &Tool::RecordPress, nullptr, nullptr},
    {kDraggingSecond, nullptr, &Tool::FollowSecond, nullptr},
    {kPlacingSecond, nullptr, &Tool::FollowSecond, nullptr},
    {kSecondPressed, &Tool::RecordPress, nullptr, nullptr},
    {kPlacingThird, nullptr, &Tool::FollowThird, nullptr},
    {kDraggingThird, nullptr, &Tool::FollowThird, nullptr},
    {kThirdPressed, &Tool::RecordPress, nullptr, nullptr},
};

// A press places its point where it goes down (3 -> 4, 5 -> 7) and a click's
// release places it again where it comes up (4 -> 5), both through the Shift
// constraint, so the point placed is the one the preview shows.  A press on
// the first point where nothing can be created is ignored.
const TransitionEntry<Tool> Tool::kTransitions[11] = {
    {kIdle, kEventMouseDown, &Tool::CanCreate, &Tool::PlaceFirst, kFirstPressed},
    {kFirstPressed, kEventMouseDrag, &Tool::MovedFromPress, nullptr, kDraggingSecond},
    {kFirstPressed, kEventMouseUp, nullptr, &Tool::PlaceFirst, kPlacingSecond},
    {kDraggingSecond, kEventMouseUp, nullptr, nullptr, kPlacingThird},
    {kPlacingSecond, kEventMouseDown, nullptr, &Tool::FollowSecond, kSecondPressed},
    {kSecondPressed, kEventMouseDrag, &Tool::MovedFromPress, nullptr, kDraggingThird},
    {kSecondPressed, kEventMouseUp, nullptr, &Tool::FollowSecond, kPlacingThird},
    {kPlacingThird, kEventMouseDown, nullptr, &Tool::FollowThird, kThirdPressed},
    {kThirdPressed, kEventMouseDrag, &Tool::MovedFromPress, nullptr, kDraggingThird},
    {kThirdPressed, kEventMouseUp, nullptr, &Tool::Finish, kIdle},
    {kDraggingThird, kEventMouseUp, nullptr, &Tool::Finish, kIdle},
};

ThreePointTool::ThreePointTool(const ToolServices& services) noexcept
    : FSMTool(std::span<const StateEntry<Tool>>(kStates), std::span<const TransitionEntry<Tool>>(kTransitions)),
      modifiersChanged_(services.modifiersChanged),
      modifierHandler_(*this, &Tool::OnModifiersChanged) {}

void ThreePointTool::Select(AIToolMessage* message) {
  FSMTool::Select(message);
  modifiersChanged_.Join(&modifierHandler_);
}

void ThreePointTool::EnterIdle(ToolEvent&) { ResetArc(); }

void ThreePointTool::SampleAlt(ToolEvent& event) { alt_ = Held(event, aiEventModifiers_optionKey); }

void ThreePointTool::RecordPress(ToolEvent& event) { pressView_ = CurrentViewPoint(event.message->cursor); }

void ThreePointTool::PlaceFirst(ToolEvent& event) { first_ = CursorPoint(event); }

void ThreePointTool::FollowSecond(ToolEvent& event) {
  Sample(event);
  UpdateSecond();
}

void ThreePointTool::FollowThird(ToolEvent& event) {
  Sample(event);
  UpdateThird();
}

bool ThreePointTool::MovedFromPress(ToolEvent& event) {
  const AIPoint now = CurrentViewPoint(event.message->cursor);
  const int64_t dh = int64_t{now.h} - pressView_.h, dv = int64_t{now.v} - pressView_.v;
  return dh * dh + dv * dv >= int64_t{kArcDragThresholdPx} * kArcDragThresholdPx;
}

// A failed creation ends the gesture too; its error goes back to the host.
void ThreePointTool::Finish(ToolEvent&) {
  try {
    CreateArc();
  } catch (...) {
    RestartGesture();
    throw;
  }
}

void ThreePointTool::Sample(const ToolEvent& event) {
  SampleModifiers(ModifiersOf(event));
  cursor_ = CursorPoint(event);
}

void ThreePointTool::SampleModifiers(uint16_t modifiers) {
  shift_ = (modifiers & aiEventModifiers_shiftKey) != 0;
  alt_ = (modifiers & aiEventModifiers_optionKey) != 0;
  ctrl_ = (modifiers & aiEventModifiers_cmdKey) != 0;
}

void ThreePointTool::UpdateSecond() { second_ = ConstrainPoint(Placing::Second, cursor_); }

void ThreePointTool::UpdateThird() {
  third_ = ConstrainPoint(Placing::Third, cursor_);
  ComputeArc();
}

// A host that announces the keys now held gives them; otherwise the keys of
// the last event stand.  Only the states that follow the cursor have a
// preview that depends on them.
void ThreePointTool::OnModifiersChanged(AINotifierMessage* message) {
  const bool placingSecond = InState({kDraggingSecond, kPlacingSecond});
  const bool placingThird = InState({kPlacingThird, kDraggingThird});
  if (!placingSecond && !placingThird) return;
  if (message && message->notifyData) SampleModifiers(*static_cast<const uint16_t*>(message->notifyData));
  InvalidateFeedback(*this);
  if (placingSecond)
    UpdateSecond();
  else
    UpdateThird();
  InvalidateFeedback(*this);
  // Ctrl turns the cursor into the wedge's at once, not at the next move.
  SetToolCursor(CursorId());
}

int32_t ThreePointTool::CursorId() const {
  const std::optional<int32_t> state = CurrentState();
  if (!state) return ids::kCursorClear;
  switch (*state) {
    case kIdle: return CanCreateArtNow() ? ids::kCursorFirstPoint : ids::kCursorCannotDraw;
    case kFirstPressed: return ids::kCursorFirstPoint;
    case kDraggingSecond:
    case kPlacingSecond:
    case kSecondPressed: return ids::kCursorSecondPoint;
    default: return ThirdPointCursor();
  }
}

}  // namespace Tools
