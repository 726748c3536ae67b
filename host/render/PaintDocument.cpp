#include "host/render/PaintDocument.h"

#include <cmath>
#include <vector>

#include "host/render/ArtGeometry.h"
#include "host/render/CairoPath.h"

namespace host::render {

namespace {

// A mid-light neutral grey, so that the white artboard and both light and
// dark art stand out from it.
constexpr model::Rgb kPasteboard{0xd4d4, 0xd4d4, 0xd4d4};
constexpr model::Rgb kArtboard{0xffff, 0xffff, 0xffff};
constexpr model::Rgb kArtboardBorder{0x5050, 0x5050, 0x5050};
// Placed and raster art: the host has no image decoder for them, so a light
// box with its diagonals marks where the image lies.
constexpr model::Rgb kPlaceholderFill{0xeeee, 0xeeee, 0xeeee};
constexpr model::Rgb kPlaceholderLines{0x9999, 0x9999, 0x9999};
// Frames drawn by the host itself stay one pixel wide at every zoom.
constexpr double kFrameWidthPx = 1;

void Polygon(DevicePath& path, const DevicePoint* points, std::size_t count) {
  path.MoveTo(points[0]);
  for (std::size_t i = 1; i < count; ++i) path.LineTo(points[i]);
  path.Close();
}

void FillAndFrame(const Canvas& c, const DevicePath& path, model::Rgb fill, model::Rgb frame) {
  SetPath(c.cr, path, PathUse::Fill, c.width, c.height);
  SetSource(c.cr, fill);
  cairo_fill(c.cr);
  SetPath(c.cr, path, PathUse::Stroke, c.width, c.height);
  SetSource(c.cr, frame);
  cairo_set_line_width(c.cr, kFrameWidthPx);
  cairo_stroke(c.cr);
}

void PaintArtboard(const Canvas& c, const model::Rect& board, const model::View& view) {
  const DevicePoint corners[] = {ToDevice(view, {board.left, board.top}), ToDevice(view, {board.right, board.top}),
                                 ToDevice(view, {board.right, board.bottom}),
                                 ToDevice(view, {board.left, board.bottom})};
  DevicePath path;
  Polygon(path, corners, 4);
  FillAndFrame(c, path, kArtboard, kArtboardBorder);
}

void PaintPlaceholder(const Canvas& c, const model::Art& art, const model::View& view) {
  const std::array<DevicePoint, 4> corners = ImageCorners(art, view);
  DevicePath box;
  Polygon(box, corners.data(), corners.size());
  FillAndFrame(c, box, kPlaceholderFill, kPlaceholderLines);
  DevicePath diagonals;
  diagonals.MoveTo(corners[0]);
  diagonals.LineTo(corners[2]);
  diagonals.MoveTo(corners[1]);
  diagonals.LineTo(corners[3]);
  SetPath(c.cr, diagonals, PathUse::Stroke, c.width, c.height);
  cairo_stroke(c.cr);
}

// The outlines together take one paint: a compound path fills its members as
// one area, so a member inside another with the opposite direction is a hole.
void PaintOutlines(const Canvas& c, const std::vector<const model::Art*>& outlines, const model::Paint& paint,
                   const model::View& view) {
  DevicePath path;
  for (const model::Art* art : outlines) AddPathOutline(path, *art, view);
  if (paint.fill) {
    SetPath(c.cr, path, PathUse::Fill, c.width, c.height);
    cairo_set_fill_rule(c.cr, CAIRO_FILL_RULE_WINDING);
    SetSource(c.cr, *paint.fill);
    cairo_fill(c.cr);
  }
  const double widthPx = paint.strokeWidth * view.zoom;
  if (paint.stroke && std::isfinite(widthPx) && widthPx > 0) {
    SetPath(c.cr, path, PathUse::Stroke, c.width, c.height);
    cairo_set_line_width(c.cr, widthPx);
    SetSource(c.cr, *paint.stroke);
    cairo_stroke(c.cr);
  }
}

void PaintArt(const Canvas& c, const model::Document& doc, model::ArtId id, const model::View& view) {
  const model::Art& art = doc.art(id);
  if (art.hidden) return;
  switch (art.type()) {
    case model::ArtType::Group:
      // Members are kept front to back; the back one is painted first.
      for (auto it = art.children().rbegin(); it != art.children().rend(); ++it) PaintArt(c, doc, *it, view);
      return;
    case model::ArtType::Path:
      PaintOutlines(c, {&art}, art.paint, view);
      return;
    case model::ArtType::CompoundPath: {
      std::vector<const model::Art*> members;
      for (model::ArtId member : art.children())
        if (!doc.art(member).hidden) members.push_back(&doc.art(member));
      PaintOutlines(c, members, art.paint, view);
      return;
    }
    case model::ArtType::Placed:
    case model::ArtType::Raster:
      PaintPlaceholder(c, art, view);
      return;
  }
}

}  // namespace

void PaintDocument(const Canvas& canvas, const model::Document* doc, const model::View& view) {
  SetSource(canvas.cr, kPasteboard);
  cairo_paint(canvas.cr);
  if (!doc) return;
  PaintArtboard(canvas, doc->artboard(), view);
  const std::vector<model::Layer>& layers = doc->layers();
  for (auto it = layers.rbegin(); it != layers.rend(); ++it)
    if (it->visible) PaintArt(canvas, *doc, it->group, view);
}

}  // namespace host::render
