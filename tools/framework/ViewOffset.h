// Pixel offsets from view coordinates.
//
// The host clamps a view point to the int32 range when the artwork point lies
// far outside the view (a near-collinear three-point circle at a high zoom),
// so adding a few pixels of marker or margin to it can overflow.  The sum is
// taken in 64 bits and clamped once, at the end, back into the range.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

#include "sdk/SPTypes.h"

namespace AII {

constexpr int32_t OffsetView(int32_t coordinate, int64_t pixels) noexcept {
  return static_cast<int32_t>(std::clamp<int64_t>(int64_t{coordinate} + pixels,
                                                  std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

constexpr AIPoint OffsetView(AIPoint p, int64_t dh, int64_t dv) noexcept {
  return {OffsetView(p.h, dh), OffsetView(p.v, dv)};
}

}  // namespace AII
