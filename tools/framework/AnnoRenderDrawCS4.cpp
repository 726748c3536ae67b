#include "tools/framework/AnnoRenderDrawCS4.h"

#include "hostcall/Error.h"
#include "tools/framework/ViewOffset.h"

namespace AII {

void AnnoRenderDrawCS4::LineView(AIPoint a, AIPoint b) { ai::Check(Drawer().DrawLine(drawer_, &a, &b)); }

void AnnoRenderDrawCS4::Line(AIRealPoint a, AIRealPoint b) { LineView(ToView(a), ToView(b)); }

void AnnoRenderDrawCS4::Circle(AIRealPoint centre, double radius) {
  const AIRect rect = CircleRect(centre, radius);
  ai::Check(Drawer().DrawEllipse(drawer_, &rect, false));
}

void AnnoRenderDrawCS4::Bezier(AIRealPoint p0, AIRealPoint p1, AIRealPoint p2, AIRealPoint p3) {
  const AIPoint v0 = ToView(p0), v1 = ToView(p1), v2 = ToView(p2), v3 = ToView(p3);
  ai::Check(Drawer().DrawBezier(drawer_, &v0, &v1, &v2, &v3));
}

void AnnoRenderDrawCS4::PlusMark(AIRealPoint p, int32_t halfSizePx) {
  const AIPoint c = ToView(p);
  const int64_t a = halfSizePx;
  LineView(OffsetView(c, -a, 0), OffsetView(c, a, 0));
  LineView(OffsetView(c, 0, -a), OffsetView(c, 0, a));
}

void AnnoRenderDrawCS4::CrossMark(AIRealPoint p, int32_t halfSizePx) {
  const AIPoint c = ToView(p);
  const int64_t a = halfSizePx;
  LineView(OffsetView(c, -a, -a), OffsetView(c, a, a));
  LineView(OffsetView(c, -a, a), OffsetView(c, a, -a));
}

void AnnoRenderDrawCS4::Dot(AIRealPoint p, int32_t radiusPx) {
  const AIPoint c = ToView(p);
  const int64_t r = radiusPx;
  const AIRect square{OffsetView(c.h, -r), OffsetView(c.v, -r), OffsetView(c.h, r), OffsetView(c.v, r)};
  ai::Check(Drawer().DrawEllipse(drawer_, &square, true));
}

void AnnoRenderDrawCS4::Arrowhead(AIRealPoint tip, AIRealPoint towards, int32_t baseWidthPx, int32_t lengthPx) {
  const auto [t, c1, c2] = ArrowheadPoints(tip, towards, baseWidthPx, lengthPx);
  // Closed explicitly: the outline returns to the tip.
  const AIPoint outline[] = {t, c1, c2, t};
  ai::Check(Drawer().DrawPolygon(drawer_, outline, 4, false));
}

void AnnoRenderDrawCS4::Text(AIPoint at, const char* text) { ai::Check(Drawer().DrawText(drawer_, text, &at)); }

void AnnoRenderDrawCS4::SetColor(const AIRGBColor& color) { ai::Check(Drawer().SetColor(drawer_, &color)); }

void AnnoRenderDrawCS4::UseCurrentLayerColor() {
  AILayerHandle layer = nullptr;
  if (suites().Layer().GetCurrentLayer(&layer) != kNoErr) return;
  UseColorOfLayer(layer);
}

void AnnoRenderDrawCS4::UseLayerColorOf(AIArtHandle art) {
  AILayerHandle layer = nullptr;
  if (suites().Art().GetLayerOfArt(art, &layer) != kNoErr) return;
  UseColorOfLayer(layer);
}

void AnnoRenderDrawCS4::UseColorOfLayer(AILayerHandle layer) {
  AIRGBColor color{};
  if (suites().Layer().GetLayerColor(layer, &color) != kNoErr) return;
  SetColor(color);
}

void AnnoRenderDrawCS4::Prepare() {
  ai::Check(Drawer().SetDrawingMode(drawer_, true, true));
  ai::Check(Drawer().SetLineWidth(drawer_, kLineWidth));
}

}  // namespace AII
