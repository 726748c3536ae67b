// The circle tool's feedback and cursors.
#include "geometry/construction.h"
#include "geometry/host/host_point.h"
#include "hostcall/HostCall.h"
#include "tools/circles/CircleFeedback.h"
#include "tools/circles/ToolCircle23.h"
#include "tools/framework/Cursors.h"
#include "tools/framework/DocumentQueries.h"
#include "tools/framework/IAnnoSurface.h"

namespace Tools {

namespace {

using geom::hostpath::ToHost;

int32_t IfCanCreate(int32_t cursor) {
  return CanCreateArt(ai::Suites()) ? cursor : ids::kCursorCannotDraw;
}

}  // namespace

void ToolCircle23::DrawFeedback(AII::IAnnoSurface& surface, bool measuring) {
  const std::optional<int32_t> state = CurrentState();
  // Nothing is shown until a first point has been placed or dragged from.
  if (!state || *state < kDraggingDiameter) return;
  surface.UseCurrentLayerColor();
  if (*state == kDraggingThird)
    DrawThreePoints(surface);
  else
    DrawDiameter(surface, measuring);
}

void ToolCircle23::DrawDiameter(AII::IAnnoSurface& surface, bool measuring) {
  surface.PlusMark(ToHost(first_), kCircleMarkPx);
  const std::optional<geom::Point> centre = DiameterCentre(first_, second_);
  if (!centre) return;
  const double radius = geom::Distance(first_, *centre);
  surface.Circle(ToHost(*centre), radius);
  surface.PlusMark(ToHost(*centre), kCircleMarkPx);
  surface.Line(ToHost(first_), ToHost(second_));
  DrawLengthLabel(surface, second_, 2 * radius, measuring);
}

void ToolCircle23::DrawThreePoints(AII::IAnnoSurface& surface) {
  surface.PlusMark(ToHost(first_), kCircleMarkPx);
  const std::optional<geom::Circle> circle = geom::Circumcircle(first_, second_, third_);
  if (!circle) return;
  surface.Circle(ToHost(circle->centre), circle->radius);
  surface.PlusMark(ToHost(circle->centre), kCircleMarkPx);
  surface.PlusMark(ToHost(second_), kCircleMarkPx);
}

int32_t ToolCircle23::CursorId() const {
  const std::optional<int32_t> state = CurrentState();
  if (!state) return ids::kCursorClear;
  switch (*state) {
    case kIdle: return IfCanCreate(ids::kCursorFirstPoint);
    case kBlocked: return ids::kCursorCannotDraw;
    case kFirstPressed: return ids::kCursorFirstPoint;
    case kDraggingDiameter:
    case kSecondPressed: return ids::kCursorSecondPoint;
    case kFirstPlaced: return IfCanCreate(ids::kCursorSecondPoint);
    case kDraggingThird: return ids::kCursorThirdPoint;
    default: return ids::kCursorClear;
  }
}

}  // namespace Tools
