// The cursor drawn with its hot spot on the cursor position.
#include <gtest/gtest.h>

#include "render_fixture.h"
#include "sdk/CorvanePlatform.h"

namespace host::render::test {
namespace {

constexpr int kWidth = 100;
constexpr int kHeight = 80;

// A transparent image cursor whose only visible pixel is the hot spot.
CursorState MarkedHotSpot(int32_t width, int32_t height, int32_t hotX, int32_t hotY, uint8_t alpha = 255) {
  CursorState c;
  c.kind = CursorState::Kind::Image;
  c.name = "marked";
  c.width = width;
  c.height = height;
  c.hotX = hotX;
  c.hotY = hotY;
  c.rgba.assign(static_cast<std::size_t>(width * height * 4), 0);
  uint8_t* hot = &c.rgba[static_cast<std::size_t>((hotY * width + hotX) * 4)];
  hot[1] = 255;  // green
  hot[3] = alpha;
  return c;
}

Picture RenderCursor(const CursorState& cursor, std::optional<AIPoint> at) {
  Snapshot s;
  s.view = MakeView(kWidth, kHeight, 1, {});
  s.cursor = &cursor;
  s.cursorAt = at;
  return RenderView(s);
}

TEST(CursorRender, HotSpotPixelLandsOnTheCursorPosition) {
  struct Case {
    const char* name;
    CursorState cursor;
    AIPoint at;
  };
  const Case cases[] = {
      {"hot spot at the top-left", MarkedHotSpot(16, 16, 0, 0), {40, 30}},
      {"the tools' hot spot", MarkedHotSpot(32, 32, 15, 15), {40, 30}},
      {"off-centre hot spot", MarkedHotSpot(20, 12, 13, 4), {41, 29}},
      {"cursor partly off the view", MarkedHotSpot(32, 32, 15, 15), {0, 0}},
      {"at the bottom-right pixel", MarkedHotSpot(32, 32, 15, 15), {kWidth - 1, kHeight - 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Picture picture = RenderCursor(c.cursor, c.at);
    EXPECT_TRUE(PixelIs(picture, c.at.h, c.at.v, Opaque(kGreen)));
    const AIPoint neighbour{c.at.h > 0 ? c.at.h - 1 : c.at.h + 1, c.at.v};
    EXPECT_TRUE(PixelIsNot(picture, neighbour.h, neighbour.v, Opaque(kGreen)));
  }
}

// Straight alpha in the cursor image, blended over the pasteboard.
TEST(CursorRender, TranslucentCursorPixelsBlend) {
  const Picture bare = RenderCursor(MarkedHotSpot(8, 8, 3, 3), std::nullopt);
  const Rgba under = bare.At(40, 30);
  const Picture picture = RenderCursor(MarkedHotSpot(8, 8, 3, 3, 128), AIPoint{40, 30});
  const Rgba blended = picture.At(40, 30);
  EXPECT_NEAR(blended.r, under.r * 127 / 255, 2);
  EXPECT_NEAR(blended.g, (255 * 128 + under.g * 127) / 255, 2);
}

TEST(CursorRender, NoPositionNoCursor) {
  const Picture bare = Render(nullptr, MakeView(kWidth, kHeight, 1, {}));
  const Picture picture = RenderCursor(MarkedHotSpot(16, 16, 0, 0), std::nullopt);
  EXPECT_EQ(picture.argb, bare.argb);
}

// The system shapes: ink on the hot spot pixel where the shape has its
// centre or tip there, and the shape's extent around it.
TEST(CursorRender, SystemCursorsAreDrawnAroundTheirHotSpot) {
  struct Case {
    const char* name;
    CursorState::Kind kind;
    int32_t id;
    std::vector<AIPoint> ink;  // relative to the position
    std::vector<AIPoint> clear;
  };
  const Case cases[] = {
      {"crosshair", CursorState::Kind::System, kPlatformCursorCrosshair,
       {{0, 0}, {-8, 0}, {8, 0}, {0, -8}, {0, 8}}, {{5, 5}, {-5, -5}}},
      {"arrow", CursorState::Kind::System, kPlatformCursorArrow, {{0, 0}, {1, 5}, {2, 12}}, {{-2, -2}, {5, -2}}},
      {"never set (arrow)", CursorState::Kind::Unset, 0, {{0, 0}, {1, 5}}, {{-2, -2}}},
      {"text beam", CursorState::Kind::System, kPlatformCursorTextBeam, {{0, 0}, {0, 6}, {2, -8}}, {{3, 0}}},
  };
  const AIPoint at{50, 40};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CursorState cursor;
    cursor.kind = c.kind;
    cursor.systemId = c.id;
    const Picture picture = RenderCursor(cursor, at);
    for (AIPoint d : c.ink) EXPECT_TRUE(PixelIs(picture, at.h + d.h, at.v + d.v, Opaque(kBlack)));
    for (AIPoint d : c.clear) EXPECT_TRUE(PixelIsNot(picture, at.h + d.h, at.v + d.v, Opaque(kBlack)));
  }
}

TEST(CursorRender, CursorImageThatDoesNotMatchItsSizeIsRefused) {
  CursorState broken = MarkedHotSpot(16, 16, 0, 0);
  broken.rgba.resize(broken.rgba.size() - 4);
  try {
    RenderCursor(broken, AIPoint{10, 10});
    FAIL() << "drawn";
  } catch (const HostError& e) {
    EXPECT_EQ(e.code(), kBadParameterErr);
  }
}

}  // namespace
}  // namespace host::render::test
