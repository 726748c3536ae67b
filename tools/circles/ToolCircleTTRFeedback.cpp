// The tangent circle's feedback and cursors.
#include "geometry/host/host_point.h"
#include "geometry/unit_text.h"
#include "hostcall/HostCall.h"
#include "tools/circles/CircleFeedback.h"
#include "tools/circles/ToolCircleTTR.h"
#include "tools/framework/Cursors.h"
#include "tools/framework/DocumentQueries.h"
#include "tools/framework/IAnnoSurface.h"
#include "tools/framework/ViewOffset.h"

namespace Tools {

namespace {

using geom::hostpath::ToHost;

// The marker at a pick: strokes along and across the path (artwork units)
// and a dot (view pixels).
constexpr double kPickAlong = 20;
constexpr double kPickAcross = 10;
constexpr int32_t kPickDotPx = 3;
constexpr int32_t kPickInnerDotPx = 2;

}  // namespace

// Nothing while the options dialog is open: the document shows its preview.
void ToolCircleTTR::DrawFeedback(AII::IAnnoSurface& surface, bool measuring) {
  const std::optional<int32_t> state = CurrentState();
  if (dialogOpen_ || !state) return;
  surface.UseCurrentLayerColor();
  DrawPickMarker(surface, first_);
  DrawPickMarker(surface, second_);
  if (first_.valid && InState({kFirstClicked, kDraggingToSecond}))
    surface.Line(ToHost(first_.hitPoint), ToHost(cursor_));
  if (*state == kDraggingRadius) {
    surface.Line(ToHost(second_.hitPoint), ToHost(dragCursor_));
    const AIPoint at = AII::OffsetView(surface.ToView(ToHost(dragCursor_)), kLabelOffsetPx, -int64_t{kLabelOffsetPx});
    // Text is measured to the view's edge whatever it says.
    if (measuring) {
      surface.Text(at, "");
    } else {
      const geom::UnitCode unit = CurrentUnitCode(ai::Suites());
      surface.Text(at, geom::FormatValue(dragRadius_, geom::kLabelMaxLength, unit, geom::kLabelPrecision, true).text);
    }
  }
  if (!solution_.valid) return;
  surface.Circle(ToHost(solution_.centre), solution_.radius);
  surface.PlusMark(ToHost(solution_.centre), kCircleMarkPx);
}

// Along the path's tangent at the pick; a pick whose tangent cannot be read
// (its path gone, a retracted handle) shows nothing.
void ToolCircleTTR::DrawPickMarker(AII::IAnnoSurface& surface, const geom::hostpath::PathPick& pick) {
  if (!pick.valid) return;
  const std::optional<geom::hostpath::PathFrame> frame = geom::hostpath::PickFrame(ai::Suites(), pick);
  if (!frame) return;
  surface.PathMarker(ToHost(frame->point), ToHost(frame->tangent), kPickDotPx, kPickAlong, kPickAcross);
  surface.Dot(ToHost(frame->point), kPickInnerDotPx);
}

int32_t ToolCircleTTR::CursorId() const {
  const std::optional<int32_t> state = CurrentState();
  if (!state) return ids::kCursorClear;
  switch (*state) {
    case kIdle: return first_.valid ? ids::kCursorMarked : ids::kCursorClear;
    case kBlocked:
    case kBlockedSecond: return ids::kCursorCannotDraw;
    case kFirstClicked:
    case kDraggingToSecond: return second_.valid ? ids::kCursorMarked : ids::kCursorClear;
    case kDraggingRadius: return ids::kCursorRadiusDrag;
    default: return ids::kCursorClear;
  }
}

}  // namespace Tools
