// The measuring surface: draws nothing and collects the bounding box, in view
// pixels, of everything the same calls would draw on the drawing surface.
// Colours are ignored and the host is asked only for conversions.
#pragma once

#include "tools/framework/AnnoRenderBase.h"

namespace AII {

class AnnoRenderArea final : public AnnoRenderBase {
 public:
  using AnnoRenderBase::AnnoRenderBase;

  void LineView(AIPoint a, AIPoint b) override;
  void Line(AIRealPoint a, AIRealPoint b) override;
  void Circle(AIRealPoint centre, double radius) override;
  void Bezier(AIRealPoint p0, AIRealPoint p1, AIRealPoint p2, AIRealPoint p3) override;
  void PlusMark(AIRealPoint p, int32_t halfSizePx) override;
  void CrossMark(AIRealPoint p, int32_t halfSizePx) override;
  void Dot(AIRealPoint p, int32_t radiusPx) override;
  void Arrowhead(AIRealPoint tip, AIRealPoint towards, int32_t baseWidthPx, int32_t lengthPx) override;
  void Text(AIPoint at, const char* text) override;
  void SetColor(const AIRGBColor&) override {}
  void UseCurrentLayerColor() override {}
  void UseLayerColorOf(AIArtHandle) override {}

  bool hasMin() const noexcept { return hasMin_; }
  bool hasMax() const noexcept { return hasMax_; }
  // Meaningful only when both flags are set.
  AIRect box() const noexcept { return {minX_, minY_, maxX_, maxY_}; }

 private:
  void Add(AIPoint p) noexcept;
  void AddSquare(AIRealPoint p, int32_t halfSizePx);

  int32_t minX_ = 0, minY_ = 0, maxX_ = 0, maxY_ = 0;
  bool hasMin_ = false, hasMax_ = false;
};

// Text is measured without knowing its width or font: from the anchor to this
// far above it, out to the right edge of the view.
constexpr int32_t kTextHeightPx = 20;

}  // namespace AII
