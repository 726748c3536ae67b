// The host call depth and the process-wide suite set.
//
// Every entry from the host (PIMain, and the dialog layer's callbacks that
// arrive outside a message) runs inside a HostCallScope.  The outermost scope
// builds the process-wide SuiteSet on its basic suite; nested scopes share it;
// when the depth returns to 0 every suite acquired into it is released.  One
// thread only: the depth is a plain integer.
//
// The depth and the set are the module's only state outside its session
// (ModuleSession.h): they belong to the call in progress, not to a host
// session, and a session is forgotten from inside a call.
#pragma once

#include <cstdint>

#include "hostcall/ModuleSession.h"
#include "hostcall/SuiteSet.h"

namespace ai {

// PIMain calls (and other host entries) in progress; 0 between calls.
int32_t HostCallDepth() noexcept;

// The process-wide set of the current host call.  Throws Error('PARM') when no
// host call is in progress: code running outside one makes a local SuiteSet.
SuiteSet& Suites();

class HostCallScope {
 public:
  // At depth 0 the set is rebuilt on basic, with the Unicode string and block
  // memory suites acquired at once; a suite the host refuses here is tried
  // again, and reported, on first use.
  explicit HostCallScope(const SPBasicSuite* basic) noexcept;
  ~HostCallScope();
  HostCallScope(const HostCallScope&) = delete;
  HostCallScope& operator=(const HostCallScope&) = delete;
};

}  // namespace ai
