#include "tool_icons.h"

#include <array>

#include "draw.h"
#include "resources/ResourceIds.h"

namespace corvane::art {

namespace {

constexpr double kPi = std::numbers::pi;

// Three roles: the paths the user picks (thin, subdued), what the tool
// constructs (strong) and the points that define it (accent colour).
struct Palette {
  Rgba source;
  Rgba result;
  Rgba point;
};

Palette PaletteFor(Theme theme) {
  if (theme == Theme::kLight) return {Hex(0x8c8c8c), Hex(0x1e1e1e), Hex(0x1473e6)};
  return {Hex(0x9c9c9c), Hex(0xf2f2f2), Hex(0x5ea8ff)};
}

constexpr double kSourceWidth = 1.25;
constexpr double kResultWidth = 1.6;
constexpr double kPointRadius = 1.9;
constexpr double kAnchorHalf = 1.9;
constexpr double kArrowLength = 4.5;
constexpr double kArrowHalfWidth = 2.6;
constexpr double kRightAngleSize = 3;

void CircleArc(cairo_t* cr, Pt c, double r, double from, double to) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, c.x, c.y, r, from, to);
}

void FullCircle(cairo_t* cr, Pt c, double r) { CircleArc(cr, c, r, 0, 2 * kPi); }

void Dashed(cairo_t* cr) {
  const double dashes[] = {2.0, 1.75};
  cairo_set_dash(cr, dashes, 2, 0);
}

// A line ending in an arrowhead; the shaft stops short so its round cap does
// not poke through the tip.
void ArrowLine(cairo_t* cr, Pt from, Pt tip, Rgba colour, double width) {
  const Pt u = Unit(tip - from);
  Line(cr, from, tip - (kArrowLength - 0.5) * u);
  Stroke(cr, colour, width);
  Arrowhead(cr, tip, u, kArrowLength, kArrowHalfWidth, colour);
}

// Two paths and the circle of given radius that touches both.
void IconTangentCircle(const Canvas& canvas, Theme theme) {
  cairo_t* cr = canvas.cr();
  const Palette p = PaletteFor(theme);
  constexpr Pt c{9.5, 12.5};
  constexpr double r = 7;
  const double ground = c.y + r;
  const Pt toward_curve = Polar({0, 0}, 1, Deg(-28));
  constexpr double curve_radius = 9;
  const Pt curve_centre = c + (curve_radius + r) * toward_curve;

  Line(cr, {1.5, ground}, {22.5, ground});
  CircleArc(cr, curve_centre, curve_radius, Deg(102), Deg(232));
  Stroke(cr, p.source, kSourceWidth);
  FullCircle(cr, c, r);
  Stroke(cr, p.result, kResultWidth);
  FillDisc(cr, {c.x, ground}, kPointRadius, p.point);
  FillDisc(cr, c + r * toward_curve, kPointRadius, p.point);
}

// A whole circle through three points.
void IconCircle23(const Canvas& canvas, Theme theme) {
  cairo_t* cr = canvas.cr();
  const Palette p = PaletteFor(theme);
  constexpr Pt c{12, 12};
  constexpr double r = 8.5;
  FullCircle(cr, c, r);
  Stroke(cr, p.result, kResultWidth);
  for (double a : {Deg(160), Deg(290), Deg(45)}) FillDisc(cr, Polar(c, r, a), kPointRadius + 0.2, p.point);
}

// A curve with the circle that fits it at one point: the circle hugs the
// curve there, and its radius runs from the centre to that point.
void IconCurvature(const Canvas& canvas, Theme theme) {
  cairo_t* cr = canvas.cr();
  const Palette p = PaletteFor(theme);
  constexpr double r = 6.5;
  constexpr Pt touch{11, 20};
  constexpr Pt centre{touch.x, touch.y - r};
  // A parabola through the touch point bends exactly like the circle there
  // and opens away from it, so the two part visibly on both sides.
  auto parabola = [&](double x) { return Pt{x, touch.y - (x - touch.x) * (x - touch.x) / (2 * r)}; };
  constexpr double x0 = 0.5;
  constexpr double x1 = 23.5;
  const Pt a = parabola(x0);
  const Pt b = parabola(x1);
  const Pt control{(x0 + x1) / 2, a.y - (x0 - touch.x) / r * (x1 - x0) / 2};
  const Pt c1 = a + (2.0 / 3) * (control - a);
  const Pt c2 = b + (2.0 / 3) * (control - b);
  cairo_move_to(cr, a.x, a.y);
  cairo_curve_to(cr, c1.x, c1.y, c2.x, c2.y, b.x, b.y);
  Stroke(cr, p.source, kSourceWidth + 0.15);
  FullCircle(cr, centre, r);
  Stroke(cr, p.result, kResultWidth);
  Line(cr, centre, touch);
  Stroke(cr, p.point, 1.2);
  FillDisc(cr, centre, 1.5, p.point);
  FillDisc(cr, touch, kPointRadius, p.point);
}

