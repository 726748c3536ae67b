// The library's numeric engines against the frozen reference copy (reference_engine.h) on seeded
// queries. Where the library keeps the reference's algorithm (the tangent-pair iteration, the
// offset-polygon test, the two-piece solver) the results must be bit-identical: any reordering
// of floating-point operations shows up as a differing last bit. Where the library searches
// differently (the root finders, the tangent-circle search, the two-path contact search) it must
// find what the reference finds or a nearer answer that meets the same acceptance tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <utility>
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

// The root finders isolate every root, where the reference runs Newton from fixed starts: they
// may find more. On every query each root meets its condition within the residual tolerance
// (checked here from the piece itself), the list is ascending, and the root nearest the cursor
// is at least as near as the reference's nearest; wherever the reference finds a root, so do
// they. The sweep must also contain queries where the reference misses the nearest root.
TEST(EngineDifferential, RootFindersFindEveryReferenceRootOrANearerOne) {
  std::mt19937 rng(90210);
  std::uniform_real_distribution<double> coord(-50, 150), param(-0.2, 1.2), unit(0, 1);
  int withRoots = 0, referenceMissedNearest = 0, referenceFoundNone = 0;
  auto nearest = [](const Bezier& piece, const std::vector<double>& roots, Point cursor) {
    double best = std::numeric_limits<double>::infinity();
    for (double t : roots) best = std::min(best, Distance(piece.At(t), cursor));
    return best;
  };
  for (int i = 0; i < 20000; ++i) {
    const Bezier piece = AnyPiece(rng);
    // Points anywhere, and points on the piece itself (where both conditions hold at once).
    const Point p = i % 5 == 0 ? piece.At(unit(rng)) : Point{coord(rng), coord(rng)};
    const Point cursor = piece.At(unit(rng));
    const PointPieceSolver s{piece, p};
    const double t0 = param(rng);
    SCOPED_TRACE(i);
    const std::vector<double> normals = NormalRoots(s, t0), tangents = TangentRoots(s, t0);
    ASSERT_TRUE(std::is_sorted(normals.begin(), normals.end()));
    ASSERT_TRUE(std::is_sorted(tangents.begin(), tangents.end()));
    for (double t : normals) {
      ASSERT_TRUE(t >= 0 && t <= 1);
      const Point d = piece.Derivative(t);
      ASSERT_LT(std::abs(Dot(p - piece.At(t), d) / Length(d)), tol::kPointPieceResidual);
    }
    for (double t : tangents) {
      ASSERT_TRUE(t >= 0 && t <= 1);
      ASSERT_LT(std::abs(Cross(piece.Derivative(t), piece.At(t) - p)), tol::kPointPieceResidual);
    }
    const std::vector<double> refNormals = reference::NormalRoots(s, t0), refTangents = reference::TangentRoots(s, t0);
    for (const auto& [ours, theirs] : {std::pair(&normals, &refNormals), std::pair(&tangents, &refTangents)}) {
      if (theirs->empty()) {
        referenceFoundNone += !ours->empty();
        continue;
      }
      ASSERT_FALSE(ours->empty());
      const double a = nearest(piece, *ours, cursor), b = nearest(piece, *theirs, cursor);
      // The reference accepts a parameter where |f| is below the tolerance, not the exact root:
      // its contact may lie a little nearer the cursor than the exact one (up to 1e-3 here).
      // Near a double root the condition stays within the tolerance over a stretch of
      // parameters (on a straight piece through the point, over all of it), and the reference
      // may stop anywhere on it: there the root found must lie on the same stretch, the
      // condition holding all the way between the two.
      if (a > b + 1e-3) {
        const bool tangent = ours == &tangents;
        auto holds = [&](double t) {
          const Point d = piece.Derivative(t);
          return tangent ? std::abs(Cross(d, piece.At(t) - p)) < tol::kPointPieceResidual
                         : std::abs(Dot(p - piece.At(t), d) / Length(d)) < tol::kPointPieceResidual;
        };
        double ta = ours->front(), tb = theirs->front();
        for (double t : *ours)
          if (Distance(piece.At(t), cursor) < Distance(piece.At(ta), cursor)) ta = t;
        for (double t : *theirs)
          if (Distance(piece.At(t), cursor) < Distance(piece.At(tb), cursor)) tb = t;
        for (int k = 1; k < 16; ++k) ASSERT_TRUE(holds(ta + (tb - ta) * k / 16)) << a << " vs " << b;
      }
      referenceMissedNearest += a < b - 1e-3;
    }
    withRoots += !normals.empty() && !tangents.empty();
  }
  EXPECT_GT(withRoots, 10000);  // the sweep exercises pieces with roots, not only failures
  EXPECT_GT(referenceMissedNearest, 100);
  EXPECT_GT(referenceFoundNone, 100);
}

