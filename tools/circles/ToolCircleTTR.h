// "QM Tangent Circle": a circle of a given radius touching two paths.
//
// The tool drives its state machine with mouse handlers of its own and
// without the host's snapping; until that gesture is built it is a plain
// registered tool.
#pragma once

#include "tools/framework/BaseTool.h"
#include "tools/framework/Cataloged.h"

namespace Tools {

class ToolCircleTTR final : public Cataloged<BaseTool> {
 public:
  explicit ToolCircleTTR(const ToolIdentity& identity) noexcept : Cataloged(identity) {}
};

}  // namespace Tools
