// Real roots of a cubic a x^3 + b x^2 + c x + d = 0 in closed form.
//
// With the reduced cubic y^3 + p y + q = 0 (x = y - b/(3a)),
//   p = (3ac - b^2) / (3a^2),  q = (2b^3 - 9abc + 27a^2 d) / (27a^3),  D = p^3/27 + q^2/4:
//   |p|, |q|, |D| < kCubicTripleRoot   one (triple) root  -cbrt(d/a);
//   D <= 0                             three roots (trigonometric form, repeated roots repeat);
//   D > 0                              one root (Cardano).
// Cube roots of negative numbers are negative.
//
// Contract: returns the real roots in the order of the formulas (not sorted), 1 or 3 of them,
// duplicates possible. Non-finite values are dropped, so a == 0 (not a cubic: the formulas
// divide by zero) and NaN or infinite coefficients give no roots. Fast (a handful of
// transcendental calls, no iteration) but not the most accurate near repeated roots, where a
// root may be off by about the cube root of the rounding error.
#pragma once

#include <vector>

namespace geom {

std::vector<double> SolveCubic(double a, double b, double c, double d);

}  // namespace geom
