// Ruler units by name, as the file keeps them ("points", "millimeters").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "host/svg/Length.h"

namespace host::svg {

// The name of one of the sdk's k...Units values, or the number itself for a
// value the sdk does not define.
std::string RulerUnitsName(int16_t units);
std::optional<int16_t> RulerUnitsFromName(std::string_view name);
// The ruler units matching the unit of an SVG width, none for a bare number
// or a percentage.
std::optional<int16_t> RulerUnitsOf(LengthUnit unit);

}  // namespace host::svg
