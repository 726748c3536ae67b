#include "geometry/two_piece_solver.h"

#include <gtest/gtest.h>

#include <random>

#include "geometry/arc.h"
#include "geometry/errors.h"
#include "geometry_assertions.h"

namespace geom {
namespace {

using testing::CirclePath;
using testing::Polyline;
using testing::RandomCubic;

// The line through both contacts is parallel (tangent) or perpendicular (normal) to both curves.
void ExpectLineProperty(const Bezier& first, double a, const Bezier& second, double b, LineKind kind) {
  const Point d = Unit(second.At(b) - first.At(a));
  const Point t1 = Unit(first.Derivative(a)), t2 = Unit(second.Derivative(b));
  if (kind == LineKind::Tangent) {
    EXPECT_LT(std::abs(Cross(d, t1)), 1e-5) << "a " << a << " b " << b;
    EXPECT_LT(std::abs(Cross(d, t2)), 1e-5) << "a " << a << " b " << b;
  } else {
    EXPECT_LT(std::abs(Dot(d, t1)), 1e-5) << "a " << a << " b " << b;
    EXPECT_LT(std::abs(Dot(d, t2)), 1e-5) << "a " << a << " b " << b;
  }
}

class BothKinds : public ::testing::TestWithParam<LineKind> {};

// A wrong Jacobian (for the perpendicular pair, a missing |T|^-3 term) still converges
// sometimes; comparing with central differences catches it directly.
TEST_P(BothKinds, JacobianMatchesCentralDifferences) {
  std::mt19937 rng(17);
  std::uniform_real_distribution<double> param(0, 1);
  for (int i = 0; i < 1000; ++i) {
    const TwoPieceSolver s(RandomCubic(rng), RandomCubic(rng), GetParam(), 0, 0);
    const double a = param(rng), b = param(rng), h = 1e-6;
    const Jacobian j = s.Derivatives(a, b);
    const Residual pa = s.Evaluate(a + h, b), ma = s.Evaluate(a - h, b);
    const Residual pb = s.Evaluate(a, b + h), mb = s.Evaluate(a, b - h);
    const double scale = 1e-6 * (1 + std::abs(j.f1a) + std::abs(j.f1b) + std::abs(j.f2a) + std::abs(j.f2b));
    EXPECT_NEAR(j.f1a, (pa.f1 - ma.f1) / (2 * h), scale);
    EXPECT_NEAR(j.f2a, (pa.f2 - ma.f2) / (2 * h), scale);
    EXPECT_NEAR(j.f1b, (pb.f1 - mb.f1) / (2 * h), scale);
    EXPECT_NEAR(j.f2b, (pb.f2 - mb.f2) / (2 * h), scale);
  }
}

TEST_P(BothKinds, EverySolutionOnRandomPiecesHasTheLineProperty) {
  std::mt19937 rng(29);
  std::uniform_real_distribution<double> param(0, 1);
  int solved = 0;
  for (int i = 0; i < 500; ++i) {
    const Bezier first = RandomCubic(rng);
    const Bezier second0 = RandomCubic(rng);
    const Point shift{120, 30};
    const Bezier second(second0.P(0) + shift, second0.P(1) + shift, second0.P(2) + shift, second0.P(3) + shift);
    TwoPieceSolver s(first, second, GetParam(), param(rng), param(rng));
    const std::optional<ContactPair> c = s.Solve();
    if (!c) continue;
    ++solved;
    EXPECT_TRUE(s.IsValid(*c));
    ExpectLineProperty(first, c->a, second, c->b, GetParam());
  }
  EXPECT_GT(solved, 100);
}

INSTANTIATE_TEST_SUITE_P(TwoPieceSolver, BothKinds, ::testing::Values(LineKind::Tangent, LineKind::Perpendicular),
                         [](const auto& info) { return info.param == LineKind::Tangent ? "Tangent" : "Perpendicular"; });

TEST(TwoPieceSolver, RejectsContactsThatCoincide) {
  // Two crossing straight pieces (handles at thirds, so the tangent never vanishes): the only
  // zero of both pairs is the crossing point, where the contacts coincide.
  const Bezier a({0, 0}, {10.0 / 3, 10.0 / 3}, {20.0 / 3, 20.0 / 3}, {10, 10});
  const Bezier b({0, 10}, {10.0 / 3, 20.0 / 3}, {20.0 / 3, 10.0 / 3}, {10, 0});
  for (LineKind kind : {LineKind::Tangent, LineKind::Perpendicular}) {
    TwoPieceSolver s(a, b, kind, 0.5, 0.5);
    EXPECT_FALSE(s.Solve());
    EXPECT_FALSE(s.IsValid(s.NewtonRun(0.5, 0.5)));
  }
}

// Circles of radius 30 at (0, 0) and (100, 0), four quarter pieces each, piece 0 from angle 0.
class SideBySideCircles : public ::testing::Test {
 protected:
  InMemoryPath left{CirclePath({0, 0}, 30), true};
  InMemoryPath right{CirclePath({100, 0}, 30), true};
};

TEST_F(SideBySideCircles, TangentLineIsTheCommonTangentNearestThePicks) {
  // Picks on the upper halves: the upper outer tangent, y = 30.
  const std::optional<LineContact> c = FindLineContact(left, {1, 0.1}, right, {0, 0.9}, LineKind::Tangent);
  ASSERT_TRUE(c);
  EXPECT_EQ(c->firstArt, left.Identity());
  EXPECT_EQ(c->secondArt, right.Identity());
  const Point p1 = left.GetPiece(c->first.piece).At(c->first.t), p2 = right.GetPiece(c->second.piece).At(c->second.t);
  EXPECT_NEAR(p1.v, 30, 0.02);
  EXPECT_NEAR(p2.v, 30, 0.02);
  ExpectLineProperty(left.GetPiece(c->first.piece), c->first.t, right.GetPiece(c->second.piece), c->second.t,
                     LineKind::Tangent);
}

TEST_F(SideBySideCircles, PerpendicularLineRunsThroughBothCentres) {
  // Facing sides: left circle at angle 0 (piece 0, t 0), right circle at angle pi (piece 2, t 0).
  const std::optional<LineContact> c = FindLineContact(left, {0, 0.1}, right, {1, 0.9}, LineKind::Perpendicular);
  ASSERT_TRUE(c);
  const Point p1 = left.GetPiece(c->first.piece).At(c->first.t), p2 = right.GetPiece(c->second.piece).At(c->second.t);
  EXPECT_NEAR(p1.v, 0, 0.02);
  EXPECT_NEAR(p2.v, 0, 0.02);
  EXPECT_NEAR(p1.h, 30, 0.02);
  EXPECT_NEAR(p2.h, 70, 0.02);
}

// Two circles touching at (30, 0). Near the touching point the tangent equations are nearly
// satisfied by any two close points (they vanish to second order in the gap), so a Newton run
// stops within the residual tolerance a few thousandths of a point from the touching point
// with contacts that look distinct; such a "line" is the touching point itself and must not
// be offered. The outer common tangents (y = +-30) are the answers.
TEST(FindLineContact, TouchingCirclesGiveNoLineAtTheTouchingPoint) {
  const InMemoryPath left{CirclePath({0, 0}, 30), true};
  const InMemoryPath right{CirclePath({60, 0}, 30), true};
  const struct {
    PieceRef pick1, pick2;
  } picks[] = {{{0, 0.02}, {1, 0.98}}, {{3, 0.98}, {2, 0.02}}, {{0, 0.001}, {2, 0.001}}, {{0, 0.1}, {1, 0.9}}};
  for (const auto& p : picks) {
    const std::optional<LineContact> c = FindLineContact(left, p.pick1, right, p.pick2, LineKind::Tangent);
    if (!c) continue;
    const Point p1 = left.GetPiece(c->first.piece).At(c->first.t);
    const Point p2 = right.GetPiece(c->second.piece).At(c->second.t);
    EXPECT_GT(Distance(p1, p2), 1) << "picks " << p.pick1.piece << "/" << p.pick1.t << ", " << p.pick2.piece << "/"
                                   << p.pick2.t << ": contacts " << p1.h << "," << p1.v << " and " << p2.h << ","
                                   << p2.v;
  }
}

TEST(FindLineContact, SearchesOutwardFromThePicksWhenThePickedPairHasNoSolution) {
  // The common normal of a horizontal line and the top quarter of a circle about the origin is
  // the vertical through the origin. Piece 0 of the first path (x from 20 to 60) does not reach
  // it; its neighbour, piece 1 (x from 60 back to -60), does.
  const InMemoryPath first(Polyline({{20, -50}, {60, -50}, {-60, -50}}), false);
  SegmentList quarter;
  AppendPiece(quarter, ArcPiece({0, 0}, 30, std::numbers::pi / 4, std::numbers::pi / 2), false);
  const InMemoryPath second(quarter, false);
  const std::optional<LineContact> c = FindLineContact(first, {0, 0.5}, second, {0, 0.2}, LineKind::Perpendicular);
  ASSERT_TRUE(c);
  EXPECT_EQ(c->first.piece, 1);
  EXPECT_POINT_NEAR(first.GetPiece(1).At(c->first.t), (Point{0, -50}), 1e-4);
  EXPECT_POINT_NEAR(second.GetPiece(0).At(c->second.t), (Point{0, 30}), 1e-4);
  EXPECT_THROW(FindLineContact(first, {2, 0.5}, second, {0, 0.5}, LineKind::Tangent), ParameterError);
}

}  // namespace
}  // namespace geom
