#include "lettering.h"

#include <stdexcept>
#include <string>

namespace corvane::art {

namespace {

constexpr double kPi = std::numbers::pi;

// Glyphs are built in x-height units: baseline at y = 0, x-height at y = -1,
// ascenders at -1.45, descenders at +0.45; round bowls have radius 0.5.
constexpr double kAscender = -1.45;
constexpr double kDescender = 0.45;

void Stem(cairo_t* cr, double x, double y0, double y1) {
  cairo_move_to(cr, x, y0);
  cairo_line_to(cr, x, y1);
}

void Bowl(cairo_t* cr) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0.5, -0.5, 0.5, 0, 2 * kPi);
}

double GlyphC(cairo_t* cr) {
  cairo_new_sub_path(cr);
  cairo_arc_negative(cr, 0.725, -0.725, 0.725, Deg(-42), Deg(42));
  return 1.3;
}
double GlyphO(cairo_t* cr) {
  Bowl(cr);
  return 1;
}
double GlyphLowerC(cairo_t* cr) {
  cairo_new_sub_path(cr);
  cairo_arc_negative(cr, 0.5, -0.5, 0.5, Deg(-45), Deg(45));
  return 0.86;
}
double GlyphE(cairo_t* cr) {
  cairo_move_to(cr, 0, -0.5);
  cairo_line_to(cr, 1, -0.5);
  cairo_arc_negative(cr, 0.5, -0.5, 0.5, 0, Deg(45));
  return 1;
}
double GlyphA(cairo_t* cr) {
  Bowl(cr);
  Stem(cr, 1, -1, 0);
  return 1;
}
double GlyphQ(cairo_t* cr) {
  Bowl(cr);
  Stem(cr, 1, -1, kDescender);
  return 1;
}
double GlyphU(cairo_t* cr) {
  cairo_move_to(cr, 0, -1);
  cairo_arc_negative(cr, 0.5, -0.5, 0.5, kPi, 0);
  Stem(cr, 1, -1, 0);
  return 1;
}
double GlyphN(cairo_t* cr) {
  Stem(cr, 0, 0, -1);
  cairo_move_to(cr, 0, -0.5);
  cairo_arc(cr, 0.5, -0.5, 0.5, kPi, 2 * kPi);
  cairo_line_to(cr, 1, 0);
  return 1;
}
double GlyphM(cairo_t* cr) {
  constexpr double r = 0.4;
  Stem(cr, 0, 0, -1);
  cairo_move_to(cr, 0, -1 + r);
  cairo_arc(cr, r, -1 + r, r, kPi, 2 * kPi);
  cairo_line_to(cr, 2 * r, 0);
  cairo_move_to(cr, 2 * r, -1 + r);
  cairo_arc(cr, 3 * r, -1 + r, r, kPi, 2 * kPi);
  cairo_line_to(cr, 4 * r, 0);
  return 4 * r;
}
double GlyphR(cairo_t* cr) {
  Stem(cr, 0, 0, -1);
  cairo_move_to(cr, 0, -0.5);
  cairo_arc(cr, 0.5, -0.5, 0.5, kPi, Deg(300));
  return 0.75;
}
double GlyphV(cairo_t* cr) {
  cairo_move_to(cr, 0, -1);
  cairo_line_to(cr, 0.5, 0);
  cairo_line_to(cr, 1, -1);
  return 1;
}
double GlyphI(cairo_t* cr) {
  Stem(cr, 0, 0, -1);
  // A zero-length segment with round caps renders as the dot.
  Stem(cr, 0, -1.4, -1.4);
  return 0;
}
double GlyphL(cairo_t* cr) {
  Stem(cr, 0, 0, kAscender);
  return 0;
}
double GlyphK(cairo_t* cr) {
  Stem(cr, 0, 0, kAscender);
  cairo_move_to(cr, 0.72, -1);
  cairo_line_to(cr, 0, -0.36);
  cairo_move_to(cr, 0.24, -0.57);
  cairo_line_to(cr, 0.76, 0);
  return 0.76;
}

using Glyph = double (*)(cairo_t*);

Glyph GlyphFor(char c) {
  switch (c) {
    case 'C': return GlyphC;
    case 'a': return GlyphA;
    case 'c': return GlyphLowerC;
    case 'e': return GlyphE;
    case 'i': return GlyphI;
    case 'k': return GlyphK;
    case 'l': return GlyphL;
    case 'm': return GlyphM;
    case 'n': return GlyphN;
    case 'o': return GlyphO;
    case 'q': return GlyphQ;
    case 'r': return GlyphR;
    case 'u': return GlyphU;
    case 'v': return GlyphV;
    default: return nullptr;
  }
}

}  // namespace

void DigitPath(cairo_t* cr, char digit, Pt top_left, double height) {
  // Designed on a 5 x 8 grid.
  const double k = height / 8;
  cairo_save(cr);
  cairo_translate(cr, top_left.x, top_left.y);
  cairo_scale(cr, k, k);
  switch (digit) {
    case '1':
      cairo_move_to(cr, 0.75, 2);
      cairo_line_to(cr, 3, 0);
      cairo_line_to(cr, 3, 8);
      break;
    case '2':
      cairo_new_sub_path(cr);
      cairo_arc(cr, 2.5, 2.4, 2.3, Deg(190), Deg(380));
      cairo_line_to(cr, 0.25, 8);
      cairo_line_to(cr, 5, 8);
      break;
    case '3':
      cairo_new_sub_path(cr);
      cairo_arc(cr, 2.4, 2.05, 1.95, Deg(205), Deg(450));
      cairo_move_to(cr, 1.4, 4);
      cairo_arc(cr, 2.4, 5.95, 1.95, Deg(-90), Deg(155));
      break;
    default:
      cairo_restore(cr);
      throw std::invalid_argument("no digit '" + std::string(1, digit) + "'");
  }
  cairo_restore(cr);
}

void WordPath(cairo_t* cr, std::string_view text, Pt origin, double x_height, double spacing) {
  double pen = 0;
  for (char c : text) {
    const Glyph glyph = GlyphFor(c);
    if (glyph == nullptr) throw std::invalid_argument("no letter for '" + std::string(1, c) + "'");
    cairo_save(cr);
    cairo_translate(cr, origin.x + pen * x_height, origin.y);
    cairo_scale(cr, x_height, x_height);
    pen += glyph(cr) + spacing;
    cairo_restore(cr);
  }
}

}  // namespace corvane::art
