// The preview and cursors of the lines from a point to a path.
#include "geometry/host/host_point.h"
#include "hostcall/HostCall.h"
#include "tools/framework/Cursors.h"
#include "tools/framework/DocumentQueries.h"
#include "tools/framework/IAnnoSurface.h"
#include "tools/lines/LineFeedback.h"
#include "tools/lines/ToolTPLineToBase.h"

namespace Tools {

using geom::hostpath::ToHost;

// While the path is looked for: the line from the start point to the contact with a marker
// along the path there, or the rubber line to the cursor.
void ToolTPLineToBase::DrawFeedback(AII::IAnnoSurface& surface, bool) {
  if (!InState({kDragging, kStartPlaced})) return;
  surface.UseCurrentLayerColor();
  if (!contactArt_) return surface.Line(ToHost(start_), ToHost(cursor_));
  surface.Line(ToHost(start_), ToHost(contactPoint_));
  surface.PathMarker(ToHost(contactPoint_), ToHost(contactTangent_), kContactDotPx, kContactAlong, kContactAcross);
}

// The dot marks that the path will get an anchor; Alt (keep the path) shows the plain signs.
int32_t ToolTPLineToBase::CursorId() const {
  const std::optional<int32_t> state = CurrentState();
  if (!state) return ids::kCursorClear;
  switch (*state) {
    case kIdle:
    case kPressedAtStart:
      if (!CanCreateArt(ai::Suites())) return ids::kCursorCannotDraw;
      return keepPath_ ? ids::kCursorClear : ids::kCursorDot;
    case kBlocked: return ids::kCursorCannotDraw;
    case kDragging:
    case kStartPlaced:
      if (pick_.valid) return keepPath_ ? ids::kCursorMarked : ids::kCursorMarkedDot;
      return keepPath_ ? ids::kCursorClear : ids::kCursorDot;
    default: return ids::kCursorClear;
  }
}

}  // namespace Tools
