// The feedback and cursors of the lines to two paths.
#include "geometry/host/host_point.h"
#include "tools/framework/Cursors.h"
#include "tools/framework/IAnnoSurface.h"
#include "tools/lines/LineFeedback.h"
#include "tools/lines/ToolLineTPBase.h"

namespace Tools {

using geom::hostpath::ToHost;

// While the second path is looked for: the rubber line from the first pick to the cursor, or
// the line found with a marker along the path at each contact.
void ToolLineTPBase::DrawFeedback(AII::IAnnoSurface& surface, bool) {
  if (!InState({kDragging, kFirstChosen})) return;
  surface.UseCurrentLayerColor();
  if (!contact1_ || !contact2_) return surface.Line(ToHost(first_.hitPoint), ToHost(cursor_));
  surface.Line(ToHost(contact1_->point), ToHost(contact2_->point));
  for (const Contact* c : {&*contact1_, &*contact2_})
    surface.PathMarker(ToHost(c->point), ToHost(c->tangent), kContactDotPx, kContactAlong, kContactAcross);
}

// The marked crosshair when a path is under the cursor; without the dot when Alt keeps the
// paths untouched.
int32_t ToolLineTPBase::CursorId() const {
  const std::optional<int32_t> state = CurrentState();
  if (!state) return ids::kCursorClear;
  const auto pickCursor = [this](bool picked) {
    if (picked) return keepPaths_ ? ids::kCursorMarked : ids::kCursorMarkedDot;
    return keepPaths_ ? ids::kCursorClear : ids::kCursorDot;
  };
  switch (*state) {
    case kIdle: return pickCursor(first_.valid);
    case kDragging:
    case kFirstChosen: return pickCursor(second_.valid);
    case kPressedOnNothing:
    case kPressedOnNothingSecond: return ids::kCursorCannotDraw;
    case kPressedOnFirst:
    case kPressedOnSecond: return pickCursor(false);
    default: return ids::kCursorClear;
  }
}

}  // namespace Tools
