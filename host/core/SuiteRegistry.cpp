#include "host/core/SuiteRegistry.h"

#include "host/core/FaultInjector.h"

namespace host {

void SuiteRegistry::Add(std::string name, int32_t version, const void* table) {
  suites_[{std::move(name), version}].table = table;
}

bool SuiteRegistry::Has(std::string_view name, int32_t version) const {
  return suites_.find(Key{std::string(name), version}) != suites_.end();
}

AIErr SuiteRegistry::Acquire(const char* name, int32_t version, const void** suite) {
  if (!suite) return kBadParameterErr;
  *suite = nullptr;
  if (!name) return kBadParameterErr;
  if (AIErr planned = faults_.Check(name, FaultInjector::kAcquireFunction)) return planned;
  auto it = suites_.find(Key{std::string(name), version});
  if (it == suites_.end()) return kSPSuiteNotFoundError;
  ++it->second.held;
  ++it->second.acquired;
  *suite = it->second.table;
  return kNoErr;
}

AIErr SuiteRegistry::Release(const char* name, int32_t version) {
  if (!name) return kBadParameterErr;
  auto it = suites_.find(Key{std::string(name), version});
  if (it == suites_.end()) return kSPSuiteNotFoundError;
  if (it->second.held <= 0) return kBadParameterErr;
  --it->second.held;
  return kNoErr;
}

int SuiteRegistry::Outstanding() const {
  int total = 0;
  for (const auto& [key, entry] : suites_) total += entry.held;
  return total;
}

int SuiteRegistry::Outstanding(std::string_view name) const {
  int total = 0;
  for (const auto& [key, entry] : suites_)
    if (key.first == name) total += entry.held;
  return total;
}

int SuiteRegistry::AcquireCount(std::string_view name) const {
  int total = 0;
  for (const auto& [key, entry] : suites_)
    if (key.first == name) total += entry.acquired;
  return total;
}

}  // namespace host
