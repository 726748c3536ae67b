// Lengths with units, as in width="210mm" or stroke-width="0.5pt".
//
// Without a viewBox, one user unit is one CSS pixel (1/96 inch), so the
// units convert as CSS defines them: 1in = 96, 1pt = 4/3, 1pc = 16,
// 1mm = 96/25.4, 1cm = 96/2.54 user units.  Percentages are of a base the
// caller supplies (the viewport width, height or normalised diagonal).
#pragma once

#include <string_view>

namespace host::svg {

enum class LengthUnit { None, Px, Pt, Pc, Mm, Cm, In, Percent };

struct Length {
  double value = 0;
  LengthUnit unit = LengthUnit::None;
};

// Throws SyntaxError for a malformed number or an unknown or font-relative
// unit (em, ex: there is no font to measure).
Length ParseLength(std::string_view text);

double ToUserUnits(const Length& length, double percentBase);

inline double ParseUserLength(std::string_view text, double percentBase) {
  return ToUserUnits(ParseLength(text), percentBase);
}

}  // namespace host::svg
