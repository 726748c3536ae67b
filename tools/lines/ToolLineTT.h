// "QM Tangent Line": the common tangent of two paths nearest where the user pointed.
#pragma once

#include "tools/framework/Cataloged.h"
#include "tools/lines/ToolLineTPBase.h"

namespace Tools {

class ToolLineTT final : public Cataloged<ToolLineTPBase> {
 public:
  explicit ToolLineTT(const ToolIdentity& identity) noexcept : Cataloged(identity) {}

 protected:
  void ComputeContact() override { SearchContact(geom::LineKind::Tangent); }
};

}  // namespace Tools
