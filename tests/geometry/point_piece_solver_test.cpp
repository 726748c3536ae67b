#include "geometry/point_piece_solver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
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

// A fuzzer's input, bytes as found: a piece that starts and ends on the point, with control
// points a few ulps from zero. Rounding put the chord's start of a bracket that ends at 0 just
// below 0, and a root of -6e-33 came back.
TEST(RootFinders, RootsStayInTheUnitIntervalWhenABracketEndsOnZero) {
  const unsigned char bytes[] = {
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x00, 0x40, 0x40, 0x00, 0x00, 0x00, 0x80, 0x40, 0x40,
      0x00, 0xfb, 0xff, 0xff, 0xff, 0x7f, 0xaf, 0xbf, 0xff, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
      0x00, 0x80, 0x00, 0x40, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x50, 0x40, 0xff, 0xff, 0x7f, 0xaf,
      0xbf, 0xff, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x00, 0x40, 0x00, 0x00, 0x00,
      0x00, 0x00, 0x80, 0x50, 0x40, 0x00, 0x00, 0x3f,
  };
  double v[11];
  static_assert(sizeof bytes == sizeof v);
  std::memcpy(v, bytes, sizeof v);
  const PointPieceSolver s{Bezier({v[0], v[1]}, {v[2], v[3]}, {v[4], v[5]}, {v[6], v[7]}), {v[8], v[9]}};
  for (const auto& finder : {TangentRoots, NormalRoots})
    for (double t : finder(s, v[10])) EXPECT_TRUE(t >= 0 && t <= 1) << t;
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

TEST(FindPointContact, PerpendicularFromInsideACircleGoesToTheFootPointNearestTheCursor) {
  // The circle of radius 30 about the origin drawn as two halves, the upper one picked. From a
  // point on the diameter through the two anchors both feet lie on the picked half, at its ends,
  // so the pick cannot choose between them: the cursor, out along the diameter beyond one, does.
  const InMemoryPath circle(
      SegmentList{{{30, 0}, {30, -40}, {30, 40}, false}, {{-30, 0}, {-30, 40}, {-30, -40}, false}}, true);
  const Point p{8, 0};
  for (Point foot : {Point{30, 0}, Point{-30, 0}}) {
    SCOPED_TRACE(foot.h);
    const std::optional<PointContact> c = FindPointContact(circle, {0, 0.5}, p, foot * (4.0 / 3), NormalRoots);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->at.piece, 0);
    EXPECT_POINT_NEAR(c->point, foot, 1e-4);
  }
}

// Every t in [0, 1] where the condition changes sign, found independently of the root finders
// by a fine scan and bisection.
std::vector<double> SignChanges(const std::function<double(double)>& condition) {
  constexpr int kSteps = 4000;
  std::vector<double> roots;
  for (int i = 0; i < kSteps; ++i) {
    double a = double(i) / kSteps, b = double(i + 1) / kSteps;
    if ((condition(a) < 0) == (condition(b) < 0)) continue;
    for (int k = 0; k < 60; ++k) {
      const double m = (a + b) / 2;
      ((condition(a) < 0) == (condition(m) < 0) ? a : b) = m;
    }
    roots.push_back((a + b) / 2);
  }
  return roots;
}

TEST(FindPointContact, OfSeveralContactsOnAPieceTakesTheOneNearestTheCursor) {
  // An arch bulging up, seen from above: a tangent on either flank. A U-shaped bend, seen from
  // inside: a foot on either arm and one at the bottom.
  const Bezier arch({0, 0}, {0, 80}, {100, 80}, {100, 0});
  const Bezier bend({0, 100}, {0, -30}, {60, -30}, {60, 100});
  struct Case {
    const char* name;
    RootFinder finder;
    Bezier piece;
    Point p, cursor;
  };
  const Case cases[] = {
      {"tangent, cursor on the left flank", TangentRoots, arch, {50, 150}, {5, 30}},
      {"tangent, cursor on the right flank", TangentRoots, arch, {50, 150}, {95, 30}},
      {"perpendicular, cursor at the left arm", NormalRoots, bend, {30, 60}, {5, 60}},
      {"perpendicular, cursor at the right arm", NormalRoots, bend, {30, 60}, {55, 60}},
      {"perpendicular, cursor at the bottom", NormalRoots, bend, {30, 60}, {30, 10}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PointPieceSolver s{c.piece, c.p};
    const bool tangent = c.finder == TangentRoots;
    const std::vector<double> contacts = SignChanges([&](double t) { return tangent ? s.Tangent(t) : s.Normal(t); });
    ASSERT_GE(contacts.size(), 2u) << "the case needs a piece with several contacts";
    Point nearest = c.piece.At(contacts.front());
    for (double t : contacts)
      if (Distance(c.piece.At(t), c.cursor) < Distance(nearest, c.cursor)) nearest = c.piece.At(t);

    SegmentList one;
    AppendPiece(one, c.piece, false);
    const InMemoryPath path(one, false);
    const std::optional<PointContact> found = FindPointContact(path, {0, 0.5}, c.p, c.cursor, c.finder);
    ASSERT_TRUE(found);
    EXPECT_POINT_NEAR(found->point, nearest, 1e-3);
  }
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
