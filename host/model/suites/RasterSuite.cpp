// "AI Raster Suite": the raster matrix.
#include "host/model/suites/ImageMatrix.h"
#include "host/model/suites/SuiteTables.h"

namespace host::suites {

namespace {

AIErr AIAPI GetRasterMatrix(AIArtHandle raster, AIRealMatrix* matrix) {
  return GetImageMatrix(kAIRasterSuite, "GetRasterMatrix", model::ArtType::Raster, raster, matrix);
}

AIErr AIAPI SetRasterMatrix(AIArtHandle raster, const AIRealMatrix* matrix) {
  return SetImageMatrix(kAIRasterSuite, "SetRasterMatrix", model::ArtType::Raster, raster, matrix);
}

const AIRasterSuite kTable = {GetRasterMatrix, SetRasterMatrix};

}  // namespace

const AIRasterSuite& RasterSuite() { return kTable; }

}  // namespace host::suites
