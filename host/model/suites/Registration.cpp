#include "host/core/SuiteRegistry.h"
#include "host/model/suites/SuiteTables.h"

namespace host::suites {

void AddDocumentSuites(SuiteRegistry& registry) {
  registry.Add(kAIArtSuite, kAIArtSuiteVersion, &ArtSuite());
  registry.Add(kAIPathSuite, kAIPathSuiteVersion, &PathSuite());
  registry.Add(kAIMatchingArtSuite, kAIMatchingArtSuiteVersion, &MatchingArtSuite());
  registry.Add(kAIHitTestSuite, kAIHitTestSuiteVersion, &HitTestSuite());
  registry.Add(kAILayerSuite, kAILayerSuiteVersion, &LayerSuite());
  registry.Add(kAIDocumentSuite, kAIDocumentSuiteVersion, &DocumentSuite());
  registry.Add(kAIDictionarySuite, kAIDictionarySuiteVersion, &DictionarySuite());
  registry.Add(kAITransformArtSuite, kAITransformArtSuiteVersion, &TransformArtSuite());
  registry.Add(kAIRasterSuite, kAIRasterSuiteVersion, &RasterSuite());
  registry.Add(kAIPlacedSuite, kAIPlacedSuiteVersion, &PlacedSuite());
  registry.Add(kAIShapeConstructionSuite, kAIShapeConstructionSuiteVersion, &ShapeConstructionSuite());
  registry.Add(kAIDocumentViewSuite, kAIDocumentViewSuiteVersion, &DocumentViewSuite());
  registry.Add(kAICursorSnapSuite, kAICursorSnapSuiteVersion, &CursorSnapSuite());
}

}  // namespace host::suites
