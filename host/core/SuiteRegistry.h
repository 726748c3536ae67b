// The suites a host offers, by name and version, with acquisition counts so
// that a test can assert that nothing stays acquired after a message.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "sdk/SPTypes.h"

namespace host {

class FaultInjector;

class SuiteRegistry {
 public:
  explicit SuiteRegistry(FaultInjector& faults) : faults_(faults) {}

  // table must stay valid for the registry's life.  Adding the same name and
  // version twice replaces the table.
  void Add(std::string name, int32_t version, const void* table);
  bool Has(std::string_view name, int32_t version) const;

  // Unknown name or version: kSPSuiteNotFoundError and *suite = nullptr.
  // A planned failure of (name, "AcquireSuite") is returned likewise.
  AIErr Acquire(const char* name, int32_t version, const void** suite);
  // Releasing more often than acquired: kBadParameterErr.
  AIErr Release(const char* name, int32_t version);

  // Acquisitions not yet released, of every suite or of one.
  int Outstanding() const;
  int Outstanding(std::string_view name) const;
  // Successful acquisitions of a suite since the start.
  int AcquireCount(std::string_view name) const;

 private:
  struct Entry {
    const void* table = nullptr;
    int held = 0;
    int acquired = 0;
  };
  using Key = std::pair<std::string, int32_t>;
  FaultInjector& faults_;
  std::map<Key, Entry, std::less<>> suites_;
};

}  // namespace host
