#include "plugin/TransformAgain.h"

namespace plugin {

void TransformAgain(const TransformAgainRecord& record) {
  if (record.recorded && record.repeat) record.repeat(record);
}

}  // namespace plugin
