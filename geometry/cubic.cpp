#include "geometry/cubic.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/tolerances.h"

namespace geom {

std::vector<double> SolveCubic(double a, double b, double c, double d) {
  const double p = (3 * a * c - b * b) / (3 * a * a);
  const double q = (2 * b * b * b - 9 * a * b * c + 27 * a * a * d) / (27 * a * a * a);
  const double disc = p * p * p / 27 + q * q / 4;
  const double shift = -b / (3 * a);
  std::vector<double> roots;
  if (std::abs(p) < tol::kCubicTripleRoot && std::abs(q) < tol::kCubicTripleRoot &&
      std::abs(disc) < tol::kCubicTripleRoot) {
    roots = {-std::cbrt(d / a)};
  } else if (disc <= 0) {
    const double rho = std::sqrt(q * q / 4 - disc);
    const double m = std::cbrt(rho);
    // Mathematically within [-1, 1]; the clamp keeps rounding from producing NaN.
    const double phi = std::acos(std::clamp(-q / (2 * rho), -1.0, 1.0)) / 3;
    const double cosPhi = std::cos(phi), sinPhi = std::sin(phi);
    roots = {2 * m * cosPhi + shift, shift - m * (cosPhi + std::numbers::sqrt3 * sinPhi),
             shift - m * (cosPhi - std::numbers::sqrt3 * sinPhi)};
  } else {
    const double s = std::sqrt(disc);
    roots = {std::cbrt(-q / 2 + s) + std::cbrt(-q / 2 - s) + shift};
  }
  std::erase_if(roots, [](double r) { return !std::isfinite(r); });
  return roots;
}

}  // namespace geom
