// Plane geometry and drawing primitives shared by every picture: points,
// colours, marks (dots, anchors, arrowheads, right-angle marks) and the small
// constructions the tool pictures are made of.
#pragma once

#include <cairo.h>

#include <cmath>
#include <numbers>

namespace corvane::art {

struct Pt {
  double x = 0;
  double y = 0;
};

constexpr Pt operator+(Pt a, Pt b) { return {a.x + b.x, a.y + b.y}; }
constexpr Pt operator-(Pt a, Pt b) { return {a.x - b.x, a.y - b.y}; }
constexpr Pt operator*(double k, Pt a) { return {k * a.x, k * a.y}; }
constexpr double Dot(Pt a, Pt b) { return a.x * b.x + a.y * b.y; }
inline double Length(Pt a) { return std::hypot(a.x, a.y); }
inline Pt Unit(Pt a) { return (1.0 / Length(a)) * a; }
// A quarter turn; with y pointing down this turns clockwise on screen.
constexpr Pt Perp(Pt a) { return {-a.y, a.x}; }
inline Pt Polar(Pt centre, double radius, double angle) {
  return {centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)};
}
constexpr double Deg(double degrees) { return degrees * std::numbers::pi / 180; }

struct Rgba {
  double r, g, b, a = 1.0;
};

constexpr Rgba Hex(unsigned rgb, double alpha = 1.0) {
  return {((rgb >> 16) & 0xff) / 255.0, ((rgb >> 8) & 0xff) / 255.0, (rgb & 0xff) / 255.0, alpha};
}

inline void SetColour(cairo_t* cr, Rgba c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

// Strokes and clears the current path.
void Stroke(cairo_t* cr, Rgba colour, double width);
// Fills and clears the current path.
void Fill(cairo_t* cr, Rgba colour);

void FillDisc(cairo_t* cr, Pt centre, double radius, Rgba colour);
// An anchor point as the host shows it: a small square, hollow or filled.
void AnchorSquare(cairo_t* cr, Pt centre, double half, Rgba outline, Rgba fill, double line_width);
// A filled arrowhead whose tip is at tip, pointing along direction.
void Arrowhead(cairo_t* cr, Pt tip, Pt direction, double length, double half_width, Rgba colour);
// The small square that marks a right angle at corner between two directions.
void RightAngleMark(cairo_t* cr, Pt corner, Pt along_a, Pt along_b, double size, Rgba colour,
                    double width);
void Line(cairo_t* cr, Pt from, Pt to);

// The two points where a line through p touches the circle (centre,
// radius).  p must lie outside the circle.
struct TouchPair {
  Pt first, second;
};
TouchPair TangentTouches(Pt p, Pt centre, double radius);

// Touch points of an outer common tangent of two circles, on the side that is
// to the left of the direction from c1 to c2 as seen on screen.
struct Segment {
  Pt a, b;
};
Segment OuterTangent(Pt c1, double r1, Pt c2, double r2);

// Centre of the circle through a and b whose tangent at a has the given
// direction.
Pt CentreFromTangent(Pt a, Pt tangent, Pt b);

}  // namespace corvane::art
