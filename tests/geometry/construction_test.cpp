#include "geometry/construction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "geometry_assertions.h"

namespace geom {
namespace {

TEST(IntersectLines, MeetsBothLinesOrFailsWhenParallel) {
  const ImplicitLine diagonal = LineThrough({0, 0}, {2, 2});
  const ImplicitLine across = LineThrough({0, 4}, {4, 0});
  const std::optional<Point> x = IntersectLines(diagonal, across);
  ASSERT_TRUE(x);
  EXPECT_POINT_NEAR(*x, (Point{2, 2}), 1e-12);
  EXPECT_FALSE(IntersectLines(diagonal, LineThrough({1, 0}, {3, 2})));
  EXPECT_FALSE(IntersectLines(diagonal, diagonal));
}

TEST(Circumcircle, PassesThroughAllThreePoints) {
  std::mt19937 rng(5);
  std::uniform_real_distribution<double> u(-100, 100);
  for (int i = 0; i < 1000; ++i) {
    const Point a{u(rng), u(rng)}, b{u(rng), u(rng)}, c{u(rng), u(rng)};
    const std::optional<Circle> circle = Circumcircle(a, b, c);
    ASSERT_TRUE(circle);
    for (Point p : {a, b, c}) EXPECT_NEAR(Distance(circle->centre, p), circle->radius, 1e-6 * circle->radius);
  }
  const std::optional<Circle> right = Circumcircle({0, 0}, {4, 0}, {0, 3});
  ASSERT_TRUE(right);
  EXPECT_POINT_NEAR(right->centre, (Point{2, 1.5}), 1e-12);
  EXPECT_NEAR(right->radius, 2.5, 1e-12);
}

TEST(Circumcircle, FailsForCollinearOrCoincidentPoints) {
  EXPECT_FALSE(Circumcircle({0, 0}, {1, 1}, {5, 5}));
  EXPECT_FALSE(Circumcircle({1, 1}, {1, 1}, {3, 2}));
  EXPECT_FALSE(Circumcircle({2, 2}, {2, 2}, {2, 2}));
  EXPECT_FALSE(Circumcircle({0, 0}, {1, 0}, {2, 1e-9}));  // cross product 1e-9 < 1e-8
}

TEST(ConstrainTo45, ProjectsOntoTheNearest45DegreeRay) {
  const Point a{10, 10};
  const Point p = a + 20 * Point{std::cos(std::numbers::pi / 6), std::sin(std::numbers::pi / 6)};  // 30 degrees
  const Point q = ConstrainTo45(a, p);
  EXPECT_NEAR(q.h - a.h, q.v - a.v, 1e-12);  // on the 45-degree ray
  EXPECT_LT(Distance(a, q), Distance(a, p));
  EXPECT_NEAR(Dot(p - q, Point{1, 1}), 0, 1e-12);
  const Point close = a + Point{5e-5, 5e-5};
  EXPECT_EQ(ConstrainTo45(a, close), close);
}

TEST(ConstrainTo45, ResultLiesOnAMultipleOf45DegreesAndIsAFootPoint) {
  std::mt19937 rng(9);
  std::uniform_real_distribution<double> u(-50, 50);
  for (int i = 0; i < 1000; ++i) {
    const Point a{u(rng), u(rng)}, p{u(rng), u(rng)};
    const Point q = ConstrainTo45(a, p);
    const Point d = q - a;
    const double octant = std::atan2(d.v, d.h) / (std::numbers::pi / 4);
    if (Length(d) > 1e-9) {
      EXPECT_NEAR(octant, std::round(octant), 1e-9);
    }
    EXPECT_NEAR(Dot(p - q, d), 0, 1e-8);
    EXPECT_LE(Distance(p, q), Distance(a, p) * std::sin(std::numbers::pi / 8) + 1e-9);  // at most 22.5 degrees off
  }
}

}  // namespace
}  // namespace geom
