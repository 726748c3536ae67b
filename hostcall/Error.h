// The plug-in's one exception type and the check that turns host results into it.
//
// Every host call whose result is not tolerated goes through Check at the call
// site; PIMain's boundary (ErrorBoundary.h) turns the exception back into the
// code it carries.
#pragma once

#include <cstdint>
#include <exception>

#include "sdk/SPTypes.h"

namespace ai {

class Error : public std::exception {
 public:
  // code: a host error code, four characters packed big-endian ('PARM', '!MEM').
  explicit Error(SPErr code) noexcept;
  SPErr code() const noexcept { return code_; }
  // "ai::Error 'PARM'", or the code in hex when it has unprintable bytes.
  const char* what() const noexcept override { return text_; }

 private:
  SPErr code_;
  // Fixed storage so that building the error never allocates (it is thrown
  // on memory exhaustion paths too).
  char text_[32];
};

// Throws Error(result) when result is non-zero.
inline void Check(SPErr result) {
  if (result != kNoErr) throw Error(result);
}

// Bad parameters, missing suites, use of the suite set outside a host call.
[[noreturn]] inline void ThrowBadParameter() { throw Error(kBadParameterErr); }

}  // namespace ai
