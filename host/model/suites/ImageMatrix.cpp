#include "host/model/suites/ImageMatrix.h"

#include "host/model/suites/SuiteSupport.h"

namespace host::suites {

AIErr GetImageMatrix(const char* suite, const char* function, model::ArtType type, AIArtHandle art,
                     AIRealMatrix* matrix) {
  return SuiteCall(suite, function, [&] {
    AIRealMatrix& out = Ref(matrix, "matrix");
    out = model::ToSdk(ArtOf(art, type).matrix);
    return kNoErr;
  });
}

AIErr SetImageMatrix(const char* suite, const char* function, model::ArtType type, AIArtHandle art,
                     const AIRealMatrix* matrix) {
  return SuiteCall(suite, function, [&] {
    const model::Matrix m = model::FromSdk(Ref(matrix, "matrix"));
    model::Art& a = ArtOf(art, type);
    if (!IsFinite(m)) Fail(kBadParameterErr, "matrix with a non-finite value");
    a.matrix = m;
    return kNoErr;
  });
}

}  // namespace host::suites
