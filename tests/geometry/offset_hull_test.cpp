#include "geometry/offset_hull.h"

#include <gtest/gtest.h>

#include <random>

#include "geometry_assertions.h"

namespace geom {
namespace {

using testing::Line;

TEST(ConvexHull, IsCounterClockwiseFromTheLowestPointWithoutInnerPoints) {
  struct Case {
    const char* name;
    ControlPoints points;
    std::vector<Point> hull;
  };
  const Case cases[] = {
      {"square", {Point{4, 4}, Point{0, 4}, Point{0, 0}, Point{4, 0}}, {{0, 0}, {4, 0}, {4, 4}, {0, 4}}},
      {"inner point dropped", {Point{0, 0}, Point{1, 1}, Point{4, 0}, Point{2, 4}}, {{0, 0}, {4, 0}, {2, 4}}},
      {"point on an edge dropped", {Point{0, 0}, Point{2, 0}, Point{4, 0}, Point{2, 3}}, {{0, 0}, {4, 0}, {2, 3}}},
      {"lowest tie broken by h", {Point{3, 0}, Point{1, 0}, Point{2, 5}, Point{2, 1}}, {{1, 0}, {3, 0}, {2, 5}}},
      {"coincident points", {Point{1, 1}, Point{1, 1}, Point{5, 1}, Point{3, 4}}, {{1, 1}, {5, 1}, {3, 4}}},
  };
  for (const Case& c : cases) EXPECT_EQ(ConvexHull(c.points), c.hull) << c.name;
}

TEST(OffsetPolygon, GrowsTheHullByTheRadiusWithCutCorners) {
  const Bezier curved({0, 0}, {10, 0}, {10, 10}, {0, 10});
  const std::vector<LineSegment> polygon = OffsetPolygon(curved, 2);
  ASSERT_EQ(polygon.size(), 8u);  // 4 hull vertices, 2 segments each
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    EXPECT_POINT_NEAR(polygon[i].b, polygon[(i + 1) % polygon.size()].a, 1e-12);  // closed chain
  }
  EXPECT_POINT_NEAR(polygon[0].a, (Point{0, -2}), 1e-12);  // lowest vertex moved out along the right normal
  const std::vector<LineSegment> straight = OffsetPolygon(Line({0, 0}, {10, 0}), 3);
  ASSERT_EQ(straight.size(), 2u);
  EXPECT_POINT_NEAR(straight[0].a, (Point{0, -3}), 1e-12);
  EXPECT_POINT_NEAR(straight[1].a, (Point{10, 3}), 1e-12);
}

TEST(SegmentsIntersect, NeedsACrossingWithinBothSegments) {
  EXPECT_TRUE(SegmentsIntersect({{0, 0}, {2, 2}}, {{0, 2}, {2, 0}}));
  EXPECT_FALSE(SegmentsIntersect({{0, 0}, {1, 1}}, {{3, 0}, {2, 1}}));       // lines cross beyond both
  EXPECT_FALSE(SegmentsIntersect({{0, 0}, {2, 0}}, {{0, 1}, {2, 1}}));       // parallel
  EXPECT_TRUE(SegmentsIntersect({{0, 0}, {2, 0}}, {{1, 1e-8}, {1, 5}}));     // within the slack of 1e-7
  EXPECT_FALSE(SegmentsIntersect({{0, 0}, {2, 0}}, {{1, 1e-6}, {1, 5}}));
}

TEST(MayMeet, RejectsPairsThatNoCircleOfTheRadiusCanTouch) {
  struct Case {
    const char* name;
    Bezier first, second;
    double r;
    bool mayMeet;
  };
  const Bezier arc({0, 0}, {10, 0}, {10, 10}, {0, 10});
  const Case cases[] = {
      {"parallel straight segments never cross", Line({0, 0}, {100, 0}), Line({0, 10}, {100, 10}), 20, false},
      {"crossing straight segments", Line({0, 0}, {10, 10}), Line({0, 10}, {10, 0}), 1, true},
      {"far apart", arc, Bezier({100, 0}, {110, 0}, {110, 10}, {100, 10}), 5, false},
      {"offsets overlap", arc, Bezier({25, 0}, {35, 0}, {35, 10}, {25, 10}), 8, true},
      {"offsets too small", arc, Bezier({25, 0}, {35, 0}, {35, 10}, {25, 10}), 6, false},
      {"small piece inside the other's grown hull", arc, Bezier({4, 4}, {5, 4}, {5, 5}, {4, 6}), 30, true},
      {"straight piece inside a grown hull", arc, Line({3, 5}, {4, 5}), 30, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MayMeet(c.first, c.second, c.r), c.mayMeet) << c.name;
    EXPECT_EQ(MayMeet(c.second, c.first, c.r), c.mayMeet) << c.name << " (swapped)";
  }
}

// Pieces that share a point lie in both hulls there, so the test can never reject them,
// whatever the radius (the chord-cut corners make weaker guarantees unreliable).
TEST(MayMeet, NeverRejectsPiecesThatShareAPoint) {
  std::mt19937 rng(21);
  std::uniform_real_distribution<double> unit(0, 1), radius(0.01, 40);
  for (int i = 0; i < 5000; ++i) {
    const Bezier a = testing::RandomCubic(rng, 50);
    const Bezier b0 = testing::RandomCubic(rng, 50);
    const Point shift = a.At(unit(rng)) - b0.At(unit(rng));
    const Bezier b(b0.P(0) + shift, b0.P(1) + shift, b0.P(2) + shift, b0.P(3) + shift);
    const double r = radius(rng);
    EXPECT_TRUE(MayMeet(a, b, r)) << i;
    EXPECT_TRUE(MayMeet(b, a, r)) << i;
  }
}

}  // namespace
}  // namespace geom
