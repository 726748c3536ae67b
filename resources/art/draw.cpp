#include "draw.h"

namespace corvane::art {

void Stroke(cairo_t* cr, Rgba colour, double width) {
  SetColour(cr, colour);
  cairo_set_line_width(cr, width);
  cairo_stroke(cr);
}

void Fill(cairo_t* cr, Rgba colour) {
  SetColour(cr, colour);
  cairo_fill(cr);
}

void FillDisc(cairo_t* cr, Pt centre, double radius, Rgba colour) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, centre.x, centre.y, radius, 0, 2 * std::numbers::pi);
  Fill(cr, colour);
}

void AnchorSquare(cairo_t* cr, Pt centre, double half, Rgba outline, Rgba fill, double line_width) {
  cairo_rectangle(cr, centre.x - half, centre.y - half, 2 * half, 2 * half);
  SetColour(cr, fill);
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  Stroke(cr, outline, line_width);
  cairo_restore(cr);
}

void Arrowhead(cairo_t* cr, Pt tip, Pt direction, double length, double half_width, Rgba colour) {
  const Pt u = Unit(direction);
  const Pt base = tip - length * u;
  const Pt side = half_width * Perp(u);
  cairo_move_to(cr, tip.x, tip.y);
  cairo_line_to(cr, base.x + side.x, base.y + side.y);
  cairo_line_to(cr, base.x - side.x, base.y - side.y);
  cairo_close_path(cr);
  Fill(cr, colour);
}

void RightAngleMark(cairo_t* cr, Pt corner, Pt along_a, Pt along_b, double size, Rgba colour,
                    double width) {
  const Pt a = corner + size * Unit(along_a);
  const Pt b = corner + size * Unit(along_b);
  const Pt c = a + size * Unit(along_b);
  cairo_move_to(cr, a.x, a.y);
  cairo_line_to(cr, c.x, c.y);
  cairo_line_to(cr, b.x, b.y);
  cairo_save(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  Stroke(cr, colour, width);
  cairo_restore(cr);
}

void Line(cairo_t* cr, Pt from, Pt to) {
  cairo_move_to(cr, from.x, from.y);
  cairo_line_to(cr, to.x, to.y);
}

TouchPair TangentTouches(Pt p, Pt centre, double radius) {
  const Pt to_p = p - centre;
  const double d = Length(to_p);
  const double base = std::atan2(to_p.y, to_p.x);
  const double spread = std::acos(radius / d);
  return {Polar(centre, radius, base + spread), Polar(centre, radius, base - spread)};
}

Segment OuterTangent(Pt c1, double r1, Pt c2, double r2) {
  const Pt axis = c2 - c1;
  const double d = Length(axis);
  const double axis_angle = std::atan2(axis.y, axis.x);
  // The normal of the tangent line makes this angle with the axis.
  const double spread = std::acos((r1 - r2) / d);
  const double normal = axis_angle - spread;
  return {Polar(c1, r1, normal), Polar(c2, r2, normal)};
}

Pt CentreFromTangent(Pt a, Pt tangent, Pt b) {
  // Centre = a + t * n with |centre - a| = |centre - b|.
  const Pt n = Perp(Unit(tangent));
  const Pt ab = b - a;
  const double t = Dot(ab, ab) / (2 * Dot(ab, n));
  return a + t * n;
}

}  // namespace corvane::art
