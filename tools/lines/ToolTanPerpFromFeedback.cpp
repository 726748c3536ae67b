// The feedback and cursors of the lines drawn from a path.
#include "geometry/host/host_point.h"
#include "geometry/unit_text.h"
#include "hostcall/HostCall.h"
#include "tools/framework/Cursors.h"
#include "tools/framework/DocumentQueries.h"
#include "tools/framework/IAnnoSurface.h"
#include "tools/lines/ToolTanPerpFrom.h"

namespace Tools {

namespace {

using geom::hostpath::ToHost;

// View pixels: the two dots that mark where the anchor goes in.
constexpr int32_t kAnchorDotOuterPx = 5;
constexpr int32_t kAnchorDotInnerPx = 4;
// View pixels: the length label sits this far right of and above the cursor.
constexpr int32_t kLabelRightPx = 5;
constexpr int32_t kLabelUpPx = 10;

}  // namespace

// The label's text has no say in the measured area (text is measured to the
// view's edge), so measuring leaves it empty and asks the host nothing more.
void ToolTanPerpFrom::DrawFeedback(AII::IAnnoSurface& surface, bool measuring) {
  if (!InState({kDraggingLine, kPlacingEnd}) || !valid_) return;
  surface.UseCurrentLayerColor();
  surface.Line(ToHost(LineStart()), ToHost(end_));
  if (!keepPath_) {
    surface.Dot(ToHost(start_), kAnchorDotOuterPx);
    surface.Dot(ToHost(start_), kAnchorDotInnerPx);
  }
  const AIPoint cursor = surface.ToView(ToHost(cursor_));
  const AIPoint at{cursor.h + kLabelRightPx, cursor.v - kLabelUpPx};
  if (measuring) return surface.Text(at, "");
  const geom::UnitCode unit = CurrentUnitCode(ai::Suites());
  const geom::ValueText label =
      geom::FormatValue(geom::Distance(start_, end_), geom::kLabelMaxLength, unit, geom::kLabelPrecision, true);
  surface.UseCurrentLayerColor();
  surface.Text(at, label.text);
}

int32_t ToolTanPerpFrom::CursorId() const {
  const std::optional<int32_t> state = CurrentState();
  if (!state) return ids::kCursorClear;
  switch (*state) {
    case kIdle:
    case kPressedOnPath:
      if (!CanCreateArtNow()) return ids::kCursorCannotDraw;
      if (pick_.valid) return keepPath_ ? ids::kCursorMarked : ids::kCursorMarkedDot;
      return keepPath_ ? ids::kCursorClear : ids::kCursorDot;
    case kBlocked: return ids::kCursorCannotDraw;
    default: return keepPath_ ? ids::kCursorClear : ids::kCursorDot;
  }
}

}  // namespace Tools
