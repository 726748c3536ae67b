// The event record a tool's state machine runs on: what happened, and the
// host's tool message that carries the cursor point and the modifier keys.
#pragma once

#include <cstdint>

#include "geometry/host/host_point.h"
#include "sdk/AIMessages.h"

namespace Tools {

enum EventKind : int32_t {
  kEventMouseDown = 0,
  kEventMouseUp = 1,
  kEventMouseDrag = 2,
  kEventCursorMove = 3  // "AI Track Cursor"
};

struct ToolEvent {
  int32_t kind = kEventMouseDown;
  // The message being handled; OnEvent may change its cursor point, and every
  // later step of the event sees the change.
  AIToolMessage* message = nullptr;
};

// Whether the modifier key (an aiEventModifiers_* bit) is held in the event.
inline bool Held(const ToolEvent& event, uint16_t key) {
  const AIEvent* host = event.message->event;
  return host && (host->modifiers & key) != 0;
}

// The event's cursor point as the steps before have left it (snapped, then
// constrained by OnEvent).
inline geom::Point CursorPoint(const ToolEvent& event) { return geom::hostpath::FromHost(event.message->cursor); }

}  // namespace Tools
