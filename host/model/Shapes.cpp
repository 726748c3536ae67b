#include "host/model/Shapes.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace host::model {

std::vector<Segment> OvalSegments(Point a, Point b, bool reversed) {
  const Point c{(a.h + b.h) / 2, (a.v + b.v) / 2};
  const double rx = std::abs(b.h - a.h) / 2, ry = std::abs(b.v - a.v) / 2;
  const double kx = kEllipseKappa * rx, ky = kEllipseKappa * ry;
  auto smooth = [](Point p, Point in, Point out) { return Segment{p, in, out, false, kSegmentNotSelected}; };
  std::vector<Segment> s = {
      smooth({c.h - rx, c.v}, {c.h - rx, c.v - ky}, {c.h - rx, c.v + ky}),  // left
      smooth({c.h, c.v + ry}, {c.h - kx, c.v + ry}, {c.h + kx, c.v + ry}),  // top
      smooth({c.h + rx, c.v}, {c.h + rx, c.v + ky}, {c.h + rx, c.v - ky}),  // right
      smooth({c.h, c.v - ry}, {c.h + kx, c.v - ry}, {c.h - kx, c.v - ry}),  // bottom
  };
  if (reversed) {
    std::reverse(s.begin() + 1, s.end());
    for (Segment& seg : s) std::swap(seg.in, seg.out);
  }
  return s;
}

}  // namespace host::model
