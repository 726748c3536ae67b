#include "host/core/FaultInjector.h"

#include "host/core/SuiteCall.h"

namespace host {

void FaultInjector::Fail(std::string suite, std::string function, AIErr code, int nth) {
  plans_[{std::move(suite), std::move(function)}] = Plan{code, nth <= 0 ? -1 : nth - 1};
}

void FaultInjector::OnCall(std::string suite, std::string function, std::function<void()> action) {
  actions_[{std::move(suite), std::move(function)}] = std::move(action);
}

void FaultInjector::Clear() {
  plans_.clear();
  actions_.clear();
}

AIErr FaultInjector::Check(std::string_view suite, std::string_view function) {
  Key key{std::string(suite), std::string(function)};
  ++calls_[key];
  if (recording_) log_.push_back({key.first, key.second});
  if (auto action = actions_.find(key); action != actions_.end()) {
    // Copied: the action may call Clear or OnCall itself.
    const std::function<void()> run = action->second;
    run();
  }
  auto it = plans_.find(key);
  if (it == plans_.end()) return kNoErr;
  Plan& plan = it->second;
  if (plan.remaining < 0) {
    ++injected_;
    return plan.code;
  }
  if (plan.remaining > 0) {
    --plan.remaining;
    return kNoErr;
  }
  const AIErr code = plan.code;
  plans_.erase(it);  // a planned Nth-call failure happens once
  ++injected_;
  return code;
}

int FaultInjector::CallCount(std::string_view suite, std::string_view function) const {
  auto it = calls_.find(Key{std::string(suite), std::string(function)});
  return it == calls_.end() ? 0 : it->second;
}

namespace {
FaultInjector* g_active = nullptr;
FaultInjector& Fallback() {
  static FaultInjector none;  // used when no host is running: plans nothing
  return none;
}
}  // namespace

FaultInjector& ActiveFaults() { return g_active ? *g_active : Fallback(); }
void SetActiveFaults(FaultInjector* faults) { g_active = faults; }

}  // namespace host
