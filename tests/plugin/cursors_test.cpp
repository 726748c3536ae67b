// Tool cursors: the variant for the screen's density with its scaled hot
// spot, the cache, system cursors, and missing cursors leaving the screen as
// it was.
//
// The density tests drive the loaded module through a tool.  The others ask
// for chosen ids with the cursor code linked into the test, with the dialog
// layer started in the test process (LayerSession.h).
#include <gtest/gtest.h>

#include <cstdint>

#include "hostcall/Error.h"
#include "tests/plugin/LayerSession.h"
#include "tools/framework/Cursors.h"

namespace plugin_test {
namespace {

using Kind = host::CursorState::Kind;

constexpr AIErr kInjected = SP_FOURCC('X', 'Y', 'Z', 'W');
constexpr int32_t kFirstPointCursor = 16011;
constexpr int32_t kSecondPointCursor = 16012;
// In the id table, but a tool icon: it has no hot-spot record.
constexpr int32_t kToolIcon = 16052;
// Neither in the id table nor a "PNGI" resource.
constexpr int32_t kUnknownImage = 12345;

const host::CursorState& CursorOf(LayerSession& session) { return session.host().Cursor(); }
int Builds(LayerSession& session) {
  return session.host().faults().CallCount(kCorvanePlatformSuite, "CreateCursor");
}

bool HasVisiblePixels(const host::CursorState& cursor) {
  for (std::size_t i = 3; i < cursor.rgba.size(); i += 4)
    if (cursor.rgba[i] != 0) return true;
  return false;
}

constexpr const char* kCircleTool = "QM Circle by 2 or 3 points";

// Through the loaded module: the circle tool asks for its first-point cursor
// after a cursor move while nothing is picked.
TEST(Cursors, ToolCursorComesFromTheScreensDensityWithTheHotSpotScaled) {
  const struct {
    const char* name;
    int major, minor, dpi;
    const char* resource;
    int32_t hot, side;
  } cases[] = {
      {"2x screen", 28, 0, 192, "cross-01-16011_at_2x", 30, 64},
      {"1.5x screen", 28, 0, 144, "cross-01-16011_at_3to2x", 23, 48},
      {"ordinary screen", 28, 0, 96, "cross-01-16011", 15, 32},
      {"first scaling host at 2x", 17, 1, 192, "cross-01-16011_at_2x", 30, 64},
      {"host that does not scale, dense screen", 17, 0, 192, "cross-01-16011", 15, 32},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoadedHost host(DensityOptions(c.major, c.minor, c.dpi));
    ASSERT_EQ(host->Startup(), kNoErr);
    ASSERT_EQ(host->SelectTool(kCircleTool), kNoErr);
    ASSERT_EQ(host->TrackCursor({100, 100}), kNoErr);
    const host::CursorState& cursor = host->Cursor();
    EXPECT_EQ(cursor.kind, Kind::Image);
    EXPECT_EQ(cursor.name, c.resource);
    EXPECT_EQ(cursor.hotX, c.hot);
    EXPECT_EQ(cursor.hotY, c.hot);
    EXPECT_EQ(cursor.width, c.side);
    EXPECT_EQ(cursor.height, c.side);
    EXPECT_TRUE(HasVisiblePixels(cursor));
  }
}

TEST(Cursors, ToolCursorIsBuiltOnceForManyEvents) {
  LoadedHost host;
  ASSERT_EQ(host->Startup(), kNoErr);
  ASSERT_EQ(host->SelectTool(kCircleTool), kNoErr);
  for (float x : {100.0f, 110.0f, 120.0f}) ASSERT_EQ(host->TrackCursor({x, 100}), kNoErr);
  EXPECT_EQ(host->faults().CallCount(kCorvanePlatformSuite, "CreateCursor"), 1);
  EXPECT_EQ(host->faults().CallCount(kCorvanePlatformSuite, "SetCursor"), 3);
  EXPECT_EQ(host->Cursor().name, "cross-01-16011");
}

TEST(Cursors, EachIdIsBuiltOnce) {
  LayerSession session;
  Tools::SetToolCursor(kFirstPointCursor);
  Tools::SetToolCursor(kFirstPointCursor);
  EXPECT_EQ(Builds(session), 1);
  Tools::SetToolCursor(kSecondPointCursor);
  EXPECT_EQ(CursorOf(session).name, "cross-02-16012");
  Tools::SetToolCursor(kPlatformCursorCrosshair);
  Tools::SetToolCursor(kFirstPointCursor);
  EXPECT_EQ(Builds(session), 2);
  EXPECT_EQ(CursorOf(session).kind, Kind::Image);
  EXPECT_EQ(CursorOf(session).name, "cross-01-16011");
}

TEST(Cursors, MissingCursorLeavesTheCursorAsItWas) {
  LayerSession session;
  Tools::SetToolCursor(kFirstPointCursor);
  for (const int32_t id : {kUnknownImage, kToolIcon, 0, INT32_MAX}) {
    SCOPED_TRACE(id);
    EXPECT_NO_THROW(Tools::SetToolCursor(id));
    EXPECT_EQ(CursorOf(session).kind, Kind::Image);
    EXPECT_EQ(CursorOf(session).name, "cross-01-16011");
  }
  EXPECT_EQ(Builds(session), 1);
}

TEST(Cursors, FailedBuildIsRememberedAndChangesNothing) {
  LayerSession session;
  Tools::SetToolCursor(kPlatformCursorWait);
  session.host().faults().Fail(kCorvanePlatformSuite, "CreateCursor", kInjected, 1);
  EXPECT_NO_THROW(Tools::SetToolCursor(kFirstPointCursor));
  Tools::SetToolCursor(kFirstPointCursor);
  EXPECT_EQ(Builds(session), 1);
  EXPECT_EQ(CursorOf(session).kind, Kind::System);
  EXPECT_EQ(CursorOf(session).systemId, kPlatformCursorWait);
}

TEST(Cursors, NegativeIdsAreSystemCursors) {
  LayerSession session;
  for (const int32_t id : {-1, -2, -3, -4, -5, -6, -7, -9}) {
    Tools::SetToolCursor(id);
    EXPECT_EQ(CursorOf(session).kind, Kind::System) << id;
    EXPECT_EQ(CursorOf(session).systemId, id);
  }
  const int calls = session.host().faults().CallCount(kCorvanePlatformSuite, "SetSystemCursor");
  // Ids without a system cursor behave like missing cursors.
  for (const int32_t id : {-8, -10, INT32_MIN}) EXPECT_NO_THROW(Tools::SetToolCursor(id)) << id;
  EXPECT_EQ(session.host().faults().CallCount(kCorvanePlatformSuite, "SetSystemCursor"), calls);
  EXPECT_EQ(CursorOf(session).systemId, -9);
  EXPECT_EQ(Builds(session), 0);
}

TEST(Cursors, RefusedSettingIsReported) {
  LayerSession session;
  const struct {
    const char* function;
    int32_t id;
  } cases[] = {{"SetCursor", kFirstPointCursor}, {"SetSystemCursor", kPlatformCursorNo}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.function);
    session.host().faults().Fail(kCorvanePlatformSuite, c.function, kInjected, 1);
    try {
      Tools::SetToolCursor(c.id);
      ADD_FAILURE() << "the refusal was not reported";
    } catch (const ai::Error& e) {
      EXPECT_EQ(e.code(), kInjected);
    }
  }
  EXPECT_EQ(CursorOf(session).kind, Kind::Unset);
}

// The module outlives its host in one process (as here, from test to test);
// a cursor cached in an earlier host session names that host's objects.
TEST(Cursors, ANewHostSessionBuildsItsOwnCursors) {
  for (int session = 0; session < 2; ++session) {
    SCOPED_TRACE(session);
    LayerSession layer;
    EXPECT_NO_THROW(Tools::SetToolCursor(kFirstPointCursor));
    EXPECT_EQ(Builds(layer), 1);
    EXPECT_EQ(CursorOf(layer).name, "cross-01-16011");
  }
}

TEST(Cursors, NeedAHostCall) {
  EXPECT_THROW(Tools::SetToolCursor(kFirstPointCursor), ai::Error);
}

}  // namespace
}  // namespace plugin_test
