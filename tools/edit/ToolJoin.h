// "QM Connect": joins two open path ends with a smooth piece.
#pragma once

#include "tools/framework/Cataloged.h"
#include "tools/framework/IdleFSMTool.h"

namespace Tools {

class ToolJoin final : public Cataloged<IdleFSMTool<ToolJoin>> {
 public:
  explicit ToolJoin(const ToolIdentity& identity) noexcept : Cataloged(identity) {}
};

}  // namespace Tools
