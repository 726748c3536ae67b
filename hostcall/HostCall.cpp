#include "hostcall/HostCall.h"

#include "hostcall/Error.h"

namespace ai {

namespace {

int32_t gDepth = 0;
SuiteSet gSuites;

}  // namespace

int32_t HostCallDepth() noexcept { return gDepth; }

SuiteSet& Suites() {
  if (gDepth == 0) ThrowBadParameter();
  return gSuites;
}

HostCallScope::HostCallScope(const SPBasicSuite* basic) noexcept {
  if (gDepth == 0) {
    gSuites.Rebind(basic);
    gSuites.TryAcquire(SuiteSet::Suite::UnicodeString);
    gSuites.TryAcquire(SuiteSet::Suite::Blocks);
  }
  ++gDepth;
}

HostCallScope::~HostCallScope() {
  if (--gDepth == 0) gSuites.Rebind(nullptr);
}

}  // namespace ai
