#include "QMDM/ImplCommon/QMDMExceptions.h"

#include <cstdio>

namespace QMDM {

void NotImplemented(const char* operation, const char* source) {
  std::printf("未实现： %s in %s\n", operation, source);
  std::fflush(stdout);
  throw QMDMNotImpl();
}

}  // namespace QMDM
