// Feedback whose view coordinates reach the edge of the pixel range: the
// host saturates them, and the overlay's margins and markers must not carry
// them past it.
#include "tests/plugin/CircleToolHost.h"

namespace plugin_test {
namespace {

using Kind = host::DrawCall::Kind;

bool Ordered(const AIRect& r) { return r.left <= r.right && r.top <= r.bottom; }

TEST(OverlayRange, AHugeNearlyStraightCircleAtHighZoomKeepsItsRectanglesInOrder) {
  CircleToolHost h;
  h->SetZoom(8);
  // Three points a thousandth of a pixel from one line: the circle through them
  // has a radius of millions of points, billions of pixels at this zoom.
  const AIRealPoint a{0, 300}, b{1000, 300}, c{500, 300.00003f};
  ASSERT_EQ(h->MouseDown(a), kNoErr);
  ASSERT_EQ(h->MouseUp(a), kNoErr);
  ASSERT_EQ(h->MouseDown(b), kNoErr);
  h->ClearInvalidatedRects();
  ASSERT_EQ(h->MouseDrag(c), kNoErr);

  ASSERT_FALSE(h->InvalidatedRects().empty());
  for (const AIRect& r : h->InvalidatedRects()) {
    EXPECT_TRUE(Ordered(r)) << r.left << " " << r.right;
  }
  const std::vector<host::DrawCall> drawn = h.Drawn();
  ASSERT_GT(Count(drawn, Kind::Ellipse), 0);
  for (const host::DrawCall& call : drawn) {
    if (call.kind == Kind::Ellipse) {
      EXPECT_TRUE(Ordered(call.rect));
    }
  }
}

}  // namespace
}  // namespace plugin_test
