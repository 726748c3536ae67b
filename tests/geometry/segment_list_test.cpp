#include "geometry/segment_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "geometry/errors.h"
#include "geometry_assertions.h"

namespace geom {
namespace {

using testing::IsSingle;

TEST(CountPieces, OpenPathsHaveOneFewerPieceThanAnchors) {
  struct Case {
    int segments;
    bool closed;
    int pieces;
  };
  const Case cases[] = {{0, false, 0}, {1, false, 0}, {2, false, 1}, {5, false, 4},
                        {0, true, 0},  {1, true, 1},  {2, true, 2},  {5, true, 5}};
  for (const Case& c : cases) EXPECT_EQ(CountPieces(c.segments, c.closed), c.pieces) << c.segments << " " << c.closed;
}

SegmentList ThreeAnchors() {
  return {{{0, 0}, {-1, 0}, {1, 1}, true}, {{10, 0}, {9, -1}, {11, 1}, false}, {{20, 5}, {19, 4}, {21, 6}, true}};
}

TEST(PieceOf, ReadsAnchorsAndHandlesAndWrapsForTheClosingPiece) {
  const SegmentList s = ThreeAnchors();
  const Bezier first = PieceOf(s, 0);
  EXPECT_EQ(first.Controls(), (ControlPoints{s[0].p, s[0].out, s[1].in, s[1].p}));
  const Bezier closing = PieceOf(s, 2);
  EXPECT_EQ(closing.Controls(), (ControlPoints{s[2].p, s[2].out, s[0].in, s[0].p}));
  EXPECT_THROW(PieceOf(s, 3), ParameterError);
  EXPECT_THROW(PieceOf(s, -1), ParameterError);
  EXPECT_THROW(PieceOf({}, 0), ParameterError);
}

TEST(AppendPiece, StartsWithTheStartAnchorThenJoinsAtTheLastAnchor) {
  SegmentList list;
  AppendPiece(list, Bezier({0.1, 0.2}, {1.1, 0.3}, {2.1, 0.4}, {3.1, 0.5}), false);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_FALSE(list[0].corner);
  EXPECT_TRUE(list[1].corner);
  EXPECT_EQ(list[0].in, list[0].p);
  EXPECT_EQ(list[1].out, list[1].p);
  AppendPiece(list, Bezier({3.1, 0.5}, {4.1, 0.6}, {5.1, 0.7}, {6.1, 0.8}), false);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_FALSE(list[1].corner);  // the joint takes the new piece's flag
  EXPECT_EQ(list[1].out, RoundToSingle({4.1, 0.6}));
  for (const Segment& s : list) {
    EXPECT_TRUE(IsSingle(s.p) && IsSingle(s.in) && IsSingle(s.out));
  }
  EXPECT_EQ(list[2].p, RoundToSingle({6.1, 0.8}));
}

// A closed path of four curved pieces and an open copy of its first three pieces.
class SubPath : public ::testing::Test {
 protected:
  SegmentList circle = testing::CirclePath({0, 0}, 50);
  Point On(PieceRef at) const { return PieceOf(circle, at.piece).At(at.t); }
};

TEST_F(SubPath, OnOnePieceCopiesTheStretchBetweenBothParameters) {
  const SegmentList part = ExtractSubPath(circle, true, {1, 0.2}, {1, 0.7});
  ASSERT_EQ(part.size(), 2u);
  EXPECT_POINT_NEAR(part[0].p, On({1, 0.2}), 1e-5);
  EXPECT_POINT_NEAR(part[1].p, On({1, 0.7}), 1e-5);
  EXPECT_POINT_NEAR(PieceOf(part, 0).At(0.5), On({1, 0.45}), 1e-4);
}

// The copy of a stretch of one piece runs from where the piece is at the first parameter to
// where it is at the second, whether the piece is curved or straight (a straight piece keeps its
// handles retracted, and so its own parameterisation, which a rescaled second split would miss).
TEST_F(SubPath, OnOnePieceEndsWhereThePieceIsAtBothParameters) {
  const SegmentList square = testing::Polyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  struct Case {
    const char* name;
    const SegmentList& path;
    PieceRef a, b;
    Point start, end;
    bool straight;
  };
  // With retracted handles a piece is at P0 + (P3 - P0)(3t^2 - 2t^3).
  const Case cases[] = {
      {"curved", circle, {1, 0.2}, {1, 0.7}, On({1, 0.2}), On({1, 0.7}), false},
      {"curved, from its start", circle, {2, 0}, {2, 0.6}, circle[2].p, On({2, 0.6}), false},
      {"straight side of a square", square, {1, 0.25}, {1, 0.75}, {10, 1.5625}, {10, 8.4375}, true},
      {"straight, from its start", square, {1, 0}, {1, 0.75}, {10, 0}, {10, 8.4375}, true},
      {"straight, to its end", square, {1, 0.25}, {1, 1}, {10, 1.5625}, {10, 10}, true},
      {"straight closing piece", square, {3, 0.1}, {3, 0.9}, {0, 9.72}, {0, 0.28}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SegmentList part = ExtractSubPath(c.path, true, c.a, c.b);
    ASSERT_EQ(part.size(), 2u);
    EXPECT_POINT_NEAR(part[0].p, c.start, 1e-5);
    EXPECT_POINT_NEAR(part[1].p, c.end, 1e-5);
    if (c.straight) {
      EXPECT_EQ(part[0].out, part[0].p);
      EXPECT_EQ(part[1].in, part[1].p);
    } else {
      const Bezier piece = PieceOf(c.path, c.a.piece);
      EXPECT_POINT_NEAR(PieceOf(part, 0).At(0.5), piece.At((c.a.t + c.b.t) / 2), 1e-4);
    }
  }
}

// From a point to the same point: a closed path is walked all the way round, through every
// anchor, back to the start; an open path has no way back.
TEST_F(SubPath, FromAPointToItselfWalksRoundAClosedPathOnly) {
  const struct {
    const char* name;
    PieceRef at;
    std::size_t anchors;  // the start, the four anchors of the circle (one of them the start when at.t = 0), the end
  } cases[] = {{"inside a piece", {1, 0.4}, 6}, {"on an anchor", {2, 0}, 5}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const SegmentList part = ExtractSubPath(circle, true, c.at, c.at);
    ASSERT_EQ(part.size(), c.anchors);
    EXPECT_POINT_NEAR(part.front().p, On(c.at), 1e-5);
    EXPECT_POINT_NEAR(part.back().p, On(c.at), 1e-5);
    for (const Segment& s : circle)
      EXPECT_TRUE(std::any_of(part.begin(), part.end(), [&](const Segment& q) { return q.p == s.p; }));
    EXPECT_THROW(ExtractSubPath(circle, false, c.at, c.at), ParameterError);
  }
}

// A copy that starts inside a piece goes on as the path does at the next anchor: that anchor
// keeps its corner or smooth flag and its out-handle (the copy ends a whole piece later, so the
// out-handle is not shortened for the end).
TEST(SubPathStart, InsideAPieceKeepsTheNextAnchorsFlagAndHandle) {
  const SegmentList path = ThreeAnchors();  // anchors 0 and 2 are corners, 1 is smooth
  const struct {
    PieceRef a, b;
    std::size_t next;
  } cases[] = {{{0, 0.5}, {2, 0.5}, 1}, {{1, 0.3}, {0, 0.5}, 2}, {{2, 0.5}, {1, 0.5}, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE("next anchor " + std::to_string(c.next));
    const SegmentList part = ExtractSubPath(path, true, c.a, c.b);
    ASSERT_EQ(part.size(), 4u);
    EXPECT_EQ(part[1].p, path[c.next].p);
    EXPECT_EQ(part[1].corner, path[c.next].corner);
    EXPECT_EQ(part[1].out, path[c.next].out);
  }
}

TEST_F(SubPath, WrapsPastTheLastAnchorOfAClosedPath) {
  const SegmentList part = ExtractSubPath(circle, true, {3, 0.5}, {1, 0.5});
  ASSERT_EQ(part.size(), 4u);
  EXPECT_POINT_NEAR(part[0].p, On({3, 0.5}), 1e-5);
  EXPECT_EQ(part[1].p, circle[0].p);
  EXPECT_EQ(part[1].out, circle[0].out);  // continues exactly as the path does
  EXPECT_EQ(part[2].p, circle[1].p);
  EXPECT_EQ(part[2].in, circle[1].in);  // copied; its out-handle is shortened for the last part
  EXPECT_POINT_NEAR(part[3].p, On({1, 0.5}), 1e-5);
  EXPECT_FALSE(part[3].corner);
  EXPECT_POINT_NEAR(PieceOf(part, 0).At(0.5), On({3, 0.75}), 1e-4);
  EXPECT_POINT_NEAR(PieceOf(part, 2).At(0.5), On({1, 0.25}), 1e-4);
}

TEST_F(SubPath, EndBeforeStartOnOnePieceWalksAllTheWayRound) {
  const SegmentList part = ExtractSubPath(circle, true, {2, 0.6}, {2, 0.3});
  ASSERT_EQ(part.size(), 6u);
  EXPECT_POINT_NEAR(part.front().p, On({2, 0.6}), 1e-5);
  EXPECT_POINT_NEAR(part.back().p, On({2, 0.3}), 1e-5);
  EXPECT_EQ(part[2], circle[0]);
}

TEST_F(SubPath, ParametersAtPieceEndsCopyTheAnchorsExactly) {
  const SegmentList part = ExtractSubPath(circle, true, {0, 0.999999995}, {2, 5e-9});
  ASSERT_EQ(part.size(), 2u);
  EXPECT_EQ(part[0], circle[1]);
  EXPECT_EQ(part[1], circle[2]);
}

TEST_F(SubPath, RejectsPiecesOutsideThePathAndBackwardWalksOnOpenPaths) {
  SegmentList open = circle;  // four anchors, three pieces when open
  EXPECT_THROW(ExtractSubPath(open, false, {3, 0.5}, {1, 0.5}), ParameterError);
  EXPECT_THROW(ExtractSubPath(open, false, {2, 0.5}, {1, 0.5}), ParameterError);
  EXPECT_THROW(ExtractSubPath(open, false, {1, 0.5}, {1, 0.2}), ParameterError);
  EXPECT_THROW(ExtractSubPath(circle, true, {0, 0.5}, {4, 0.5}), ParameterError);
  EXPECT_EQ(ExtractSubPath(open, false, {0, 0.5}, {2, 0.5}).size(), 4u);
}

}  // namespace
}  // namespace geom
