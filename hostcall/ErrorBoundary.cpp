#include "hostcall/ErrorBoundary.h"

#include <exception>
#include <new>

#include "hostcall/Error.h"

namespace ai {

SPErr CodeOfCurrentException() noexcept {
  try {
    throw;
  } catch (const Error& e) {
    // An error that carries no code must still be reported as a failure.
    return e.code() != kNoErr ? e.code() : kBadParameterErr;
  } catch (const std::bad_alloc&) {
    return kOutOfMemoryErr;
  } catch (...) {
    return kBadParameterErr;
  }
}

}  // namespace ai
