#include "plugin/HostCall.h"

#include "plugin/Error.h"

namespace ai {

namespace {

int32_t gDepth = 0;
SuiteSet gSuites;
const SPBasicSuite* gPluginBasic = nullptr;

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

const SPBasicSuite* PluginBasicSuite() noexcept { return gPluginBasic; }
void SetPluginBasicSuite(const SPBasicSuite* basic) noexcept { gPluginBasic = basic; }

}  // namespace ai
