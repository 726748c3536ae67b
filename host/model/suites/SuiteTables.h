// The function tables of the document suites, one per file in this folder.
#pragma once

#include "sdk/Corvane.h"

namespace host {
class SuiteRegistry;
}

namespace host::suites {

const AIArtSuite& ArtSuite();
const AIPathSuite& PathSuite();
const AIMatchingArtSuite& MatchingArtSuite();
const AIHitTestSuite& HitTestSuite();
const AILayerSuite& LayerSuite();
const AIDocumentSuite& DocumentSuite();
const AIDictionarySuite& DictionarySuite();
const AITransformArtSuite& TransformArtSuite();
const AIRasterSuite& RasterSuite();
const AIPlacedSuite& PlacedSuite();
const AIShapeConstructionSuite& ShapeConstructionSuite();
const AIDocumentViewSuite& DocumentViewSuite();
const AICursorSnapSuite& CursorSnapSuite();

// Adds all of the above under their names and versions.
void AddDocumentSuites(SuiteRegistry& registry);

}  // namespace host::suites
