// The host's one exception type.  Suite functions catch it at their C
// boundary and return its code; host-side callers (the command-line host,
// tests) see it with a message that names what failed.
#pragma once

#include <stdexcept>
#include <string>

#include "sdk/SPTypes.h"

namespace host {

class HostError : public std::runtime_error {
 public:
  HostError(AIErr code, const std::string& what) : std::runtime_error(what), code_(code) {}
  AIErr code() const noexcept { return code_; }

 private:
  AIErr code_;
};

// "PARM", "!MEM", or the number when the code has unprintable bytes.
std::string FourCC(AIErr code);

}  // namespace host
