#include "geometry/piece_source.h"

#include <gtest/gtest.h>

#include "geometry/errors.h"
#include "geometry_assertions.h"

namespace geom {
namespace {

TEST(InMemoryPath, CountsAndReadsPiecesAsTheSegmentListDoes) {
  const SegmentList s = testing::CirclePath({0, 0}, 10);
  const InMemoryPath closed(s, true), open(s, false);
  EXPECT_EQ(closed.CountPieces(), 4);
  EXPECT_EQ(open.CountPieces(), 3);
  EXPECT_EQ(closed.GetPiece(3).Controls(), PieceOf(s, 3).Controls());
  EXPECT_THROW(open.GetPiece(3), ParameterError);
  EXPECT_THROW(closed.GetPiece(-1), ParameterError);
  EXPECT_NE(closed.Identity(), open.Identity());
  EXPECT_EQ(closed.Identity(), &closed);
}

TEST(OutwardOrder, AlternatesAfterAndBeforeThePickWithoutWrapping) {
  struct Case {
    int picked, count;
    std::vector<int> order;
  };
  const Case cases[] = {
      {0, 1, {0}},
      {2, 5, {2, 3, 1, 4, 0}},
      {0, 4, {0, 1, 2, 3}},
      {3, 4, {3, 2, 1, 0}},
      {1, 5, {1, 2, 0, 3, 4}},
  };
  for (const Case& c : cases) EXPECT_EQ(OutwardOrder(c.picked, c.count), c.order) << c.picked << " of " << c.count;
  EXPECT_THROW(OutwardOrder(4, 4), ParameterError);
  EXPECT_THROW(OutwardOrder(-1, 4), ParameterError);
  EXPECT_THROW(OutwardOrder(0, 0), ParameterError);
}

}  // namespace
}  // namespace geom
