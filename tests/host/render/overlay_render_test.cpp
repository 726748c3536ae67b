// The annotation overlay replayed in view pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "render_fixture.h"

namespace host::render::test {
namespace {

constexpr int kWidth = 120;
constexpr int kHeight = 100;

// The drawer's state as the plug-in sets it up for drawing: antialiasing
// off here, so that pixels are either the colour or not, and overlay on.
DrawCall Call(DrawCall::Kind kind, std::vector<AIPoint> points, model::Rgb color = kRed) {
  DrawCall c;
  c.kind = kind;
  c.color = Sdk(color);
  c.width = 1;
  c.overlay = true;
  c.points = std::move(points);
  return c;
}

DrawCall Ellipse(AIRect rect, bool fill) {
  DrawCall c = Call(DrawCall::Kind::Ellipse, {});
  c.rect = rect;
  c.fill = fill;
  return c;
}

// No document: the overlay is drawn on the bare pasteboard.
Picture RenderOverlay(const std::vector<DrawCall>& calls) {
  return Render(nullptr, MakeView(kWidth, kHeight, 1, {}), calls);
}

TEST(OverlayRender, LineCoversItsViewPixelsEndsIncluded) {
  struct Case {
    const char* name;
    AIPoint a, b;
    std::vector<AIPoint> on;
    std::vector<AIPoint> off;
  };
  const Case cases[] = {
      {"horizontal", {10, 20}, {50, 20}, {{10, 20}, {30, 20}, {50, 20}}, {{30, 19}, {30, 21}, {9, 20}, {51, 20}}},
      {"vertical", {70, 5}, {70, 60}, {{70, 5}, {70, 33}, {70, 60}}, {{69, 33}, {71, 33}, {70, 4}, {70, 61}}},
      {"diagonal", {10, 40}, {50, 80}, {{10, 40}, {30, 60}, {50, 80}}, {{30, 50}, {30, 70}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Picture picture = RenderOverlay({Call(DrawCall::Kind::Line, {c.a, c.b})});
    for (AIPoint p : c.on) EXPECT_TRUE(PixelIs(picture, p.h, p.v, Opaque(kRed)));
    for (AIPoint p : c.off) EXPECT_TRUE(PixelIsNot(picture, p.h, p.v, Opaque(kRed)));
  }
}

TEST(OverlayRender, LineWidthIsInViewPixels) {
  DrawCall line = Call(DrawCall::Kind::Line, {{10, 50}, {100, 50}});
  line.width = 5;
  const Picture picture = RenderOverlay({line});
  for (int y = 48; y <= 52; ++y) EXPECT_TRUE(PixelIs(picture, 50, y, Opaque(kRed)));
  EXPECT_TRUE(PixelIsNot(picture, 50, 47, Opaque(kRed)));
  EXPECT_TRUE(PixelIsNot(picture, 50, 53, Opaque(kRed)));
}

TEST(OverlayRender, PolygonsAndEllipsesAreOutlinedOrFilled) {
  struct Case {
    const char* name;
    DrawCall call;
    AIPoint edge;
    AIPoint inside;
  };
  DrawCall square = Call(DrawCall::Kind::Polygon, {{20, 20}, {60, 20}, {60, 60}, {20, 60}});
  DrawCall filledSquare = square;
  filledSquare.fill = true;
  const Case cases[] = {
      {"outlined polygon", square, {20, 40}, {40, 40}},
      {"filled polygon", filledSquare, {21, 40}, {40, 40}},
      {"outlined ellipse", Ellipse({20, 30, 80, 70}, false), {20, 50}, {50, 50}},
      {"filled ellipse", Ellipse({20, 30, 80, 70}, true), {22, 50}, {50, 50}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Picture picture = RenderOverlay({c.call});
    EXPECT_TRUE(PixelIs(picture, c.edge.h, c.edge.v, Opaque(kRed)));
    if (c.call.fill)
      EXPECT_TRUE(PixelIs(picture, c.inside.h, c.inside.v, Opaque(kRed)));
    else
      EXPECT_TRUE(PixelIsNot(picture, c.inside.h, c.inside.v, Opaque(kRed)));
  }
}

TEST(OverlayRender, BezierPassesThroughItsEndsAndItsMidpoint) {
  const AIPoint p[] = {{10, 80}, {10, 16}, {100, 16}, {100, 80}};
  const Picture picture = RenderOverlay({Call(DrawCall::Kind::Bezier, {p[0], p[1], p[2], p[3]})});
  // B(1/2) = (P0 + 3 P1 + 3 P2 + P3) / 8 = (55, 32).
  EXPECT_TRUE(PixelIs(picture, 55, 32, Opaque(kRed)));
  EXPECT_TRUE(PixelIs(picture, 10, 80, Opaque(kRed)));
  EXPECT_TRUE(PixelIs(picture, 100, 80, Opaque(kRed)));
  EXPECT_TRUE(PixelIsNot(picture, 55, 20, Opaque(kRed))) << "inside the control polygon, off the curve";
}

// Counts the pixels of the colour in a rectangle of the picture.
int CountPixels(const Picture& picture, int left, int top, int right, int bottom, Rgba color) {
  int n = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) n += picture.At(x, y) == color;
  return n;
}

TEST(OverlayRender, TextStandsOnItsAnchorRow) {
  const Picture picture = RenderOverlay({Call(DrawCall::Kind::Text, {{20, 50}}, kBlack)});
  EXPECT_EQ(CountPixels(picture, 0, 0, kWidth, kHeight, Opaque(kBlack)), 0) << "no text, no ink";
  DrawCall text = Call(DrawCall::Kind::Text, {{20, 50}}, kBlack);
  text.text = "HHH 12.5 mm";
  const Picture labelled = RenderOverlay({text});
  EXPECT_GT(CountPixels(labelled, 20, 38, kWidth, 51, Opaque(kBlack)), 20) << "glyphs right of and above the anchor";
  EXPECT_EQ(CountPixels(labelled, 0, 0, 19, kHeight, Opaque(kBlack)), 0) << "nothing left of the anchor";
  EXPECT_EQ(CountPixels(labelled, 0, 51, kWidth, kHeight, Opaque(kBlack)), 0) << "nothing below the baseline ('H')";
}

TEST(OverlayRender, CallsWithoutTheOverlayModeShowTheBackgroundThrough) {
  const Picture opaque = RenderOverlay({Call(DrawCall::Kind::Line, {{10, 20}, {50, 20}})});
  DrawCall under = Call(DrawCall::Kind::Line, {{10, 20}, {50, 20}});
  under.overlay = false;
  const Picture translucent = RenderOverlay({under});
  const Rgba background = opaque.At(30, 60);
  EXPECT_TRUE(PixelIs(opaque, 30, 20, Opaque(kRed)));
  const Rgba half = translucent.At(30, 20);
  EXPECT_NEAR(half.r, (255 + background.r) / 2, 2);
  EXPECT_NEAR(half.g, background.g / 2, 2);
}

TEST(OverlayRender, AntialiasingFollowsTheDrawingMode) {
  for (const bool antialiased : {false, true}) {
    SCOPED_TRACE(antialiased ? "antialiased" : "aliased");
    DrawCall line = Call(DrawCall::Kind::Line, {{5, 5}, {100, 60}});
    line.antialiased = antialiased;
    const Picture picture = RenderOverlay({line});
    const Rgba background = picture.At(kWidth - 1, kHeight - 1);
    int blended = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) blended += picture.At(x, y) != background && picture.At(x, y) != Opaque(kRed);
    if (antialiased)
      EXPECT_GT(blended, 0);
    else
      EXPECT_EQ(blended, 0);
  }
}

TEST(OverlayRender, ColourChangesBetweenCallsAreKept) {
  const Picture picture = RenderOverlay({Call(DrawCall::Kind::Line, {{10, 20}, {50, 20}}, kRed),
                                         Call(DrawCall::Kind::Line, {{10, 40}, {50, 40}}, kBlue)});
  EXPECT_TRUE(PixelIs(picture, 30, 20, Opaque(kRed)));
  EXPECT_TRUE(PixelIs(picture, 30, 40, Opaque(kBlue)));
}

// Construction feedback may reach far outside the view: the host saturates
// off-screen points at 2^31 - 1, and a nearly straight curvature circle has a
// radius of millions of pixels.  The part inside the view must still show.
TEST(OverlayRender, GeometryReachingFarOutsideTheViewShowsItsVisiblePart) {
  constexpr int32_t kFar = std::numeric_limits<int32_t>::max();
  constexpr int32_t kRadius = 1'000'000'000;
  DrawCall farPolygon = Call(DrawCall::Kind::Polygon, {{10, 10}, {kFar, 10}, {kFar, kFar}, {10, kFar}});
  farPolygon.fill = true;
  struct Case {
    const char* name;
    DrawCall call;
    AIPoint on;
    AIPoint off;
  };
  const Case cases[] = {
      {"line to a saturated point", Call(DrawCall::Kind::Line, {{10, 50}, {kFar, 50}}), {110, 50}, {110, 51}},
      {"line from far left to far right", Call(DrawCall::Kind::Line, {{-kFar, 30}, {kFar, 30}}), {0, 30}, {0, 31}},
      // The leftmost point of a circle of radius 10^9 centred at (50 + 10^9, 40).
      {"huge circle's arc", Ellipse({50, 40 - kRadius, 50 + 2 * kRadius, 40 + kRadius}, false), {50, 40}, {45, 40}},
      {"polygon with far corners", farPolygon, {100, 90}, {5, 90}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Picture picture = RenderOverlay({c.call});
    EXPECT_TRUE(PixelIs(picture, c.on.h, c.on.v, Opaque(kRed)));
    EXPECT_TRUE(PixelIsNot(picture, c.off.h, c.off.v, Opaque(kRed)));
  }
}

// Calls a plug-in could not have recorded, and text cairo would refuse, draw
// nothing themselves and do not stop the calls after them.
TEST(OverlayRender, MalformedCallsDoNotStopLaterOnes) {
  DrawCall badText = Call(DrawCall::Kind::Text, {{10, 30}}, kBlack);
  badText.text = "bad \xff\xfe utf-8 \xc3";
  const std::vector<DrawCall> calls = {
      Call(DrawCall::Kind::Line, {{10, 10}}),
      Call(DrawCall::Kind::Bezier, {{10, 10}, {20, 20}}),
      Call(DrawCall::Kind::Polygon, {{10, 10}}),
      Call(DrawCall::Kind::Text, {}),
      Ellipse({30, 30, 30, 30}, true),
      badText,
      Call(DrawCall::Kind::Line, {{10, 80}, {100, 80}}, kBlue),
  };
  const Picture picture = RenderOverlay(calls);
  EXPECT_TRUE(PixelIs(picture, 50, 80, Opaque(kBlue)));
  EXPECT_TRUE(PixelIsNot(picture, 10, 10, Opaque(kRed)));
}

}  // namespace
}  // namespace host::render::test
