// "QM tangent line from" and "QM perpendicular line from": a line drawn from
// a picked point of a path along its tangent or its normal.  One class,
// registered twice, once per mode.
#pragma once

#include "tools/framework/Cataloged.h"
#include "tools/framework/IdleFSMTool.h"

namespace Tools {

class ToolTanPerpFrom final : public Cataloged<IdleFSMTool<ToolTanPerpFrom>> {
 public:
  enum class Mode { Tangent, Perpendicular };
  ToolTanPerpFrom(const ToolIdentity& identity, Mode mode) noexcept : Cataloged(identity), mode_(mode) {}
  Mode mode() const noexcept { return mode_; }

 private:
  Mode mode_;
};

}  // namespace Tools
