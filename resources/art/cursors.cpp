#include "cursors.h"

#include <array>
#include <cmath>

#include "draw.h"
#include "lettering.h"
#include "resources/ResourceIds.h"

namespace corvane::art {

namespace {

constexpr Rgba kCursorInk = Hex(0x000000);
constexpr Rgba kCursorHalo = Hex(0xffffff);
constexpr Rgba kErrorInk = Hex(0xc8102e);

// Crosshair in 1x pixels: arms reach this far from the centre pixel and leave
// this gap around it, so the artwork under the hot spot stays visible.
constexpr double kArmReach = 10;
constexpr double kArmGap = 2;
constexpr double kLineWidth = 1;
constexpr double kHaloWidth = 1;

// Signs are drawn in a 12 x 12 box below and right of the crosshair's centre,
// clear of both arms.  Its corner is on the pixel grid and the signs put 1x
// lines on pixel centres, so that 1x signs come out sharp.
constexpr Pt kSignOrigin{18, 18};
constexpr double kSignStroke = 1.25;

int DevicePixels(double logical, double scale) {
  return std::max(1, static_cast<int>(std::ceil(logical * scale - 0.5)));
}

void FillRect(cairo_t* cr, int x, int y, int w, int h, int grow, Rgba colour) {
  cairo_rectangle(cr, x - grow, y - grow, w + 2 * grow, h + 2 * grow);
  Fill(cr, colour);
}

// Drawn in device pixels with whole-pixel rectangles: the hot spot must land
// on the centre pixel at every density, and the lines must not blur.
void DrawCrosshair(Canvas& canvas) {
  cairo_t* cr = canvas.cr();
  const double s = canvas.scale();
  const int centre = ScalePixels(ids::kCursorHotSpotPx, canvas.dpi());
  const int width = DevicePixels(kLineWidth, s);
  // A 2-pixel line at 2x covers the centre pixel and the one after it, the
  // exact image of the 1x pixel.
  const int start = centre - (width - 1) / 2;
  const int end = start + width;
  const int reach = static_cast<int>(std::lround(kArmReach * s));
  const int gap = static_cast<int>(std::lround(kArmGap * s));
  const int halo = DevicePixels(kHaloWidth, s);

  struct Box {
    int x, y, w, h;
  };
  const std::array<Box, 5> boxes{{
      {start - reach, start, reach - gap, width},   // left arm
      {end + gap, start, reach - gap, width},       // right arm
      {start, start - reach, width, reach - gap},   // upper arm
      {start, end + gap, width, reach - gap},       // lower arm
      {start, start, width, width},                 // centre pixel
  }};
  cairo_save(cr);
  cairo_identity_matrix(cr);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  for (const Box& b : boxes) FillRect(cr, b.x, b.y, b.w, b.h, halo, kCursorHalo);
  for (const Box& b : boxes) FillRect(cr, b.x, b.y, b.w, b.h, 0, kCursorInk);
  cairo_restore(cr);
}

}  // namespace

// Draws a sign twice: first every part widened in the halo colour, then every
// part in ink, so one part's halo never covers another part's ink.
class SignPen {
 public:
  SignPen(const Canvas& canvas, bool halo_pass)
      : cr_(canvas.cr()), canvas_(canvas), halo_pass_(halo_pass), halo_(canvas.Hairline(kHaloWidth)) {}
  cairo_t* cr() const { return cr_; }

  void Stroke(double width = kSignStroke) {
    const double w = canvas_.Hairline(width);
    art::Stroke(cr_, halo_pass_ ? kCursorHalo : ink_, halo_pass_ ? w + 2 * halo_ : w);
  }
  void Fill() {
    if (halo_pass_) {
      SetColour(cr_, kCursorHalo);
      cairo_fill_preserve(cr_);
      art::Stroke(cr_, kCursorHalo, 2 * halo_);
    } else {
      art::Fill(cr_, ink_);
    }
  }
  void UseInk(Rgba ink) { ink_ = ink; }

