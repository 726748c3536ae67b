#include "tools/arcs/ToolArcsBase.h"

#include "geometry/host/host_point.h"
#include "geometry/host/new_path_art.h"
#include "hostcall/HostCall.h"
#include "tools/framework/IAnnoSurface.h"

namespace Tools {

namespace {

using geom::hostpath::ToHost;

// The arc as path segments: smooth inner anchors; its ends exactly on the
// placed points with their outer handles retracted; for a pie wedge, corner
// ends and a corner anchor at the centre.  Empty when the arc has no pieces.
geom::SegmentList ArcSegments(const ArcGeometry& arc, bool pie) {
  geom::SegmentList list;
  ArcPieces(arc, geom::AppendTo(list, false));
  if (list.empty()) return list;
  geom::Segment& first = list.front();
  first.p = first.in = geom::RoundToSingle(arc.start);
  first.corner = pie;
  geom::Segment& last = list.back();
  last.p = last.out = geom::RoundToSingle(arc.end);
  last.corner = pie;
  if (pie) {
    const geom::Point centre = geom::RoundToSingle(arc.centre);
    list.push_back({centre, centre, centre, true});
  }
  return list;
}

}  // namespace

bool ToolArcsBase::ComputeArc() {
  arc_ = ArcOfPoints();
  return arc_.has_value();
}

// Nothing is made without an arc, or for an arc of no sweep (start and end at
// one angle), which has no pieces.
void ToolArcsBase::CreateArc() {
  if (!arc_) return;
  const geom::SegmentList segments = ArcSegments(*arc_, ctrl_);
  if (segments.empty()) return;
  geom::hostpath::NewPathArt(ai::Suites(), segments, ctrl_);
}

int32_t ToolArcsBase::ThirdPointCursor() const {
  return ctrl_ ? ids::kCursorThirdPointPie : ids::kCursorThirdPoint;
}

void ToolArcsBase::DrawFeedback(AII::IAnnoSurface& surface, bool) {
  const std::optional<int32_t> state = CurrentState();
  if (!state || *state < kDraggingSecond) return;
  surface.UseCurrentLayerColor();
  surface.PlusMark(ToHost(first_), kArcMarkPx);
  if (*state < kPlacingThird) {
    surface.Line(ToHost(first_), ToHost(second_));
    return;
  }
  surface.PlusMark(ToHost(second_), kArcMarkPx);
  DrawArc(surface);
  DrawConstruction(surface);
}

void ToolArcsBase::DrawArc(AII::IAnnoSurface& surface) {
  if (!arc_) return;
  AII::IAnnoSurface* on = &surface;
  ArcPieces(*arc_, [on](const geom::Bezier& piece) {
    on->Bezier(ToHost(piece.P(0)), ToHost(piece.P(1)), ToHost(piece.P(2)), ToHost(piece.P(3)));
  });
  surface.PlusMark(ToHost(arc_->centre), kArcMarkPx);
}

void ToolArcsBase::DrawRadii(AII::IAnnoSurface& surface) {
  if (!ctrl_ || !arc_) return;
  surface.Line(ToHost(arc_->centre), ToHost(arc_->start));
  surface.Line(ToHost(arc_->centre), ToHost(arc_->end));
}

}  // namespace Tools
