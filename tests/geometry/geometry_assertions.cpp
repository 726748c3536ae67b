#include "geometry_assertions.h"

#include "geometry/arc.h"

namespace geom::testing {

SegmentList CirclePath(Point centre, double r) {
  return CircleThroughPoints(centre, {centre + Point{r, 0}}, false);
}

SegmentList Polyline(const std::vector<Point>& anchors) {
  SegmentList list;
  for (Point p : anchors) list.push_back({p, p, p, true});
  return list;
}

}  // namespace geom::testing