// Queries where the reference's Newton runs all stalled or left [0, 1] (no root at all), or
// missed the root nearest the cursor. The expected contact is found here by a fine scan of the
// condition for sign changes, independently of both engines.
TEST(EngineDifferential, RootFindersFindWhatTheReferenceMissed) {
  struct Case {
    const char* name;
    bool tangent;
    Bezier piece;
    Point p, cursor;
  };
  const Case cases[] = {
      {"normal farther", false, Bezier({106.19891575702175, 144.88110840265236}, {-8.5453386387296888, -15.413521895149877}, {114.23066642400221, 141.66652695826315}, {13.865554664940959, 49.463111835226769}), {24.128882961231696, 144.15437084513709}, {53.006810873679406, 68.538250504522011}},
      {"normal none", false, Bezier({12.622184869390985, 78.732329278776774}, {6.8127142650699852, 96.792341246076859}, {62.624360071317113, 21.748727634094237}, {72.803712840206288, 34.541018694729786}), {115.95004623032682, 3.5619123120193805}, {68.836290493432855, 33.108877706994036}},
      {"normal farther", false, Bezier({-47.693447544626139, 83.584557548607762}, {-39.067983701115502, 128.28802965905149}, {108.96472743280771, -49.274163796943434}, {76.456822307937401, -25.436358406677069}), {-8.2786137784197393, 75.723325132506119}, {81.070742977594534, -27.316975881240566}},
      {"normal none", false, Bezier({0.48081227687770678, -24.97554431792139}, {123.5638305367045, -42.62109877651357}, {-43.428404828640168, -11.328395050229076}, {122.4186944137783, -43.432867640383073}), {-37.785172370891402, -2.3191169147802597}, {63.502712627042115, -31.978697938849059}},
      {"tangent farther", true, Bezier({69.263070856067969, 72.732527173069343}, {3.1173870726125017, 23.265916385323095}, {-15.039383337058091, 117.07175686317296}, {133.45538694783065, -49.212632798053001}), {79.306940172892268, 9.5458028938144679}, {48.262241510625877, 60.629860433926041}},
      {"tangent none", true, Bezier({79.921412313830302, -30.507155547009425}, {143.06977431534031, -3.2426309546865895}, {35.506109448547733, 22.704548141784343}, {105.5454279221974, -39.941945248140186}), {84.805910329225185, -27.555269281676551}, {97.862984364314059, -5.5074927780378928}},
      {"tangent farther", true, Bezier({64.572347851713133, 126.56756543487558}, {122.7040751610711, -35.107910253271427}, {95.659534092256848, -4.2850425936145626}, {141.47430146981009, 44.80057664531499}), {66.148730108769954, 124.56772315612994}, {79.768202653300193, 83.21595030477684}},
      {"tangent none", true, Bezier({-33.536282470455703, 37.773899233731129}, {78.521942614819977, 93.86588901965635}, {69.566963363741152, 117.09733487497539}, {94.283688443763481, -45.357280485189619}), {71.933207553252544, 88.471099199898589}, {57.810064778210972, 79.667086452112159}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PointPieceSolver s{c.piece, c.p};
    const RootFinder finder = c.tangent ? TangentRoots : NormalRoots;
    const RootFinder old = c.tangent ? reference::TangentRoots : reference::NormalRoots;
    // The nearest sign change of the condition on a fine grid, polished by bisection.
    auto condition = [&](double t) { return c.tangent ? s.Tangent(t) : s.Normal(t); };
    double expected = -1;
    constexpr int kSteps = 20000;
    for (int k = 0; k < kSteps; ++k) {
      double lo = double(k) / kSteps, hi = double(k + 1) / kSteps;
      if ((condition(lo) < 0) == (condition(hi) < 0)) continue;
      for (int m = 0; m < 60; ++m) {
        const double mid = (lo + hi) / 2;
        ((condition(lo) < 0) == (condition(mid) < 0) ? lo : hi) = mid;
      }
      if (expected < 0 || Distance(c.piece.At(lo), c.cursor) < Distance(c.piece.At(expected), c.cursor))
        expected = lo;
    }
    ASSERT_GE(expected, 0) << "the case needs a contact";
    const std::vector<double> roots = finder(s, 0.5);
    ASSERT_FALSE(roots.empty());
    double best = roots.front();
    for (double t : roots)
      if (Distance(c.piece.At(t), c.cursor) < Distance(c.piece.At(best), c.cursor)) best = t;
    EXPECT_NEAR(best, expected, 1e-6);
    // The reference's answer, for the record: none, or a contact farther from the cursor.
    const std::vector<double> before = old(s, 0.5);
    for (double t : before) EXPECT_GT(std::abs(t - expected), 1e-4);
  }
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

// What any circle the engine returns must be, checked here from the pieces: both parameters in
// [0, 1], the candidate centres on the two normals within the acceptance distance of each
// other, the centre at distance r from both touching points, which are apart, and the score
// its distance from the guess.
void ExpectValidCircle(const PieceSource& first, const PieceSource& second, const TangentCircle& c, double r,
                       Point guess) {
  ASSERT_TRUE(c.valid);
  ASSERT_TRUE(c.t1 >= 0 && c.t1 <= 1 && c.t2 >= 0 && c.t2 <= 1);
  const Bezier b1 = first.GetPiece(c.piece1), b2 = second.GetPiece(c.piece2);
  EXPECT_LT(CentreMismatch(b1, b2, r, {c.t1, c.t2}), tol::kCircleAcceptance);
  EXPECT_NEAR(Distance(c.centre, b1.At(c.t1)), std::abs(r), 1e-3);
  EXPECT_NEAR(Distance(c.centre, b2.At(c.t2)), std::abs(r), 1e-3);
  EXPECT_GE(Distance(b1.At(c.t1), b2.At(c.t2)), tol::kCurvesMeet);
  EXPECT_DOUBLE_EQ(c.score, Distance(c.centre, guess));
  EXPECT_EQ(c.reference, guess);
}

// The search finds the circle nearest the guess among all pairs of pieces, where the reference
// stops after a bounded number of pairs: on every query it finds a circle wherever the
// reference does, and one at least as near the guess (up to the reference's acceptance of
// centres within kCircleAcceptance of each other). It reads each path once.
TEST(EngineDifferential, FindTangentCircleFindsTheReferenceCircleOrANearerOne) {
  struct Scene {
    int pieces;
    double gap;   // vertical distance between the two paths
    int queries;
  };
  const Scene scenes[] = {{1, 45, 60}, {3, 30, 60}, {10, 45, 40}, {25, 45, 12}, {50, 45, 12}};
  std::mt19937 rng(1357);
  std::uniform_real_distribution<double> unit(0, 1), radius(4, 40), lift(-30, 75);
  int found = 0, total = 0, nearer = 0;
  auto compare = [&](const PieceSource& first, PieceRef pick1, const PieceSource& other, PieceRef pick2, double r,
                     Point guess) {
    TangentCircle ours, theirs;
    ours.radius = theirs.radius = r;
    const bool a = FindTangentCircle(first, pick1, other, pick2, r, guess, ours);
    const bool b = reference::FindTangentCircle(first, pick1, other, pick2, r, guess, theirs);
    if (b) {
      ASSERT_TRUE(a);
    }
    if (!a) return;
    ExpectValidCircle(first, other, ours, r, guess);
    EXPECT_EQ(ours.radius, r);  // the caller's radius is kept
    if (b) {
      EXPECT_LE(ours.score, theirs.score + 2 * tol::kCircleAcceptance);
      nearer += ours.score < theirs.score - 1e-3;
    }
    ++found;
  };
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
      compare(first, pick1, other, pick2, r, guess);
      ++total;
      if (q % 4 == 0) {  // a source read per piece, as the host's paths are: each path read once
        const ReadPerUse hostFirst(first), hostOther(other);
        TangentCircle host;
        FindTangentCircle(hostFirst, pick1, hostOther, pick2, r, guess, host);
        EXPECT_LE(hostFirst.Reads() + (samePath ? 0 : hostOther.Reads()), scene.pieces * (samePath ? 1 : 2));
      }
    }
  }
  // Closed circle paths: several pieces meet each circle, and equal scores are common.
  const InMemoryPath left(CirclePath({0, 0}, 30), true), right(CirclePath({100, 0}, 30), true);
  for (double r : {5.0, 20.0, 25.0, 80.0}) {
    for (int q = 0; q < 8; ++q) {
      const Point guess{50 + 40 * (unit(rng) - 0.5), 120 * (unit(rng) - 0.5)};
      SCOPED_TRACE(::testing::Message() << "circles, r " << r << ", query " << q);
      compare(left, {q % 4, 0.5}, right, {(q + 2) % 4, 0.5}, r, guess);
      ++total;
    }
  }
  EXPECT_GT(found, total / 3);  // the sweep compares found circles, not only failures
  EXPECT_GT(nearer, 5);         // and it holds queries where the reference stopped too early
}

