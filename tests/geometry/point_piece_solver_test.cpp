#include "geometry/point_piece_solver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "geometry/errors.h"
#include "geometry_assertions.h"

namespace geom {
namespace {

using testing::CirclePath;
using testing::Polyline;
using testing::RandomCubic;

TEST(PointPieceSolver, DerivativesMatchCentralDifferencesAndTheClosedFormCoefficients) {
  std::mt19937 rng(41);
  std::uniform_real_distribution<double> param(0, 1), coord(-50, 150);
  for (int i = 0; i < 1000; ++i) {
    const PointPieceSolver s{RandomCubic(rng), {coord(rng), coord(rng)}};
    const double t = param(rng), h = 1e-6;
    const double fd = (s.Normal(t + h) - s.Normal(t - h)) / (2 * h);
    EXPECT_NEAR(s.NormalDerivative(t), fd, 1e-5 * (1 + std::abs(fd)));
    const double gd = (s.Tangent(t + h) - s.Tangent(t - h)) / (2 * h);
    EXPECT_NEAR(s.TangentDerivative(t), gd, 1e-6 * (1 + std::abs(gd)));
    const auto [a, b, c, d] = s.TangentDerivativeCoefficients();
    EXPECT_NEAR(((a * t + b) * t + c) * t + d, s.TangentDerivative(t), 1e-9 * (1 + std::abs(gd)));
  }
}

// Every root satisfies its condition: the line from P to B(t) is parallel (tangent) or
// perpendicular (normal) to B'(t).
TEST(RootFinders, EveryRootOnRandomPiecesSatisfiesItsCondition) {
  std::mt19937 rng(43);
  std::uniform_real_distribution<double> param(0, 1), coord(-50, 150);
  int tangents = 0, normals = 0;
  for (int i = 0; i < 2000; ++i) {
    const PointPieceSolver s{RandomCubic(rng), {coord(rng), coord(rng)}};
    const double t0 = param(rng);
    for (double t : TangentRoots(s, t0)) {
      ++tangents;
      ASSERT_TRUE(t >= 0 && t <= 1);
      EXPECT_LT(std::abs(Cross(s.piece.At(t) - s.p, s.piece.Derivative(t))), tol::kPointPieceResidual);
    }
    for (double t : NormalRoots(s, t0)) {
      ++normals;
      ASSERT_TRUE(t >= 0 && t <= 1);
      EXPECT_LT(std::abs(Dot(s.p - s.piece.At(t), Unit(s.piece.Derivative(t)))), tol::kPointPieceResidual);
    }
  }
  EXPECT_GT(tangents, 1000);
  EXPECT_GT(normals, 2000);
}

TEST(TangentRoots, FindsBothTangentsToAnSShapedPiece) {
  // y = 240 t (1 - t)(1 - 2t), x = 90 t: from (-30, -30) one tangent touches the hump, one the
  // valley (two sign changes of g on a fine grid).
  const PointPieceSolver s{Bezier({0, 0}, {30, 80}, {60, -80}, {90, 0}), {-30, -30}};
  std::vector<double> roots = TangentRoots(s, 0.5);
  std::sort(roots.begin(), roots.end());
  ASSERT_GE(roots.size(), 2u);
  EXPECT_LT(roots.front(), 0.5);
  EXPECT_GT(roots.back(), 0.5);
}

// A circle of radius 30 about the origin, four quarter pieces.
class CirclePathFixture : public ::testing::Test {
 protected:
  InMemoryPath circle{CirclePath({0, 0}, 30), true};
  Point ContactPoint(const PointContact& c) const { return circle.GetPiece(c.at.piece).At(c.at.t); }
};

TEST_F(CirclePathFixture, APointInsideHasNoTangent) {
  for (Point inside : {Point{0, 0}, Point{10, -5}, Point{-20, 15}}) {
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(TangentRoots({circle.GetPiece(i), inside}, 0.5).empty()) << i;
    EXPECT_FALSE(FindPointContact(circle, {0, 0.5}, inside, {40, 0}, TangentRoots));
  }
}

TEST_F(CirclePathFixture, TangentFromOutsideTouchesOnTheCursorSide) {
  const Point p{100, 0};
  const double angle = std::acos(30.0 / 100);
  for (double side : {1.0, -1.0}) {
    const Point expected{30 * std::cos(angle), side * 30 * std::sin(angle)};
    const std::optional<PointContact> c = FindPointContact(circle, {side > 0 ? 0 : 3, 0.5}, p, expected, TangentRoots);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->art, circle.Identity());
    EXPECT_POINT_NEAR(ContactPoint(*c), expected, 0.02);
    EXPECT_POINT_NEAR(c->point, ContactPoint(*c), 0);
  }
}

TEST_F(CirclePathFixture, PerpendicularFromInsideGoesToTheFootPointNearestTheCursor) {
  const Point p{5, 5};  // feet at angle 45 degrees and 225 degrees
  const Point near{30 / std::sqrt(2.0), 30 / std::sqrt(2.0)};
  std::optional<PointContact> c = FindPointContact(circle, {0, 0.5}, p, near + Point{2, 0}, NormalRoots);
  ASSERT_TRUE(c);
  EXPECT_POINT_NEAR(ContactPoint(*c), near, 0.02);
  c = FindPointContact(circle, {2, 0.5}, p, -near, NormalRoots);
  ASSERT_TRUE(c);
  EXPECT_POINT_NEAR(ContactPoint(*c), -near, 0.02);
}

TEST(FindPointContact, TriesNeighboursOutwardAndTakesTheFirstPieceWithARoot) {
  // A polyline: the perpendicular from (50, 50) meets only the far horizontal piece 3, at x = 50.
  const InMemoryPath path(Polyline({{-40, -10}, {-30, -10}, {-20, -10}, {0, 0}, {100, 0}}), false);
  const std::optional<PointContact> c = FindPointContact(path, {0, 0.5}, {50, 50}, {50, 0}, NormalRoots);
  ASSERT_TRUE(c);
  EXPECT_EQ(c->at.piece, 3);
  EXPECT_POINT_NEAR(c->point, (Point{50, 0}), 1e-4);
  EXPECT_THROW(FindPointContact(path, {4, 0.5}, {50, 50}, {50, 0}, NormalRoots), ParameterError);
}

}  // namespace
}  // namespace geom
