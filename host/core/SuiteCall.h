// The C boundary of every host suite function.
//
// A suite function is written as
//   AIErr AIAPI GetArtType(AIArtHandle art, int16_t* type) {
//     return host::SuiteCall(kAIArtSuite, "GetArtType", [&] { ...; return kNoErr; });
//   }
// SuiteCall first asks the fault injector, then runs the body; exceptions never
// cross into the plug-in: HostError becomes its code, std::bad_alloc '!MEM',
// anything else 'PARM'.
#pragma once

#include <exception>
#include <new>

#include "host/core/FaultInjector.h"
#include "host/core/HostError.h"
#include "sdk/SPTypes.h"

namespace host {

// The injector of the host that is running; one host per process at a time.
FaultInjector& ActiveFaults();
void SetActiveFaults(FaultInjector* faults);

template <class Body>
AIErr SuiteCall(const char* suite, const char* function, Body&& body) noexcept {
  try {
    if (AIErr planned = ActiveFaults().Check(suite, function)) return planned;
    return body();
  } catch (const HostError& e) {
    return e.code();
  } catch (const std::bad_alloc&) {
    return kOutOfMemoryErr;
  } catch (...) {
    return kBadParameterErr;
  }
}

}  // namespace host
