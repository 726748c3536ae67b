#include "geometry/arc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "geometry/errors.h"
#include "geometry_assertions.h"

namespace geom {
namespace {

constexpr double pi = std::numbers::pi;
constexpr double kDeg = pi / 180;

Point Polar(Point c, double r, double a) { return c + r * Point{std::cos(a), std::sin(a)}; }

TEST(ArcPiece, RunsAlongTheCircleFromStartAngleBySweep) {
  const Point c{10, -20};
  const double r = 30;
  for (double sweep : {pi / 2, -pi / 2, 0.3, -1.0, pi / 2 + 0.01}) {
    SCOPED_TRACE(sweep);
    const Bezier arc = ArcPiece(c, r, 0.7, sweep);
    EXPECT_POINT_NEAR(arc.At(0), Polar(c, r, 0.7), 1e-12);
    EXPECT_POINT_NEAR(arc.At(1), Polar(c, r, 0.7 + sweep), 1e-12);
    EXPECT_POINT_NEAR(arc.At(0.5), Polar(c, r, 0.7 + sweep / 2), 1e-12);
    EXPECT_NEAR(Distance(arc.P(0), arc.P(1)), r * 4 / 3 * std::tan(std::abs(sweep) / 4), 1e-12);
    for (double t = 0; t <= 1; t += 0.05) EXPECT_NEAR(Distance(arc.At(t), c), r, 3e-4 * r) << t;
    EXPECT_GT(Cross(arc.Derivative(0.5), c - arc.At(0.5)) * sweep, 0);  // turns towards the centre
  }
}

TEST(ArcChain, SplitsTheSweepIntoPiecesOfAtMostAQuarterTurn) {
  struct Case {
    const char* name;
    double from, to;
    ArcDirection dir;
    int pieces;
  };
  const auto ccw = ArcDirection::CounterClockwise, cw = ArcDirection::Clockwise;
  const Case cases[] = {
      {"equal angles give nothing", 1.0, 1.0, ccw, 0},
      {"exact quarter turn stays one piece", 0, pi / 2, ccw, 1},
      {"quarter turn plus 0.02 rad", 0, pi / 2 + 0.02, ccw, 2},
      {"half turn", 0, pi, ccw, 2},
      {"three quarters", 0, 3 * pi / 2, ccw, 3},
      {"full turn to 2 pi", 0, 2 * pi, ccw, 4},
      {"wraps past zero", 3 * pi / 2, pi / 4, ccw, 2},
      {"clockwise the long way", 0, pi / 2, cw, 3},
      {"clockwise quarter", pi / 2, 0, cw, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<Bezier> pieces;
    ArcChain({0, 0}, 10, c.from, c.to, c.dir, [&](const Bezier& b) { pieces.push_back(b); });
    ASSERT_EQ(static_cast<int>(pieces.size()), c.pieces);
    if (pieces.empty()) continue;
    EXPECT_POINT_NEAR(pieces.front().At(0), Polar({0, 0}, 10, c.from), 1e-12);
    EXPECT_POINT_NEAR(pieces.back().At(1), Polar({0, 0}, 10, c.to), 1e-12);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
      if (i > 0) {
        EXPECT_POINT_NEAR(pieces[i].At(0), pieces[i - 1].At(1), 1e-12);
      }
      const double turn = Cross(pieces[i].At(0), pieces[i].At(1));  // sign of the sweep
      EXPECT_EQ(turn > 0, c.dir == ccw);
    }
  }
}

TEST(ArcChain, AppendingConsumerBuildsOneAnchorPerPieceEnd) {
  SegmentList list;
  ArcChain({0, 0}, 10, 0, pi, ArcDirection::CounterClockwise, AppendTo(list, false));
  ASSERT_EQ(list.size(), 3u);
  EXPECT_SMOOTH_AT(list, 1);
  EXPECT_POINT_NEAR(list[2].p, (Point{-10, 0}), 1e-5);
}

// The properties every circle from CircleThroughPoints has.
void ExpectCircleThrough(const SegmentList& circle, Point c, const std::vector<Point>& points) {
  const double r = Distance(points.front(), c);
  std::vector<Point> sorted = points;
  std::sort(sorted.begin(), sorted.end(), [c](Point a, Point b) { return AngleOf(a - c) < AngleOf(b - c); });
  for (std::size_t k = 1; k < sorted.size(); ++k) {
    const Point want = RoundToSingle(sorted[k]);
    EXPECT_TRUE(std::any_of(circle.begin(), circle.end(), [&](const Segment& s) { return s.p == want; }))
        << "point " << k << " is not an anchor";
  }
  for (int i = 0; i < static_cast<int>(circle.size()); ++i) {
    EXPECT_SMOOTH_AT(circle, i);
    const Bezier piece = PieceOf(circle, i);
    const double sweep = NormaliseAngle(AngleOf(piece.P(3) - c) - AngleOf(piece.P(0) - c));
    EXPECT_LE(sweep, pi / 2 + 1e-5 + 1e-6) << "piece " << i;
    EXPECT_GT(Cross(piece.P(0) - c, piece.P(3) - c), -1e-9) << "piece " << i << " runs clockwise";
    EXPECT_NEAR(Distance(piece.At(0.5), c), r, 3e-4 * r + 1e-4);
  }
}

TEST(CircleThroughPoints, DiametralPointsGiveFourQuarterPieces) {
  const Point c{5, 5};
  const std::vector<Point> points = {{15, 5}, {-5, 5}};
  const SegmentList circle = CircleThroughPoints(c, points, false);
  ASSERT_EQ(circle.size(), 4u);
  EXPECT_EQ(circle[2].p, (Point{-5, 5}));  // the second piece ends exactly at the second point
  ExpectCircleThrough(circle, c, points);
}

TEST(CircleThroughPoints, PointsAt10And20And200DegreesGiveFivePieces) {
  const Point c{0, 0};
  const double r = 40;
  const std::vector<Point> points = {Polar(c, r, 10 * kDeg), Polar(c, r, 20 * kDeg), Polar(c, r, 200 * kDeg)};
  const SegmentList circle = CircleThroughPoints(c, points, false);
  ASSERT_EQ(circle.size(), 5u);
  const double anchors[] = {10, 20, 110, 200, 290};
  for (std::size_t i = 0; i < 5; ++i)
    EXPECT_POINT_NEAR(circle[i].p, Polar(c, r, anchors[i] * kDeg), 1e-5) << anchors[i];
  ExpectCircleThrough(circle, c, points);
}

TEST(CircleThroughPoints, HoldsItsPropertiesForRandomPointSets) {
  std::mt19937 rng(3);
  std::uniform_real_distribution<double> angle(0, 2 * pi), radius(1, 500);
  std::uniform_int_distribution<int> count(1, 6);
  for (int i = 0; i < 500; ++i) {
    const Point c{angle(rng) * 10, angle(rng) * 10};
    const double r = radius(rng);
    std::vector<Point> points;
    for (int k = count(rng); k > 0; --k) points.push_back(Polar(c, r, angle(rng)));
    const SegmentList circle = CircleThroughPoints(c, points, false);
    ASSERT_GE(circle.size(), 4u);
    ExpectCircleThrough(circle, c, points);
  }
}

TEST(CircleThroughPoints, SkipsRepeatedPointsAndRejectsAnEmptyList) {
  const SegmentList circle = CircleThroughPoints({0, 0}, {{0, 10}, {10, 0}, {10, 0}}, false);
  for (const Segment& s : circle) EXPECT_TRUE(std::isfinite(s.in.h) && std::isfinite(s.out.v));
  EXPECT_EQ(circle.size(), 4u);
  EXPECT_THROW(CircleThroughPoints({0, 0}, {}, false), ParameterError);
}

}  // namespace
}  // namespace geom
