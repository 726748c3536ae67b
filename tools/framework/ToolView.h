// The current view as the tools see it during an event: where an artwork
// point shows, and whether the cursor has moved far enough from a press to
// count as a drag.
#pragma once

#include <cstdint>

#include "sdk/SPTypes.h"

namespace Tools {

// A press becomes a drag when the cursor is more than this many view pixels
// from the press (squared distance above its square).
constexpr int32_t kDragThresholdPx = 3;

// The view pixel of an artwork point in the current view, converted as the
// overlay converts (rounded to single precision first).  Inside a host call.
AIPoint CurrentViewPoint(AIRealPoint p);

// Whether b is more than thresholdPx from a.
constexpr bool MovedBeyond(AIPoint a, AIPoint b, int32_t thresholdPx = kDragThresholdPx) {
  const int64_t dh = int64_t{b.h} - a.h, dv = int64_t{b.v} - a.v;
  return dh * dh + dv * dv > int64_t{thresholdPx} * thresholdPx;
}

}  // namespace Tools
