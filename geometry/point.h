// Points and vectors of document space.
//
// A Point is a position or a displacement in document coordinates (points, 1/72 inch), held in
// 64-bit floats: h grows to the right, v grows upwards, so angles are counter-clockwise from the
// positive horizontal axis and a positive cross product a x b means b lies counter-clockwise of a.
#pragma once

#include <cmath>
#include <numbers>

#include "geometry/tolerances.h"

namespace geom {

struct Point {
  double h = 0;
  double v = 0;

  constexpr Point& operator+=(Point o) { h += o.h; v += o.v; return *this; }
  constexpr Point& operator-=(Point o) { h -= o.h; v -= o.v; return *this; }
  constexpr Point& operator*=(double s) { h *= s; v *= s; return *this; }
  friend constexpr bool operator==(Point, Point) = default;
};

constexpr Point operator+(Point a, Point b) { return {a.h + b.h, a.v + b.v}; }
constexpr Point operator-(Point a, Point b) { return {a.h - b.h, a.v - b.v}; }
constexpr Point operator-(Point a) { return {-a.h, -a.v}; }
constexpr Point operator*(Point a, double s) { return {a.h * s, a.v * s}; }
constexpr Point operator*(double s, Point a) { return {a.h * s, a.v * s}; }
constexpr Point operator/(Point a, double s) { return {a.h / s, a.v / s}; }

constexpr double Dot(Point a, Point b) { return a.h * b.h + a.v * b.v; }
// z component of the 3-d cross product: positive when b turns counter-clockwise from a.
constexpr double Cross(Point a, Point b) { return a.h * b.v - a.v * b.h; }
constexpr double LengthSquared(Point a) { return Dot(a, a); }
inline double Length(Point a) { return std::sqrt(LengthSquared(a)); }
inline double Distance(Point a, Point b) { return Length(b - a); }

// The unit vector along a; the zero vector when |a| <= kUnitMinLength (no direction).
inline Point Unit(Point a) {
  const double len = Length(a);
  return len > tol::kUnitMinLength ? a / len : Point{};
}

// a turned a quarter turn counter-clockwise (the left normal direction of a tangent).
constexpr Point TurnLeft(Point a) { return {-a.v, a.h}; }
// a turned a quarter turn clockwise (the right normal direction of a tangent).
constexpr Point TurnRight(Point a) { return {a.v, -a.h}; }

// x rounded to the nearest 32-bit float and widened back.
// The round trip goes through a volatile float: GCC 12 at -O2 vectorises several adjacent
// double -> float -> double round trips and drops some of them (seen with three consecutive
// points: the third came back unrounded). The volatile store cannot be elided.
inline double RoundToSingle(double x) {
  volatile float f = static_cast<float>(x);
  return f;
}

// Each coordinate rounded to the nearest 32-bit float and widened back. Every coordinate the
// plug-in computes and writes into a host segment passes through this.
inline Point RoundToSingle(Point a) { return {RoundToSingle(a.h), RoundToSingle(a.v)}; }

inline constexpr double kTwoPi = 2 * std::numbers::pi;

// An angle brought into [0, 2*pi] by adding or subtracting whole turns. Both ends stay as they
// are (2*pi is not folded to 0). Non-finite angles are returned unchanged.
inline double NormaliseAngle(double a) {
  if (!std::isfinite(a)) return a;
  if (std::abs(a) > 64 * kTwoPi) a = std::fmod(a, kTwoPi);  // bounds the loops below
  while (a < 0) a += kTwoPi;
  while (a > kTwoPi) a -= kTwoPi;
  return a;
}

// Angle of the vector a, normalised into [0, 2*pi].
inline double AngleOf(Point a) { return NormaliseAngle(std::atan2(a.v, a.h)); }

}  // namespace geom
