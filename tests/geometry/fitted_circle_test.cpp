#include "geometry/fitted_circle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "geometry/arc.h"
#include "geometry_assertions.h"

namespace geom {
namespace {

constexpr double pi = std::numbers::pi;

// Quarter and smaller arcs of a circle are recognised as the circle, whichever way they run.
TEST(FittedCircle, AnArcPieceGivesItsOwnCircle) {
  const Point c{40, -25};
  for (const double sweep : {pi / 2, -pi / 2, 0.4, -1.2}) {
    SCOPED_TRACE(sweep);
    const Bezier arc = ArcPiece(c, 30, 0.3, sweep);
    const std::optional<FittedCircle> fit = CircularArcOf(arc);
    ASSERT_TRUE(fit);
    EXPECT_POINT_NEAR(fit->centre, c, 1e-9);
    EXPECT_NEAR(fit->radius, 30, 0.03);
    // Wherever the piece is asked, the answer is the arc's circle, not the osculating one.
    EXPECT_POINT_NEAR(FittedCircleAt(arc, 0.8)->centre, fit->centre, 0);
  }
}

TEST(FittedCircle, PiecesThatAreNoArc) {
  const struct {
    const char* name;
    Bezier piece;
  } cases[] = {
      {"a retracted handle", Bezier({0, 0}, {0, 0}, {50, 40}, {100, 0})},
      {"parallel end normals (an S)", Bezier({0, 0}, {40, 40}, {60, -40}, {100, 0})},
      {"an ellipse's quarter", Bezier({60, 0}, {60, 16.57}, {33.14, 30}, {0, 30})},
      {"a straight piece", Bezier({0, 0}, {10, 0}, {20, 0}, {30, 0})},
  };
  for (const auto& c : cases) EXPECT_FALSE(CircularArcOf(c.piece)) << c.name;
}

// The osculating circle: radius 1/k computed independently from the derivatives, the centre
// on the normal at that distance, on the left where the piece turns counter-clockwise.
TEST(FittedCircle, ElsewhereTheOsculatingCircle) {
  const Bezier piece({0, 0}, {30, 60}, {90, 70}, {120, 10});  // turns clockwise
  for (const double t : {0.1, 0.35, 0.6, 0.9}) {
    SCOPED_TRACE(t);
    const Point d1 = piece.Derivative(t), d2 = piece.SecondDerivative(t);
    const double speed = std::hypot(d1.h, d1.v);
    const double k = (d1.h * d2.v - d1.v * d2.h) / (speed * speed * speed);
    const std::optional<FittedCircle> fit = FittedCircleAt(piece, t);
    ASSERT_TRUE(fit);
    EXPECT_NEAR(fit->radius, 1 / k, 1e-9 * std::abs(1 / k));
    EXPECT_LT(fit->radius, 0) << "clockwise";
    const Point towards = fit->centre - piece.At(t);
    EXPECT_NEAR(Distance(fit->centre, piece.At(t)), std::abs(1 / k), 1e-9 * std::abs(1 / k));
    EXPECT_NEAR(Dot(towards, d1), 0, 1e-9 * speed * std::abs(1 / k)) << "on the normal";
    EXPECT_LT(Cross(d1, towards), 0) << "on the right of travel";
  }
}

TEST(FittedCircle, AStraightPieceHasNone) {
  EXPECT_FALSE(FittedCircleAt(Bezier({0, 0}, {10, 5}, {20, 10}, {30, 15}), 0.5));
  // An inflection point: the curvature is exactly zero there.
  EXPECT_FALSE(FittedCircleAt(Bezier({0, 0}, {1, 1}, {2, -1}, {3, 0}), 0.5));
}

TEST(FittedCircle, CornersComeFromTheRadiusMagnitude) {
  for (const double r : {12.5, -12.5}) {
    const SquareCorners corners = CircleCorners({100, 50}, r);
    EXPECT_POINT_NEAR(corners.low, (Point{87.5, 37.5}), 0);
    EXPECT_POINT_NEAR(corners.high, (Point{112.5, 62.5}), 0);
  }
  const SquareCorners rounded = CircleCorners({0.1, 0.2}, 1.0 / 3);
  EXPECT_EQ(rounded.low.h, RoundToSingle(0.1 - 1.0 / 3));
}

}  // namespace
}  // namespace geom
