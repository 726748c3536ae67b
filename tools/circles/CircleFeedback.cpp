#include "tools/circles/CircleFeedback.h"

#include <cstdio>

#include "geometry/host/host_point.h"
#include "geometry/unit_text.h"
#include "hostcall/HostCall.h"
#include "tools/framework/DocumentQueries.h"
#include "tools/framework/IAnnoSurface.h"
#include "tools/framework/ViewOffset.h"

namespace Tools {

void DrawLengthLabel(AII::IAnnoSurface& surface, geom::Point beside, double lengthPt, bool measuring,
                     const char* prefix) {
  const AIPoint at = AII::OffsetView(surface.ToView(geom::hostpath::ToHost(beside)), kLabelOffsetPx,
                                     -int64_t{kLabelOffsetPx});
  if (measuring) return surface.Text(at, "");
  const geom::ValueText value = geom::FormatValue(lengthPt, geom::kLabelMaxLength, CurrentUnitCode(ai::Suites()),
                                                  geom::kLabelPrecision, true);
  // Fixed storage: labels are drawn on every pass and must not allocate.
  char label[geom::kValueTextCapacity + 32];
  std::snprintf(label, sizeof label, "%s%s", prefix, value.text);
  surface.Text(at, label);
}

}  // namespace Tools
