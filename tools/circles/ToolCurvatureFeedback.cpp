// The curvature circle's feedback and cursors.
#include <cmath>
#include <cstdio>

#include "geometry/host/host_point.h"
#include "geometry/unit_text.h"
#include "hostcall/HostCall.h"
#include "tools/circles/CircleFeedback.h"
#include "tools/circles/ToolCurvature.h"
#include "tools/framework/Cursors.h"
#include "tools/framework/DocumentQueries.h"
#include "tools/framework/IAnnoSurface.h"
#include "tools/framework/ViewOffset.h"

namespace Tools {

namespace {

using geom::hostpath::ToHost;

// "半径: " in the platform encoding (GBK).
constexpr const char* kRadiusLabel = "\xb0\xeb\xbe\xb6: ";

}  // namespace

// The circle (unless too large to draw) and the radius label beside the
// point on the path; nothing where no circle fits.
void ToolCurvature::DrawFeedback(AII::IAnnoSurface& surface, bool measuring) {
  const std::optional<Fit> fit = FitAtPick();
  if (!fit) return;
  surface.UseCurrentLayerColor();
  const double radius = std::abs(fit->circle.radius);
  if (radius < kMaxCurvatureRadius) surface.Circle(ToHost(fit->circle.centre), radius);
  const AIPoint at = AII::OffsetView(surface.ToView(ToHost(fit->point)), kLabelOffsetPx, -int64_t{kLabelOffsetPx});
  // Text is measured to the view's edge whatever it says.
  if (measuring) return surface.Text(at, "");
  const geom::ValueText value = geom::FormatValue(radius, geom::kLabelMaxLength, CurrentUnitCode(ai::Suites()),
                                                  geom::kLabelPrecision, true);
  char label[geom::kValueTextCapacity + 8];
  std::snprintf(label, sizeof label, "%s%s", kRadiusLabel, value.text);
  surface.Text(at, label);
}

int32_t ToolCurvature::CursorId() const { return pick_.valid ? ids::kCursorMarked : ids::kCursorClear; }

}  // namespace Tools
