// "QM Tangent Line": a line tangent to two paths.
#pragma once

#include "tools/framework/Cataloged.h"
#include "tools/lines/ToolLineTPBase.h"

namespace Tools {

class ToolLineTT final : public Cataloged<ToolLineTPBase> {
 public:
  explicit ToolLineTT(const ToolIdentity& identity) noexcept : Cataloged(identity) {}
};

}  // namespace Tools
