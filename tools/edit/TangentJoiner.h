// The connection "QM Connect" makes: one cubic piece from the first end's
// anchor to the second end's, each handle along its path's tangent, so the
// joined path is smooth (G1) at both joints.
#pragma once

#include "tools/edit/ToolJoin.h"

namespace Tools::ToolJoinExtra {

// With chord length u and k = 5^x / 3 the handles are k (1 + a) u at the first
// end and k (1 - a) u at the second: a third of the chord each by default.
class TangentJoiner final : public ToolJoin::Joiner {
 public:
  int32_t BuildConnection(const geom::hostpath::PathPick& first, const geom::hostpath::PathPick& second, double x,
                          double a, std::span<geom::Bezier> out, ai::SuiteSet& suites) const override;
};

}  // namespace Tools::ToolJoinExtra
