// "QM Perpendicular Line": the common normal of two paths nearest where the user pointed.
#pragma once

#include "tools/framework/Cataloged.h"
#include "tools/lines/ToolLineTPBase.h"

namespace Tools {

class ToolLinePP final : public Cataloged<ToolLineTPBase> {
 public:
  explicit ToolLinePP(const ToolIdentity& identity) noexcept : Cataloged(identity) {}

 protected:
  void ComputeContact() override { SearchContact(geom::LineKind::Perpendicular); }
};

}  // namespace Tools
