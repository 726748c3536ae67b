#include "geometry/arc.h"

#include <algorithm>
#include <cmath>

#include "geometry/errors.h"

namespace geom {

namespace {

constexpr double kQuarterTurn = std::numbers::pi / 2;

Point Rotate(Point p, double angle) {
  const double c = std::cos(angle), s = std::sin(angle);
  return {p.h * c - p.v * s, p.h * s + p.v * c};
}

}  // namespace

Bezier ArcPiece(Point c, double r, double a0, double s) {
  const double theta = s / 2;
  const double e = std::cos(theta), f = std::sin(theta);
  const double mid = a0 + theta;
  const double l = (4 - e) / 3;
  const double g = (1 - e) * (3 - e) / (3 * f);
  return Bezier(c + r * Rotate({e, -f}, mid), c + r * Rotate({l, -g}, mid), c + r * Rotate({l, g}, mid),
                c + r * Rotate({e, f}, mid));
}

PieceConsumer AppendTo(SegmentList& list, bool corner) {
  return [&list, corner](const Bezier& piece) { AppendPiece(list, piece, corner); };
}

void ArcChain(Point c, double r, double from, double to, ArcDirection direction, const PieceConsumer& consume) {
  from = NormaliseAngle(from);
  to = NormaliseAngle(to);
  double sweep;
  if (direction == ArcDirection::CounterClockwise) {
    if (from > to) to += kTwoPi;
    sweep = to - from;
  } else {
    if (from < to) from += kTwoPi;
    sweep = to - from;  // negative: clockwise
  }
  const double n = std::ceil(std::abs(sweep) / (kQuarterTurn + tol::kArcChainQuarterMargin));
  if (!(n >= 1)) return;
  const double step = sweep / n;
  for (int i = 0; i < static_cast<int>(n); ++i) consume(ArcPiece(c, r, from + i * step, step));
}

namespace {

struct AngledPoint {
  double angle;
  Point p;
};

std::vector<AngledPoint> SortedByAngle(Point c, const std::vector<Point>& points) {
  std::vector<AngledPoint> sorted;
  sorted.reserve(points.size());
  for (Point p : points) sorted.push_back({AngleOf(p - c), p});
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const AngledPoint& x, const AngledPoint& y) { return x.angle < y.angle; });
  return sorted;
}

// The closing anchor coincides with the first: it hands its in-handle over and goes.
void CloseCircle(SegmentList& list) {
  list.front().in = list.back().in;
  list.pop_back();
}

}  // namespace

SegmentList CircleThroughPoints(Point c, const std::vector<Point>& points, bool corner) {
  if (points.empty()) throw ParameterError("a circle needs at least one point");
  const double r = Distance(points.front(), c);
  const std::vector<AngledPoint> sorted = SortedByAngle(c, points);
  const std::size_t k = sorted.size();
  SegmentList list;
  double m = sorted[0].angle;
  double remaining = kTwoPi;
  std::size_t i = 1;
  auto emit = [&](Bezier piece, double startAngle) {
    if (startAngle < tol::kCircleAngleAtZero) piece.SetControlPoint(0, sorted[0].p);
    AppendPiece(list, piece, corner);
  };
  while (remaining >= tol::kCircleSweepDone) {
    const double quarter = m + kQuarterTurn;
    if (i < k && sorted[i].angle - quarter <= tol::kCircleQuarterSlack) {
      const double sweep = std::min(NormaliseAngle(sorted[i].angle - m), remaining);
      if (sweep > 0) {
        Bezier piece = ArcPiece(c, r, m, sweep);
        piece.SetControlPoint(3, sorted[i].p);
        emit(piece, m);
      }
      m = sorted[i].angle;
      ++i;
      remaining -= sweep;
    } else {
      const double sweep = std::min(NormaliseAngle(quarter - m), remaining);
      emit(ArcPiece(c, r, m, sweep), m);
      remaining -= sweep;
      m = NormaliseAngle(quarter);
    }
  }
  CloseCircle(list);
  return list;
}

}  // namespace geom
