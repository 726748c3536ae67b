#include "tools/edit/StraightenEdits.h"

#include <cmath>
#include <utility>

namespace Tools::StraightenExtra {

namespace {

using geom::Point;
using geom::RoundToSingle;

// pt^2.  A handle vector shorter than this gives no direction; the next
// control point is asked instead.
constexpr double kShortDirectionSquared = 1e-10;
// Directions the 45-degree steps snap to, per turn.
constexpr double kStepsPerTurn = 8;

bool Inside(const geom::SegmentList& list, int i) { return list.size() >= 2 && i >= 0 && i < int(list.size()); }

std::size_t Wrap(const geom::SegmentList& list, int i) {
  const int n = static_cast<int>(list.size());
  return static_cast<std::size_t>(((i % n) + n) % n);
}

Point Rotate(Point p, Point about, double angle) {
  const Point d = p - about;
  const double c = std::cos(angle), s = std::sin(angle);
  return RoundToSingle(about + Point{c * d.h - s * d.v, s * d.h + c * d.v});
}

// The first of the vectors that is long enough to have a direction.
Point FirstDirection(Point a, Point b, Point c) {
  if (geom::LengthSquared(a) >= kShortDirectionSquared) return a;
  if (geom::LengthSquared(b) >= kShortDirectionSquared) return b;
  return c;
}

}  // namespace

void LevelPiece(geom::SegmentList& list, int i, Level level, bool keepCurve, Point target) {
  if (!Inside(list, i)) return;
  geom::Segment& s = list[Wrap(list, i)];
  geom::Segment& e = list[Wrap(list, i + 1)];
  Point newS = s.p, newE = e.p;
  if (level == Level::Horizontal)
    newS.v = newE.v = target.v;
  else
    newS.h = newE.h = target.h;
  const Point ds = newS - s.p, de = newE - e.p;
  s.p = RoundToSingle(newS);
  e.p = RoundToSingle(newE);
  s.in = RoundToSingle(s.in + ds);
  e.out = RoundToSingle(e.out + de);
  if (keepCurve) {
    s.out = RoundToSingle(s.out + ds);
    e.in = RoundToSingle(e.in + de);
    return;
  }
  s.out = s.p;
  e.in = e.p;
  s.corner = e.corner = true;
}

void TurnPiece(geom::SegmentList& list, int pivot, bool following, Point towards, TurnOptions options) {
  if (!Inside(list, pivot)) return;
  geom::Segment& p = list[Wrap(list, pivot)];
  geom::Segment& o = list[Wrap(list, following ? pivot + 1 : pivot - 1)];
  // Turned round, "out" of the pivot points along the piece towards o.
  const auto turnRound = [&] {
    if (following) return;
    std::swap(p.in, p.out);
    std::swap(o.in, o.out);
  };
  turnRound();
  const double from = geom::AngleOf(o.p - p.p);
  double to = geom::AngleOf(towards - p.p);
  if (options.fortyFive) to = std::floor(kStepsPerTurn * to / geom::kTwoPi + 0.5) * geom::kTwoPi / kStepsPerTurn;
  const double by = to - from;
  o.p = Rotate(o.p, p.p, by);
  o.in = Rotate(o.in, p.p, by);
  o.out = Rotate(o.out, p.p, by);
  p.out = Rotate(p.out, p.p, by);
  if (p.corner || options.leaveOther)
    p.corner = true;
  else
    p.in = Rotate(p.in, p.p, by);
  if (!options.keepCurve) {
    p.corner = o.corner = true;
    p.out = p.p;
    o.in = o.p;
  }
  turnRound();
}

bool TurnsFollowingPiece(const geom::SegmentList& list, bool closed, int pivot, Point drag) {
  const int n = static_cast<int>(list.size());
  if (!closed && pivot == 0) return true;
  if (!closed && pivot == n - 1) return false;
  if (!Inside(list, pivot)) return true;
  const geom::Bezier after = geom::PieceOf(list, static_cast<int>(Wrap(list, pivot)));
  const geom::Bezier before = geom::PieceOf(list, static_cast<int>(Wrap(list, pivot - 1)));
  const Point out = FirstDirection(after.P(1) - after.P(0), after.P(2) - after.P(0), after.P(3) - after.P(0));
  const Point in = FirstDirection(before.P(3) - before.P(2), before.P(3) - before.P(1), before.P(3) - before.P(0));
  const Point d = geom::Unit(drag);
  return geom::Dot(d, geom::Unit(out)) > geom::Dot(d, -geom::Unit(in));
}

}  // namespace Tools::StraightenExtra
