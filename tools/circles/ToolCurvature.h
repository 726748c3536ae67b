// "QM Curvature circle": the osculating circle at a picked point of a path.
#pragma once

#include "tools/framework/Cataloged.h"
#include "tools/framework/IdleFSMTool.h"

namespace Tools {

class ToolCurvature final : public Cataloged<IdleFSMTool<ToolCurvature>> {
 public:
  explicit ToolCurvature(const ToolIdentity& identity) noexcept : Cataloged(identity) {}
};

}  // namespace Tools
