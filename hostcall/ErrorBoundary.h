// The one place where failures become host error codes.
//
//   ai::Error          -> the code it carries
//   std::bad_alloc     -> '!MEM'
//   anything else      -> 'PARM'
//
// Nothing is shown or logged: the host decides what to do with the code.
#pragma once

#include "sdk/SPTypes.h"

namespace ai {

// The code for the exception being handled; call only inside a catch block.
SPErr CodeOfCurrentException() noexcept;

// Runs work and returns 0, or the code of whatever it threw.
template <class Work>
SPErr RunGuarded(Work&& work) noexcept {
  try {
    work();
    return kNoErr;
  } catch (...) {
    return CodeOfCurrentException();
  }
}

}  // namespace ai
