#include "tools/framework/CatalogTools.h"

namespace Tools {

namespace {

// ToolStraighten's states that pick what is under the cursor (idle) and that
// drag a piece or turn it about an anchor.
constexpr int32_t kStraightenIdle = 0;
constexpr int32_t kStraightenDraggingPiece = 2;
constexpr int32_t kStraightenTurning = 4;

constexpr const char* kAnchorsOnly = "Av";
constexpr const char* kWhileEditing = "ATFPLMv o i";

}  // namespace

const char* ToolStraighten::SnapControl() const {
  const std::optional<int32_t> state = CurrentState();
  if (!state) return nullptr;
  if (*state == kStraightenIdle) return kAnchorsOnly;
  if (*state == kStraightenDraggingPiece || *state == kStraightenTurning) return kWhileEditing;
  return nullptr;
}

}  // namespace Tools
