#include "tools/arcs/ArcFromPoints.h"

#include "geometry/construction.h"

namespace Tools {

std::optional<ArcGeometry> ArcThroughThreePoints(geom::Point p1, geom::Point p2, geom::Point p3) {
  const std::optional<geom::Circle> circle = geom::Circumcircle(p1, p2, p3);
  if (!circle) return std::nullopt;
  // p3 lies on the arc that turns from p1 towards p2 the way p3 turns from the chord.
  const bool ccw = geom::Cross(p3 - p1, p2 - p1) >= 0;
  return ArcGeometry{p1, p2, circle->centre, ccw};
}

std::optional<ArcGeometry> ArcLeavingAlong(geom::Point s, geom::Point e, geom::Point towards) {
  const geom::Point v = towards - s;
  const geom::ImplicitLine normalAtStart{v.h, v.v, -geom::Dot(v, s)};
  const geom::Point chord = e - s;
  const geom::Point mid = (s + e) / 2;
  const geom::ImplicitLine bisector{chord.h, chord.v, -geom::Dot(chord, mid)};
  const std::optional<geom::Point> centre = geom::IntersectLines(normalAtStart, bisector);
  if (!centre) return std::nullopt;
  return ArcGeometry{s, e, *centre, geom::Cross(v, chord) >= 0};
}

void ArcPieces(const ArcGeometry& arc, const geom::PieceConsumer& consume) {
  const double radius = geom::Distance(arc.start, arc.centre);
  const auto direction = arc.counterClockwise ? geom::ArcDirection::CounterClockwise : geom::ArcDirection::Clockwise;
  geom::ArcChain(arc.centre, radius, geom::AngleOf(arc.start - arc.centre), geom::AngleOf(arc.end - arc.centre),
                 direction, consume);
}

}  // namespace Tools
