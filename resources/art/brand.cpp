#include "brand.h"

#include <array>

#include "draw.h"
#include "lettering.h"
#include "tool_icons.h"

namespace corvane::art {

namespace {

constexpr double kPi = std::numbers::pi;

// Product colours: a deep night blue with cyan construction lines and amber
// points, the colours of the construction feedback the tools draw.
constexpr Rgba kNightTop = Hex(0x12203a);
constexpr Rgba kNightBottom = Hex(0x0a1220);
constexpr Rgba kMarkLight = Hex(0x2388a8);
constexpr Rgba kMarkDark = Hex(0x123456);
constexpr Rgba kConstruction = Hex(0x7fd8ec);
constexpr Rgba kAmber = Hex(0xffb547);
constexpr Rgba kPaper = Hex(0xf4f7fb);

// Maker colours.
constexpr Rgba kMakerBlue = Hex(0x33479e);
constexpr Rgba kMakerNib = Hex(0xf2a93b);
constexpr Rgba kInkOnLight = Hex(0x262a33);
constexpr Rgba kInkOnDark = Hex(0xe9ecf2);

Rgba WithAlpha(Rgba c, double alpha) { return {c.r, c.g, c.b, alpha}; }

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
  cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
  cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
  cairo_close_path(cr);
}

void FillVertical(cairo_t* cr, double x, double y, double w, double h, Rgba top, Rgba bottom) {
  cairo_pattern_t* gradient = cairo_pattern_create_linear(0, y, 0, y + h);
  cairo_pattern_add_color_stop_rgba(gradient, 0, top.r, top.g, top.b, top.a);
  cairo_pattern_add_color_stop_rgba(gradient, 1, bottom.r, bottom.g, bottom.b, bottom.a);
  cairo_rectangle(cr, x, y, w, h);
  cairo_set_source(cr, gradient);
  cairo_fill(cr);
  cairo_pattern_destroy(gradient);
}

// The product's mark, designed on a 16-unit grid so that the 16-pixel plug-in
// icon is drawn at its native size: a circle wedged between two lines, with
// its two points of contact, the construction the product is known for.
void ProductMark(cairo_t* cr, Pt top_left, double size) {
  cairo_save(cr);
  cairo_translate(cr, top_left.x, top_left.y);
  cairo_scale(cr, size / 16, size / 16);
  cairo_pattern_t* gradient = cairo_pattern_create_linear(0, 0, 16, 16);
  cairo_pattern_add_color_stop_rgb(gradient, 0, kMarkLight.r, kMarkLight.g, kMarkLight.b);
  cairo_pattern_add_color_stop_rgb(gradient, 1, kMarkDark.r, kMarkDark.g, kMarkDark.b);
  RoundedRect(cr, 0.5, 0.5, 15, 15, 3.5);
  cairo_set_source(cr, gradient);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(gradient);
  // The lines run out of the tile so they read as lines, not letter strokes.
  cairo_clip(cr);

  constexpr Pt vertex{1.5, 12.5};
  constexpr double opening = Deg(50);
  constexpr double radius = 3.6;
  const double reach = radius / std::sin(opening / 2);
  const Pt centre = Polar(vertex, reach, -opening / 2);
  const Pt along_ground{1, 0};
  const Pt along_slope = Polar({0, 0}, 1, -opening);
  const double touch_distance = reach * std::cos(opening / 2);
  const Pt touch_ground = vertex + touch_distance * along_ground;
  const Pt touch_slope = vertex + touch_distance * along_slope;
  Line(cr, vertex - 4 * along_ground, vertex + 20 * along_ground);
  Line(cr, vertex - 4 * along_slope, vertex + 20 * along_slope);
  Stroke(cr, WithAlpha(kPaper, 0.8), 1.2);
  cairo_new_sub_path(cr);
  cairo_arc(cr, centre.x, centre.y, radius, 0, 2 * kPi);
  Stroke(cr, kPaper, 1.5);
  FillDisc(cr, touch_ground, 1.35, kAmber);
  FillDisc(cr, touch_slope, 1.35, kAmber);
  cairo_restore(cr);
}

// The maker's mark on a 48-unit grid: a monoline "q" whose stem ends in a
// quill nib.
void MakerMark(cairo_t* cr, Pt top_left, double size) {
  cairo_save(cr);
  cairo_translate(cr, top_left.x, top_left.y);
  cairo_scale(cr, size / 48, size / 48);
  RoundedRect(cr, 1, 1, 46, 46, 11);
  Fill(cr, kMakerBlue);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 20, 18, 8.5, 0, 2 * kPi);
  Line(cr, {28.5, 9.5}, {28.5, 33});
  Stroke(cr, kPaper, 4.5);
  cairo_move_to(cr, 28.5, 44);
  cairo_line_to(cr, 32.5, 37);
  cairo_line_to(cr, 28.5, 31.5);
  cairo_line_to(cr, 24.5, 37);
  cairo_close_path(cr);
  Fill(cr, kMakerNib);
  cairo_restore(cr);
}

