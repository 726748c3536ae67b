// The CSS colour keywords ("red", "steelblue", ...), matched without regard
// to case.
#pragma once

#include <optional>
#include <string_view>

#include "host/model/Primitives.h"

namespace host::svg {

// 8-bit channels as CSS defines them.
struct Rgb8 {
  unsigned char red, green, blue;
};

std::optional<Rgb8> NamedColor(std::string_view name);

}  // namespace host::svg
