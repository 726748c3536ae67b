// What both overlay surfaces share: the suite set and view they work on, the
// conversion of artwork points to view pixels, and the operations made of
// other operations (the path marker) or of one shared construction (the
// arrowhead's corners).
#pragma once

#include <array>

#include "hostcall/SuiteSet.h"
#include "tools/framework/IAnnoSurface.h"

namespace AII {

class AnnoRenderBase : public IAnnoSurface {
 public:
  AnnoRenderBase(ai::SuiteSet& suites, AIDocumentViewHandle view) noexcept : suites_(suites), view_(view) {}
  AnnoRenderBase(const AnnoRenderBase&) = delete;
  AnnoRenderBase& operator=(const AnnoRenderBase&) = delete;

  void PathMarker(AIRealPoint p, AIRealPoint direction, int32_t dotRadiusPx, double along, double across) override;
  AIPoint ToView(AIRealPoint p) override;
  double Zoom() override;

 protected:
  ~AnnoRenderBase() = default;

  ai::SuiteSet& suites() const noexcept { return suites_; }
  AIDocumentViewHandle view() const noexcept { return view_; }
  // Tip, then the two corners of the base, in view pixels.
  std::array<AIPoint, 3> ArrowheadPoints(AIRealPoint tip, AIRealPoint towards, int32_t baseWidthPx, int32_t lengthPx);
  // The view rectangle spanned by the corners centre - (r, r) and centre + (r, r).
  AIRect CircleRect(AIRealPoint centre, double radius);

 private:
  ai::SuiteSet& suites_;
  AIDocumentViewHandle view_;
};

// The current document view (index 0); Error with the host's code on failure.
AIDocumentViewHandle CurrentView(ai::SuiteSet& suites);

// The view pixel of an artwork point: each coordinate rounded to single
// precision, then converted by the host.  Error with the host's code.
AIPoint ArtworkToView(ai::SuiteSet& suites, AIDocumentViewHandle view, AIRealPoint p);

}  // namespace AII
