// "QM Arc by three points".
#pragma once

#include "tools/arcs/ToolArcsBase.h"
#include "tools/framework/Cataloged.h"

namespace Tools {

class ToolArc3Pt final : public Cataloged<ToolArcsBase> {
 public:
  explicit ToolArc3Pt(const ToolIdentity& identity) noexcept : Cataloged(identity) {}
};

}  // namespace Tools
