// Makes chosen suite calls fail, so that every failure path of a plug-in can
// be reached from a test or a script.
//
// Every suite function of the host calls Check(suite, function) on entry and
// returns the code it gets when that is non-zero, before doing anything.
// Acquiring a suite is checked as function "AcquireSuite" of the suite being
// acquired; block allocations as suite "SP Blocks Suite", function
// "AllocateBlock" (also when they come through the basic suite).
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sdk/SPTypes.h"

namespace host {

class FaultInjector {
 public:
  static constexpr const char* kAcquireFunction = "AcquireSuite";
  static constexpr const char* kBlocksSuite = "SP Blocks Suite";
  static constexpr const char* kAllocateFunction = "AllocateBlock";

  // The nth call (1 = the next one) of suite/function from now fails with
  // code; nth = 0 makes every call fail until Clear.
  void Fail(std::string suite, std::string function, AIErr code, int nth = 0);
  // Shorthand for the block allocations.
  void FailAllocation(int nth = 0) { Fail(kBlocksSuite, kAllocateFunction, kOutOfMemoryErr, nth); }
  // Runs action whenever suite/function is called, before the planned
  // failure check and the function's own work.  Tests use it to make the host
  // call the plug-in again from inside a suite call (a nested message).
  void OnCall(std::string suite, std::string function, std::function<void()> action);
  // Removes every planned failure and call action (call counts are kept).
  void Clear();

  // Counts the call and returns the planned code, or 0.
  AIErr Check(std::string_view suite, std::string_view function);

  // Calls of suite/function seen so far (failed ones included).
  int CallCount(std::string_view suite, std::string_view function) const;
  // Failures handed out so far.
  int FailuresInjected() const { return injected_; }

  // One checked call: the suite and function, as the host names them.
  struct Call {
    std::string suite, function;
    friend bool operator==(const Call&, const Call&) = default;
  };
  // Starts (afresh) or stops keeping every checked call in order, so that a
  // run can be replayed with each of its calls failed in turn.
  void RecordCalls(bool on) {
    recording_ = on;
    if (on) log_.clear();
  }
  // The calls kept since recording started, in the order they were made.
  const std::vector<Call>& RecordedCalls() const { return log_; }

 private:
  struct Plan {
    AIErr code = 0;
    int remaining = 0;  // calls still to pass before the failing one; -1 = always
  };
  using Key = std::pair<std::string, std::string>;
  std::map<Key, Plan, std::less<>> plans_;
  std::map<Key, std::function<void()>, std::less<>> actions_;
  std::map<Key, int, std::less<>> calls_;
  int injected_ = 0;
  bool recording_ = false;
  std::vector<Call> log_;
};

}  // namespace host