TEST(EngineDifferential, TwoPieceSolverMatchesTheReference) {
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
}

// What any contact the search returns must be, checked here from the pieces: both parameters
// in [0, 1], the contacts apart, the residuals of the solver's equations below its tolerance,
// and the line through both contacts along both tangents (Tangent) or both normals
// (Perpendicular).
void ExpectValidContact(const PieceSource& first, const PieceSource& second, const LineContact& c, LineKind kind) {
  ASSERT_TRUE(c.first.t >= 0 && c.first.t <= 1 && c.second.t >= 0 && c.second.t <= 1);
  EXPECT_EQ(c.firstArt, first.Identity());
  EXPECT_EQ(c.secondArt, second.Identity());
  const Bezier b1 = first.GetPiece(c.first.piece), b2 = second.GetPiece(c.second.piece);
  const Point d = b2.At(c.second.t) - b1.At(c.first.t);
  EXPECT_GT(Length(d), tol::kDistinctContacts);
  const Residual f = TwoPieceSolver(b1, b2, kind, 0, 0).Evaluate(c.first.t, c.second.t);
  EXPECT_LT(std::abs(f.f1), tol::kTwoPieceResidual);
  EXPECT_LT(std::abs(f.f2), tol::kTwoPieceResidual);
  const Point u = Unit(d), t1 = Unit(b1.Derivative(c.first.t)), t2 = Unit(b2.Derivative(c.second.t));
  const double off1 = kind == LineKind::Tangent ? Cross(u, t1) : Dot(u, t1);
  const double off2 = kind == LineKind::Tangent ? Cross(u, t2) : Dot(u, t2);
  EXPECT_LT(std::abs(off1), 1e-5);
  EXPECT_LT(std::abs(off2), 1e-5);
}

