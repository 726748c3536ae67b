// Lazily acquired host suites.
//
// A SuiteSet has one slot per suite of SuiteList.h.  An accessor acquires its
// suite through the set's basic suite on first use and keeps it until the set
// releases everything (ReleaseAll or the destructor); each slot remembers the
// basic suite it came through, so it is released where it was acquired.
//
// The process-wide set lives for the length of one outermost host call
// (HostCall.h).  Code that runs outside a host call makes a local SuiteSet on
// the stored basic suite and lets it go out of scope when its work is done.
#pragma once

#include <array>

#include "hostcall/SuiteList.h"

namespace ai {

class SuiteSet {
 public:
  enum class Suite {
#define CORVANE_SUITE_ENUM(Type, Accessor, Name, Version) Accessor,
    CORVANE_SUITES(CORVANE_SUITE_ENUM)
#undef CORVANE_SUITE_ENUM
        Count
  };

  // basic may be null: every accessor then throws Error('PARM').
  explicit SuiteSet(const SPBasicSuite* basic = nullptr) noexcept : basic_(basic) {}
  ~SuiteSet() { ReleaseAll(); }
  SuiteSet(const SuiteSet&) = delete;
  SuiteSet& operator=(const SuiteSet&) = delete;

  // Releases whatever the set holds and acquires future suites through basic.
  void Rebind(const SPBasicSuite* basic) noexcept;
  // Releases every acquired suite with the name and version it was acquired
  // with, through the basic suite it came through, and empties the slots.
  void ReleaseAll() noexcept;
  // Empties the slots without releasing anything, for suites of a host
  // session that has ended: the host they came from no longer counts them.
  void Abandon() noexcept;

  // Acquires now if the slot is empty; false (and an empty slot) when the host
  // cannot provide the suite.  Never throws.
  bool TryAcquire(Suite suite) noexcept;
  bool Holds(Suite suite) const noexcept;
  const SPBasicSuite* basic() const noexcept { return basic_; }

  // One accessor per suite: the table, acquired on first use; throws
  // Error('PARM') when it cannot be acquired.
#define CORVANE_SUITE_ACCESSOR(Type, Accessor, Name, Version) \
  const Type& Accessor() { return *static_cast<const Type*>(Get(Suite::Accessor)); }
  CORVANE_SUITES(CORVANE_SUITE_ACCESSOR)
#undef CORVANE_SUITE_ACCESSOR

 private:
  struct Slot {
    const void* table = nullptr;
    const SPBasicSuite* through = nullptr;
  };

  const void* Get(Suite suite);

  const SPBasicSuite* basic_;
  std::array<Slot, static_cast<size_t>(Suite::Count)> slots_{};
};

}  // namespace ai
