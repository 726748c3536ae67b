// A small monoline lettering built from circles and straight strokes, in the
// same geometric spirit as the constructions, so names and digits render the
// same on every machine without depending on installed fonts.
#pragma once

#include <cairo.h>

#include <string_view>

#include "draw.h"

namespace corvane::art {

// Appends the path of a digit '1', '2' or '3' whose box has its top left at
// top_left and the given height (width is 0.6 of the height).  Stroke it
// with round caps.
void DigitPath(cairo_t* cr, char digit, Pt top_left, double height);

// Appends the path of the word with its baseline starting at origin; stroke
// it with round caps and joins.  The letters are "C" and the lower-case
// letters of the product and maker names; any other is an error.
void WordPath(cairo_t* cr, std::string_view text, Pt origin, double x_height, double spacing);

}  // namespace corvane::art
