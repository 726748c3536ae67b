// The hit test suite: which part and which segment number a point reports,
// and how the tolerance and the references behave.
#include <gtest/gtest.h>

#include <string>

#include "host/model/Cubic.h"
#include "host/model/Workspace.h"
#include "suite_fixture.h"

namespace host::test {
namespace {

struct HitCase {
  std::string name;
  bool closed;
  int32_t request;
  AIRealPoint query;
  bool hit;
  int16_t part;
  int16_t segment;
  AIRealPoint point;  // where on the path the hit lies
};

void PrintTo(const HitCase& c, std::ostream* os) { *os << c.name; }

// Anchors (0,0), (100,0), (100,100) joined by straight pieces; closed, the
// third piece runs diagonally back to the first anchor.
class HitNumbering : public SuiteTest, public ::testing::WithParamInterface<HitCase> {};

TEST_P(HitNumbering, ReportsPartSegmentAndPoint) {
  const HitCase& c = GetParam();
  ShowOrigin(1);
  const AIArtHandle p = NewPath({Corner(0, 0), Corner(100, 0), Corner(100, 100)}, c.closed);
  doc().art(model::ArtIdOf(p)).paint.fill = model::Rgb{0xffff, 0, 0};

  AIHitRef ref = nullptr;
  ASSERT_EQ(hits->HitTest(nullptr, &c.query, c.request, &ref), kNoErr);
  AIHitData data{};
  ASSERT_EQ(hits->GetHitData(ref, &data), kNoErr);
  ASSERT_EQ(hits->Release(ref), kNoErr);

  ASSERT_EQ(data.hit != 0, c.hit);
  if (!c.hit) return;
  EXPECT_EQ(data.object, p);
  EXPECT_EQ(data.type, c.part);
  EXPECT_EQ(data.segment, c.segment);
  EXPECT_NEAR(data.point.h, c.point.h, 1e-6);
  EXPECT_NEAR(data.point.v, c.point.v, 1e-6);
  if (c.request == kSegmentOrCurveHitRequest && c.part == kCurvePart) {
    // The reported segment ends the hit piece: the piece starts one anchor
    // earlier, and segment 0 means the closing piece.
    const auto& segments = doc().art(model::ArtIdOf(p)).segments;
    const int pieces = model::PieceCount(segments, c.closed);
    const int piece = data.segment == 0 ? pieces - 1 : data.segment - 1;
    const model::Point onPiece = model::Evaluate(model::PieceOf(segments, piece), data.t);
    EXPECT_NEAR(onPiece.h, data.point.h, 1e-6);
    EXPECT_NEAR(onPiece.v, data.point.v, 1e-6);
  }
}

constexpr int32_t k8 = kSegmentOrCurveHitRequest;
constexpr int32_t k2 = kAllHitRequest;

INSTANTIATE_TEST_SUITE_P(
    Cases, HitNumbering,
    ::testing::Values(
        HitCase{"AnchorFirst", false, k8, {1, 1}, true, kSegmentPart, 0, {0, 0}},
        HitCase{"AnchorLast", false, k8, {101, 99}, true, kSegmentPart, 2, {100, 100}},
        HitCase{"CurveFirstPieceReportsItsEndAnchor", false, k8, {50, 2}, true, kCurvePart, 1, {50, 0}},
        HitCase{"CurveSecondPiece", false, k8, {98, 30}, true, kCurvePart, 2, {100, 30}},
        HitCase{"CurveClosingPieceReportsZero", true, k8, {51, 49}, true, kCurvePart, 0, {50, 50}},
        HitCase{"NoClosingPieceWhenOpen", false, k8, {51, 49}, false, 0, 0, {}},
        HitCase{"InsideFillIsNoSegmentOrCurveHit", true, k8, {70, 20}, false, 0, 0, {}},
        HitCase{"AllAnchor", true, k2, {100, 98}, true, kSegmentPart, 2, {100, 100}},
        HitCase{"AllCurveNearFirstAnchor", false, k2, {30, 1}, true, kCurvePart, 0, {30, 0}},
        HitCase{"AllCurveNearSecondAnchor", false, k2, {70, -1}, true, kCurvePart, 1, {70, 0}},
        HitCase{"AllClosingPieceNearLastAnchor", true, k2, {81, 79}, true, kCurvePart, 2, {80, 80}},
        HitCase{"AllFillNearestAnchor", true, k2, {90, 20}, true, kFillPart, 1, {90, 20}},
        HitCase{"AllNoFillWhenOpen", false, k2, {90, 20}, false, 0, 0, {}},
        HitCase{"FarAway", true, k2, {300, 300}, false, 0, 0, {}}),
    [](const auto& info) { return info.param.name; });

class HitTestSuiteTest : public SuiteTest {};

TEST_F(HitTestSuiteTest, HandleEndsHitOnlyWithTheAllRequest) {
  ShowOrigin(1);
  const AIArtHandle p = NewPath({Smooth(0, 0, 0, 40), Corner(100, 0)});
  const AIRealPoint nearHandle{1, 39};
  AIHitRef ref = nullptr;
  AIHitData data{};
  ASSERT_EQ(hits->HitTest(nullptr, &nearHandle, kAllHitRequest, &ref), kNoErr);
  ASSERT_EQ(hits->GetHitData(ref, &data), kNoErr);
  hits->Release(ref);
  EXPECT_EQ(data.object, p);
  EXPECT_EQ(data.type, kOutHandlePart);
  EXPECT_EQ(data.segment, 0);

  ASSERT_EQ(hits->HitTest(nullptr, &nearHandle, kSegmentOrCurveHitRequest, &ref), kNoErr);
  ASSERT_EQ(hits->GetHitData(ref, &data), kNoErr);
  hits->Release(ref);
  EXPECT_FALSE(data.hit);
}

// A smooth piece: the curve point found must be the nearest one, checked
// against dense sampling, and lie on the piece at the reported t.
TEST_F(HitTestSuiteTest, CurveHitOnACurvedPieceIsTheNearestPoint) {
  ShowOrigin(1);
  const AIArtHandle p = NewPath({Smooth(0, 0, 30, 60), Smooth(100, 0, 30, -60)});
  const auto& segments = doc().art(model::ArtIdOf(p)).segments;
  const model::Cubic piece = model::PieceOf(segments, 0);
  const model::Point onCurve = model::Evaluate(piece, 0.37);
  const AIRealPoint query{onCurve.h + 1.5, onCurve.v + 1.0};
  AIHitRef ref = nullptr;
  AIHitData data{};
  ASSERT_EQ(hits->HitTest(p, &query, kSegmentOrCurveHitRequest, &ref), kNoErr);
  ASSERT_EQ(hits->GetHitData(ref, &data), kNoErr);
  hits->Release(ref);
  ASSERT_TRUE(data.hit);
  ASSERT_EQ(data.type, kCurvePart);
  EXPECT_EQ(data.segment, 1);
  double best = 1e300;
  for (int i = 0; i <= 100000; ++i)
    best = std::min(best, model::Distance(model::Evaluate(piece, i / 100000.0), model::FromSdk(query)));
  EXPECT_NEAR(model::Distance(model::FromSdk(data.point), model::FromSdk(query)), best, 1e-6);
  const model::Point at = model::Evaluate(piece, data.t);
  EXPECT_NEAR(at.h, data.point.h, 1e-9);
  EXPECT_NEAR(at.v, data.point.v, 1e-9);
}

// Three view pixels: 2.5 units off the path is a hit at 100 % and a miss at
// 200 %; 5 units off is a hit at 50 %.
TEST_F(HitTestSuiteTest, ToleranceIsInViewPixels) {
  NewPath({Corner(0, 0), Corner(100, 0)});
  struct Case {
    double zoom;
    double offset;
    bool hit;
  };
  for (const Case c : {Case{1, 2.5, true}, Case{2, 2.5, false}, Case{0.5, 5, true}, Case{0.5, 6.5, false}}) {
    ShowOrigin(c.zoom);
    const AIRealPoint q{50, c.offset};
    AIHitRef ref = nullptr;
    AIBoolean isHit = 0;
    ASSERT_EQ(hits->HitTest(nullptr, &q, kSegmentOrCurveHitRequest, &ref), kNoErr);
    ASSERT_EQ(hits->IsHit(ref, &isHit), kNoErr);
    hits->Release(ref);
    EXPECT_EQ(isHit != 0, c.hit) << "zoom " << c.zoom << " offset " << c.offset;
  }
}

TEST_F(HitTestSuiteTest, ReferencesAreCountedUntilReleased) {
  NewPath({Corner(0, 0), Corner(100, 0)});
  const AIRealPoint onPath{50, 0}, miss{500, 500};
  AIHitRef hit = nullptr, none = nullptr;
  ASSERT_EQ(hits->HitTest(nullptr, &onPath, kAllHitRequest, &hit), kNoErr);
  ASSERT_EQ(hits->HitTest(nullptr, &miss, kAllHitRequest, &none), kNoErr);
  ASSERT_NE(none, nullptr);
  AIBoolean isHit = 1;
  EXPECT_EQ(hits->IsHit(none, &isHit), kNoErr);
  EXPECT_FALSE(isHit);
  EXPECT_EQ(workspace.LiveHitRefs(), 2);

  EXPECT_EQ(hits->AddRef(hit), kNoErr);
  EXPECT_EQ(hits->Release(hit), kNoErr);
  EXPECT_EQ(workspace.LiveHitRefs(), 2);
  EXPECT_EQ(hits->Release(hit), kNoErr);
  EXPECT_EQ(hits->Release(none), kNoErr);
  EXPECT_EQ(workspace.LiveHitRefs(), 0);

  AIHitData data{};
  EXPECT_EQ(hits->GetHitData(hit, &data), kBadHandleErr);
  EXPECT_EQ(hits->Release(hit), kBadHandleErr);
}

TEST_F(HitTestSuiteTest, FrontmostVisibleUnlockedArtWins) {
  const AIArtHandle back = NewPath({Corner(0, 0), Corner(100, 0)});
  const AIArtHandle front = NewPath({Corner(0, 1), Corner(100, 1)});
  auto hitArt = [&] {
    const AIRealPoint q{50, 0.5};
    AIHitRef ref = nullptr;
    AIHitData data{};
    EXPECT_EQ(hits->HitTest(nullptr, &q, kSegmentOrCurveHitRequest, &ref), kNoErr);
    EXPECT_EQ(hits->GetHitData(ref, &data), kNoErr);
    hits->Release(ref);
    return data.hit ? data.object : nullptr;
  };
  EXPECT_EQ(hitArt(), front);
  art->SetArtUserAttr(front, kArtHidden, kArtHidden);
  EXPECT_EQ(hitArt(), back);
  art->SetArtUserAttr(back, kArtLocked, kArtLocked);
  EXPECT_EQ(hitArt(), nullptr);
  art->SetArtUserAttr(back, kArtLocked, 0);
  doc().layer(doc().currentLayer()).visible = false;
  EXPECT_EQ(hitArt(), nullptr);
}

TEST_F(HitTestSuiteTest, MembersOfAHiddenGroupAreNotHit) {
  AIArtHandle group = nullptr, member = nullptr;
  ASSERT_EQ(art->NewArt(kGroupArt, kPlaceAbove, nullptr, &group), kNoErr);
  ASSERT_EQ(art->NewArt(kPathArt, kPlaceInsideOnTop, group, &member), kNoErr);
  const AIPathSegment segs[] = {Corner(0, 0), Corner(100, 0)};
  path->SetPathSegmentCount(member, 2);
  path->SetPathSegments(member, 0, 2, segs);
  art->SetArtUserAttr(group, kArtHidden, kArtHidden);
  const AIRealPoint q{50, 0};
  AIHitRef ref = nullptr;
  AIBoolean isHit = 1;
  ASSERT_EQ(hits->HitTest(nullptr, &q, kAllHitRequest, &ref), kNoErr);
  hits->IsHit(ref, &isHit);
  hits->Release(ref);
  EXPECT_FALSE(isHit);
}

TEST_F(HitTestSuiteTest, UnknownRequestIsABadParameterAndLeavesNoReference) {
  const AIRealPoint q{0, 0};
  AIHitRef ref = nullptr;
  EXPECT_EQ(hits->HitTest(nullptr, &q, 5, &ref), kBadParameterErr);
  EXPECT_EQ(ref, nullptr);
  EXPECT_EQ(workspace.LiveHitRefs(), 0);
}

}  // namespace
}  // namespace host::test
