#include "geometry/anchor_insertion.h"

#include <gtest/gtest.h>

#include "geometry/errors.h"
#include "geometry_assertions.h"

namespace geom {
namespace {

using testing::IsSingle;

// Anchors of an open three-piece path with curved pieces.
SegmentList Wave() {
  return {{{0, 0}, {0, 0}, {10, 20}, true},
          {{30, 0}, {20, -20}, {40, 20}, false},
          {{60, 0}, {50, -20}, {70, 20}, false},
          {{90, 0}, {80, -20}, {90, 0}, true}};
}

// The path after the insertion traces the piece's two halves where the piece was.
void ExpectShapeKept(const SegmentList& before, bool closed, PieceRef cut, const SegmentList& after, int leftPiece,
                     int rightPiece) {
  const Bezier original = PieceOf(before, cut.piece);
  const Bezier left = PieceOf(after, leftPiece), right = PieceOf(after, rightPiece);
  for (double s = 0; s <= 1; s += 0.125) {
    EXPECT_POINT_NEAR(left.At(s), original.At(s * cut.t), 1e-4);
    EXPECT_POINT_NEAR(right.At(s), original.At(cut.t + s * (1 - cut.t)), 1e-4);
  }
  EXPECT_EQ(static_cast<int>(after.size()), static_cast<int>(before.size()) + 1);
  EXPECT_EQ(CountPieces(static_cast<int>(after.size()), closed), CountPieces(static_cast<int>(before.size()), closed) + 1);
}

TEST(InsertAnchorAt, CutsAPieceWithoutChangingItsShape) {
  SegmentList path = Wave();
  const PieceRef cut{1, 0.3};
  const Point p = PieceOf(path, 1).At(cut.t);
  ASSERT_TRUE(InsertAnchorAt(path, false, cut, p));
  ExpectShapeKept(Wave(), false, cut, path, 1, 2);
  const Segment& added = path[2];
  EXPECT_FALSE(added.corner);
  EXPECT_EQ(added.p, RoundToSingle(p));
  EXPECT_TRUE(IsSingle(added.in) && IsSingle(added.out) && IsSingle(path[1].out) && IsSingle(path[3].in));
  EXPECT_EQ(path[1].p, Wave()[1].p);  // untouched fields are copied unchanged
  EXPECT_EQ(path[1].in, Wave()[1].in);
  EXPECT_EQ(path[3].out, Wave()[2].out);
}

TEST(InsertAnchorAt, OnTheClosingPieceInsertsBeforeAnchorZero) {
  const SegmentList before = testing::CirclePath({0, 0}, 40);
  SegmentList path = before;
  const PieceRef cut{3, 0.6};
  ASSERT_TRUE(InsertAnchorAt(path, true, cut, PieceOf(before, 3).At(cut.t)));
  // The new anchor is anchor 0: the left half is now the closing piece 4, the right half piece 0.
  ExpectShapeKept(before, true, cut, path, 4, 0);
}

TEST(InsertAnchorAt, OnAClosedPathOfOneAnchorKeepsBothHandleChanges) {
  const SegmentList before = {{{0, 0}, {-30, 40}, {30, 40}, false}};  // a drop: one piece, anchor to itself
  SegmentList path = before;
  const PieceRef cut{0, 0.5};
  ASSERT_TRUE(InsertAnchorAt(path, true, cut, PieceOf(before, 0).At(cut.t)));
  ExpectShapeKept(before, true, cut, path, 1, 0);
}

TEST(InsertAnchorAt, InsertsNothingAtOrNearAnExistingAnchor) {
  for (double t : {0.0, 5e-7, 0.9999995, 1.0}) {
    SegmentList path = Wave();
    EXPECT_FALSE(InsertAnchorAt(path, false, {1, t}, PieceOf(path, 1).At(t))) << t;
    EXPECT_EQ(path, Wave());
  }
  SegmentList path = Wave();
  EXPECT_TRUE(InsertAnchorAt(path, false, {1, 1e-6}, PieceOf(path, 1).At(1e-6)));  // the bounds themselves cut
  EXPECT_THROW(InsertAnchorAt(path, false, {4, 0.5}, {}), ParameterError);
  EXPECT_THROW(PlanAnchorInsertion({}, {}, 3, 4, false, 0.5, {}), ParameterError);
}

// Two cuts on one path, the second addressed after the first: both new anchors land exactly on
// their contact points and the shape is kept.
TEST(ReaddressAfterInsertion, SecondCutLandsOnItsPointAfterTheFirst) {
  struct Case {
    const char* name;
    bool closed;
    PieceRef first, second;
  };
  const Case cases[] = {
      {"same piece", false, {1, 0.3}, {1, 0.8}},
      {"later piece", false, {0, 0.5}, {2, 0.25}},
      {"same closing piece of a closed path", true, {3, 0.2}, {3, 0.7}},
      {"closing piece then an earlier piece", true, {3, 0.5}, {1, 0.5}},
      {"second before first on the same piece", false, {1, 0.6}, {1, 0.2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SegmentList before = Wave();
    const int n = static_cast<int>(before.size());
    const Point p1 = PieceOf(before, c.first.piece).At(c.first.t);
    const Point p2 = PieceOf(before, c.second.piece).At(c.second.t);
    SegmentList path = before;
    ASSERT_TRUE(InsertAnchorAt(path, c.closed, c.first, p1));
    const PieceRef moved = ReaddressAfterInsertion(c.first, n, c.closed, c.second);
    EXPECT_POINT_NEAR(PieceOf(path, moved.piece).At(moved.t), p2, 1e-4);
    ASSERT_TRUE(InsertAnchorAt(path, c.closed, moved, p2));
    int anchorsAtContacts = 0;
    for (const Segment& s : path) anchorsAtContacts += (s.p == RoundToSingle(p1) || s.p == RoundToSingle(p2));
    EXPECT_EQ(anchorsAtContacts, 2);
  }
}

}  // namespace
}  // namespace geom
