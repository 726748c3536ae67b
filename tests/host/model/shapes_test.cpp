// The shape construction suite's ellipse.
#include <gtest/gtest.h>

#include <cmath>

#include "host/model/Cubic.h"
#include "host/model/Shapes.h"
#include "suite_fixture.h"

namespace host::test {
namespace {

class ShapesTest : public SuiteTest {};

// The result must be a closed smooth path whose curve stays within 0.03 % of
// the true ellipse (the error of the four-piece approximation) and touches
// the rectangle at the four anchors.
TEST_F(ShapesTest, OvalIsAClosedFourAnchorEllipseInTheRectangle) {
  struct Case {
    const char* name;
    AIRealPoint a, b;
    bool centered;
  };
  for (const Case& c : {Case{"Corners", {10, 20}, {110, 70}, false}, Case{"SwappedCorners", {110, 70}, {10, 20}, false},
                        Case{"Centered", {60, 45}, {110, 70}, true}}) {
    AIArtHandle oval = nullptr;
    ASSERT_EQ(shapes->NewPointPointOval(&c.a, &c.b, 0, c.centered, 0, &oval), kNoErr) << c.name;
    const model::Art& a = doc().art(model::ArtIdOf(oval));
    ASSERT_EQ(a.segments.size(), 4u) << c.name;
    EXPECT_TRUE(a.closed) << c.name;
    for (const model::Segment& s : a.segments) EXPECT_FALSE(s.corner) << c.name;
    for (int i = 0; i < 4; ++i) {
      const model::Cubic piece = model::PieceOf(a.segments, i);
      for (double t = 0; t <= 1; t += 0.125) {
        const model::Point q = model::Evaluate(piece, t);
        const double r = std::hypot((q.h - 60) / 50, (q.v - 45) / 25);
        EXPECT_NEAR(r, 1, 3e-4) << c.name << " piece " << i << " t " << t;
      }
    }
    AIRealRect bounds{};
    ASSERT_EQ(art->GetArtBounds(oval, &bounds), kNoErr);
    EXPECT_NEAR(bounds.left, 10, 1e-9);
    EXPECT_NEAR(bounds.top, 70, 1e-9);
    EXPECT_NEAR(bounds.right, 110, 1e-9);
    EXPECT_NEAR(bounds.bottom, 20, 1e-9);
  }
}

TEST(OvalSegments, ReversedRunsTheOtherWayFromTheSameAnchor) {
  const auto forward = model::OvalSegments({0, 0}, {2, 2}, false);
  const auto backward = model::OvalSegments({0, 0}, {2, 2}, true);
  auto signedArea = [](const std::vector<model::Segment>& s) {
    double area = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
      const model::Point a = s[i].p, b = s[(i + 1) % s.size()].p;
      area += a.h * b.v - b.h * a.v;
    }
    return area / 2;
  };
  EXPECT_LT(signedArea(forward), 0);  // clockwise with y up
  EXPECT_GT(signedArea(backward), 0);
  EXPECT_EQ(forward[0].p, backward[0].p);
  EXPECT_EQ(forward[0].out, backward[0].in);
}

}  // namespace
}  // namespace host::test
