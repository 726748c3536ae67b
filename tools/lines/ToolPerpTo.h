// "QM Perpendicular to": a line from a point that meets a path at right angles.
#pragma once

#include "tools/framework/Cataloged.h"
#include "tools/lines/ToolTPLineToBase.h"

namespace Tools {

class ToolPerpTo final : public Cataloged<ToolTPLineToBase> {
 public:
  explicit ToolPerpTo(const ToolIdentity& identity) noexcept : Cataloged(identity) {}

 protected:
  void ComputeContact() override { SearchContact(geom::LineKind::Perpendicular); }
};

}  // namespace Tools
