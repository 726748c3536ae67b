// The error codes of the document suites: no document, bad handles, wrong
// art types, indices out of range and null out-pointers.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "suite_fixture.h"

namespace host::test {
namespace {

class ErrorsTest : public SuiteTest {};

TEST_F(ErrorsTest, MisuseGetsItsCode) {
  const AIArtHandle p = NewPath({Corner(0, 0), Corner(10, 0)});
  AIArtHandle group = nullptr;
  ASSERT_EQ(art->NewArt(kGroupArt, kPlaceAbove, nullptr, &group), kNoErr);
  const AIArtHandle stale = NewPath({Corner(0, 0)});
  ASSERT_EQ(art->DisposeArt(stale), kNoErr);

  struct Case {
    std::string name;
    AIErr expected;
    std::function<AIErr()> call;
  };
  int16_t n = 0;
  AIPathSegment seg{};
  AIRealMatrix m{};
  AIArtHandle out = nullptr;
  const Case cases[] = {
      {"StaleArt", kBadHandleErr, [&] { return art->GetArtType(stale, &n); }},
      {"NullArt", kBadHandleErr, [&] { return path->GetPathSegmentCount(nullptr, &n); }},
      {"ForgedArt", kBadHandleErr, [&] { return art->GetArtType(reinterpret_cast<AIArtHandle>(uintptr_t{1} << 40), &n); }},
      {"SegmentsOfGroup", kWrongArtTypeErr, [&] { return path->GetPathSegmentCount(group, &n); }},
      {"MatrixOfPath", kWrongArtTypeErr, [&] { return raster->GetRasterMatrix(p, &m); }},
      {"SegmentPastEnd", kIndexRangeErr, [&] { return path->GetPathSegments(p, 1, 2, &seg); }},
      {"NegativeFirst", kIndexRangeErr, [&] { return path->GetPathSegments(p, -1, 1, &seg); }},
      {"DeletePastEnd", kIndexRangeErr, [&] { return path->DeletePathSegments(p, 2, 1); }},
      {"InsertPastEnd", kIndexRangeErr, [&] { return path->InsertPathSegments(p, 3, 1, &seg); }},
      {"NthLayer", kIndexRangeErr, [&] { AILayerHandle l; return layers->GetNthLayer(1, &l); }},
      {"SecondView", kIndexRangeErr, [&] { AIDocumentViewHandle v; return views->GetNthDocumentView(1, &v); }},
      {"NullCount", kBadParameterErr, [&] { return path->GetPathSegmentCount(p, nullptr); }},
      {"NullSegments", kBadParameterErr, [&] { return path->SetPathSegments(p, 0, 1, nullptr); }},
      {"NullNewArt", kBadParameterErr, [&] { return art->NewArt(kPathArt, kPlaceAbove, nullptr, nullptr); }},
      {"UnknownType", kBadParameterErr, [&] { return art->NewArt(9, kPlaceAbove, nullptr, &out); }},
      {"UnknownOrder", kBadParameterErr, [&] { return art->NewArt(kPathArt, 42, p, &out); }},
      {"NegativeCount", kBadParameterErr, [&] { return path->SetPathSegmentCount(p, -1); }},
      {"NullControl", kBadParameterErr, [&] { AIRealPoint a{}, b{}; return snap->Track(nullptr, &a, nullptr, nullptr, &b); }},
  };
  for (const Case& c : cases) {
    const model::Document before = workspace.Snapshot();
    EXPECT_EQ(c.call(), c.expected) << c.name;
    EXPECT_TRUE(workspace.Snapshot() == before) << c.name;
  }
}

TEST_F(ErrorsTest, NonFiniteSegmentsAreRefusedWhole) {
  const AIArtHandle p = NewPath({Corner(0, 0), Corner(10, 0)});
  const AIPathSegment twoNew[] = {Corner(1, 1), Corner(std::numeric_limits<double>::quiet_NaN(), 0)};
  const model::Document before = workspace.Snapshot();
  EXPECT_EQ(path->SetPathSegments(p, 0, 2, twoNew), kBadParameterErr);
  EXPECT_EQ(path->InsertPathSegments(p, 0, 2, twoNew), kBadParameterErr);
  EXPECT_TRUE(workspace.Snapshot() == before);
}

TEST(SuitesWithoutDocument, FailWithNoDocument) {
  FaultInjector faults;
  SuiteRegistry registry(faults);
  Workspace ws(100, 100);
  ws.RegisterSuites(registry);
  SetActiveFaults(&faults);
  const void* table = nullptr;
  ASSERT_EQ(registry.Acquire(kAIArtSuite, kAIArtSuiteVersion, &table), kNoErr);
  const auto* artSuite = static_cast<const AIArtSuite*>(table);
  ASSERT_EQ(registry.Acquire(kAIDocumentViewSuite, kAIDocumentViewSuiteVersion, &table), kNoErr);
  const auto* viewSuite = static_cast<const AIDocumentViewSuite*>(table);
  ASSERT_EQ(registry.Acquire(kAIDocumentSuite, kAIDocumentSuiteVersion, &table), kNoErr);
  const auto* docSuite = static_cast<const AIDocumentSuite*>(table);

  AIArtHandle a = nullptr;
  int16_t order = 0;
  AIBoolean editable = 0;
  EXPECT_EQ(artSuite->GetInsertionPoint(&a, &order, &editable), kNoDocumentErr);
  EXPECT_EQ(artSuite->NewArt(kPathArt, kPlaceAbove, nullptr, &a), kNoDocumentErr);
  EXPECT_EQ(docSuite->RedrawDocument(), kNoDocumentErr);
  int32_t count = -1;
  EXPECT_EQ(viewSuite->CountDocumentViews(&count), kNoErr);
  EXPECT_EQ(count, 0);
  AIDocumentViewHandle view = nullptr;
  EXPECT_EQ(viewSuite->GetNthDocumentView(0, &view), kNoDocumentErr);

  ws.NewDocument(100, 100);
  EXPECT_EQ(viewSuite->CountDocumentViews(&count), kNoErr);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(docSuite->RedrawDocument(), kNoErr);
  EXPECT_EQ(ws.RedrawRequests(), 1);
  registry.Release(kAIArtSuite, kAIArtSuiteVersion);
  registry.Release(kAIDocumentViewSuite, kAIDocumentViewSuiteVersion);
  registry.Release(kAIDocumentSuite, kAIDocumentSuiteVersion);
  SetActiveFaults(nullptr);
}

}  // namespace
}  // namespace host::test
