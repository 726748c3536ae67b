// The Orient tool's overlay (the axis) and its cursors.
#include "geometry/host/host_point.h"
#include "hostcall/HostCall.h"
#include "tools/edit/OrientAxis.h"
#include "tools/edit/ToolOrient2.h"
#include "tools/framework/Cursors.h"
#include "tools/framework/IAnnoSurface.h"

namespace Tools {

namespace {

using geom::hostpath::ToHost;

constexpr AIRGBColor kAxisColor{0xffff, 0, 0};
constexpr int32_t kAxisEndDotPx = 5;

}  // namespace

// The axis may have changed since the last tool event (an undo, another
// document), so the drawing reads it afresh.
void ToolOrient2::DrawAnnotation(AIAnnotatorMessage* message) {
  axis_ = orient::ReadAxis(ai::Suites());
  FSMTool::DrawAnnotation(message);
}

void ToolOrient2::DrawFeedback(AII::IAnnoSurface& surface, bool) {
  if (!axis_) return;
  surface.SetColor(kAxisColor);
  surface.Line(ToHost(axis_->start), ToHost(axis_->end));
  surface.Dot(ToHost(axis_->start), kAxisEndDotPx);
  surface.Dot(ToHost(axis_->end), kAxisEndDotPx);
}

int32_t ToolOrient2::CursorId() const {
  const std::optional<int32_t> state = CurrentState();
  const int32_t rotate = alt_ ? ids::kCursorRotatePlus : ids::kCursorRotate;
  if (!state) return ids::kCursorClear;
  if (*state == kPressedOnEnd || *state == kDraggingEnd) return rotate;
  if (*state != kIdle) return ids::kCursorClear;
  if (nearEnd_) return rotate;
  return alt_ ? ids::kCursorStraight : ids::kCursorClear;
}

}  // namespace Tools
