// SVG transform lists: matrix, translate, scale, rotate (with an optional
// centre), skewX and skewY, separated by spaces or commas, applied right to
// left ("translate(10) scale(2)" scales first), as model::Matrix values in
// SVG user space (y down).
//
// Angles that are whole multiples of 90 degrees (45 for skews) use exact
// sines, cosines and tangents, so "rotate(90)" maps integers to integers.
#pragma once

#include <string>
#include <string_view>

#include "host/model/Primitives.h"

namespace host::svg {

// Throws SyntaxError at the offending offset: an unknown function, a wrong
// argument count, a malformed number, a skew of 90 degrees.
model::Matrix ParseTransform(std::string_view text);

bool IsIdentity(const model::Matrix& m);

// "matrix(a b c d e f)", which ParseTransform reads back to the same bits.
std::string FormatTransform(const model::Matrix& m);

// sqrt(|det|): how much the matrix scales lengths on average; stroke widths
// are multiplied by it.
double MeanScale(const model::Matrix& m);

// The matrix that applies `inner` first, then `outer` (outer * inner).
inline model::Matrix Compose(const model::Matrix& outer, const model::Matrix& inner) {
  return model::Then(inner, outer);
}

}  // namespace host::svg
