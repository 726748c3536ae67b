#include "tools/framework/TransformAgain.h"

namespace Tools {

void TransformAgain(const TransformAgainRecord& record) {
  if (record.recorded && record.repeat) record.repeat(record);
}

}  // namespace Tools
