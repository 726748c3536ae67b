#include "host/svg/UnitNames.h"

#include <array>
#include <charconv>
#include <system_error>

#include "sdk/Corvane.h"

namespace host::svg {
namespace {

struct Named {
  int16_t units;
  std::string_view name;
};

constexpr std::array kNames = {
    Named{kInchesUnits, "inches"},           Named{kCentimetersUnits, "centimeters"},
    Named{kPointsUnits, "points"},           Named{kPicasUnits, "picas"},
    Named{kMillimetersUnits, "millimeters"}, Named{kPixelsUnits, "pixels"},
    Named{kQUnits, "q"},
};

}  // namespace

std::string RulerUnitsName(int16_t units) {
  for (const Named& n : kNames)
    if (n.units == units) return std::string(n.name);
  return std::to_string(units);
}

std::optional<int16_t> RulerUnitsFromName(std::string_view name) {
  for (const Named& n : kNames)
    if (n.name == name) return n.units;
  int16_t number = 0;
  const auto result = std::from_chars(name.data(), name.data() + name.size(), number);
  if (result.ec == std::errc() && result.ptr == name.data() + name.size()) return number;
  return std::nullopt;
}

std::optional<int16_t> RulerUnitsOf(LengthUnit unit) {
  switch (unit) {
    case LengthUnit::Px: return kPixelsUnits;
    case LengthUnit::Pt: return kPointsUnits;
    case LengthUnit::Pc: return kPicasUnits;
    case LengthUnit::Mm: return kMillimetersUnits;
    case LengthUnit::Cm: return kCentimetersUnits;
    case LengthUnit::In: return kInchesUnits;
    case LengthUnit::None:
    case LengthUnit::Percent: return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace host::svg
