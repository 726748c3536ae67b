// The drawing surface: every operation becomes calls of the host's annotation
// drawer of the "AI Draw" message being handled.  A drawer call the host
// refuses ends the pass with its Error.
#pragma once

#include "tools/framework/AnnoRenderBase.h"

namespace AII {

class AnnoRenderDrawCS4 final : public AnnoRenderBase {
 public:
  AnnoRenderDrawCS4(ai::SuiteSet& suites, AIDocumentViewHandle view, AIAnnotatorDrawer* drawer) noexcept
      : AnnoRenderBase(suites, view), drawer_(drawer) {}

  void LineView(AIPoint a, AIPoint b) override;
  void Line(AIRealPoint a, AIRealPoint b) override;
  void Circle(AIRealPoint centre, double radius) override;
  void Bezier(AIRealPoint p0, AIRealPoint p1, AIRealPoint p2, AIRealPoint p3) override;
  void PlusMark(AIRealPoint p, int32_t halfSizePx) override;
  void CrossMark(AIRealPoint p, int32_t halfSizePx) override;
  void Dot(AIRealPoint p, int32_t radiusPx) override;
  void Arrowhead(AIRealPoint tip, AIRealPoint towards, int32_t baseWidthPx, int32_t lengthPx) override;
  void Text(AIPoint at, const char* text) override;
  void SetColor(const AIRGBColor& color) override;
  void UseCurrentLayerColor() override;
  void UseLayerColorOf(AIArtHandle art) override;

  // The drawing set-up of every pass: antialiased overlay drawing, lines of
  // kLineWidth.
  void Prepare();

 private:
  const AIAnnotatorDrawerSuite& Drawer() const { return suites().AnnotatorDrawer(); }
  void UseColorOfLayer(AILayerHandle layer);

  AIAnnotatorDrawer* drawer_;
};

// Feedback lines are drawn this wide (view pixels).
constexpr double kLineWidth = 1.5;

}  // namespace AII
