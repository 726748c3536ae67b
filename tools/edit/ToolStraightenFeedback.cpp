// The straighten tool's feedback and cursors.
#include "geometry/host/host_point.h"
#include "tools/edit/ToolStraighten.h"
#include "tools/framework/Cursors.h"
#include "tools/framework/IAnnoSurface.h"

namespace Tools {

namespace {

using geom::hostpath::ToHost;

// The dot on the anchor a dragged piece snapped to (view pixels).
constexpr int32_t kSnapDotPx = 5;

void DrawBezier(AII::IAnnoSurface& surface, const geom::Bezier& piece) {
  const geom::ControlPoints& cp = piece.Controls();
  surface.Bezier(ToHost(cp[0]), ToHost(cp[1]), ToHost(cp[2]), ToHost(cp[3]));
}

void DrawPath(AII::IAnnoSurface& surface, const geom::SegmentList& list, bool closed) {
  const int pieces = geom::CountPieces(static_cast<int>(list.size()), closed);
  for (int i = 0; i < pieces; ++i) DrawBezier(surface, geom::PieceOf(list, i));
}

}  // namespace

void ToolStraighten::DrawFeedback(AII::IAnnoSurface& surface, bool) {
  const std::optional<int32_t> state = CurrentState();
  if (!state || !pick_.valid) return;
  surface.UseLayerColorOf(pick_.art);
  if (*state == kIdle) {
    if (hoverValid_) DrawBezier(surface, hoverPiece_);
    return;
  }
  if (!InState({kPressedOnPiece, kDraggingPiece, kTurning}) || working_.empty()) return;
  DrawPath(surface, working_, closed_);
  if (*state == kDraggingPiece && snapped_ && static_cast<std::size_t>(snappedAnchor_) < working_.size())
    surface.Dot(ToHost(working_[static_cast<std::size_t>(snappedAnchor_)].p), kSnapDotPx);
}

int32_t ToolStraighten::CursorId() const {
  const std::optional<int32_t> state = CurrentState();
  if (!state || *state != kIdle) return ids::kCursorStraightNoHit;
  switch (mode_) {
    case kHorizontal: return ids::kCursorStraightHorizontal;
    case kVertical: return ids::kCursorStraightVertical;
    case kTurn: return ids::kCursorStraightDirection;
    default: return ids::kCursorStraightNoHit;
  }
}

}  // namespace Tools
