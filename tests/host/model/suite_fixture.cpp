#include "suite_fixture.h"

namespace host::test {

AIPathSegment Corner(double h, double v) { return {{h, v}, {h, v}, {h, v}, 1}; }

AIPathSegment Smooth(double h, double v, double dh, double dv) {
  return {{h, v}, {h - dh, v - dv}, {h + dh, v + dv}, 0};
}

SuiteTest::SuiteTest() {
  SetActiveFaults(&faults);
  workspace.RegisterSuites(registry);
  workspace.NewDocument(612, 792);
  art = Acquire<AIArtSuite>(kAIArtSuite, kAIArtSuiteVersion);
  path = Acquire<AIPathSuite>(kAIPathSuite, kAIPathSuiteVersion);
  matching = Acquire<AIMatchingArtSuite>(kAIMatchingArtSuite, kAIMatchingArtSuiteVersion);
  hits = Acquire<AIHitTestSuite>(kAIHitTestSuite, kAIHitTestSuiteVersion);
  layers = Acquire<AILayerSuite>(kAILayerSuite, kAILayerSuiteVersion);
  document = Acquire<AIDocumentSuite>(kAIDocumentSuite, kAIDocumentSuiteVersion);
  dictionary = Acquire<AIDictionarySuite>(kAIDictionarySuite, kAIDictionarySuiteVersion);
  transform = Acquire<AITransformArtSuite>(kAITransformArtSuite, kAITransformArtSuiteVersion);
  raster = Acquire<AIRasterSuite>(kAIRasterSuite, kAIRasterSuiteVersion);
  placed = Acquire<AIPlacedSuite>(kAIPlacedSuite, kAIPlacedSuiteVersion);
  shapes = Acquire<AIShapeConstructionSuite>(kAIShapeConstructionSuite, kAIShapeConstructionSuiteVersion);
  views = Acquire<AIDocumentViewSuite>(kAIDocumentViewSuite, kAIDocumentViewSuiteVersion);
  snap = Acquire<AICursorSnapSuite>(kAICursorSnapSuite, kAICursorSnapSuiteVersion);
}

SuiteTest::~SuiteTest() {
  for (const auto& [name, version] : acquired_) registry.Release(name, version);
  SetActiveFaults(nullptr);
}

AIArtHandle SuiteTest::NewPath(const std::vector<AIPathSegment>& segments, bool closed) {
  AIArtHandle p = nullptr;
  EXPECT_EQ(art->NewArt(kPathArt, kPlaceAbove, nullptr, &p), kNoErr);
  const auto count = static_cast<int16_t>(segments.size());
  EXPECT_EQ(path->SetPathSegmentCount(p, count), kNoErr);
  EXPECT_EQ(path->SetPathSegments(p, 0, count, segments.data()), kNoErr);
  EXPECT_EQ(path->SetPathClosed(p, closed ? 1 : 0), kNoErr);
  return p;
}

void SuiteTest::ShowOrigin(double zoom) {
  workspace.SetZoom(zoom);
  workspace.SetScrollOrigin({0, 0});
}

}  // namespace host::test