// Two open paths whose ends are joined by one smooth piece that continues
// both of them.
void IconConnect(const Canvas& canvas, Theme theme) {
  cairo_t* cr = canvas.cr();
  const Palette p = PaletteFor(theme);
  constexpr Pt e1{5.5, 12.5};
  constexpr Pt e2{18.5, 12.5};
  const Pt d1 = Unit({1, -1.3});
  const Pt d2 = Unit({1, 1.3});
  constexpr double reach = 5.5;

  cairo_move_to(cr, 2, 21.5);
  cairo_curve_to(cr, 2.3, 18, e1.x - 2.5 * d1.x, e1.y - 2.5 * d1.y, e1.x, e1.y);
  cairo_move_to(cr, e2.x, e2.y);
  cairo_curve_to(cr, e2.x + 2.5 * d2.x, e2.y + 2.5 * d2.y, 21.7, 18, 22, 21.5);
  Stroke(cr, p.source, kSourceWidth + 0.15);

  const Pt k1 = e1 + reach * d1;
  const Pt k2 = e2 - reach * d2;
  cairo_move_to(cr, e1.x, e1.y);
  cairo_curve_to(cr, k1.x, k1.y, k2.x, k2.y, e2.x, e2.y);
  Stroke(cr, p.result, kResultWidth + 0.2);

  const Rgba hollow{0, 0, 0, 0};
  AnchorSquare(cr, e1, kAnchorHalf, p.point, hollow, 1.2);
  AnchorSquare(cr, e2, kAnchorHalf, p.point, hollow, 1.2);
}

// An open arc through a start, a middle and an end point.
void IconArc3(const Canvas& canvas, Theme theme) {
  cairo_t* cr = canvas.cr();
  const Palette p = PaletteFor(theme);
  constexpr Pt c{12, 16.5};
  constexpr double r = 9.5;
  constexpr double from = Deg(188);
  constexpr double to = Deg(352);
  CircleArc(cr, c, r, from, to);
  Stroke(cr, p.result, kResultWidth);
  for (double a : {from, Deg(242), to}) FillDisc(cr, Polar(c, r, a), kPointRadius + 0.2, p.point);
}

// A flat arc from a start point to an end point, leaving the start along the
// arrow that gives its direction.
void IconArcSED(const Canvas& canvas, Theme theme) {
  cairo_t* cr = canvas.cr();
  const Palette p = PaletteFor(theme);
  constexpr Pt start{3, 19};
  constexpr Pt end{21, 18};
  const Pt tangent = Unit({0.62, -1});
  const Pt c = CentreFromTangent(start, tangent, end);
  const double r = Length(start - c);
  const double a0 = std::atan2(start.y - c.y, start.x - c.x);
  double a1 = std::atan2(end.y - c.y, end.x - c.x);
  if (a1 < a0) a1 += 2 * kPi;
  CircleArc(cr, c, r, a0, a1);
  Stroke(cr, p.result, kResultWidth);
  ArrowLine(cr, start, start + 14 * tangent, p.point, 1.4);
  FillDisc(cr, start, kPointRadius + 0.2, p.point);
  FillDisc(cr, end, kPointRadius + 0.2, p.point);
}

