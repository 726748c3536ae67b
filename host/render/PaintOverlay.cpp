#include "host/render/PaintOverlay.h"

#include <cmath>

#include "host/render/ArtGeometry.h"
#include "host/render/CairoPath.h"
#include "host/render/FontCaches.h"
#include "host/render/FontFamily.h"
#include "host/render/Utf8.h"

namespace host::render {

namespace {

// Calls made without the overlay mode were not asked to cover the artwork at
// full opacity; half lets the artwork show through.
constexpr double kUnderlayOpacity = 0.5;
// A zero width asks for the thinnest line, which is one pixel.
constexpr double kHairlineWidthPx = 1;
// A plain small label size, the size hosts use for on-canvas measurements.
constexpr double kTextSizePx = 11;
constexpr const char* kTextFamily = "sans-serif";
// Texts anchored farther than this outside the view cannot reach into it;
// they are left out because cairo places glyphs in fixed point too.
constexpr double kTextReachPx = 1 << 16;

void ApplyState(const Canvas& c, const DrawCall& call) {
  SetSource(c.cr, call.color, call.overlay ? 1 : kUnderlayOpacity);
  cairo_set_line_width(c.cr, call.width > 0 ? call.width : kHairlineWidthPx);
  cairo_set_antialias(c.cr, call.antialiased ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
}

void Draw(const Canvas& c, const DevicePath& path, bool fill) {
  SetPath(c.cr, path, fill ? PathUse::Fill : PathUse::Stroke, c.width, c.height);
  if (fill)
    cairo_fill(c.cr);
  else
    cairo_stroke(c.cr);
}

void DrawLine(const Canvas& c, const DrawCall& call) {
  if (call.points.size() != 2) return;
  DevicePath path;
  path.MoveTo(PixelCentre(call.points[0]));
  path.LineTo(PixelCentre(call.points[1]));
  Draw(c, path, false);
}

void DrawPolygon(const Canvas& c, const DrawCall& call) {
  if (call.points.size() < 2) return;
  DevicePath path;
  path.MoveTo(PixelCentre(call.points[0]));
  for (std::size_t i = 1; i < call.points.size(); ++i) path.LineTo(PixelCentre(call.points[i]));
  path.Close();
  Draw(c, path, call.fill);
}

void DrawEllipse(const Canvas& c, const DrawCall& call) {
  DevicePath path;
  AddEllipse(path, PixelCentre({call.rect.left, call.rect.top}), PixelCentre({call.rect.right, call.rect.bottom}));
  Draw(c, path, call.fill);
}

void DrawBezier(const Canvas& c, const DrawCall& call) {
  if (call.points.size() != 4) return;
  DevicePath path;
  path.MoveTo(PixelCentre(call.points[0]));
  path.CurveTo(PixelCentre(call.points[1]), PixelCentre(call.points[2]), PixelCentre(call.points[3]));
  Draw(c, path, false);
}

void DrawText(const Canvas& c, const DrawCall& call) {
  if (call.points.size() != 1) return;
  const AIPoint at = call.points[0];
  if (at.h < -kTextReachPx || at.v < -kTextReachPx || at.h > c.width + kTextReachPx ||
      at.v > c.height + kTextReachPx)
    return;
  ReleaseFontCachesAtExit();
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, call.antialiased ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
  cairo_set_font_options(c.cr, options);
  cairo_font_options_destroy(options);
  const std::string utf8 = WellFormedUtf8(call.text);
  cairo_select_font_face(c.cr, FontFamilyFor(utf8, kTextFamily).c_str(), CAIRO_FONT_SLANT_NORMAL,
                         CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(c.cr, kTextSizePx);
  // The baseline runs along the bottom edge of the anchor's pixel row, so the
  // glyphs stand on that row.
  cairo_new_path(c.cr);
  cairo_move_to(c.cr, at.h, at.v + 1.0);
  cairo_show_text(c.cr, utf8.c_str());
}

void Replay(const Canvas& c, const DrawCall& call) {
  switch (call.kind) {
    case DrawCall::Kind::SetColor:
    case DrawCall::Kind::SetLineWidth:
    case DrawCall::Kind::SetDrawingMode:
      return;
    case DrawCall::Kind::Line:
      return DrawLine(c, call);
    case DrawCall::Kind::Polygon:
      return DrawPolygon(c, call);
    case DrawCall::Kind::Ellipse:
      return DrawEllipse(c, call);
    case DrawCall::Kind::Bezier:
      return DrawBezier(c, call);
    case DrawCall::Kind::Text:
      return DrawText(c, call);
  }
}

}  // namespace

void PaintOverlay(const Canvas& canvas, std::span<const DrawCall> calls) {
  cairo_save(canvas.cr);
  cairo_set_line_cap(canvas.cr, CAIRO_LINE_CAP_SQUARE);
  cairo_set_line_join(canvas.cr, CAIRO_LINE_JOIN_MITER);
  for (const DrawCall& call : calls) {
    ApplyState(canvas, call);
    Replay(canvas, call);
  }
  cairo_restore(canvas.cr);
}

}  // namespace host::render
