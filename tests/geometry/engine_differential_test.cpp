// The library's numeric engines against the frozen reference copy (reference_engine.h) on seeded
// queries: the results must be bit-identical - the same roots in the same order, the same
// circle record, the same contacts. Any reordering of floating-point operations in the library
// shows up here as a differing last bit.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "geometry/offset_hull.h"
#include "geometry_assertions.h"
#include "reference_engine.h"

namespace geom {
namespace {

using testing::CirclePath;
using testing::Line;
using testing::RandomCubic;

std::uint64_t Bits(double x) { return std::bit_cast<std::uint64_t>(x); }

std::vector<std::uint64_t> Bits(const std::vector<double>& xs) {
  std::vector<std::uint64_t> b;
  for (double x : xs) b.push_back(Bits(x));
  return b;
}

// A piece drawn from a mix that reaches the engines' special branches: general cubics, straight
// pieces with retracted handles, pieces with one retracted handle, (nearly) collinear control
// points, and pieces of (almost) zero length.
Bezier AnyPiece(std::mt19937& rng) {
  std::uniform_int_distribution<int> kind(0, 9);
  std::uniform_real_distribution<double> u(0, 100);
  const Bezier c = RandomCubic(rng);
  switch (kind(rng)) {
    case 0: return Line(c.P(0), c.P(3));
    case 1: return Bezier(c.P(0), c.P(0), c.P(2), c.P(3));
    case 2: return Bezier(c.P(0), c.P(1), c.P(3), c.P(3));
    case 3: {
      const Point d = c.P(3) - c.P(0);
      return Bezier(c.P(0), c.P(0) + 0.3 * d, c.P(0) + 0.6 * d, c.P(3));
    }
    case 4: return Bezier(c.P(0), c.P(0), c.P(0), c.P(0) + Point{1e-9, 0});
    default: return c;
  }
}

// An open wavy path running left to right, 20 pt per piece, around height `base`.
SegmentList WavyPath(int pieces, double base, std::mt19937& rng) {
  std::uniform_real_distribution<double> noise(-6, 6), phase(0, 6.283), handle(4, 9);
  const double phi = phase(rng);
  SegmentList path;
  for (int i = 0; i <= pieces; ++i) {
    const Point p{20.0 * i + noise(rng), base + 30 * std::sin(0.35 * i + phi) + noise(rng)};
    const Point dir = Unit({1, 0.525 * std::cos(0.35 * i + phi) + noise(rng) / 20});
    path.push_back({p, p - handle(rng) * dir, p + handle(rng) * dir, false});
  }
  return path;
}

// A path read the way the host's paths are: the engine must not keep its pieces, so it reads
// them per pair of pieces. Same identity as the path it reads.
class ReadPerUse final : public PieceSource {
 public:
  explicit ReadPerUse(const InMemoryPath& path) : path_(path) {}
  int CountPieces() const override { return path_.CountPieces(); }
  Bezier GetPiece(int i) const override {
    ++reads_;
    return path_.GetPiece(i);
  }
  const void* Identity() const override { return path_.Identity(); }
  int Reads() const { return reads_; }

