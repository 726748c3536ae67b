// "AI Placed Suite": the placement matrix.
#include "host/model/suites/ImageMatrix.h"
#include "host/model/suites/SuiteTables.h"

namespace host::suites {

namespace {

AIErr AIAPI GetPlacedMatrix(AIArtHandle placed, AIRealMatrix* matrix) {
  return GetImageMatrix(kAIPlacedSuite, "GetPlacedMatrix", model::ArtType::Placed, placed, matrix);
}

AIErr AIAPI SetPlacedMatrix(AIArtHandle placed, const AIRealMatrix* matrix) {
  return SetImageMatrix(kAIPlacedSuite, "SetPlacedMatrix", model::ArtType::Placed, placed, matrix);
}

const AIPlacedSuite kTable = {GetPlacedMatrix, SetPlacedMatrix};

}  // namespace

const AIPlacedSuite& PlacedSuite() { return kTable; }

}  // namespace host::suites
