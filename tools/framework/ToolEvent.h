// The event record a tool's state machine runs on: what happened, and the
// host's tool message that carries the cursor point and the modifier keys.
#pragma once

#include <cstdint>

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

}  // namespace Tools
