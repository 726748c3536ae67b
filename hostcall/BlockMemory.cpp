#include "hostcall/BlockMemory.h"

#include <new>

#include "hostcall/HostCall.h"

namespace ai {

namespace {

// Null when neither a host call is in progress nor a basic suite is stored.
const SPBlocksSuite* BlocksFrom(SuiteSet& suites) noexcept {
  if (!suites.TryAcquire(SuiteSet::Suite::Blocks)) return nullptr;
  return &suites.Blocks();
}

template <class Work>
auto WithBlocks(Work&& work) {
  if (HostCallDepth() > 0) return work(BlocksFrom(Suites()));
  SuiteSet local(PluginBasicSuite());
  return work(BlocksFrom(local));
}

}  // namespace

void* AllocateBlock(std::size_t size, const char* debugName) {
  void* block = WithBlocks([&](const SPBlocksSuite* blocks) -> void* {
    void* result = nullptr;
    if (!blocks || blocks->AllocateBlock(size, debugName, &result) != kNoErr) return nullptr;
    return result;
  });
  if (!block) throw std::bad_alloc();
  return block;
}

void FreeBlock(void* block) noexcept {
  if (!block) return;
  WithBlocks([&](const SPBlocksSuite* blocks) {
    if (blocks) blocks->FreeBlock(block);
  });
}

}  // namespace ai