 private:
  const InMemoryPath& path_;
  mutable int reads_ = 0;
};

void ExpectSameRecord(const TangentCircle& a, const TangentCircle& b) {
  EXPECT_EQ(a.art1, b.art1);
  EXPECT_EQ(a.piece1, b.piece1);
  EXPECT_EQ(Bits(a.t1), Bits(b.t1));
  EXPECT_EQ(a.art2, b.art2);
  EXPECT_EQ(a.piece2, b.piece2);
  EXPECT_EQ(Bits(a.t2), Bits(b.t2));
  EXPECT_EQ(Bits(a.centre.h), Bits(b.centre.h));
  EXPECT_EQ(Bits(a.centre.v), Bits(b.centre.v));
  EXPECT_EQ(Bits(a.radius), Bits(b.radius));
  EXPECT_EQ(a.valid, b.valid);
  EXPECT_EQ(Bits(a.reference.h), Bits(b.reference.h));
  EXPECT_EQ(Bits(a.reference.v), Bits(b.reference.v));
  EXPECT_EQ(Bits(a.score), Bits(b.score));
}

TEST(EngineDifferential, RootFindersReturnTheReferenceRootsBitForBit) {
  std::mt19937 rng(90210);
  std::uniform_real_distribution<double> coord(-50, 150), param(-0.2, 1.2), unit(0, 1);
  int withRoots = 0;
  for (int i = 0; i < 20000; ++i) {
    const Bezier piece = AnyPiece(rng);
    // Points anywhere, and points on the piece itself (where both conditions hold at once).
    const Point p = i % 5 == 0 ? piece.At(unit(rng)) : Point{coord(rng), coord(rng)};
    const PointPieceSolver s{piece, p};
    const double t0 = param(rng);
    SCOPED_TRACE(i);
    const std::vector<double> normals = NormalRoots(s, t0), tangents = TangentRoots(s, t0);
    ASSERT_EQ(Bits(normals), Bits(reference::NormalRoots(s, t0)));
    ASSERT_EQ(Bits(tangents), Bits(reference::TangentRoots(s, t0)));
    withRoots += !normals.empty() && !tangents.empty();
  }
  EXPECT_GT(withRoots, 10000);  // the sweep exercises converging runs, not only failures
}

TEST(EngineDifferential, TangentPairIterationAndMayMeetMatchTheReference) {
  std::mt19937 rng(4242);
  std::uniform_real_distribution<double> radius(1, 60), param(-0.1, 1.1), shift(-60, 60);
  int converged = 0, meeting = 0;
  for (int i = 0; i < 20000; ++i) {
    const Bezier c1 = AnyPiece(rng), c0 = AnyPiece(rng);
    const Point d{shift(rng), shift(rng)};
    const Bezier c2(c0.P(0) + d, c0.P(1) + d, c0.P(2) + d, c0.P(3) + d);
    const double r = radius(rng);
    const ParameterPair start{param(rng), param(rng)};
    SCOPED_TRACE(i);
    const auto ours = IterateTangentPair(c1, c2, r, start, tol::kCircleConvergence, tol::kCircleAcceptance);
    const auto theirs =
        reference::IterateTangentPair(c1, c2, r, start, tol::kCircleConvergence, tol::kCircleAcceptance);
    ASSERT_EQ(ours.has_value(), theirs.has_value());
    if (ours) {
      ++converged;
      ASSERT_EQ(Bits(ours->t1), Bits(theirs->t1));
      ASSERT_EQ(Bits(ours->t2), Bits(theirs->t2));
    }
    ASSERT_EQ(Bits(CentreMismatch(c1, c2, r, start)), Bits(reference::CentreMismatch(c1, c2, r, start)));
    const bool meet = MayMeet(c1, c2, r);
    ASSERT_EQ(meet, reference::MayMeet(c1, c2, r));
    meeting += meet;
  }
  EXPECT_GT(converged, 2000);
  EXPECT_GT(meeting, 5000);
  EXPECT_LT(meeting, 19000);
}

TEST(EngineDifferential, FindTangentCircleReturnsTheReferenceRecord) {
  struct Scene {
    int pieces;
    double gap;   // vertical distance between the two paths
    int queries;
  };
  const Scene scenes[] = {{1, 45, 60}, {3, 30, 60}, {10, 45, 40}, {25, 45, 12}, {50, 45, 6}};
  std::mt19937 rng(1357);
  std::uniform_real_distribution<double> unit(0, 1), radius(4, 40), lift(-30, 75);
  int found = 0, total = 0;
  for (const Scene& scene : scenes) {
    const InMemoryPath first(WavyPath(scene.pieces, 0, rng), false);
    const InMemoryPath second(WavyPath(scene.pieces, scene.gap, rng), false);
    std::uniform_int_distribution<int> piece(0, scene.pieces - 1);
    for (int q = 0; q < scene.queries; ++q) {
      // Every third query picks twice on the first path: pairs (k, k) and the same-point rule.
      const bool samePath = q % 3 == 2;
      const InMemoryPath& other = samePath ? first : second;
      const PieceRef pick1{piece(rng), unit(rng)}, pick2{piece(rng), unit(rng)};
      const double r = radius(rng);
      const Point guess{20.0 * scene.pieces * unit(rng), lift(rng)};
      SCOPED_TRACE(::testing::Message() << scene.pieces << " pieces, query " << q);
      TangentCircle ours, theirs;
      ours.radius = theirs.radius = r;
      const bool a = FindTangentCircle(first, pick1, other, pick2, r, guess, ours);
      const bool b = reference::FindTangentCircle(first, pick1, other, pick2, r, guess, theirs);
      ASSERT_EQ(a, b);
      ExpectSameRecord(ours, theirs);
      if (q % 4 == 0) {  // the per-pair reading path of host-backed sources gives the same record
        const ReadPerUse hostFirst(first), hostOther(other);
        TangentCircle host;
        host.radius = r;
        ASSERT_EQ(FindTangentCircle(hostFirst, pick1, hostOther, pick2, r, guess, host), a);
        ExpectSameRecord(host, theirs);
        // Every pair of pieces is read when the candidates are collected.
        EXPECT_GE(hostFirst.Reads(), scene.pieces * scene.pieces - 1);
      }
      found += a;
      ++total;
    }
  }
  // Closed circle paths: several pieces meet each circle, and equal scores are common.
  const InMemoryPath left(CirclePath({0, 0}, 30), true), right(CirclePath({100, 0}, 30), true);
  for (double r : {5.0, 20.0, 25.0, 80.0}) {
    for (int q = 0; q < 8; ++q) {
      const Point guess{50 + 40 * (unit(rng) - 0.5), 120 * (unit(rng) - 0.5)};
      TangentCircle ours, theirs;
      const bool a = FindTangentCircle(left, {q % 4, 0.5}, right, {(q + 2) % 4, 0.5}, r, guess, ours);
      const bool b = reference::FindTangentCircle(left, {q % 4, 0.5}, right, {(q + 2) % 4, 0.5}, r, guess, theirs);
      ASSERT_EQ(a, b);
      ExpectSameRecord(ours, theirs);
      found += a;
      ++total;
    }
  }
  EXPECT_GT(found, total / 3);  // the sweep compares found circles, not only failures
}

TEST(EngineDifferential, TwoPieceSolverAndLineContactMatchTheReference) {
  std::mt19937 rng(8080);
  std::uniform_real_distribution<double> unit(0, 1), shift(20, 140);
  int solved = 0;
  for (int i = 0; i < 4000; ++i) {
    const Bezier a = AnyPiece(rng), b0 = AnyPiece(rng);
    const Point d{shift(rng), shift(rng) - 80};
    const Bezier b(b0.P(0) + d, b0.P(1) + d, b0.P(2) + d, b0.P(3) + d);
    const double a0 = unit(rng), bb0 = unit(rng);
    for (LineKind kind : {LineKind::Tangent, LineKind::Perpendicular}) {
      SCOPED_TRACE(::testing::Message() << i << (kind == LineKind::Tangent ? " tangent" : " perpendicular"));
      const auto ours = TwoPieceSolver(a, b, kind, a0, bb0).Solve();
      const auto theirs = reference::SolveTwoPieces(a, b, kind, a0, bb0);
      ASSERT_EQ(ours.has_value(), theirs.has_value());
      if (!ours) continue;
      ++solved;
      ASSERT_EQ(Bits(ours->a), Bits(theirs->a));
      ASSERT_EQ(Bits(ours->b), Bits(theirs->b));
    }
  }
  EXPECT_GT(solved, 3000);
  const InMemoryPath first(WavyPath(20, 0, rng), false), second(WavyPath(20, 80, rng), false);
  std::uniform_int_distribution<int> piece(0, 19);
  for (int q = 0; q < 40; ++q) {
    const PieceRef p1{piece(rng), unit(rng)}, p2{piece(rng), unit(rng)};
    const LineKind kind = q % 2 ? LineKind::Tangent : LineKind::Perpendicular;
    SCOPED_TRACE(q);
    const auto ours = FindLineContact(first, p1, second, p2, kind);
    const auto theirs = reference::FindLineContact(first, p1, second, p2, kind);
    ASSERT_EQ(ours.has_value(), theirs.has_value());
    if (!ours) continue;
    EXPECT_EQ(ours->first.piece, theirs->first.piece);
    EXPECT_EQ(Bits(ours->first.t), Bits(theirs->first.t));
    EXPECT_EQ(ours->second.piece, theirs->second.piece);
    EXPECT_EQ(Bits(ours->second.t), Bits(theirs->second.t));
  }
}

}  // namespace
}  // namespace geom
