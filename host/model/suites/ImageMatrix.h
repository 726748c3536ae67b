// The matrix of placed and raster art, shared by their two suites: the same
// operation under each suite's own name, for fault injection.
#pragma once

#include "host/model/Art.h"
#include "sdk/Corvane.h"

namespace host::suites {

// kWrongArtTypeErr unless the art has the type; a matrix with a non-finite
// value is refused (kBadParameterErr) and nothing changes.
AIErr GetImageMatrix(const char* suite, const char* function, model::ArtType type, AIArtHandle art,
                     AIRealMatrix* matrix);
AIErr SetImageMatrix(const char* suite, const char* function, model::ArtType type, AIArtHandle art,
                     const AIRealMatrix* matrix);

}  // namespace host::suites
