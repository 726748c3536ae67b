#include "tools/framework/AnnoRenderArea.h"

#include <algorithm>

#include "hostcall/Error.h"
#include "tools/framework/ViewOffset.h"

namespace AII {

void AnnoRenderArea::LineView(AIPoint a, AIPoint b) {
  Add(a);
  Add(b);
}

void AnnoRenderArea::Line(AIRealPoint a, AIRealPoint b) { LineView(ToView(a), ToView(b)); }

void AnnoRenderArea::Circle(AIRealPoint centre, double radius) {
  const AIRect rect = CircleRect(centre, radius);
  Add({rect.left, rect.top});
  Add({rect.right, rect.bottom});
}

void AnnoRenderArea::Bezier(AIRealPoint p0, AIRealPoint p1, AIRealPoint p2, AIRealPoint p3) {
  // A cubic piece lies inside the hull of its control points.
  for (const AIRealPoint& p : {p0, p1, p2, p3}) Add(ToView(p));
}

void AnnoRenderArea::PlusMark(AIRealPoint p, int32_t halfSizePx) { AddSquare(p, halfSizePx); }

void AnnoRenderArea::CrossMark(AIRealPoint p, int32_t halfSizePx) { AddSquare(p, halfSizePx); }

void AnnoRenderArea::Dot(AIRealPoint p, int32_t radiusPx) { AddSquare(p, radiusPx); }

void AnnoRenderArea::Arrowhead(AIRealPoint tip, AIRealPoint towards, int32_t baseWidthPx, int32_t lengthPx) {
  for (const AIPoint& p : ArrowheadPoints(tip, towards, baseWidthPx, lengthPx)) Add(p);
}

void AnnoRenderArea::Text(AIPoint at, const char*) {
  AIRect pixels{};
  ai::Check(suites().DocumentView().GetDocumentViewPixelBounds(view(), &pixels));
  Add(at);
  Add({pixels.right, OffsetView(at.v, -int64_t{kTextHeightPx})});
}

void AnnoRenderArea::Add(AIPoint p) noexcept {
  minX_ = hasMin_ ? std::min(minX_, p.h) : p.h;
  minY_ = hasMin_ ? std::min(minY_, p.v) : p.v;
  maxX_ = hasMax_ ? std::max(maxX_, p.h) : p.h;
  maxY_ = hasMax_ ? std::max(maxY_, p.v) : p.v;
  hasMin_ = hasMax_ = true;
}

// The ends of a plus mark's strokes, the corners of a cross mark and of a
// dot's square all span the same square around the point.
void AnnoRenderArea::AddSquare(AIRealPoint p, int32_t halfSizePx) {
  const AIPoint c = ToView(p);
  Add(OffsetView(c, -int64_t{halfSizePx}, -int64_t{halfSizePx}));
  Add(OffsetView(c, halfSizePx, halfSizePx));
}

}  // namespace AII
