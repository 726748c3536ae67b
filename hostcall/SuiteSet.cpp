#include "hostcall/SuiteSet.h"

#include "hostcall/Error.h"

#ifdef _WIN32
#include "hostcall/NativePlatform.h"
#endif

namespace ai {

namespace {

struct SuiteName {
  const char* name;
  int32_t version;
};

constexpr SuiteName kSuiteNames[] = {
#define CORVANE_SUITE_NAME(Type, Accessor, Name, Version) {Name, Version},
    CORVANE_SUITES(CORVANE_SUITE_NAME)
#undef CORVANE_SUITE_NAME
};
static_assert(std::size(kSuiteNames) == static_cast<size_t>(SuiteSet::Suite::Count));

const SuiteName& NameOf(SuiteSet::Suite suite) { return kSuiteNames[static_cast<size_t>(suite)]; }

}  // namespace

void SuiteSet::Rebind(const SPBasicSuite* basic) noexcept {
  ReleaseAll();
  basic_ = basic;
}

void SuiteSet::ReleaseAll() noexcept {
  for (size_t i = 0; i < slots_.size(); ++i) {
    Slot& slot = slots_[i];
    if (!slot.table) continue;
    const SuiteName& suite = kSuiteNames[i];
    // A failed release cannot be repaired from here; the slot is emptied
    // either way so that it is never released twice.  A table of the
    // module's own came through no host.
    if (slot.through) slot.through->ReleaseSuite(suite.name, suite.version);
    slot = Slot{};
  }
}

void SuiteSet::Abandon() noexcept {
  slots_.fill(Slot{});
  basic_ = nullptr;
}

bool SuiteSet::TryAcquire(Suite suite) noexcept {
  Slot& slot = slots_[static_cast<size_t>(suite)];
  if (slot.table) return true;
  if (!basic_) return false;
  const SuiteName& name = NameOf(suite);
  const void* table = nullptr;
  if (const SPErr failed = basic_->AcquireSuite(name.name, name.version, &table); failed != kNoErr) {
#ifdef _WIN32
    // The real host has no platform suite: the module makes those calls
    // itself.  Only a host that has none gets the module's own table; one
    // that refuses it for another reason keeps refusing, so that one host's
    // cursors never meet the other table.
    if (suite == Suite::Platform && failed == kSPSuiteNotFoundError) {
      slot = Slot{&NativePlatformSuite(), nullptr};
      return true;
    }
#endif
    return false;
  }
  if (!table) {
    // Acquired but unusable: give it back so the host's count stays balanced.
    basic_->ReleaseSuite(name.name, name.version);
    return false;
  }
  slot = Slot{table, basic_};
  return true;
}

bool SuiteSet::Holds(Suite suite) const noexcept { return slots_[static_cast<size_t>(suite)].table != nullptr; }

const void* SuiteSet::Get(Suite suite) {
  if (!TryAcquire(suite)) ThrowBadParameter();
  return slots_[static_cast<size_t>(suite)].table;
}

}  // namespace ai