 private:
  cairo_t* cr_;
  const Canvas& canvas_;
  bool halo_pass_;
  double halo_;
  Rgba ink_ = kCursorInk;
};

namespace {

void MoveTo(SignPen& pen, double x, double y) { cairo_move_to(pen.cr(), x, y); }
void LineTo(SignPen& pen, double x, double y) { cairo_line_to(pen.cr(), x, y); }

void Square(SignPen& pen, double cx, double cy, double half) {
  cairo_rectangle(pen.cr(), cx - half, cy - half, 2 * half, 2 * half);
}

void Disc(SignPen& pen, double cx, double cy, double r) {
  cairo_new_sub_path(pen.cr());
  cairo_arc(pen.cr(), cx, cy, r, 0, 2 * std::numbers::pi);
}

void Plus(SignPen& pen, double cx, double cy, double arm, double width) {
  MoveTo(pen, cx - arm, cy);
  LineTo(pen, cx + arm, cy);
  MoveTo(pen, cx, cy - arm);
  LineTo(pen, cx, cy + arm);
  cairo_save(pen.cr());
  cairo_set_line_cap(pen.cr(), CAIRO_LINE_CAP_BUTT);
  pen.Stroke(width);
  cairo_restore(pen.cr());
}

void Digit(SignPen& pen, char digit, double x, double y) {
  DigitPath(pen.cr(), digit, {x, y}, 8);
  pen.Stroke();
}

void SignMarked(SignPen& pen) {
  Square(pen, 5.5, 5.5, 3);
  pen.Stroke(1.25);
}

void SignMarkedDot(SignPen& pen) {
  Square(pen, 5.5, 5.5, 4);
  pen.Stroke(1.25);
  Disc(pen, 5.5, 5.5, 1.75);
  pen.Fill();
}

void SignDot(SignPen& pen) {
  Disc(pen, 5.5, 5.5, 2.75);
  pen.Fill();
}

void SignRadiusDrag(SignPen& pen) {
  constexpr Pt c{4.5, 4.5};
  cairo_new_sub_path(pen.cr());
  cairo_arc(pen.cr(), c.x, c.y, 4.25, Deg(60), Deg(30) + 2 * std::numbers::pi);
  pen.Stroke();
  const Pt tip = Polar(c, 8.75, Deg(45));
  Line(pen.cr(), c, Polar(c, 6.5, Deg(45)));
  pen.Stroke(1.25);
  MoveTo(pen, tip.x, tip.y);
  LineTo(pen, tip.x - 4, tip.y);
  LineTo(pen, tip.x, tip.y - 4);
  cairo_close_path(pen.cr());
  pen.Fill();
  Disc(pen, c.x, c.y, 1.25);
  pen.Fill();
}

void SignPlus(SignPen& pen) { Plus(pen, 6, 6, 4, 2); }

void SignStraight(SignPen& pen) {
  MoveTo(pen, 1.5, 9.5);
  LineTo(pen, 9.5, 1.5);
  pen.Stroke();
  Square(pen, 1.5, 9.5, 1.5);
  Square(pen, 9.5, 1.5, 1.5);
  pen.Fill();
}

void SignOne(SignPen& pen) { Digit(pen, '1', 2.5, 1); }
void SignTwo(SignPen& pen) { Digit(pen, '2', 2.5, 1); }
void SignThree(SignPen& pen) { Digit(pen, '3', 2.5, 1); }

void SignThreeSector(SignPen& pen) {
  Digit(pen, '3', 0.5, 1);
  constexpr Pt c{6.5, 10};
  MoveTo(pen, c.x, c.y);
  cairo_arc(pen.cr(), c.x, c.y, 5.5, Deg(-90), Deg(0));
  cairo_close_path(pen.cr());
  pen.Stroke();
}

void SignStraightNoHit(SignPen& pen) {
  MoveTo(pen, 0.5, 5.5);
  LineTo(pen, 10.5, 5.5);
  MoveTo(pen, 0.5, 3);
  LineTo(pen, 0.5, 8);
  MoveTo(pen, 10.5, 3);
  LineTo(pen, 10.5, 8);
  cairo_save(pen.cr());
  cairo_set_line_cap(pen.cr(), CAIRO_LINE_CAP_SQUARE);
  pen.Stroke();
  cairo_restore(pen.cr());
}

void AnchoredBar(SignPen& pen, Pt a, Pt b) {
  Line(pen.cr(), a, b);
  pen.Stroke();
  Square(pen, a.x, a.y, 1.5);
  Square(pen, b.x, b.y, 1.5);
  pen.Fill();
}

void SignHorizontal(SignPen& pen) { AnchoredBar(pen, {1.5, 5.5}, {10.5, 5.5}); }
void SignVertical(SignPen& pen) { AnchoredBar(pen, {5.5, 1.5}, {5.5, 10.5}); }

void SignDirection(SignPen& pen) {
  MoveTo(pen, 1.5, 9.5);
  LineTo(pen, 7.5, 3.5);
  pen.Stroke();
  MoveTo(pen, 10.5, 0.5);
  LineTo(pen, 5.25, 2.25);
  LineTo(pen, 8.75, 5.75);
  cairo_close_path(pen.cr());
  pen.Fill();
  Square(pen, 1.5, 9.5, 1.5);
  pen.Fill();
}

void RotateArrow(SignPen& pen, Pt c, double r) {
  const double from = Deg(150);
  const double to = Deg(70) + 2 * std::numbers::pi;
  cairo_new_sub_path(pen.cr());
  cairo_arc(pen.cr(), c.x, c.y, r, from, to - Deg(25));
  pen.Stroke();
  const Pt tip = Polar(c, r, to);
  const Pt back = Polar(c, r, to - Deg(45));
  const Pt u = Unit(tip - back);
  const Pt side = 2.5 * Perp(u);
  const Pt base = tip - 3.5 * u;
  MoveTo(pen, tip.x, tip.y);
  LineTo(pen, base.x + side.x, base.y + side.y);
  LineTo(pen, base.x - side.x, base.y - side.y);
  cairo_close_path(pen.cr());
  pen.Fill();
}

void SignRotate(SignPen& pen) { RotateArrow(pen, {5.5, 5.5}, 4.25); }

void SignRotatePlus(SignPen& pen) {
  RotateArrow(pen, {4.5, 4.5}, 3.75);
  Plus(pen, 10.5, 10.5, 2.5, 1.25);
}

void SignError(SignPen& pen) {
  pen.UseInk(kErrorInk);
  constexpr Pt c{5.5, 5.5};
  Disc(pen, c.x, c.y, 4.75);
  pen.Stroke(1.75);
  const Pt a = Polar(c, 4.75, Deg(225));
  const Pt b = Polar(c, 4.75, Deg(45));
  Line(pen.cr(), a, b);
  pen.Stroke(1.75);
}

// The sign each cursor of the shared id table carries.
using Sign = void (*)(SignPen&);
constexpr Sign SignOf(int id) {
  switch (id) {
    case ids::kCursorMarked: return SignMarked;
    case ids::kCursorRadiusDrag: return SignRadiusDrag;
    case ids::kCursorPlus: return SignPlus;
    case ids::kCursorStraight: return SignStraight;
    case ids::kCursorFirstPoint: return SignOne;
    case ids::kCursorSecondPoint: return SignTwo;
    case ids::kCursorThirdPoint: return SignThree;
    case ids::kCursorThirdPointPie: return SignThreeSector;
    case ids::kCursorStraightNoHit: return SignStraightNoHit;
    case ids::kCursorStraightHorizontal: return SignHorizontal;
    case ids::kCursorStraightVertical: return SignVertical;
    case ids::kCursorStraightDirection: return SignDirection;
    case ids::kCursorDot: return SignDot;
    case ids::kCursorMarkedDot: return SignMarkedDot;
    case ids::kCursorRotate: return SignRotate;
    case ids::kCursorRotatePlus: return SignRotatePlus;
    case ids::kCursorCannotDraw: return SignError;
    default: return nullptr;  // the plain crosshair
  }
}

#define CORVANE_CURSOR_ART(Constant, Id, Name, Meaning) CursorArt{ids::Constant, Name, Meaning, SignOf(ids::Constant)},
constexpr CursorArt kCursors[] = {CORVANE_CURSORS(CORVANE_CURSOR_ART)};
#undef CORVANE_CURSOR_ART

}  // namespace

std::span<const CursorArt> Cursors() { return kCursors; }

void DrawCursor(Canvas& canvas, const CursorArt& cursor) {
  DrawCrosshair(canvas);
  if (cursor.sign == nullptr) return;
  cairo_t* cr = canvas.cr();
  for (bool halo_pass : {true, false}) {
    cairo_save(cr);
    cairo_translate(cr, kSignOrigin.x, kSignOrigin.y);
    SignPen pen(canvas, halo_pass);
    cursor.sign(pen);
    cairo_restore(cr);
  }
}

}  // namespace corvane::art
