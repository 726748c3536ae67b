#include "geometry/bezier.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "geometry/arc.h"
#include "geometry_assertions.h"

namespace geom {
namespace {

using testing::RandomCubic;

// Bernstein form, written independently of the power basis.
Point Bernstein(const Bezier& c, double t) {
  const double u = 1 - t;
  return u * u * u * c.P(0) + 3 * u * u * t * c.P(1) + 3 * u * t * t * c.P(2) + t * t * t * c.P(3);
}

TEST(Bezier, PowerBasisAgreesWithBernsteinFormAndDerivativesWithDifferences) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> param(-0.2, 1.2);
  for (int i = 0; i < 2000; ++i) {
    const Bezier c = RandomCubic(rng);
    const double t = param(rng);
    EXPECT_POINT_NEAR(c.At(t), Bernstein(c, t), 1e-10);
    const double h = 1e-5;
    EXPECT_POINT_NEAR(c.Derivative(t), (c.At(t + h) - c.At(t - h)) / (2 * h), 1e-5);
    EXPECT_POINT_NEAR(c.SecondDerivative(t), (c.Derivative(t + h) - c.Derivative(t - h)) / (2 * h), 1e-5);
  }
}

TEST(Bezier, EndsAreTheOuterControlPointsAndEndTangentsPointAlongTheHandles) {
  const Bezier c({1, 2}, {4, 6}, {7, 1}, {9, 9});
  EXPECT_EQ(c.At(0), c.P(0));
  EXPECT_POINT_NEAR(c.At(1), c.P(3), 1e-14);
  EXPECT_POINT_NEAR(c.Derivative(0), 3 * (c.P(1) - c.P(0)), 1e-14);
  EXPECT_POINT_NEAR(c.Derivative(1), 3 * (c.P(3) - c.P(2)), 1e-13);
}

TEST(Bezier, SetControlPointRebuildsTheCoefficients) {
  Bezier c({0, 0}, {1, 0}, {2, 0}, {3, 0});
  c.SetControlPoint(3, {3, 3});
  EXPECT_POINT_NEAR(c.At(1), (Point{3, 3}), 1e-14);
  EXPECT_POINT_NEAR(c.At(0.5), Bernstein(c, 0.5), 1e-14);
}

TEST(Bezier, CurvatureOfAnArcIsTheInverseRadiusSignedByTurningDirection) {
  const double r = 40;
  const Bezier ccw = ArcPiece({5, 5}, r, 0.3, 1.2);
  const Bezier cw = ArcPiece({5, 5}, r, 1.5, -1.2);
  for (double t : {0.0, 0.25, 0.5, 1.0}) {
    // The cubic is not exactly circular: its curvature is within 1% of 1/r for this sweep.
    EXPECT_NEAR(ccw.Curvature(t), 1 / r, 1e-2 / r) << t;
    EXPECT_NEAR(cw.Curvature(t), -1 / r, 1e-2 / r) << t;
  }
  EXPECT_EQ(testing::Line({0, 0}, {5, 1}).Curvature(0.5), 0);
}

TEST(SplitBezier, HalvesTraceTheTwoPartsOfThePiece) {
  std::mt19937 rng(11);
  std::uniform_real_distribution<double> unit(0, 1);
  for (int i = 0; i < 1000; ++i) {
    const Bezier c = RandomCubic(rng);
    const double t = unit(rng), s = unit(rng);
    const BezierHalves halves = SplitBezier(c, t);
    EXPECT_POINT_NEAR(halves.left.At(s), c.At(s * t), 1e-9);
    EXPECT_POINT_NEAR(halves.right.At(s), c.At(t + s * (1 - t)), 1e-9);
    EXPECT_EQ(halves.left.P(3), halves.right.P(0));
  }
}

TEST(SplitBezier, KeepsStraightPiecesStraightWithRetractedHandles) {
  // Handles within 1e-4 of their anchors count as retracted.
  const Bezier straight({0, 0}, {0.00005, 0}, {10, 0.00009}, {10, 0});
  for (double t : {0.0, 0.1, 0.5, 0.9, 1.0, 1.5}) {
    SCOPED_TRACE(t);
    const BezierHalves h = SplitBezier(straight, t);
    EXPECT_EQ(h.left.P(1), h.left.P(0));
    EXPECT_EQ(h.left.P(2), h.left.P(3));
    EXPECT_EQ(h.right.P(1), h.right.P(0));
    EXPECT_EQ(h.right.P(2), h.right.P(3));
    EXPECT_POINT_NEAR(h.left.P(3), straight.At(t), 1e-12);
  }
}

// The stretch between two parameters starts and ends where the piece is at them: a curved
// piece traces the stretch, a straight one keeps retracted handles.
TEST(SplitBezierBetween, EndsWhereThePieceIsAtBothParameters) {
  std::mt19937 rng(13);
  std::uniform_real_distribution<double> unit(0, 1);
  const Bezier straight = testing::Line({10, 0}, {10, 10});
  for (int i = 0; i < 1000; ++i) {
    const Bezier curved = RandomCubic(rng);
    const double a = unit(rng), b = unit(rng), s = unit(rng);
    const double t0 = std::min(a, b), t1 = std::max(a, b);
    if (t1 - t0 < 1e-3) continue;
    const Bezier part = SplitBezierBetween(curved, t0, t1);
    EXPECT_POINT_NEAR(part.At(s), curved.At(t0 + s * (t1 - t0)), 1e-8);
    const Bezier line = SplitBezierBetween(straight, t0, t1);
    EXPECT_POINT_NEAR(line.P(0), straight.At(t0), 1e-12);
    EXPECT_POINT_NEAR(line.P(3), straight.At(t1), 1e-12);
    EXPECT_EQ(line.P(1), line.P(0));
    EXPECT_EQ(line.P(2), line.P(3));
  }
}

TEST(SplitBezier, ControlPointFormAppliesNoStraightPieceRule) {
  const ControlPoints straight = {Point{0, 0}, Point{0, 0}, Point{10, 0}, Point{10, 0}};
  ControlPoints left, right;
  SplitBezier(straight, 0.5, left, right);
  EXPECT_NE(left[2], left[3]);  // the usual construction moves the inner handles
  EXPECT_POINT_NEAR(left[3], (Point{5, 0}), 1e-12);
  EXPECT_EQ(left[0], straight[0]);
  EXPECT_EQ(right[3], straight[3]);
  // The handle opposite a shorter one is not retracted: the rule applies only when both are.
  const Bezier oneHandle({0, 0}, {0, 0}, {7, 3}, {10, 0});
  EXPECT_NE(SplitBezier(oneHandle, 0.5).left.P(2), SplitBezier(oneHandle, 0.5).left.P(3));
}

}  // namespace
}  // namespace geom
