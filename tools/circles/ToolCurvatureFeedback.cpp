// The curvature circle's feedback and cursors.
#include <cmath>

#include "geometry/host/host_point.h"
#include "tools/circles/CircleFeedback.h"
#include "tools/circles/ToolCurvature.h"
#include "tools/framework/Cursors.h"
#include "tools/framework/IAnnoSurface.h"

namespace Tools {

namespace {

using geom::hostpath::ToHost;

// "半径: " in the platform encoding (GBK).
constexpr const char* kRadiusLabel = "\xb0\xeb\xbe\xb6: ";

}  // namespace

// The circle (unless too large to draw) and the radius label beside the
// point on the path; nothing where no circle fits.
void ToolCurvature::DrawFeedback(AII::IAnnoSurface& surface, bool measuring) {
  if (!fit_) return;
  surface.UseCurrentLayerColor();
  const double radius = std::abs(fit_->circle.radius);
  if (radius < kMaxCurvatureRadius) surface.Circle(ToHost(fit_->circle.centre), radius);
  DrawLengthLabel(surface, fit_->point, radius, measuring, kRadiusLabel);
}

int32_t ToolCurvature::CursorId() const { return pick_.valid ? ids::kCursorMarked : ids::kCursorClear; }

}  // namespace Tools
