#include "tools/edit/ToolStraighten.h"

namespace Tools {

namespace {

// The states that pick what is under the cursor (idle) and that drag a piece
// or turn it about an anchor.
constexpr int32_t kIdle = 0;
constexpr int32_t kDraggingPiece = 2;
constexpr int32_t kTurning = 4;

constexpr const char* kAnchorsOnly = "Av";
constexpr const char* kWhileEditing = "ATFPLMv o i";

}  // namespace

const char* ToolStraighten::SnapControl() const {
  const std::optional<int32_t> state = CurrentState();
  if (!state) return nullptr;
  if (*state == kIdle) return kAnchorsOnly;
  if (*state == kDraggingPiece || *state == kTurning) return kWhileEditing;
  return nullptr;
}

}  // namespace Tools
