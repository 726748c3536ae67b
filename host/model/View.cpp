#include "host/model/View.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "host/core/HostError.h"

namespace host::model {

namespace {

int32_t RoundPixel(double x) {
  constexpr double kLimit = std::numeric_limits<int32_t>::max();
  // Far off-screen artwork saturates instead of overflowing the pixel type.
  return static_cast<int32_t>(std::clamp(std::floor(x + 0.5), -kLimit, kLimit));
}

}  // namespace

AIPoint View::ToView(Point art) const {
  return {RoundPixel((art.h - origin.h) * zoom), RoundPixel((origin.v - art.v) * zoom)};
}

Point View::ToArtwork(AIPoint view) const { return {origin.h + view.h / zoom, origin.v - view.v / zoom}; }

Rect View::Bounds() const {
  return {origin.h, origin.v, origin.h + width / zoom, origin.v - height / zoom};
}

void View::CenterOn(const Rect& r) {
  origin = {(r.left + r.right) / 2 - width / 2.0 / zoom, (r.top + r.bottom) / 2 + height / 2.0 / zoom};
}

double ValidZoom(double zoom) {
  if (!std::isfinite(zoom) || zoom <= 0) throw HostError(kBadParameterErr, "zoom must be a positive number");
  return std::clamp(zoom, kMinZoom, kMaxZoom);
}

}  // namespace host::model
