// Dialog coordinates to screen pixels: (v * a + b) / c.
//
// Hosts from version 17.1 lay their own interface out in scaled pixels on
// high-density screens, so the dialog layer scales its dialogs to match:
// x1.5 rounded up above 120 dots per inch, x2 above 144.  Older hosts leave
// the scaling to the system.
#pragma once

#include <cstdint>

namespace QMDM {

struct PixelScale {
  int32_t a = 1;
  int32_t b = 0;
  int32_t c = 1;

  constexpr int32_t Apply(int32_t v) const { return (v * a + b) / c; }
  friend constexpr bool operator==(const PixelScale&, const PixelScale&) = default;
};

// major * 100 + minor * 10 of the first host version that scales.
constexpr int32_t kFirstScalingHostVersion = 1710;
constexpr int32_t kOneAndHalfAboveDpi = 120;
constexpr int32_t kDoubleAboveDpi = 144;

constexpr PixelScale ChoosePixelScale(int32_t hostMajor, int32_t hostMinor, int32_t dpiX) {
  if (hostMajor * 100 + hostMinor * 10 < kFirstScalingHostVersion) return {};
  if (dpiX > kDoubleAboveDpi) return {2, 0, 1};
  // 30/20 is 1.5; the 19 makes the division round up.
  if (dpiX > kOneAndHalfAboveDpi) return {30, 19, 20};
  return {};
}

// 10, 15 or 20: the scale applied to 10, that is ten times the factor from
// 96 dots per inch; images are chosen among their density variants by it.
constexpr int32_t DensityClass(const PixelScale& scale) { return scale.Apply(10); }

}  // namespace QMDM
