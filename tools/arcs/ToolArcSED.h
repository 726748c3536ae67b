// "QM Arc start-end-direction".
#pragma once

#include "tools/arcs/ToolArcsBase.h"
#include "tools/framework/Cataloged.h"

namespace Tools {

class ToolArcSED final : public Cataloged<ToolArcsBase> {
 public:
  explicit ToolArcSED(const ToolIdentity& identity) noexcept : Cataloged(identity) {}
};

}  // namespace Tools
