#include "host/svg/Length.h"

#include <string>

#include "host/svg/Syntax.h"

namespace host::svg {
namespace {

constexpr double kPxPerInch = 96;
constexpr double kPtPerInch = 72;
constexpr double kPcPerInch = 6;
constexpr double kMmPerInch = 25.4;
constexpr double kCmPerInch = 2.54;

}  // namespace

Length ParseLength(std::string_view text) {
  Scanner scan(text);
  scan.SkipSpace();
  Length length;
  length.value = scan.Number();
  const std::size_t unitAt = scan.offset();
  if (scan.Accept('%')) {
    length.unit = LengthUnit::Percent;
  } else {
    const std::string_view unit = scan.Letters();
    if (unit.empty()) length.unit = LengthUnit::None;
    else if (unit == "px") length.unit = LengthUnit::Px;
    else if (unit == "pt") length.unit = LengthUnit::Pt;
    else if (unit == "pc") length.unit = LengthUnit::Pc;
    else if (unit == "mm") length.unit = LengthUnit::Mm;
    else if (unit == "cm") length.unit = LengthUnit::Cm;
    else if (unit == "in") length.unit = LengthUnit::In;
    else scan.FailAt(unitAt, "unsupported unit '" + std::string(unit) + "'");
  }
  scan.SkipSpace();
  if (!scan.AtEnd()) scan.Fail("unexpected text after the length");
  return length;
}

double ToUserUnits(const Length& length, double percentBase) {
  switch (length.unit) {
    case LengthUnit::None:
    case LengthUnit::Px: return length.value;
    case LengthUnit::Pt: return length.value * kPxPerInch / kPtPerInch;
    case LengthUnit::Pc: return length.value * kPxPerInch / kPcPerInch;
    case LengthUnit::Mm: return length.value * kPxPerInch / kMmPerInch;
    case LengthUnit::Cm: return length.value * kPxPerInch / kCmPerInch;
    case LengthUnit::In: return length.value * kPxPerInch;
    case LengthUnit::Percent: return length.value / 100 * percentBase;
  }
  return length.value;
}

}  // namespace host::svg
