// Lengths as a numeric field shows and reads them: a value in points shown
// in a unit with a precision, and typed text read back to points.
//
// Shown: the number rounded to `precision` decimals with trailing zeros
// dropped, a space and the unit's symbol ("25.4 mm", "1 in", "12 pt"); picas
// show as picas and points ("3p6"); kADMNoUnits shows the bare number.
//
// Read: a number with an optional unit after it ("2 in", "25mm", "12 pt",
// "2\"", "3p6", "p6", "3p"); without a unit the field's own unit applies.
// Anything else (empty text, letters, two numbers, no digits, a value that
// is not finite) is not a length: nothing.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "QMDM/ADMTypes.h"

namespace QMDM {

// Points per one of the unit; 1 for kADMNoUnits and kADMPointUnits.
double PointsPerUnit(ADMUnits units);
std::string FormatLength(double points, ADMUnits units, int precision);
std::optional<double> ParseLength(std::string_view text, ADMUnits units);

}  // namespace QMDM
