// Colours and paints as SVG writes them, and the host's 16-bit channels.
//
// An 8-bit channel c becomes c * 257, so 0xff is 0xffff and every 8-bit
// colour survives the trip through the model.  Colours that are not 8-bit
// exact are written as "#rrrrggggbbbb" in the reader's own attributes.
#pragma once

#include <string>
#include <string_view>

#include "host/model/Primitives.h"

namespace host::svg {

// "#rgb", "#rrggbb", "rgb(r, g, b)" (0..255 or percentages, clamped),
// "rgba(...)" with its alpha ignored, and the CSS keywords.  Throws
// SyntaxError otherwise.
model::Rgb ParseColor(std::string_view text);
// Also "#rrrrggggbbbb".
model::Rgb ParseExactColor(std::string_view text);

bool IsEightBit(model::Rgb color);
// "#rrggbb", each channel rounded to the nearest 8-bit value.
std::string FormatColor(model::Rgb color);
// "#rrggbb" when that is exact, else "#rrrrggggbbbb".
std::string FormatExactColor(model::Rgb color);

// A fill or stroke value.  References (url(#gradient)) cannot be drawn by the
// model and take their fallback colour, or none.
struct PaintValue {
  enum class Kind { None, Color, CurrentColor, Inherit } kind = Kind::None;
  model::Rgb color;
};
PaintValue ParsePaint(std::string_view text);

}  // namespace host::svg