// The score by which the search picks its contact: 2 |P1 - Q1| + |P2 - Q2|, Q the picked points.
double ContactScore(const PieceSource& first, PieceRef pick1, const PieceSource& second, PieceRef pick2,
                    const LineContact& c) {
  return 2 * Distance(first.GetPiece(c.first.piece).At(c.first.t), first.GetPiece(pick1.piece).At(pick1.t)) +
         Distance(second.GetPiece(c.second.piece).At(c.second.t), second.GetPiece(pick2.piece).At(pick2.t));
}

// The reference takes the first pair of pieces, outward from the picks, on which its 17 Newton
// runs find a contact; the search finds the contact nearest the picks over all pairs. On every
// query of the sweep (two wavy paths of 1, 10 and 50 pieces, both kinds) it finds a contact
// wherever the reference does, and either the reference's contact (the same points, within the
// solvers' tolerance) or one with a smaller score. The wavy paths have no vanishing
// derivative, so the reference's contacts meet the touching rule the search applies.
TEST(EngineDifferential, FindLineContactFindsTheReferenceContactOrANearerOne) {
  struct Scene {
    int pieces;
    double gap;  // vertical distance between the two paths
    int queries;
  };
  const Scene scenes[] = {{1, 45, 120}, {3, 45, 80}, {10, 60, 60}, {50, 60, 24}, {50, 100, 16}};
  std::mt19937 rng(2468);
  std::uniform_real_distribution<double> unit(0, 1);
  int found = 0, same = 0, nearer = 0, referenceNone = 0, total = 0;
  for (const Scene& scene : scenes) {
    const InMemoryPath first(WavyPath(scene.pieces, 0, rng), false);
    const InMemoryPath second(WavyPath(scene.pieces, scene.gap, rng), false);
    std::uniform_int_distribution<int> piece(0, scene.pieces - 1);
    for (int q = 0; q < scene.queries; ++q) {
      const PieceRef pick1{piece(rng), unit(rng)}, pick2{piece(rng), unit(rng)};
      for (LineKind kind : {LineKind::Tangent, LineKind::Perpendicular}) {
        SCOPED_TRACE(::testing::Message() << scene.pieces << " pieces, query " << q
                                          << (kind == LineKind::Tangent ? " tangent" : " perpendicular"));
        ++total;
        const auto ours = FindLineContact(first, pick1, second, pick2, kind);
        const auto theirs = reference::FindLineContact(first, pick1, second, pick2, kind);
        if (theirs) {
          ASSERT_TRUE(ours);
        }
        if (!ours) continue;
        ++found;
        ExpectValidContact(first, second, *ours, kind);
        if (!theirs) {
          ++referenceNone;
          continue;
        }
        const double a = ContactScore(first, pick1, second, pick2, *ours);
        const double b = ContactScore(first, pick1, second, pick2, *theirs);
        ASSERT_LE(a, b + 1e-4);
        if (a < b - 1e-4) {
          ++nearer;
          continue;
        }
        ++same;
        const auto at = [](const PieceSource& path, PieceRef r) { return path.GetPiece(r.piece).At(r.t); };
        EXPECT_POINT_NEAR(at(first, ours->first), at(first, theirs->first), 1e-3);
        EXPECT_POINT_NEAR(at(second, ours->second), at(second, theirs->second), 1e-3);
      }
    }
  }
  std::printf("line contacts: %d queries, %d found, %d the reference's, %d nearer, %d where it found none\n", total,
              found, same, nearer, referenceNone);
  EXPECT_GT(found, total / 4);  // the sweep compares found contacts, not only failures
  EXPECT_GT(same, total / 8);   // often the reference already has the nearest
  EXPECT_GT(nearer, 5);         // and the sweep holds queries where it stopped too early
}

