// Adding a circle to the stand-in host's document the way the circle tools do.
#include "geometry/arc.h"
#include "geometry/host/new_circle_path.h"
#include "host/model/Selection.h"
#include "hostcall/Error.h"
#include "tools/framework/DocumentQueries.h"
#include "tests/plugin/HostDocument.h"

namespace plugin_test {
namespace {

using Tools::CanCreateArt;
using geom::hostpath::NewCirclePath;
namespace model = host::model;

constexpr AIErr kInjected = SP_FOURCC('X', 'Y', 'Z', 'W');

class NewCirclePathTest : public HostDocumentTest {
 protected:
  // A circle of radius 50 about (300, 400) through two diametral points: four smooth anchors.
  geom::SegmentList Circle() const { return geom::CircleThroughPoints({300, 400}, {{350, 400}, {250, 400}}, false); }

  // Another path, selected, already in the document.
  AIArtHandle AddSelectedPath() {
    AIArtHandle other = AddPath({{{10, 10}, {10, 10}, {10, 10}, true}, {{60, 10}, {60, 10}, {60, 10}, true}}, false);
    model::SetSelected(doc(), model::ArtIdOf(other), true);
    return other;
  }
};

TEST_F(NewCirclePathTest, CreatesAClosedSmoothPathWithTheGivenSegmentsSelectedAlone) {
  const AIArtHandle other = AddSelectedPath();
  const geom::SegmentList circle = Circle();
  ASSERT_EQ(circle.size(), 4u);

  const AIArtHandle art = NewCirclePath(suites(), circle, true);

  ASSERT_NE(art, nullptr);
  const model::Art& made = ArtOf(art);
  EXPECT_EQ(made.type(), model::ArtType::Path);
  EXPECT_TRUE(made.closed);
  EXPECT_EQ(SegmentsOf(art), circle);
  for (const model::Segment& s : made.segments) EXPECT_FALSE(s.corner);
  EXPECT_TRUE(model::IsFullySelected(doc(), made.id()));
  EXPECT_TRUE(made.centerPointVisible);
  EXPECT_FALSE(model::IsSelected(doc(), model::ArtIdOf(other)));
  // At the insertion point: the front of the current layer.
  EXPECT_EQ(made.parent(), doc().layers().front().group);
  EXPECT_EQ(doc().art(made.parent()).children().front(), made.id());
}

TEST_F(NewCirclePathTest, KeepsOtherSelectionsWithoutTheDeselectFlag) {
  const AIArtHandle other = AddSelectedPath();
  const AIArtHandle art = NewCirclePath(suites(), Circle(), false);
  ASSERT_NE(art, nullptr);
  EXPECT_TRUE(model::IsFullySelected(doc(), model::ArtIdOf(art)));
  EXPECT_TRUE(model::IsSelected(doc(), model::ArtIdOf(other)));
}

TEST_F(NewCirclePathTest, CreatesNothingWhereNoArtCanGo) {
  struct Case {
    const char* name;
    bool locked, hidden;
    const char* failing;  // an art suite function made to fail, or null
    bool canCreate;       // what the shared guard says in the same situation
    AIErr error;          // the code raised: a refused host call is an error, a locked place is not
  };
  const Case cases[] = {
      {"locked layer", true, false, nullptr, false, kNoErr},
      {"hidden layer", false, true, nullptr, false, kNoErr},
      {"no insertion point", false, false, "GetInsertionPoint", false, kInjected},
      {"new art refused", false, false, "NewArt", true, kInjected},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FrontLayer().locked = c.locked;
    FrontLayer().visible = !c.hidden;
    if (c.failing) host_.faults().Fail(kAIArtSuite, c.failing, kInjected);
    const model::Document before = doc();

    EXPECT_EQ(CanCreateArt(suites()), c.canCreate);
    AIErr raised = kNoErr;
    try {
      EXPECT_EQ(NewCirclePath(suites(), Circle(), true), nullptr);
    } catch (const ai::Error& e) {
      raised = e.code();
    }
    EXPECT_EQ(raised, c.error);
    EXPECT_TRUE(doc() == before);

    host_.faults().Clear();
    FrontLayer().locked = false;
    FrontLayer().visible = true;
  }
  EXPECT_TRUE(CanCreateArt(suites()));
}

TEST_F(NewCirclePathTest, AnEmptyListIsRefusedBeforeAnythingIsCreated) {
  const std::size_t before = ArtCount();
  try {
    NewCirclePath(suites(), {}, true);
    ADD_FAILURE() << "an empty circle was accepted";
  } catch (const ai::Error& e) {
    EXPECT_EQ(e.code(), kBadParameterErr);
  }
  EXPECT_EQ(ArtCount(), before);
}

TEST_F(NewCirclePathTest, ARefusedShapingStepRemovesTheArtAndRaisesTheHostsCode) {
  // A suite that cannot be acquired is reported as a bad parameter, the
  // suite set's code for a missing suite; a refused call with the host's code.
  const struct {
    const char* suite;
    const char* function;
    AIErr code;
  } refused[] = {{kAIPathSuite, "AcquireSuite", kBadParameterErr},
                 {kAIPathSuite, "SetPathClosed", kInjected},
                 {kAIPathSuite, "SetPathSegmentCount", kInjected},
                 {kAIPathSuite, "SetPathSegments", kInjected}};
  for (const auto& r : refused) {
    SCOPED_TRACE(r.function);
    ai::Suites().ReleaseAll();  // the path suite is acquired afresh, as in a new message
    AddSelectedPath();
    const model::Document before = doc();
    host_.faults().Fail(r.suite, r.function, kInjected, 1);
    try {
      NewCirclePath(suites(), Circle(), true);
      ADD_FAILURE() << "a half-made circle was reported as made";
    } catch (const ai::Error& e) {
      EXPECT_EQ(e.code(), r.code);
    }
    EXPECT_TRUE(doc() == before) << "nothing of the circle stays, and the selection is as it was";
    host_.faults().Clear();
  }
}

// Selecting is not part of making: a refusal there leaves a complete circle.
TEST_F(NewCirclePathTest, StepsAfterCreationAreNotChecked) {
  host_.faults().Fail(kAIArtSuite, "SetArtCenterPointVisible", kInjected);
  host_.faults().Fail(kAIMatchingArtSuite, "DeselectAll", kInjected);
  const AIArtHandle art = NewCirclePath(suites(), Circle(), true);
  ASSERT_NE(art, nullptr);
  EXPECT_TRUE(ArtOf(art).closed);
  EXPECT_TRUE(model::IsFullySelected(doc(), model::ArtIdOf(art)));
  EXPECT_FALSE(ArtOf(art).centerPointVisible);
}

}  // namespace
}  // namespace plugin_test
