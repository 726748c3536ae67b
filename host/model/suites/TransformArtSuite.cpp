// "AI Transform Art Suite".
#include "host/model/Transform.h"
#include "host/model/suites/SuiteSupport.h"
#include "host/model/suites/SuiteTables.h"

namespace host::suites {

namespace {

AIErr AIAPI TransformArt(AIArtHandle art, const AIRealMatrix* matrix, double lineScale, int32_t flags) {
  return SuiteCall(kAITransformArtSuite, "TransformArt", [&] {
    const model::Matrix m = model::FromSdk(Ref(matrix, "matrix"));
    model::TransformArt(Doc(), ArtOf(art).id(), m, lineScale, flags);
    return kNoErr;
  });
}

const AITransformArtSuite kTable = {TransformArt};

}  // namespace

const AITransformArtSuite& TransformArtSuite() { return kTable; }

}  // namespace host::suites
