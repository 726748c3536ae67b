#include "host/render/PaintSelection.h"

#include <cmath>

#include "host/model/Selection.h"
#include "host/render/ArtGeometry.h"
#include "host/render/CairoPath.h"

namespace host::render {

namespace {

// Selection marks keep their size in pixels at every zoom.
constexpr double kOutlineWidthPx = 1;
// Odd, so the square is centred on the anchor's pixel.
constexpr double kAnchorSidePx = 5;
constexpr model::Rgb kHollowAnchorInside{0xffff, 0xffff, 0xffff};

void StrokeOutline(const Canvas& c, const DevicePath& path, model::Rgb color) {
  SetPath(c.cr, path, PathUse::Stroke, c.width, c.height);
  SetSource(c.cr, color);
  cairo_set_line_width(c.cr, kOutlineWidthPx);
  cairo_stroke(c.cr);
}

void PaintAnchor(const Canvas& c, DevicePoint at, bool selected, model::Rgb color) {
  // Snapped to the centre of the anchor's pixel, so the square's edges are crisp.
  const DevicePoint centre{std::floor(at.x) + 0.5, std::floor(at.y) + 0.5};
  const double half = kAnchorSidePx / 2;
  cairo_save(c.cr);
  cairo_set_antialias(c.cr, CAIRO_ANTIALIAS_NONE);
  DevicePath square;
  square.MoveTo({centre.x - half, centre.y - half});
  square.LineTo({centre.x + half, centre.y - half});
  square.LineTo({centre.x + half, centre.y + half});
  square.LineTo({centre.x - half, centre.y + half});
  square.Close();
  SetPath(c.cr, square, PathUse::Fill, c.width, c.height);
  SetSource(c.cr, selected ? color : kHollowAnchorInside);
  cairo_fill(c.cr);
  // The frame runs on the pixel centres just inside the square.
  DevicePath frame;
  frame.MoveTo({centre.x - half + 0.5, centre.y - half + 0.5});
  frame.LineTo({centre.x + half - 0.5, centre.y - half + 0.5});
  frame.LineTo({centre.x + half - 0.5, centre.y + half - 0.5});
  frame.LineTo({centre.x - half + 0.5, centre.y + half - 0.5});
  frame.Close();
  StrokeOutline(c, frame, color);
  cairo_restore(c.cr);
}

void MarkPath(const Canvas& c, const model::Art& path, const model::View& view, model::Rgb color) {
  DevicePath outline;
  AddPathOutline(outline, path, view);
  StrokeOutline(c, outline, color);
  for (const model::Segment& s : path.segments)
    PaintAnchor(c, ToDevice(view, s.p), s.selection == kSegmentPointSelected, color);
}

void MarkImage(const Canvas& c, const model::Art& art, const model::View& view, model::Rgb color) {
  const std::array<DevicePoint, 4> corners = ImageCorners(art, view);
  DevicePath box;
  box.MoveTo(corners[0]);
  for (std::size_t i = 1; i < corners.size(); ++i) box.LineTo(corners[i]);
  box.Close();
  StrokeOutline(c, box, color);
}

void Mark(const Canvas& c, const model::Document& doc, model::ArtId id, const model::View& view,
          model::Rgb color) {
  const model::Art& art = doc.art(id);
  if (art.hidden) return;
  switch (art.type()) {
    case model::ArtType::Group:
    case model::ArtType::CompoundPath:
      for (model::ArtId member : art.children()) Mark(c, doc, member, view, color);
      return;
    case model::ArtType::Path:
      if (model::IsSelected(doc, id)) MarkPath(c, art, view, color);
      return;
    case model::ArtType::Placed:
    case model::ArtType::Raster:
      if (art.selected) MarkImage(c, art, view, color);
      return;
  }
}

}  // namespace

void PaintSelection(const Canvas& canvas, const model::Document& doc, const model::View& view) {
  for (const model::Layer& layer : doc.layers())
    if (layer.visible) Mark(canvas, doc, layer.group, view, layer.color);
}

}  // namespace host::render
