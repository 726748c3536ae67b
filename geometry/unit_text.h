// Measurement labels: a length in points as text in a ruler unit.
//
// The value is rounded to single precision first (the precision the host
// keeps coordinates in), so a label never shows digits the document does not
// hold.
//
// Picas (unit 5) read "<sign><picas>p<points>" with `precision` decimals on
// the points and no suffix: -18 pt is "-1p6.000".  The value is rounded to
// `precision` decimals before it is split, so the points never read 12
// (23.9999 pt is "2p0.000"), and a value that rounds to zero has no sign in
// any unit ("0p0.000", "0 pt").  Every other unit prints
// value / (points per unit) with `precision` decimals; when precision > 0
// trailing zeros and then a bare decimal point are removed ("6.35", "1").
// With appendUnit the unit's suffix follows: " pt" (1), " in" (2), " mm" (3),
// " cm" (4), "%" (6), the degree sign (7, in the platform encoding, no
// space, as angles are written), " px" (10); other units have none.
//
// The text is built in fixed storage: labels are formatted while drawing,
// which must not allocate.
#pragma once

#include <cstdint>
#include <string_view>

#include "geometry/units.h"

namespace geom {

// Room for the longest label any caller asks for (maximum length 127).
constexpr int32_t kValueTextCapacity = 128;

struct ValueText {
  char text[kValueTextCapacity] = {};
  std::string_view view() const noexcept { return text; }
};

// At most maxLength - 1 characters (maxLength is capped at kValueTextCapacity;
// 0 or less gives empty text).
ValueText FormatValue(double valuePt, int32_t maxLength, UnitCode unit, int32_t precision, bool appendUnit);

// What the tools pass for their labels.
constexpr int32_t kLabelMaxLength = 127;
constexpr int32_t kLabelPrecision = 3;

}  // namespace geom
