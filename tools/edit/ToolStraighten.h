// "QM Straighten": levels a piece horizontally or vertically, or turns it
// about an anchor towards the cursor.
#pragma once

#include "tools/framework/Cataloged.h"
#include "tools/framework/IdleFSMTool.h"

namespace Tools {

class ToolStraighten final : public Cataloged<IdleFSMTool<ToolStraighten>> {
 public:
  explicit ToolStraighten(const ToolIdentity& identity) noexcept : Cataloged(identity) {}
  // Anchors only while idle; the full set while dragging a piece or turning
  // about an anchor; no snapping in any other state, nor before the first
  // event (there is no state to say what the cursor is doing).
  const char* SnapControl() const override;
};

}  // namespace Tools
