// "QM Tangent to": a line from a point that touches a path.
#pragma once

#include "tools/framework/Cataloged.h"
#include "tools/lines/ToolTPLineToBase.h"

namespace Tools {

class ToolTangentTo final : public Cataloged<ToolTPLineToBase> {
 public:
  explicit ToolTangentTo(const ToolIdentity& identity) noexcept : Cataloged(identity) {}

 protected:
  void ComputeContact() override { SearchContact(geom::LineKind::Tangent); }
};

}  // namespace Tools