// Centre of the circle that bends like the cubic at parameter t.
Pt OsculatingCentre(const std::array<Pt, 4>& b, double t) {
  const double u = 1 - t;
  const Pt p = (u * u * u) * b[0] + (3 * u * u * t) * b[1] + (3 * u * t * t) * b[2] + (t * t * t) * b[3];
  const Pt d1 = (3 * u * u) * (b[1] - b[0]) + (6 * u * t) * (b[2] - b[1]) + (3 * t * t) * (b[3] - b[2]);
  const Pt d2 = (6 * u) * (b[2] - 2 * b[1] + b[0]) + (6 * t) * (b[3] - 2 * b[2] + b[1]);
  const double cross = d1.x * d2.y - d1.y * d2.x;
  return p + (Dot(d1, d1) / cross) * Pt{-d1.y, d1.x};
}

Pt BezierPoint(const std::array<Pt, 4>& b, double t) {
  const double u = 1 - t;
  return (u * u * u) * b[0] + (3 * u * u * t) * b[1] + (3 * u * t * t) * b[2] + (t * t * t) * b[3];
}

void DashedStroke(cairo_t* cr, Rgba colour, double width, double on, double off) {
  const double dashes[] = {on, off};
  cairo_save(cr);
  cairo_set_dash(cr, dashes, 2, 0);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  Stroke(cr, colour, width);
  cairo_restore(cr);
}

// Construction drawing behind the banner's name: two circles with their
// common tangents, a curve with its circle of curvature, an arc through
// three points; faint lines for the helpers, amber for the points found.
void BannerConstructions(cairo_t* cr) {
  const Rgba faint = WithAlpha(kConstruction, 0.22);
  const Rgba line = WithAlpha(kConstruction, 0.55);
  const Rgba bright = WithAlpha(kConstruction, 0.9);

  constexpr Pt a{482, 150};
  constexpr double ra = 84;
  constexpr Pt b{548, 304};
  constexpr double rb = 36;
  for (const Segment& s : {OuterTangent(a, ra, b, rb), OuterTangent(b, rb, a, ra)}) {
    const Pt u = Unit(s.b - s.a);
    Line(cr, s.a - 420 * u, s.b + 160 * u);
    Stroke(cr, line, 1.25);
    FillDisc(cr, s.a, 3.5, kAmber);
    FillDisc(cr, s.b, 3.5, kAmber);
  }
  cairo_new_sub_path(cr);
  cairo_arc(cr, a.x, a.y, ra, 0, 2 * kPi);
  Stroke(cr, bright, 2);
  cairo_new_sub_path(cr);
  cairo_arc(cr, b.x, b.y, rb, 0, 2 * kPi);
  Stroke(cr, bright, 2);
  Line(cr, a, b);
  DashedStroke(cr, faint, 1, 4, 4);
  FillDisc(cr, a, 2.5, bright);
  FillDisc(cr, b, 2.5, bright);

  const std::array<Pt, 4> curve{{{60, -20}, {150, 220}, {230, 60}, {380, 40}}};
  cairo_move_to(cr, curve[0].x, curve[0].y);
  cairo_curve_to(cr, curve[1].x, curve[1].y, curve[2].x, curve[2].y, curve[3].x, curve[3].y);
  Stroke(cr, line, 1.5);
  constexpr double t = 0.35;
  const Pt touch = BezierPoint(curve, t);
  const Pt centre = OsculatingCentre(curve, t);
  const double radius = Length(touch - centre);
  cairo_new_sub_path(cr);
  cairo_arc(cr, centre.x, centre.y, radius, 0, 2 * kPi);
  Stroke(cr, WithAlpha(kConstruction, 0.4), 1.25);
  Line(cr, centre, touch);
  DashedStroke(cr, faint, 1, 4, 4);
  FillDisc(cr, centre, 2.5, bright);
  FillDisc(cr, touch, 3.5, kAmber);

  constexpr Pt arc_centre{170, 520};
  constexpr double arc_radius = 185;
  cairo_new_sub_path(cr);
  cairo_arc(cr, arc_centre.x, arc_centre.y, arc_radius, Deg(205), Deg(330));
  Stroke(cr, line, 1.5);
  for (double angle : {Deg(235), Deg(270), Deg(302)}) {
    FillDisc(cr, Polar(arc_centre, arc_radius, angle), 3.5, kAmber);
  }
}

void DotGrid(cairo_t* cr, double width, double bottom) {
  constexpr double step = 20;
  for (double y = step / 2; y < bottom; y += step) {
    const double fade = 1 - y / bottom;
    for (double x = step / 2; x < width; x += step) {
      FillDisc(cr, {x, y}, 0.9, WithAlpha(kConstruction, 0.09 * fade));
    }
  }
}

void RadialGlow(cairo_t* cr, Pt centre, double radius, Rgba colour) {
  cairo_pattern_t* glow = cairo_pattern_create_radial(centre.x, centre.y, 0, centre.x, centre.y, radius);
  cairo_pattern_add_color_stop_rgba(glow, 0, colour.r, colour.g, colour.b, colour.a);
  cairo_pattern_add_color_stop_rgba(glow, 1, colour.r, colour.g, colour.b, 0);
  cairo_set_source(cr, glow);
  cairo_paint(cr);
  cairo_pattern_destroy(glow);
}

}  // namespace

