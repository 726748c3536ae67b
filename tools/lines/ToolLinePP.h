// "QM Perpendicular Line": a line perpendicular to two paths.
#pragma once

#include "tools/framework/Cataloged.h"
#include "tools/lines/ToolLineTPBase.h"

namespace Tools {

class ToolLinePP final : public Cataloged<ToolLineTPBase> {
 public:
  explicit ToolLinePP(const ToolIdentity& identity) noexcept : Cataloged(identity) {}
};

}  // namespace Tools
