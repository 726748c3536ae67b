// Comparison of host string tokens.  Callers and selectors are compared by
// content through the host's basic suite, never by pointer or by the
// plug-in's own string functions.
#pragma once

#include "sdk/SPBasic.h"

namespace ai {

class Tokens {
 public:
  explicit Tokens(const SPBasicSuite& basic) noexcept : basic_(basic) {}
  // A missing token equals nothing.
  bool Is(const char* token, const char* name) const { return token && basic_.IsEqual(token, name); }

 private:
  const SPBasicSuite& basic_;
};

}  // namespace ai