void DrawMakerLogo(Canvas& canvas) { MakerMark(canvas.cr(), {0, 0}, kMakerLogoSize.width); }

void DrawMakerLogoWide(Canvas& canvas, Backdrop backdrop) {
  cairo_t* cr = canvas.cr();
  MakerMark(cr, {2, 4}, 32);
  constexpr double x_height = 8.5;
  constexpr double spacing = 0.34;
  WordPath(cr, "quillmark", {42, 24}, x_height, spacing);
  Stroke(cr, backdrop == Backdrop::kLightInterface ? kInkOnLight : kInkOnDark, 1.7);
}

void DrawWarning(Canvas& canvas, Backdrop backdrop) {
  cairo_t* cr = canvas.cr();
  const bool light = backdrop == Backdrop::kLightInterface;
  cairo_move_to(cr, 14.5, 3);
  cairo_line_to(cr, 26.5, 25);
  cairo_line_to(cr, 2.5, 25);
  cairo_close_path(cr);
  SetColour(cr, light ? Hex(0xf4b400) : Hex(0xffc940));
  cairo_fill_preserve(cr);
  // The stroke in the fill's colour rounds the corners.
  Stroke(cr, light ? Hex(0xd69a00) : Hex(0xffc940), 2.5);
  Line(cr, {14.5, 10.5}, {14.5, 17.5});
  Stroke(cr, Hex(0x1e1e1e), 2.8);
  FillDisc(cr, {14.5, 21.5}, 1.6, Hex(0x1e1e1e));
}

void DrawPluginIcon(Canvas& canvas) { ProductMark(canvas.cr(), {0, 0}, kPluginIconSize.width); }

void DrawAboutBanner(Canvas& canvas) {
  cairo_t* cr = canvas.cr();
  const double w = kAboutBannerSize.width;
  const double h = kAboutBannerSize.height;
  FillVertical(cr, 0, 0, w, h, kNightTop, kNightBottom);
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, w, kBannerTextTop - 8);
  cairo_clip(cr);
  RadialGlow(cr, {470, 170}, 320, WithAlpha(Hex(0x1d7fa0), 0.35));
  DotGrid(cr, w, kBannerTextTop - 10);
  BannerConstructions(cr);
  cairo_restore(cr);

  // The name sits on a soft shadow so the construction lines behind it
  // never cut into the letters.
  constexpr double x_height = 40;
  constexpr double spacing = 0.3;
  constexpr Pt name_origin{132, 226};
  constexpr double stroke = 7;
  WordPath(cr, "Corvane", name_origin, x_height, spacing);
  Stroke(cr, WithAlpha(kNightBottom, 0.75), stroke + 10);
  WordPath(cr, "Corvane", name_origin, x_height, spacing);
  Stroke(cr, kPaper, stroke);
  ProductMark(cr, {48, 226 - 64}, 64);

  // The tools themselves, as a row of their dark-interface icons.
  const auto icons = ToolIcons();
  constexpr double pitch = 29;
  constexpr Pt row{50, 262};
  const double row_width = pitch * static_cast<double>(icons.size()) - (pitch - 24);
  RoundedRect(cr, row.x - 8, row.y - 7, row_width + 16, 38, 10);
  Fill(cr, WithAlpha(Hex(0x000000), 0.28));
  for (std::size_t i = 0; i < icons.size(); ++i) {
    cairo_save(cr);
    cairo_translate(cr, row.x + pitch * static_cast<double>(i), row.y);
    DrawToolIcon(canvas, icons[i], Theme::kDark);
    cairo_restore(cr);
  }

  // A hairline closes the picture off from the band the dialog writes on.
  Line(cr, {48, kBannerTextTop - 4}, {w - 48, kBannerTextTop - 4});
  Stroke(cr, WithAlpha(kConstruction, 0.16), 1);
}

void DrawAboutCap(Canvas& canvas) {
  cairo_t* cr = canvas.cr();
  const double w = kAboutCapSize.width;
  const double h = kAboutCapSize.height;
  FillVertical(cr, 0, 0, w, h, kNightBottom, Hex(0x0d1828));
  // A row of circles resting on one line, fading towards the left: the
  // banner's motif, quietly.
  constexpr double ground = 82;
  Line(cr, {300, ground}, {w - 24, ground});
  Stroke(cr, WithAlpha(kConstruction, 0.25), 1);
  double x = w - 52;
  double r = 24;
  double alpha = 0.55;
  while (x - r > 300) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, ground - r, r, 0, 2 * kPi);
    Stroke(cr, WithAlpha(kConstruction, alpha), 1.25);
    FillDisc(cr, {x, ground}, 2.5, WithAlpha(kAmber, alpha + 0.2));
    x -= 2 * r + 10;
    r *= 0.72;
    alpha *= 0.7;
  }
  ProductMark(cr, {24, 27}, 32);
  WordPath(cr, "Corvane", {68, 50}, 13, 0.3);
  Stroke(cr, kPaper, 2.4);
}

}  // namespace corvane::art
