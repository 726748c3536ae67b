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

#include <chrono>
#include <cstdint>
#include <exception>
#include <new>

#include "host/core/FaultInjector.h"
#include "host/core/HostError.h"
#include "sdk/SPTypes.h"

namespace host {

// The injector of the host that is running; one host per process at a time.
FaultInjector& ActiveFaults();
void SetActiveFaults(FaultInjector* faults);

// Wall time spent inside the module's entry and inside suite functions, so
// that a benchmark can tell the plug-in's own share of a message (the first
// less the second) from the host's.  Off unless a benchmark turns it on.  A
// call made from inside another of its kind (a nested message, a suite call
// made while the host calls the plug-in back) counts once, as part of the
// outer one.
struct SuiteTime {
  struct Span {
    int depth = 0;
    int64_t calls = 0;
    std::chrono::nanoseconds inside{0};
  };
  bool on = false;
  Span suites;  // suite functions
  Span module;  // the module's entry
};
// Constant-initialised and inline: every suite call reaches it, so it costs
// no call and no guard.
inline SuiteTime& HostSuiteTime() {
  static constinit SuiteTime time;
  return time;
}

// Times one outermost call of a span while SuiteTime is on.
class SpanTimer {
 public:
  explicit SpanTimer(SuiteTime::Span SuiteTime::*span) noexcept
      : span_(HostSuiteTime().*span), timing_(HostSuiteTime().on && span_.depth == 0) {
    ++span_.depth;
    if (timing_) start_ = std::chrono::steady_clock::now();
  }
  ~SpanTimer() {
    --span_.depth;
    if (!timing_) return;
    span_.inside += std::chrono::steady_clock::now() - start_;
    ++span_.calls;
  }
  SpanTimer(const SpanTimer&) = delete;
  SpanTimer& operator=(const SpanTimer&) = delete;

 private:
  SuiteTime::Span& span_;
  bool timing_;
  std::chrono::steady_clock::time_point start_{};
};

template <class Body>
AIErr SuiteCall(const char* suite, const char* function, Body&& body) noexcept {
  SpanTimer timer(&SuiteTime::suites);
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
