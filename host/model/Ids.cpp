#include "host/model/Ids.h"

#include <atomic>

namespace host::model {

uint64_t NewId() {
  static std::atomic<uint64_t> next{1};  // 0 is kNoId
  return next.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace host::model
