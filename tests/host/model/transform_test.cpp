// The transform art, placed and raster suites.
#include <gtest/gtest.h>

#include <string>

#include "suite_fixture.h"

namespace host::test {
namespace {

class TransformTest : public SuiteTest {
 protected:
  AIRealPoint Anchor(AIArtHandle p) {
    AIPathSegment s{};
    EXPECT_EQ(path->GetPathSegments(p, 0, 1, &s), kNoErr);
    return s.p;
  }
};

constexpr AIRealMatrix kShift{1, 0, 0, 1, 10, 20};

// A group holding a path: only kTransformChildren lets the transform reach
// the member.
TEST_F(TransformTest, ContainersPassTransformsOnOnlyWithTransformChildren) {
  struct Case {
    std::string name;
    int16_t containerType;
    int32_t flags;
    AIRealPoint expected;
  };
  const Case cases[] = {
      {"GroupOptions13", kGroupArt, 13, {1, 2}},
      {"GroupOptions1", kGroupArt, kTransformObjects, {1, 2}},
      {"GroupWithChildren", kGroupArt, kTransformObjects | kTransformChildren, {11, 22}},
      {"CompoundWithChildren", kCompoundPathArt, kTransformObjects | kTransformChildren, {11, 22}},
      {"CompoundWithout", kCompoundPathArt, 13, {1, 2}},
  };
  for (const Case& c : cases) {
    AIArtHandle container = nullptr, member = nullptr;
    ASSERT_EQ(art->NewArt(c.containerType, kPlaceInsideOnTop, nullptr, &container), kNoErr);
    ASSERT_EQ(art->NewArt(kPathArt, kPlaceInsideOnTop, container, &member), kNoErr);
    const AIPathSegment s = Corner(1, 2);
    path->SetPathSegmentCount(member, 1);
    path->SetPathSegments(member, 0, 1, &s);
    ASSERT_EQ(transform->TransformArt(container, &kShift, 1, c.flags), kNoErr) << c.name;
    EXPECT_EQ(Anchor(member).h, c.expected.h) << c.name;
    EXPECT_EQ(Anchor(member).v, c.expected.v) << c.name;
  }
}

TEST_F(TransformTest, PathPointsAndHandlesMoveAndLinesScaleOnRequest) {
  const AIArtHandle p = NewPath({Smooth(10, 0, 5, 0)});
  const AIRealMatrix rotate90{0, 1, -1, 0, 0, 0};
  ASSERT_EQ(transform->TransformArt(p, &rotate90, 3, kTransformObjects), kNoErr);
  AIPathSegment s{};
  path->GetPathSegments(p, 0, 1, &s);
  EXPECT_DOUBLE_EQ(s.p.h, 0);
  EXPECT_DOUBLE_EQ(s.p.v, 10);
  EXPECT_DOUBLE_EQ(s.out.v, 15);
  EXPECT_EQ(doc().art(model::ArtIdOf(p)).paint.strokeWidth, 1);
  ASSERT_EQ(transform->TransformArt(p, &rotate90, 3, kTransformObjects | kScaleLines), kNoErr);
  EXPECT_EQ(doc().art(model::ArtIdOf(p)).paint.strokeWidth, 3);
}

TEST_F(TransformTest, PlacedAndRasterMatricesComposeAfterTheirOwn) {
  AIArtHandle image = nullptr, pic = nullptr;
  ASSERT_EQ(art->NewArt(kPlacedArt, kPlaceInsideOnTop, nullptr, &image), kNoErr);
  ASSERT_EQ(art->NewArt(kRasterArt, kPlaceInsideOnTop, nullptr, &pic), kNoErr);
  const AIRealMatrix scale2{2, 0, 0, 2, 0, 0};
  ASSERT_EQ(placed->SetPlacedMatrix(image, &scale2), kNoErr);
  ASSERT_EQ(raster->SetRasterMatrix(pic, &scale2), kNoErr);
  for (AIArtHandle a : {image, pic}) ASSERT_EQ(transform->TransformArt(a, &kShift, 1, 13), kNoErr);
  AIRealMatrix m{};
  ASSERT_EQ(placed->GetPlacedMatrix(image, &m), kNoErr);
  EXPECT_EQ(m.a, 2);
  EXPECT_EQ(m.tx, 10);
  EXPECT_EQ(m.ty, 20);
  ASSERT_EQ(raster->GetRasterMatrix(pic, &m), kNoErr);
  EXPECT_EQ(m.d, 2);
  EXPECT_EQ(m.ty, 20);
  EXPECT_EQ(placed->GetPlacedMatrix(pic, &m), kWrongArtTypeErr);
}

TEST_F(TransformTest, NonFiniteMatricesAreRefusedAndChangeNothing) {
  const AIArtHandle p = NewPath({Corner(1, 2)});
  AIArtHandle image = nullptr;
  ASSERT_EQ(art->NewArt(kPlacedArt, kPlaceInsideOnTop, nullptr, &image), kNoErr);
  const model::Document before = workspace.Snapshot();
  const AIRealMatrix bad{1, 0, 0, 1, std::numeric_limits<double>::infinity(), 0};
  EXPECT_EQ(transform->TransformArt(p, &bad, 1, kTransformObjects), kBadParameterErr);
  EXPECT_EQ(placed->SetPlacedMatrix(image, &bad), kBadParameterErr);
  EXPECT_TRUE(workspace.Snapshot() == before);
}

}  // namespace
}  // namespace host::test
