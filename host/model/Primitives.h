// The small value types of the host's document model.
//
// Artwork space is in points with y pointing up (the sdk's convention).  These
// types mirror the sdk's C records but are the model's own, so that they can
// carry operator== and defaults without touching the C headers.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sdk/Corvane.h"

namespace host::model {

struct Point {
  double h = 0;
  double v = 0;
  friend constexpr bool operator==(Point, Point) = default;
};

constexpr Point operator+(Point a, Point b) { return {a.h + b.h, a.v + b.v}; }
constexpr Point operator-(Point a, Point b) { return {a.h - b.h, a.v - b.v}; }
constexpr Point operator*(Point a, double s) { return {a.h * s, a.v * s}; }
constexpr Point operator*(double s, Point a) { return {a.h * s, a.v * s}; }
constexpr double Dot(Point a, Point b) { return a.h * b.h + a.v * b.v; }
inline double Distance(Point a, Point b) { return std::hypot(b.h - a.h, b.v - a.v); }
inline bool IsFinite(Point p) { return std::isfinite(p.h) && std::isfinite(p.v); }

// Artwork rectangle, y up: top >= bottom and right >= left when not empty.
struct Rect {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
  friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

// x' = a*x + c*y + tx,  y' = b*x + d*y + ty (the sdk's AIRealMatrix layout).
// Default: the identity.
struct Matrix {
  double a = 1;
  double b = 0;
  double c = 0;
  double d = 1;
  double tx = 0;
  double ty = 0;
  friend constexpr bool operator==(const Matrix&, const Matrix&) = default;
};

constexpr Point Apply(const Matrix& m, Point p) {
  return {m.a * p.h + m.c * p.v + m.tx, m.b * p.h + m.d * p.v + m.ty};
}
// The matrix that applies `first`, then `second`.
constexpr Matrix Then(const Matrix& first, const Matrix& second) {
  return {second.a * first.a + second.c * first.b,   second.b * first.a + second.d * first.b,
          second.a * first.c + second.c * first.d,   second.b * first.c + second.d * first.d,
          second.a * first.tx + second.c * first.ty + second.tx,
          second.b * first.tx + second.d * first.ty + second.ty};
}
bool IsFinite(const Matrix& m);

// 16-bit channels, 0..0xffff.
struct Rgb {
  uint16_t red = 0;
  uint16_t green = 0;
  uint16_t blue = 0;
  friend constexpr bool operator==(Rgb, Rgb) = default;
};

// One anchor with its two handles.  selection is one of the sdk's
// kSegment...Selected values (0..4); corner: true = corner anchor.
struct Segment {
  Point p;
  Point in;
  Point out;
  bool corner = false;
  int16_t selection = kSegmentNotSelected;
  friend constexpr bool operator==(const Segment&, const Segment&) = default;
};

// Fill and stroke: an absent colour means no paint.
struct Paint {
  std::optional<Rgb> fill;
  std::optional<Rgb> stroke;
  double strokeWidth = 1;  // points
  friend bool operator==(const Paint&, const Paint&) = default;
};

// The style every new art takes: no fill and a black 1 pt stroke, so that a
// freshly constructed path is visible in a saved document without making the
// host guess a fill the plug-in never asked for.
inline Paint DefaultPaint() { return Paint{std::nullopt, Rgb{0, 0, 0}, 1.0}; }

// --- conversions at the C boundary
inline Point FromSdk(const AIRealPoint& p) { return {p.h, p.v}; }
inline AIRealPoint ToSdk(Point p) { return {p.h, p.v}; }
inline Matrix FromSdk(const AIRealMatrix& m) { return {m.a, m.b, m.c, m.d, m.tx, m.ty}; }
inline AIRealMatrix ToSdk(const Matrix& m) { return {m.a, m.b, m.c, m.d, m.tx, m.ty}; }
inline AIRealRect ToSdk(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }
inline Rgb FromSdk(const AIRGBColor& c) { return {c.red, c.green, c.blue}; }
inline AIRGBColor ToSdk(Rgb c) { return {c.red, c.green, c.blue}; }
// The selection state is kept where the segment lives; a record coming from
// the plug-in carries none, so the caller decides which state it gets.
inline Segment FromSdk(const AIPathSegment& s, int16_t selection) {
  return {FromSdk(s.p), FromSdk(s.in), FromSdk(s.out), s.corner != 0, selection};
}
inline AIPathSegment ToSdk(const Segment& s) {
  return {ToSdk(s.p), ToSdk(s.in), ToSdk(s.out), static_cast<AIBoolean>(s.corner ? 1 : 0)};
}

}  // namespace host::model
