#include "host/render/PaintCursor.h"

#include <string>

#include "host/render/ArtGeometry.h"
#include "host/render/CairoPath.h"
#include "sdk/CorvanePlatform.h"

namespace host::render {

namespace {

constexpr model::Rgb kInk{0, 0, 0};
constexpr model::Rgb kRim{0xffff, 0xffff, 0xffff};
// Shapes are drawn one pixel wide and rimmed by one pixel on each side.
constexpr double kInkWidthPx = 1;
constexpr double kRimWidthPx = 3;
// The classic arrow, its tip at (0, 0), in pixels from the hot pixel's
// top-left corner.  The upper edge runs a little flatter than 45 degrees so
// that the hot pixel's centre lies inside the arrow, not on its edge.
constexpr DevicePoint kArrow[] = {{0, 0}, {0, 16}, {4, 12}, {7, 18}, {9, 17}, {6, 11}, {12, 11}};
// Reach of the line shapes from the hot pixel, in pixels.
constexpr double kCrosshairArmPx = 10;
constexpr double kBeamHalfHeightPx = 8;
constexpr double kBeamSerifPx = 3;
constexpr double kNoSignRadiusPx = 7;
constexpr double kHourglassHalfWidthPx = 5;
constexpr double kHourglassHalfHeightPx = 8;

void Ink(const Canvas& c, const DevicePath& path, bool filled) {
  SetPath(c.cr, path, PathUse::Stroke, c.width, c.height);
  SetSource(c.cr, kRim);
  cairo_set_line_width(c.cr, filled ? 2 * kInkWidthPx : kRimWidthPx);
  cairo_stroke(c.cr);
  SetPath(c.cr, path, filled ? PathUse::Fill : PathUse::Stroke, c.width, c.height);
  SetSource(c.cr, kInk);
  cairo_set_line_width(c.cr, kInkWidthPx);
  if (filled)
    cairo_fill(c.cr);
  else
    cairo_stroke(c.cr);
}

void Arrow(const Canvas& c, AIPoint at) {
  DevicePath path;
  const DevicePoint tip{static_cast<double>(at.h), static_cast<double>(at.v)};
  for (const DevicePoint& p : kArrow) {
    const DevicePoint q{tip.x + p.x, tip.y + p.y};
    if (&p == kArrow)
      path.MoveTo(q);
    else
      path.LineTo(q);
  }
  path.Close();
  Ink(c, path, true);
}

void Line(DevicePath& path, DevicePoint o, double x0, double y0, double x1, double y1) {
  path.MoveTo({o.x + x0, o.y + y0});
  path.LineTo({o.x + x1, o.y + y1});
}

void Crosshair(const Canvas& c, DevicePoint o) {
  DevicePath path;
  Line(path, o, -kCrosshairArmPx, 0, kCrosshairArmPx, 0);
  Line(path, o, 0, -kCrosshairArmPx, 0, kCrosshairArmPx);
  Ink(c, path, false);
}

void TextBeam(const Canvas& c, DevicePoint o) {
  DevicePath path;
  Line(path, o, 0, -kBeamHalfHeightPx, 0, kBeamHalfHeightPx);
  Line(path, o, -kBeamSerifPx, -kBeamHalfHeightPx, kBeamSerifPx, -kBeamHalfHeightPx);
  Line(path, o, -kBeamSerifPx, kBeamHalfHeightPx, kBeamSerifPx, kBeamHalfHeightPx);
  Ink(c, path, false);
}

void NoSign(const Canvas& c, DevicePoint o) {
  DevicePath path;
  const double r = kNoSignRadiusPx;
  AddEllipse(path, {o.x - r, o.y - r}, {o.x + r, o.y + r});
  const double d = r * 0.7071067811865476;  // the slash ends on the circle at 45 degrees
  Line(path, o, -d, -d, d, d);
  Ink(c, path, false);
}

void Hourglass(const Canvas& c, DevicePoint o) {
  const double w = kHourglassHalfWidthPx, h = kHourglassHalfHeightPx;
  DevicePath path;
  path.MoveTo({o.x - w, o.y - h});
  path.LineTo({o.x + w, o.y - h});
  path.LineTo({o.x, o.y});
  path.Close();
  path.MoveTo({o.x - w, o.y + h});
  path.LineTo({o.x + w, o.y + h});
  path.LineTo({o.x, o.y});
  path.Close();
  Ink(c, path, true);
}

void SystemCursor(const Canvas& c, int32_t id, AIPoint at) {
  const DevicePoint centre = PixelCentre(at);
  switch (id) {
    case kPlatformCursorCrosshair:
      return Crosshair(c, centre);
    case kPlatformCursorTextBeam:
      return TextBeam(c, centre);
    case kPlatformCursorNo:
      return NoSign(c, centre);
    case kPlatformCursorWait:
      return Hourglass(c, centre);
    default:
      return Arrow(c, at);
  }
}

uint32_t Premultiplied(const uint8_t* rgba) {
  const uint32_t a = rgba[3];
  auto channel = [&](uint8_t v) { return (v * a + 127) / 255; };
  return a << 24 | channel(rgba[0]) << 16 | channel(rgba[1]) << 8 | channel(rgba[2]);
}

void ImageCursor(const Canvas& c, const CursorState& cursor, AIPoint at) {
  const auto pixels = static_cast<std::size_t>(cursor.width) * static_cast<std::size_t>(cursor.height);
  if (cursor.width <= 0 || cursor.height <= 0 || cursor.rgba.size() != pixels * 4)
    throw HostError(kBadParameterErr, "cursor image '" + cursor.name + "' has " + std::to_string(cursor.rgba.size()) +
                                          " bytes for " + std::to_string(cursor.width) + " x " +
                                          std::to_string(cursor.height) + " pixels");
  const int64_t left = int64_t{at.h} - cursor.hotX, top = int64_t{at.v} - cursor.hotY;
  // Off the view entirely: placing it would only push cairo past its range.
  if (left >= c.width || top >= c.height || left + cursor.width <= 0 || top + cursor.height <= 0) return;
  SurfacePtr image(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cursor.width, cursor.height));
  if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS)
    throw HostError(kOutOfMemoryErr, "cannot hold the cursor image '" + cursor.name + "'");
  cairo_surface_flush(image.get());
  unsigned char* data = cairo_image_surface_get_data(image.get());
  const int stride = cairo_image_surface_get_stride(image.get());
  for (int y = 0; y < cursor.height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < cursor.width; ++x)
      row[x] = Premultiplied(&cursor.rgba[(static_cast<std::size_t>(y) * cursor.width + x) * 4]);
  }
  cairo_surface_mark_dirty(image.get());
  cairo_set_source_surface(c.cr, image.get(), static_cast<double>(left), static_cast<double>(top));
  cairo_paint(c.cr);
}

}  // namespace

void PaintCursor(const Canvas& canvas, const CursorState& cursor, AIPoint at) {
  cairo_save(canvas.cr);
  cairo_set_antialias(canvas.cr, CAIRO_ANTIALIAS_NONE);
  cairo_set_line_cap(canvas.cr, CAIRO_LINE_CAP_SQUARE);
  switch (cursor.kind) {
    case CursorState::Kind::Image:
      ImageCursor(canvas, cursor, at);
      break;
    case CursorState::Kind::System:
      SystemCursor(canvas, cursor.systemId, at);
      break;
    case CursorState::Kind::Unset:
      Arrow(canvas, at);
      break;
  }
  cairo_restore(canvas.cr);
}

}  // namespace host::render
