// "QM Perpendicular to": a line from a point perpendicular to a path.
#pragma once

#include "tools/framework/Cataloged.h"
#include "tools/lines/ToolTPLineToBase.h"

namespace Tools {

class ToolPerpTo final : public Cataloged<ToolTPLineToBase> {
 public:
  explicit ToolPerpTo(const ToolIdentity& identity) noexcept : Cataloged(identity) {}
};

}  // namespace Tools
