// The connect tool's feedback and cursors.
#include "geometry/host/host_point.h"
#include "tools/edit/ToolJoin.h"
#include "tools/framework/Cursors.h"
#include "tools/framework/IAnnoSurface.h"

namespace Tools {

namespace {

using geom::hostpath::ToHost;

// The handle: arrowheads at the axes' far ends, dots where the cursor stands
// on each axis (view pixels).
constexpr int32_t kArrowBasePx = 4;
constexpr int32_t kArrowLengthPx = 10;
constexpr int32_t kAxisDotPx = 2;

}  // namespace

void ToolJoin::DrawFeedback(AII::IAnnoSurface& surface, bool) {
  const std::optional<int32_t> state = CurrentState();
  if (!state) return;
  surface.UseCurrentLayerColor();
  if (InState({kSeeking, kDraggingFromFirst}) && connectionCount_ <= 0 && first_.valid)
    surface.Line(ToHost(first_.hitPoint), ToHost(cursor_));
  if (*state == kAdjusting) DrawHandle(surface);
  for (int32_t i = 0; i < connectionCount_ && i < kMaxConnectionPieces; ++i) {
    const geom::ControlPoints& cp = connection_[static_cast<std::size_t>(i)].Controls();
    surface.Bezier(ToHost(cp[0]), ToHost(cp[1]), ToHost(cp[2]), ToHost(cp[3]));
  }
}

void ToolJoin::DrawHandle(AII::IAnnoSurface& surface) {
  const geom::Point c = centre_, v = chordAxis_, w = crossAxis_;
  surface.Line(ToHost(c - v), ToHost(c + v));
  surface.Line(ToHost(c - w), ToHost(c + w));
  surface.Arrowhead(ToHost(c + v), ToHost(c), kArrowBasePx, kArrowLengthPx);
  surface.Arrowhead(ToHost(c + w), ToHost(c), kArrowBasePx, kArrowLengthPx);
  surface.Dot(ToHost(c + w * crossRatio_), kAxisDotPx);
  surface.Dot(ToHost(c + v * chordRatio_), kAxisDotPx);
}

int32_t ToolJoin::CursorId() const {
  const std::optional<int32_t> state = CurrentState();
  if (!state) return ids::kCursorClear;
  switch (*state) {
    case kIdle: return first_.valid ? ids::kCursorMarked : ids::kCursorClear;
    case kPressedOnNothing:
    case kPressedOnNothingSeeking: return ids::kCursorCannotDraw;
    case kSeeking:
    case kDraggingFromFirst: return second_.valid ? ids::kCursorMarked : ids::kCursorClear;
    default: return ids::kCursorClear;
  }
}

}  // namespace Tools
