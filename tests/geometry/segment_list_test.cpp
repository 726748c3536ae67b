#include "geometry/segment_list.h"

#include <gtest/gtest.h>

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
