// Cursors whose hot-spot record points just past their image.  The cursor
// code linked into this program reads the fixture in hot_spot_edges/ as its
// module's resources: one 32 x 32 pixel cursor image under three records, with
// the dialog layer started in the test process (LayerSession.h).
#include <gtest/gtest.h>

#include <cstdint>

#include "tests/plugin/LayerSession.h"
#include "tools/framework/Cursors.h"

namespace plugin_test {
namespace {

using Kind = host::CursorState::Kind;

// Ids of the fixture's id table.
constexpr int32_t kLastPixel = 1;   // hot spot (31, 31)
constexpr int32_t kPastRight = 2;   // (32, 0)
constexpr int32_t kPastBottom = 3;  // (0, 32)

int Builds(LayerSession& session) {
  return session.host().faults().CallCount(kCorvanePlatformSuite, "CreateCursor");
}

// A hot spot at the width or the height is one pixel off the image: a
// damaged record, like any other giving no cursor, and never handed to the
// platform to build one.
TEST(HotSpotEdges, AHotSpotAtTheImagesWidthOrHeightGivesNoCursor) {
  LayerSession session;
  Tools::SetToolCursor(kLastPixel);
  const host::CursorState& cursor = session.host().Cursor();
  ASSERT_EQ(cursor.kind, Kind::Image);
  ASSERT_EQ(cursor.width, 32);
  ASSERT_EQ(cursor.height, 32);
  EXPECT_EQ(cursor.hotX, 31);
  EXPECT_EQ(cursor.hotY, 31);

  for (const int32_t id : {kPastRight, kPastBottom}) {
    SCOPED_TRACE(id);
    EXPECT_NO_THROW(Tools::SetToolCursor(id));
    EXPECT_EQ(cursor.kind, Kind::Image);
    EXPECT_EQ(cursor.name, "last-pixel");
  }
  EXPECT_EQ(Builds(session), 1);
}

}  // namespace
}  // namespace plugin_test
