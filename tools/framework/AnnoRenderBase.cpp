#include "tools/framework/AnnoRenderBase.h"

#include <algorithm>

#include "hostcall/Error.h"
#include "geometry/host/host_point.h"

namespace AII {

using geom::hostpath::FromHost;
using geom::hostpath::ToHost;

void AnnoRenderBase::PathMarker(AIRealPoint p, AIRealPoint direction, int32_t dotRadiusPx, double along,
                                double across) {
  const geom::Point at = FromHost(p);
  const geom::Point u = geom::Unit(FromHost(direction));
  const geom::Point n = geom::TurnLeft(u);
  Line(ToHost(at - along * u), ToHost(at + along * u));
  Line(ToHost(at - across * n), ToHost(at + across * n));
  Dot(p, dotRadiusPx);
}

AIPoint AnnoRenderBase::ToView(AIRealPoint p) { return ArtworkToView(suites_, view_, p); }

double AnnoRenderBase::Zoom() {
  double zoom = 1;
  ai::Check(suites_.DocumentView().GetDocumentViewZoom(view_, &zoom));
  return zoom;
}

std::array<AIPoint, 3> AnnoRenderBase::ArrowheadPoints(AIRealPoint tip, AIRealPoint towards, int32_t baseWidthPx,
                                                       int32_t lengthPx) {
  const double zoom = Zoom();
  const geom::Point t = FromHost(tip);
  const geom::Point u = geom::Unit(FromHost(towards) - t);
  const geom::Point baseCentre = t + (lengthPx / zoom) * u;
  const geom::Point halfBase = (baseWidthPx / (2 * zoom)) * geom::TurnLeft(u);
  return {ToView(tip), ToView(ToHost(baseCentre + halfBase)), ToView(ToHost(baseCentre - halfBase))};
}

AIRect AnnoRenderBase::CircleRect(AIRealPoint centre, double radius) {
  const AIPoint a = ToView({centre.h - radius, centre.v - radius});
  const AIPoint b = ToView({centre.h + radius, centre.v + radius});
  // y points up in the artwork and down in the view, so the corners swap.
  return {std::min(a.h, b.h), std::min(a.v, b.v), std::max(a.h, b.h), std::max(a.v, b.v)};
}

AIDocumentViewHandle CurrentView(ai::SuiteSet& suites) {
  AIDocumentViewHandle view = nullptr;
  ai::Check(suites.DocumentView().GetNthDocumentView(0, &view));
  return view;
}

AIPoint ArtworkToView(ai::SuiteSet& suites, AIDocumentViewHandle view, AIRealPoint p) {
  const AIRealPoint rounded = ToHost(geom::RoundToSingle(FromHost(p)));
  AIPoint out{};
  ai::Check(suites.DocumentView().ArtworkPointToViewPoint(view, &rounded, &out));
  return out;
}

}  // namespace AII
