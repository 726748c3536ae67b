// The tangent circle's feedback and cursors.
#include "geometry/host/host_point.h"
#include "tools/circles/CircleFeedback.h"
#include "tools/circles/ToolCircleTTR.h"
#include "tools/framework/Cursors.h"
#include "tools/framework/IAnnoSurface.h"

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
  DrawPickMarker(surface, firstFrame_);
  DrawPickMarker(surface, secondFrame_);
  if (first_.valid && InState({kFirstClicked, kDraggingToSecond}))
    surface.Line(ToHost(first_.hitPoint), ToHost(cursor_));
  if (*state == kDraggingRadius) {
    surface.Line(ToHost(second_.hitPoint), ToHost(dragCursor_));
    DrawLengthLabel(surface, dragCursor_, dragRadius_, measuring);
  }
  if (!solution_.valid) return;
  surface.Circle(ToHost(solution_.centre), solution_.radius);
  surface.PlusMark(ToHost(solution_.centre), kCircleMarkPx);
}

// Along the path's tangent at the pick; a pick whose tangent cannot be read
// (its path gone, a retracted handle) shows nothing.
void ToolCircleTTR::DrawPickMarker(AII::IAnnoSurface& surface, const std::optional<geom::hostpath::PathFrame>& frame) {
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
