#include "geometry/tangent_circle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "geometry_assertions.h"

namespace geom {
namespace {

using testing::CirclePath;
using testing::Polyline;

// Runs the engine and, when it finds a circle, checks that it touches both paths at the reported
// positions and that the record is consistent.
std::optional<TangentCircle> Find(const InMemoryPath& a, PieceRef pick1, const InMemoryPath& b, PieceRef pick2,
                                  double r, Point guess, double eps = 1e-6) {
  TangentCircle result;
  result.radius = r;
  if (!FindTangentCircle(a, pick1, b, pick2, r, guess, result)) return std::nullopt;
  EXPECT_TRUE(result.valid);
  EXPECT_EQ(result.art1, a.Identity());
  EXPECT_EQ(result.art2, b.Identity());
  EXPECT_EQ(result.radius, r);  // the caller's value is kept
  EXPECT_EQ(result.reference, guess);
  EXPECT_DOUBLE_EQ(result.score, Distance(result.centre, guess));
  EXPECT_TANGENT(result.centre, r, a.GetPiece(result.piece1), result.t1, eps);
  EXPECT_TANGENT(result.centre, r, b.GetPiece(result.piece2), result.t2, eps);
  return result;
}

Point Polar(double r, double a) { return {r * std::cos(a), r * std::sin(a)}; }

TEST(FindTangentCircle, ForCrossingLinesReturnsTheCircleInTheAngleOfTheGuess) {
  const double r = 10;
  for (double angle : {std::numbers::pi / 2, std::numbers::pi / 3, 2.5}) {
    SCOPED_TRACE(angle);
    const Point u1{1, 0}, u2 = Polar(1, angle);
    const InMemoryPath first(Polyline({-100 * u1, 100 * u1}), false);
    const InMemoryPath second(Polyline({-100 * u2, 100 * u2}), false);
    for (Point s : {Point{1, 1}, Point{-1, 1}, Point{-1, -1}, Point{1, -1}}) {
      // The angle between the rays s.h*u1 and s.v*u2; its bisector holds the circle's centre.
      const Point a = s.h * u1, b = s.v * u2;
      const double half = std::acos(Dot(a, b)) / 2;
      const Point expected = Unit(a + b) * (r / std::sin(half));
      const std::optional<TangentCircle> c = Find(first, {0, 0.3}, second, {0, 0.6}, r, 3 * expected);
      ASSERT_TRUE(c) << s.h << " " << s.v;
      EXPECT_POINT_NEAR(c->centre, expected, 1e-6);
    }
  }
}

// Circles of radius 30 at (0, 0) and (100, 0).
class TwoCircles : public ::testing::Test {
 protected:
  InMemoryPath left{CirclePath({0, 0}, 30), true};
  InMemoryPath right{CirclePath({100, 0}, 30), true};
};

TEST_F(TwoCircles, ReturnsTheCircleWhoseCentreIsNearestTheGuess) {
  // Circles touching both from outside: centres 30 + r from both circle centres.
  struct Case {
    double r;
    Point centre;
  };
  const double y25 = std::sqrt(55.0 * 55 - 50 * 50), y80 = std::sqrt(110.0 * 110 - 50 * 50);
  const Case cases[] = {{25, {50, y25}}, {25, {50, -y25}}, {80, {50, y80}}, {80, {50, -y80}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "r " << c.r << " centre " << c.centre.h << ", " << c.centre.v);
    const std::optional<TangentCircle> found =
        Find(left, {0, 0.5}, right, {1, 0.5}, c.r, c.centre + Point{3, -2}, 1e-5);
    ASSERT_TRUE(found);
    // The circle paths are cubic approximations (radial error up to 3e-4 r), so the centre is
    // compared with the exact circles' loosely.
    EXPECT_POINT_NEAR(found->centre, c.centre, 0.05);
  }
}

TEST_F(TwoCircles, NoCircleOfARadiusThatCannotReachBoth) {
  TangentCircle untouched;
  untouched.piece1 = 77;
  TangentCircle result = untouched;
  // r = 10: centres 20 or 40 from each circle's centre, which are 100 apart.
  EXPECT_FALSE(FindTangentCircle(left, {0, 0.5}, right, {2, 0.5}, 10, {50, 0}, result));
  EXPECT_EQ(result.piece1, 77);
  EXPECT_FALSE(result.valid);
}

TEST(FindTangentCircle, ParallelStraightSegmentsHaveNoSolution) {
  const InMemoryPath lower(Polyline({{0, 0}, {100, 0}}), false);
  const InMemoryPath upper(Polyline({{0, 20}, {100, 20}}), false);
  TangentCircle result;
  for (double r : {5.0, 10.0, 30.0}) EXPECT_FALSE(FindTangentCircle(lower, {0, 0.5}, upper, {0, 0.5}, r, {50, 10}, result));
}

TEST(FindTangentCircle, OnePieceOfOnePathCanBeTouchedTwiceButNotAtOnePoint) {
  // A U-shaped piece: the circle inside it touches both arms.
  const InMemoryPath u(SegmentList{{{0, 100}, {0, 100}, {0, -30}, true}, {{60, 100}, {60, -30}, {60, 100}, true}},
                       false);
  const std::optional<TangentCircle> c = Find(u, {0, 0.2}, u, {0, 0.8}, 20, {30, 40});
  ASSERT_TRUE(c);
  EXPECT_EQ(c->piece1, 0);
  EXPECT_EQ(c->piece2, 0);
  EXPECT_GT(std::abs(c->t1 - c->t2), 0.1);
  EXPECT_NEAR(c->centre.h, 30, 1e-6);
}

TEST(FindTangentCircle, BothPicksOnOnePathSearchTheSamePieceAndTheOthers) {
  // An L of two straight pieces: the circle sits in the corner, touching piece 0 and piece 1.
  const InMemoryPath l(Polyline({{0, 100}, {0, 0}, {100, 0}}), false);
  const std::optional<TangentCircle> c = Find(l, {0, 0.5}, l, {1, 0.5}, 20, {25, 25});
  ASSERT_TRUE(c);
  EXPECT_POINT_NEAR(c->centre, (Point{20, 20}), 1e-6);
}

TEST(FindTangentCircle, TwoPiecesOfOnePathMayBeTouchedAtEqualParameters) {
  // A closed square of side 60 (bottom, right, top, left), picked on the top and the bottom side.
  // The circle of radius 30 fills it and touches every side at its middle, t = 0.5 on each
  // piece: only the touching of one piece at one point is a degenerate solution.
  const InMemoryPath square(Polyline({{0, 0}, {60, 0}, {60, 60}, {0, 60}}), true);
  const std::optional<TangentCircle> c = Find(square, {2, 0.5}, square, {0, 0.5}, 30, {35, 25});
  ASSERT_TRUE(c);
  EXPECT_POINT_NEAR(c->centre, (Point{30, 30}), 1e-6);
  EXPECT_NE(c->piece1, c->piece2);
  EXPECT_NEAR(c->t1, 0.5, 1e-6);
  EXPECT_NEAR(c->t2, 0.5, 1e-6);
}

TEST(FindTangentCircle, APickOnARetractedHandleIsNudgedNotDividedByAZeroTangent) {
  // The first piece's derivative vanishes at t = 0, where the pick lies.
  const Bezier retracted({0, 0}, {0, 0}, {50, 10}, {100, 0});
  const Bezier line({-50, 40}, {0, 40}, {100, 40}, {150, 40});
  ASSERT_EQ(LengthSquared(retracted.Derivative(0)), 0);
  const std::optional<ParameterPair> fit =
      IterateTangentPair(retracted, line, 20, {0, 0.3}, tol::kCircleConvergence, tol::kCircleAcceptance);
  if (fit) {
    EXPECT_TRUE(fit->t1 >= 0 && fit->t1 <= 1 && fit->t2 >= 0 && fit->t2 <= 1);
  }
  SegmentList a, b;
  AppendPiece(a, retracted, false);
  AppendPiece(b, line, false);
  const std::optional<TangentCircle> c = Find(InMemoryPath(a, false), {0, 0}, InMemoryPath(b, false), {0, 0.3}, 20,
                                              {10, 20});
  ASSERT_TRUE(c);
  EXPECT_NEAR(c->centre.v, 20, 1e-5);
}

TEST(IterateTangentPair, FailsQuietlyOnDegenerateInput) {
  const Bezier point({5, 5}, {5, 5}, {5, 5}, {5, 5});  // the derivative vanishes everywhere
  const Bezier line({0, 0}, {0, 0}, {100, 0}, {100, 0});
  EXPECT_FALSE(IterateTangentPair(point, line, 10, {0.5, 0.5}, 1e-8, 1e-3));
  // Curves meeting at the start.
  EXPECT_FALSE(IterateTangentPair(line, Bezier({50, -50}, {50, -50}, {50, 50}, {50, 50}), 10, {0.5, 0.5}, 1e-8, 1e-3));
  EXPECT_EQ(CentreMismatch(line, Bezier({0, 10}, {0, 10}, {100, 10}, {100, 10}), 5, {0.5, 0.5}),
            tol::kParallelMismatch);
}

TEST(FindTangentCircle, ReturnsFalseWhenAPickIsOutsideItsPath) {
  const InMemoryPath a(Polyline({{0, 0}, {100, 0}}), false);
  const InMemoryPath b(Polyline({{0, 0}, {0, 100}}), false);
  TangentCircle result;
  EXPECT_FALSE(FindTangentCircle(a, {3, 0.5}, b, {0, 0.5}, 10, {20, 20}, result));
  EXPECT_FALSE(FindTangentCircle(a, {0, 0.5}, b, {-1, 0.5}, 10, {20, 20}, result));
  EXPECT_FALSE(result.valid);
}

// Circle error at one touching point: |distance - r| and the cosine between the radius and the
// tangent (0 for a true touch).
double TouchError(Point centre, double r, const Bezier& c, double t) {
  const Point radial = centre - c.At(t);
  return std::max(std::abs(Length(radial) - r), std::abs(Dot(Unit(radial), Unit(c.Derivative(t)))));
}

// Most circles converge to 1e-8; a pair may also be accepted after the last round with its
// candidate centres up to kCircleAcceptance apart, so only that bound holds for every circle.
TEST(FindTangentCircle, EveryCircleFoundOnRandomPathsTouchesBoth) {
  std::mt19937 rng(1234);
  std::uniform_real_distribution<double> u(0, 100), radius(2, 40), param(0, 1);
  int found = 0, within1e6 = 0;
  for (int i = 0; i < 300; ++i) {
    SegmentList a, b;
    for (int k = 0; k < 4; ++k) a.push_back({{u(rng), u(rng)}, {u(rng), u(rng)}, {u(rng), u(rng)}, false});
    for (int k = 0; k < 3; ++k) b.push_back({{u(rng), u(rng)}, {u(rng), u(rng)}, {u(rng), u(rng)}, false});
    const InMemoryPath first(a, false), second(b, true);
    const double r = radius(rng);
    const Point guess{u(rng), u(rng)};
    const PieceRef pick1{1, param(rng)}, pick2{2, param(rng)};
    const std::optional<TangentCircle> c = Find(first, pick1, second, pick2, r, guess, tol::kCircleAcceptance);
    if (!c) continue;
    ++found;
    const Bezier p1 = first.GetPiece(c->piece1), p2 = second.GetPiece(c->piece2);
    EXPECT_GE(Distance(p1.At(c->t1), p2.At(c->t2)), tol::kCurvesMeet);
    within1e6 += std::max(TouchError(c->centre, r, p1, c->t1), TouchError(c->centre, r, p2, c->t2)) <= 1e-6;
  }
  EXPECT_GT(found, 200);  // random paths this close almost always admit a circle
  EXPECT_GE(within1e6, found * 95 / 100);
}

}  // namespace
}  // namespace geom
