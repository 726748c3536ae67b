#include "geometry/point.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace geom {
namespace {

TEST(Unit, HasLengthOneOrIsZeroBelowTheDirectionThreshold) {
  struct Case {
    const char* name;
    Point v;
    bool zero;
  };
  const Case cases[] = {
      {"ordinary", {3, 4}, false},
      {"tiny but above threshold", {2e-15, 0}, false},
      {"at threshold", {1e-15, 0}, true},
      {"below threshold", {5e-16, 5e-16}, true},
      {"zero", {0, 0}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Point u = Unit(c.v);
    if (c.zero) {
      EXPECT_EQ(u, Point{});
    } else {
      EXPECT_NEAR(Length(u), 1, 1e-15);
      EXPECT_NEAR(Cross(u, c.v), 0, 1e-15 * Length(c.v));
      EXPECT_GT(Dot(u, c.v), 0);
    }
  }
}

TEST(Cross, IsPositiveWhenTheSecondVectorTurnsCounterClockwise) {
  EXPECT_GT(Cross({1, 0}, {0, 1}), 0);
  EXPECT_LT(Cross({0, 1}, {1, 0}), 0);
  EXPECT_EQ(Cross(TurnLeft({2, 1}), {2, 1}), -5);
  EXPECT_EQ(TurnRight(TurnLeft({2, 1})), (Point{2, 1}));
}

TEST(NormaliseAngle, BringsAnglesIntoTheClosedTurnKeepingBothEnds) {
  constexpr double pi = std::numbers::pi;
  EXPECT_DOUBLE_EQ(NormaliseAngle(-pi / 2), 3 * pi / 2);
  EXPECT_DOUBLE_EQ(NormaliseAngle(5 * pi), pi);
  EXPECT_EQ(NormaliseAngle(0), 0);
  EXPECT_EQ(NormaliseAngle(kTwoPi), kTwoPi);  // not folded to 0
  EXPECT_DOUBLE_EQ(AngleOf({-1, -0.0}), pi);  // atan2 gives -pi here
  const double huge = NormaliseAngle(1e300);
  EXPECT_TRUE(huge >= 0 && huge <= kTwoPi);
  EXPECT_TRUE(std::isnan(NormaliseAngle(std::numeric_limits<double>::quiet_NaN())));
  EXPECT_TRUE(std::isinf(NormaliseAngle(std::numeric_limits<double>::infinity())));
}

TEST(RoundToSingle, RoundsEachCoordinateToTheNearestFloat) {
  const Point p = RoundToSingle({0.1, 1.0 / 3});
  EXPECT_EQ(p.h, static_cast<double>(0.1f));
  EXPECT_EQ(p.v, static_cast<double>(1.0f / 3));
  EXPECT_EQ(RoundToSingle({0.5, 16777216}), (Point{0.5, 16777216}));
}

}  // namespace
}  // namespace geom
