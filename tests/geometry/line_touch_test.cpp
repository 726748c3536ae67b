#include "geometry/line_touch.h"

#include <gtest/gtest.h>

#include <numbers>

#include "geometry/point_line_contact.h"
#include "geometry/two_piece_solver.h"
#include "geometry_assertions.h"

namespace geom {
namespace {

using testing::CirclePath;
using testing::Polyline;

// The square (0, 0)..(100, 100) as a closed polyline; piece 1 runs up its right edge, piece 2
// leftwards along its top.
InMemoryPath Square() { return InMemoryPath(Polyline({{0, 0}, {100, 0}, {100, 100}, {0, 100}}), true); }

// At a corner (a vanishing derivative) only a line that leaves the square on one side touches
// it; where the derivative does not vanish the tangent is the tangent, inflection or not.
TEST(IsTouchingTangent, AtACornerOnlyALineThatLeavesThePathOnOneSide) {
  const InMemoryPath square = Square();
  const InMemoryPath open(Polyline({{0, 0}, {100, 0}, {100, 100}}), false);
  const InMemoryPath s(SegmentList{{{0, 0}, {0, 0}, {50, 100}, false}, {{100, 0}, {50, -100}, {100, 0}, false}}, false);
  const struct {
    const char* name;
    const PieceSource& path;
    int piece;
    double t;
    Point direction;
    bool touches;
  } cases[] = {
      {"top-right corner, line leaving the square below it", square, 2, 0, {1, 1}, false},
      {"top-right corner, supporting line", square, 2, 0, {1, -1}, true},
      {"top-right corner, seen from the end of the piece before", square, 1, 1, {1, -1}, true},
      {"top-right corner, along the top edge", square, 2, 0, {1, 0}, true},
      {"bottom-left corner (closing piece's end), cutting", square, 3, 1, {1, 1}, false},
      {"bottom-left corner (closing piece's end), supporting", square, 3, 1, {1, -1}, true},
      {"open end: only along the path", open, 0, 0, {1, 1}, false},
      {"open end along its piece", open, 0, 0, {1, 0}, true},
      {"inflection point of an S: the tangent crosses, and is one", s, 0, 0.5, {1, -2}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Bezier piece = c.path.GetPiece(c.piece);
    EXPECT_EQ(IsTouchingTangent(piece, NeighbourhoodOf(c.path, c.piece), c.t, c.direction), c.touches);
  }
}

// From (300, 150) the lines to the square's left corners cut it: pointed at near the top-left
// corner, the tangent from the point ends at the top-right corner. A circle with a start on
// it gives no line of zero length: the perpendicular goes to the far foot point.
TEST(FindLineFromPointContact, RejectsCuttingCornersAndTheStartPointItself) {
  const InMemoryPath square = Square();
  const std::optional<PointContact> corner =
      FindLineFromPointContact(square, {3, 0}, {300, 50}, {1, 99}, LineKind::Tangent);
  ASSERT_TRUE(corner);
  EXPECT_POINT_NEAR(corner->point, (Point{100, 100}), 1e-9);
  const InMemoryPath circle(CirclePath({0, 0}, 50), true);
  const Point top = circle.GetPiece(1).At(0);
  const std::optional<PointContact> foot =
      FindLineFromPointContact(circle, {0, 0.9}, top, {20, 45}, LineKind::Perpendicular);
  ASSERT_TRUE(foot);
  EXPECT_POINT_NEAR(foot->point, -top, 1e-4);
}

// A source that counts its piece reads.
class CountingPath final : public PieceSource {
 public:
  explicit CountingPath(InMemoryPath path) : path_(std::move(path)) {}
  int CountPieces() const override { return path_.CountPieces(); }
  Bezier GetPiece(int i) const override { ++reads; return path_.GetPiece(i); }
  const void* Identity() const override { return this; }
  mutable int reads = 0;

 private:
  InMemoryPath path_;
};

// A long horizontal polyline and a long one at 45 degrees have no common normal: the search
// gives up after its budget of pairs instead of solving all 160 000 (two reads a pair).
TEST(FindLineContact, SolvesAtMostItsBudgetOfPairs) {
  std::vector<Point> a, b;
  for (int i = 0; i <= 400; ++i) a.push_back({i * 10.0, 0}), b.push_back({i * 10.0, 5000 + i * 10.0});
  const CountingPath first{InMemoryPath(Polyline(a), false)}, second{InMemoryPath(Polyline(b), false)};
  (void)FindLineContact(first, {200, 0.5}, second, {200, 0.5}, LineKind::Perpendicular);
  EXPECT_LE(first.reads + second.reads, 2 * tol::kLineContactMaxPairs + 8);
}

}  // namespace
}  // namespace geom
