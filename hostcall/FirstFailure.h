// Runs every step of a teardown even when an earlier one fails, and then
// reports the first failure: a failed host call must not leave objects
// undestroyed or references held.
#pragma once

#include <exception>

namespace ai {

class FirstFailure {
 public:
  template <class Step>
  void Run(Step&& step) noexcept {
    try {
      step();
    } catch (...) {
      if (!first_) first_ = std::current_exception();
    }
  }
  void Rethrow() const {
    if (first_) std::rethrow_exception(first_);
  }

 private:
  std::exception_ptr first_;
};

}  // namespace ai