// Queries where the reference stopped at the first pair of pieces outward from the picks on
// which its Newton runs converged, and so returned a contact farther from the picks than the
// nearest one. Two wavy paths of 6 pieces, 60 pt apart, made from the seed. The nearest contact
// is found here independently of the search: Newton runs of the two-piece solver from a 16 x 16
// grid of starts on every pair of pieces, the nearest accepted result kept.
TEST(EngineDifferential, FindLineContactFindsWhatTheReferenceMissed) {
  struct Case {
    const char* name;
    unsigned seed;
    PieceRef pick1, pick2;
    LineKind kind;
  };
  const Case cases[] = {
      {"tangent, the reference two pieces on", 3, {3, 0.18781482500867372}, {0, 0.66562460780891153}, LineKind::Tangent},
      {"tangent, the reference on the far side", 5, {3, 0.93929935034613321}, {5, 0.085105029154461831}, LineKind::Tangent},
      {"tangent, the reference three pieces off", 36, {2, 0.26998260421497938}, {3, 0.81285089477009553}, LineKind::Tangent},
      {"normal, the reference two pieces on", 20, {1, 0.60776707583469169}, {3, 0.78981762357246066}, LineKind::Perpendicular},
      {"normal, the reference on the picked pieces' far side", 14, {3, 0.57925115189699683}, {3, 0.20948156915572658}, LineKind::Perpendicular},
      {"normal, the reference on the next pair", 4, {3, 0.60356351013769871}, {0, 0.943950673114757}, LineKind::Perpendicular},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::mt19937 rng(c.seed);
    const InMemoryPath first(WavyPath(6, 0, rng), false), second(WavyPath(6, 60, rng), false);
    double expected = std::numeric_limits<double>::infinity();
    for (int i = 0; i < 6; ++i) {
      for (int j = 0; j < 6; ++j) {
        TwoPieceSolver solver(first.GetPiece(i), second.GetPiece(j), c.kind, 0, 0);
        solver.SetNeighbourhoods(NeighbourhoodOf(first, i), NeighbourhoodOf(second, j));
        for (int u = 0; u < 16; ++u) {
          for (int v = 0; v < 16; ++v) {
            const ContactPair at = solver.NewtonRun((u + 0.5) / 16, (v + 0.5) / 16);
            if (!solver.IsValid(at)) continue;
            const LineContact found{nullptr, {i, at.a}, nullptr, {j, at.b}};
            expected = std::min(expected, ContactScore(first, c.pick1, second, c.pick2, found));
          }
        }
      }
    }
    const auto ours = FindLineContact(first, c.pick1, second, c.pick2, c.kind);
    const auto theirs = reference::FindLineContact(first, c.pick1, second, c.pick2, c.kind);
    ASSERT_TRUE(ours && theirs);
    ExpectValidContact(first, second, *ours, c.kind);
    const double score = ContactScore(first, c.pick1, second, c.pick2, *ours);
    EXPECT_NEAR(score, expected, 1e-4);
    EXPECT_GT(ContactScore(first, c.pick1, second, c.pick2, *theirs), score + 5);
  }
}

}  // namespace
}  // namespace geom
