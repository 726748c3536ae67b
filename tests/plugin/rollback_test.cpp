// A circle gesture through the loaded module whose host calls fail: the
// error comes back, nothing half-made stays in the document, and the tool
// forgets the unfinished gesture.
#include <cmath>

#include "tests/plugin/CircleToolHost.h"

namespace plugin_test {
namespace {

using host::model::Art;
using host::model::ArtId;
using host::model::Point;

constexpr AIErr kInjected = SP_FOURCC('X', 'Y', 'Z', 'W');
constexpr Point kA{100, 300}, kB{180, 300};

// Drags a diameter from a to b; the result of the release.
AIErr DragDiameter(CircleToolHost& h, Point a, Point b) {
  EXPECT_EQ(h->TrackCursor({a.h, a.v}), kNoErr);
  EXPECT_EQ(h->MouseDown({a.h, a.v}), kNoErr);
  EXPECT_EQ(h->MouseDrag({(a.h + b.h) / 2, (a.v + b.v) / 2}), kNoErr);
  EXPECT_EQ(h->MouseDrag({b.h, b.v}), kNoErr);
  return h->MouseUp({b.h, b.v});
}

// The one path the document holds is a whole circle on the diameter ab.
void ExpectOnlyCircleOn(CircleToolHost& h, Point a, Point b) {
  const std::vector<ArtId> paths = h.Paths();
  ASSERT_EQ(paths.size(), 1u);
  const Point centre{(a.h + b.h) / 2, (a.v + b.v) / 2};
  ExpectCircle(h.doc().art(paths.front()), centre, std::hypot(b.h - a.h, b.v - a.v) / 2, 1e-3);
}

TEST(Rollback, ACreationTheHostRefusesPartWayLeavesNothingAndReportsTheCode) {
  // A suite that cannot be acquired comes back as a bad parameter; a refused call with the host's code.
  const struct {
    const char* suite;
    const char* function;
    AIErr code;
  } refused[] = {
      {kAIPathSuite, "AcquireSuite", kBadParameterErr}, {kAIPathSuite, "SetPathClosed", kInjected},
      {kAIPathSuite, "SetPathSegmentCount", kInjected}, {kAIPathSuite, "SetPathSegments", kInjected},
      {kAIArtSuite, "NewArt", kInjected},
  };
  for (const auto& r : refused) {
    SCOPED_TRACE(std::string(r.suite) + " " + r.function);
    CircleToolHost h;
    const host::model::Document before = h.doc();
    EXPECT_EQ(h->TrackCursor({kA.h, kA.v}), kNoErr);
    EXPECT_EQ(h->MouseDown({kA.h, kA.v}), kNoErr);
    EXPECT_EQ(h->MouseDrag({kB.h, kB.v}), kNoErr);
    h->faults().Fail(r.suite, r.function, kInjected, 1);

    EXPECT_EQ(h->MouseUp({kB.h, kB.v}), r.code);

    EXPECT_EQ(h->faults().FailuresInjected(), 1);
    EXPECT_TRUE(h.doc() == before);
    EXPECT_EQ(h->LiveHitRefs(), 0);
    // The next gesture makes its circle as usual.
    EXPECT_EQ(DragDiameter(h, {300, 300}, {360, 300}), kNoErr);
    ExpectOnlyCircleOn(h, {300, 300}, {360, 300});
  }
}

TEST(Rollback, AnEventThatFailsEndsTheGesture) {
  const struct {
    const char* name;
    const char* suite;
    const char* function;
  } failing[] = {
      {"snapping on the release", kAICursorSnapSuite, "Track"},
      {"new art on the release", kAIArtSuite, "NewArt"},
  };
  for (const auto& f : failing) {
    SCOPED_TRACE(f.name);
    CircleToolHost h;
    EXPECT_EQ(h->MouseDown({kA.h, kA.v}), kNoErr);
    EXPECT_EQ(h->MouseDrag({kB.h, kB.v}), kNoErr);
    h->ClearInvalidatedRects();
    h->faults().Fail(f.suite, f.function, kInjected, 1);
    EXPECT_EQ(h->MouseUp({kB.h, kB.v}), kInjected);

    // The diameter shown is erased and no longer drawn.
    EXPECT_FALSE(h->InvalidatedRects().empty());
    EXPECT_TRUE(h.Drawn().empty());
    // A new, unrelated drag makes its own circle, not one from the old first point.
    const Point p{400, 500}, q{460, 540};
    EXPECT_EQ(DragDiameter(h, p, q), kNoErr);
    ExpectOnlyCircleOn(h, p, q);
  }
}

}  // namespace
}  // namespace plugin_test
