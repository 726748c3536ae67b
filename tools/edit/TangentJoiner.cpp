#include "tools/edit/TangentJoiner.h"

#include <cmath>

#include "hostcall/Error.h"
#include "tools/edit/JoinEnds.h"

namespace Tools::ToolJoinExtra {

namespace {

// One axis length along "balance" multiplies both handles by this.
constexpr double kBalanceBase = 5;
// At x = 0 and a = 0 each handle is this part of the chord.
constexpr double kDefaultHandleShare = 1.0 / 3;

}  // namespace

int32_t TangentJoiner::BuildConnection(const geom::hostpath::PathPick& first, const geom::hostpath::PathPick& second,
                                       double x, double a, std::span<geom::Bezier> out, ai::SuiteSet& suites) const {
  if (!first.valid || !second.valid) return -1;
  if (out.empty()) ai::ThrowBadParameter();
  const EndTangent e0 = ReadEndTangent(suites, first);
  const EndTangent e3 = ReadEndTangent(suites, second);
  const double chord = geom::Distance(e0.anchor, e3.anchor);
  const double k = std::pow(kBalanceBase, x) * kDefaultHandleShare;
  const geom::Point p1 = e0.anchor + e0.direction * (k * (1 + a) * chord);
  const geom::Point p2 = e3.anchor + e3.direction * (k * (1 - a) * chord);
  out[0] = geom::Bezier(e0.anchor, p1, p2, e3.anchor);
  return 1;
}

}  // namespace Tools::ToolJoinExtra
