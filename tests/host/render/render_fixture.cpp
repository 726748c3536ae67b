#include "render_fixture.h"

#include <cstdlib>
#include <sstream>

namespace host::render::test {

namespace {

std::string Describe(Rgba c) {
  std::ostringstream s;
  s << "rgba(" << int{c.r} << ", " << int{c.g} << ", " << int{c.b} << ", " << int{c.a} << ")";
  return s.str();
}

int Difference(Rgba a, Rgba b) {
  return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b), std::abs(a.a - b.a)});
}

model::ArtId AddClosedPath(model::Document& doc, model::Placement where, std::initializer_list<model::Point> points,
                           model::Rgb fill) {
  const model::ArtId id = doc.NewArt(model::ArtType::Path, where);
  model::Art& art = doc.art(id);
  for (model::Point p : points) art.segments.push_back({p, p, p, true, kSegmentNotSelected});
  art.closed = true;
  art.paint = model::Paint{fill, std::nullopt, 1};
  return id;
}

}  // namespace

Rgba Opaque(model::Rgb c) {
  return {static_cast<uint8_t>(c.red >> 8), static_cast<uint8_t>(c.green >> 8), static_cast<uint8_t>(c.blue >> 8),
          255};
}

AIRGBColor Sdk(model::Rgb c) { return model::ToSdk(c); }

model::View MakeView(int width, int height, double zoom, model::Point origin) {
  model::View v;
  v.width = width;
  v.height = height;
  v.zoom = zoom;
  v.origin = origin;
  return v;
}

model::Document OneLayerDocument() {
  model::Document doc;
  doc.AddLayer("Layer 1");
  doc.SetArtboard({0, 200, 200, 0});
  return doc;
}

model::ArtId FrontLayerGroup(const model::Document& doc) { return doc.layers().front().group; }

model::ArtId AddRectangle(model::Document& doc, model::ArtId container, const model::Rect& r, model::Rgb fill) {
  return AddRectangleAt(doc, {kPlaceInsideOnTop, container}, r, fill);
}

model::ArtId AddRectangleAt(model::Document& doc, model::Placement where, const model::Rect& r, model::Rgb fill) {
  return AddClosedPath(doc, where, {{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}},
                       fill);
}

model::ArtId AddRectangleReversed(model::Document& doc, model::ArtId container, const model::Rect& r,
                                  model::Rgb fill) {
  return AddClosedPath(doc, {kPlaceInsideOnTop, container}, {{r.left, r.top}, {r.left, r.bottom}, {r.right, r.bottom}, {r.right, r.top}},
                       fill);
}

Picture Render(const model::Document* doc, const model::View& view, std::span<const DrawCall> overlay,
               const RenderOptions& options) {
  Snapshot s;
  s.document = doc;
  s.view = view;
  s.overlay = overlay;
  return RenderView(s, options);
}

testing::AssertionResult PixelIs(const Picture& picture, int x, int y, Rgba expected, int tolerance) {
  const Rgba got = picture.At(x, y);
  if (Difference(got, expected) <= tolerance) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << Describe(got) << ", expected "
                                     << Describe(expected);
}

testing::AssertionResult PixelIsNot(const Picture& picture, int x, int y, Rgba unexpected) {
  constexpr int kSameWithin = 8;
  const Rgba got = picture.At(x, y);
  if (Difference(got, unexpected) > kSameWithin) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << Describe(got)
                                     << ", expected anything else";
}

}  // namespace host::render::test
