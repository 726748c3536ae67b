#include "host/model/Primitives.h"

namespace host::model {

bool IsFinite(const Matrix& m) {
  return std::isfinite(m.a) && std::isfinite(m.b) && std::isfinite(m.c) && std::isfinite(m.d) &&
         std::isfinite(m.tx) && std::isfinite(m.ty);
}

}  // namespace host::model