// A reference axis swung about its start, from its old position (dashed)
// to the new one, with the turn shown by a curved arrow.
void IconOrient(const Canvas& canvas, Theme theme) {
  cairo_t* cr = canvas.cr();
  const Palette p = PaletteFor(theme);
  constexpr Pt pivot{4, 19.5};
  constexpr double length = 18;
  constexpr double turn = Deg(-42);
  cairo_save(cr);
  Dashed(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  Line(cr, pivot, {pivot.x + length, pivot.y});
  Stroke(cr, p.source, kSourceWidth);
  cairo_restore(cr);

  ArrowLine(cr, pivot, Polar(pivot, length, turn), p.result, kResultWidth);

  constexpr double swing = 12;
  cairo_new_sub_path(cr);
  cairo_arc_negative(cr, pivot.x, pivot.y, swing, Deg(-4), turn + Deg(18));
  Stroke(cr, p.point, 1.3);
  const Pt tip = Polar(pivot, swing, turn + Deg(6));
  const Pt tail = Polar(pivot, swing, turn + Deg(24));
  Arrowhead(cr, tip, tip - tail, 3.6, 2.3, p.point);
  FillDisc(cr, pivot, kPointRadius + 0.2, p.point);
}

// A slanted piece (dashed) and the same piece levelled: both anchors moved
// to their mean height, so the level piece crosses the old one in the middle.
void IconStraighten(const Canvas& canvas, Theme theme) {
  cairo_t* cr = canvas.cr();
  const Palette p = PaletteFor(theme);
  constexpr Pt a0{4, 19};
  constexpr Pt b0{20, 5};
  const double hair = canvas.Hairline(kResultWidth + 0.2);
  const double level = canvas.Snap((a0.y + b0.y) / 2, hair);
  cairo_save(cr);
  Dashed(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  Line(cr, a0, b0);
  Stroke(cr, p.source, kSourceWidth + 0.15);
  cairo_restore(cr);
  const Rgba hollow{0, 0, 0, 0};
  AnchorSquare(cr, a0, 1.6, p.source, hollow, 1.1);
  AnchorSquare(cr, b0, 1.6, p.source, hollow, 1.1);

  ArrowLine(cr, {a0.x, a0.y - 2.5}, {a0.x, level + 2.5}, p.point, 1.2);
  ArrowLine(cr, {b0.x, b0.y + 2.5}, {b0.x, level - 2.5}, p.point, 1.2);
  Line(cr, {a0.x, level}, {b0.x, level});
  Stroke(cr, p.result, hair);
  AnchorSquare(cr, {a0.x, level}, kAnchorHalf, p.result, p.result, 1);
  AnchorSquare(cr, {b0.x, level}, kAnchorHalf, p.result, p.result, 1);
}

// A line that touches two circles, like a belt over two wheels.
void IconLineTangentTwo(const Canvas& canvas, Theme theme) {
  cairo_t* cr = canvas.cr();
  const Palette p = PaletteFor(theme);
  constexpr Pt left{6.5, 16};
  constexpr double left_radius = 4.5;
  constexpr Pt right{17, 13.5};
  constexpr double right_radius = 5.5;
  FullCircle(cr, left, left_radius);
  FullCircle(cr, right, right_radius);
  Stroke(cr, p.source, kSourceWidth + 0.15);
  const Segment touch = OuterTangent(left, left_radius, right, right_radius);
  const Pt u = Unit(touch.b - touch.a);
  Line(cr, touch.a - 3.5 * u, touch.b + 3 * u);
  Stroke(cr, p.result, kResultWidth);
  FillDisc(cr, touch.a, kPointRadius, p.point);
  FillDisc(cr, touch.b, kPointRadius, p.point);
}

// A line that meets two curves at right angles.
void IconLinePerpendicularTwo(const Canvas& canvas, Theme theme) {
  cairo_t* cr = canvas.cr();
  const Palette p = PaletteFor(theme);
  constexpr Pt f1{6, 16};
  constexpr Pt f2{18, 8};
  const Pt d = Unit(f2 - f1);
  constexpr double r = 11;
  constexpr double half_span = Deg(38);
  const Pt c1 = f1 - r * d;
  const Pt c2 = f2 + r * d;
  const double a1 = std::atan2(d.y, d.x);
  CircleArc(cr, c1, r, a1 - half_span, a1 + half_span);
  CircleArc(cr, c2, r, a1 + kPi - half_span, a1 + kPi + half_span);
  Stroke(cr, p.source, kSourceWidth + 0.15);
  Line(cr, f1, f2);
  Stroke(cr, p.result, kResultWidth);
  RightAngleMark(cr, f1, d, Perp(d), kRightAngleSize, p.point, 1.2);
  RightAngleMark(cr, f2, -1 * d, -1 * Perp(d), kRightAngleSize, p.point, 1.2);
}

// The shared picture of the one-path line tools: a hump along the bottom.
constexpr Pt kHumpCentre{12.5, 25};
constexpr double kHumpRadius = 11;

void Hump(cairo_t* cr, const Palette& p) {
  CircleArc(cr, kHumpCentre, kHumpRadius, Deg(198), Deg(342));
  Stroke(cr, p.source, kSourceWidth + 0.15);
}

// A line from a free point to where it touches the curve.
void IconLineTangentTo(const Canvas& canvas, Theme theme) {
  cairo_t* cr = canvas.cr();
  const Palette p = PaletteFor(theme);
  Hump(cr, p);
  constexpr Pt from{2.5, 4.5};
  const TouchPair touches = TangentTouches(from, kHumpCentre, kHumpRadius);
  const Pt touch = touches.first.x > touches.second.x ? touches.first : touches.second;
  Line(cr, from, touch);
  Stroke(cr, p.result, kResultWidth);
  FillDisc(cr, from, kPointRadius + 0.2, p.point);
  FillDisc(cr, touch, kPointRadius, p.point);
}

// A line from a free point to the curve, meeting it at a right angle.
void IconLinePerpendicularTo(const Canvas& canvas, Theme theme) {
  cairo_t* cr = canvas.cr();
  const Palette p = PaletteFor(theme);
  Hump(cr, p);
  constexpr Pt from{4, 2.5};
  const Pt foot = kHumpCentre + kHumpRadius * Unit(from - kHumpCentre);
  const Pt d = Unit(foot - from);
  Line(cr, from, foot);
  Stroke(cr, p.result, kResultWidth);
  RightAngleMark(cr, foot, -1 * d, Perp(d), kRightAngleSize + 0.5, p.point, 1.2);
  FillDisc(cr, from, kPointRadius + 0.2, p.point);
}

// A line leaving a point of the curve along the curve's direction there.
void IconLineTangentFrom(const Canvas& canvas, Theme theme) {
  cairo_t* cr = canvas.cr();
  const Palette p = PaletteFor(theme);
  Hump(cr, p);
  const Pt on = Polar(kHumpCentre, kHumpRadius, Deg(228));
  const Pt along = Perp(Unit(on - kHumpCentre));
  const Pt uphill = along.y < 0 ? along : -1 * along;
  ArrowLine(cr, on, on + 16 * uphill, p.result, kResultWidth);
  FillDisc(cr, on, kPointRadius + 0.2, p.point);
}

// A line leaving a point of the curve at a right angle to it.
void IconLinePerpendicularFrom(const Canvas& canvas, Theme theme) {
  cairo_t* cr = canvas.cr();
  const Palette p = PaletteFor(theme);
  Hump(cr, p);
  const Pt on = Polar(kHumpCentre, kHumpRadius, Deg(250));
  const Pt out = Unit(on - kHumpCentre);
  ArrowLine(cr, on, on + 11.5 * out, p.result, kResultWidth);
  RightAngleMark(cr, on, out, Perp(out), kRightAngleSize + 0.5, p.point, 1.2);
  FillDisc(cr, on, kPointRadius, p.point);
}

using IconDrawing = void (*)(const Canvas& canvas, Theme theme);
constexpr IconDrawing DrawingOf(int id) {
  switch (id) {
    case ids::kIconTangentCircle: return IconTangentCircle;
    case ids::kIconCircle23: return IconCircle23;
    case ids::kIconCurvature: return IconCurvature;
    case ids::kIconConnect: return IconConnect;
    case ids::kIconArc3Pt: return IconArc3;
    case ids::kIconArcSED: return IconArcSED;
    case ids::kIconOrient: return IconOrient;
    case ids::kIconStraighten: return IconStraighten;
    case ids::kIconLineTT: return IconLineTangentTwo;
    case ids::kIconLinePP: return IconLinePerpendicularTwo;
    case ids::kIconTangentTo: return IconLineTangentTo;
    case ids::kIconPerpTo: return IconLinePerpendicularTo;
    case ids::kIconTangentFrom: return IconLineTangentFrom;
    case ids::kIconPerpFrom: return IconLinePerpendicularFrom;
    default: return nullptr;
  }
}

#define CORVANE_TOOL_ICON_ART(Constant, Id, Light, Dark, Tool) \
  ToolIconArt{ids::Constant, Light, Dark, Tool, DrawingOf(ids::Constant)},
constexpr ToolIconArt kToolIcons[] = {CORVANE_TOOL_ICONS(CORVANE_TOOL_ICON_ART)};
#undef CORVANE_TOOL_ICON_ART
static_assert([] {
  for (const ToolIconArt& icon : kToolIcons)
    if (!icon.draw) return false;
  return true;
}(), "every tool icon of the id table has a drawing");

}  // namespace

std::span<const ToolIconArt> ToolIcons() { return kToolIcons; }

void DrawToolIcon(Canvas& canvas, const ToolIconArt& icon, Theme theme) {
  cairo_save(canvas.cr());
  icon.draw(canvas, theme);
  cairo_restore(canvas.cr());
}

}  // namespace corvane::art
