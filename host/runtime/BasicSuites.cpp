// "SP Basic Suite", "SP Blocks Suite" and "SP Access Suite".
#include <cstdlib>
#include <cstring>

#include "host/core/SuiteCall.h"
#include "host/runtime/AppState.h"
#include "host/runtime/Suites.h"

namespace host::runtime {
namespace {

// A zero-byte request still gets a distinct block, so that a plug-in can
// free what it was given.
std::size_t NonZero(std::size_t size) { return size == 0 ? 1 : size; }

void* Allocate(std::size_t size) {
  void* block = std::malloc(NonZero(size));
  if (!block) throw HostError(kOutOfMemoryErr, "out of memory");
  App().blocks[block] = size;
  return block;
}

void Free(void* block) {
  if (!block) return;
  auto& blocks = App().blocks;
  auto it = blocks.find(block);
  // Freeing a pointer the host did not hand out would corrupt the heap.
  if (it == blocks.end()) throw HostError(kBadParameterErr, "not a block of the host");
  blocks.erase(it);
  std::free(block);
}

// A failed reallocation leaves the old block as it was, like realloc.
void* Reallocate(void* block, std::size_t size) {
  if (!block) return Allocate(size);
  auto& blocks = App().blocks;
  auto it = blocks.find(block);
  if (it == blocks.end()) throw HostError(kBadParameterErr, "not a block of the host");
  if (AIErr planned = ActiveFaults().Check(FaultInjector::kBlocksSuite, FaultInjector::kAllocateFunction))
    throw HostError(planned, "allocation failed");
  void* moved = std::realloc(block, NonZero(size));
  if (!moved) throw HostError(kOutOfMemoryErr, "out of memory");
  blocks.erase(it);
  blocks[moved] = size;
  return moved;
}

// --- SP Basic Suite

// The registry checks a planned failure of (name, "AcquireSuite") itself, so
// this boundary only turns exceptions into codes; checking here as well would
// count every acquisition twice.
SPErr AcquireSuite(const char* name, int32_t version, const void** suite) noexcept {
  try {
    return App().registry->Acquire(name, version, suite);
  } catch (const HostError& e) {
    return e.code();
  } catch (const std::bad_alloc&) {
    return kOutOfMemoryErr;
  } catch (...) {
    return kBadParameterErr;
  }
}

SPErr ReleaseSuite(const char* name, int32_t version) {
  return SuiteCall(kSPBasicSuite, "ReleaseSuite", [&] { return App().registry->Release(name, version); });
}

SPBoolean IsEqual(const char* a, const char* b) noexcept {
  if (!a || !b) return a == b;
  return std::strcmp(a, b) == 0;
}

// Allocations through the basic suite are the same blocks as through the
// blocks suite, and fail under the same planned fault.
// On every failure, planned ones included, the caller gets no block.
SPErr BasicAllocateBlock(size_t size, void** block) {
  if (block) *block = nullptr;
  return SuiteCall(FaultInjector::kBlocksSuite, FaultInjector::kAllocateFunction, [&] {
    *Required(block, "block") = Allocate(size);
    return kNoErr;
  });
}

SPErr BasicFreeBlock(void* block) {
  return SuiteCall(kSPBasicSuite, "FreeBlock", [&] {
    Free(block);
    return kNoErr;
  });
}

SPErr BasicReallocateBlock(void* block, size_t size, void** moved) {
  return SuiteCall(kSPBasicSuite, "ReallocateBlock", [&] {
    Required(moved, "new block");
    *moved = Reallocate(block, size);
    return kNoErr;
  });
}

SPErr Undefined() {
  return SuiteCall(kSPBasicSuite, "Undefined", [] { return kNotImplementedErr; });
}

const SPBasicSuite kBasic = {AcquireSuite, ReleaseSuite, IsEqual, BasicAllocateBlock,
                             BasicFreeBlock, BasicReallocateBlock, Undefined};

// --- SP Blocks Suite

SPErr AllocateBlock(size_t size, const char*, void** block) {
  if (block) *block = nullptr;
  return SuiteCall(kSPBlocksSuite, FaultInjector::kAllocateFunction, [&] {
    *Required(block, "block") = Allocate(size);
    return kNoErr;
  });
}

SPErr FreeBlock(void* block) {
  return SuiteCall(kSPBlocksSuite, "FreeBlock", [&] {
    Free(block);
    return kNoErr;
  });
}

SPErr ReallocateBlock(void* block, size_t size, const char*, void** moved) {
  return SuiteCall(kSPBlocksSuite, "ReallocateBlock", [&] {
    Required(moved, "new block");
    *moved = Reallocate(block, size);
    return kNoErr;
  });
}

const SPBlocksSuite kBlocks = {AllocateBlock, FreeBlock, ReallocateBlock};

// --- SP Access Suite: one reference per loaded plug-in, counted.

SPErr AcquirePluginAccess(SPPluginRef plugin, SPAccessRef* access) {
  return SuiteCall(kSPAccessSuite, "AcquirePluginAccess", [&] {
    *Required(access, "access") = nullptr;
    RequirePlugin(plugin);
    ++App().accessRefs;
    *access = reinterpret_cast<SPAccessRef>(plugin);
    return kNoErr;
  });
}

SPErr ReleasePluginAccess(SPAccessRef access) {
  return SuiteCall(kSPAccessSuite, "ReleasePluginAccess", [&] {
    AppState& app = App();
    RequirePlugin(reinterpret_cast<SPPluginRef>(access));
    if (app.accessRefs <= 0) throw HostError(kBadParameterErr, "access released more often than acquired");
    --app.accessRefs;
    return kNoErr;
  });
}

SPErr GetPluginModule(SPPluginRef plugin, SPModuleHandle* module) {
  return SuiteCall(kSPAccessSuite, "GetPluginModule", [&] {
    *Required(module, "module") = nullptr;
    RequirePlugin(plugin);
    *module = App().module;
    return kNoErr;
  });
}

const SPAccessSuite kAccess = {AcquirePluginAccess, ReleasePluginAccess, GetPluginModule};

}  // namespace

const SPBasicSuite& BasicSuite() { return kBasic; }

void AddBasicSuites(SuiteRegistry& registry) {
  registry.Add(kSPBasicSuite, kSPBasicSuiteVersion, &kBasic);
  registry.Add(kSPBlocksSuite, kSPBlocksSuiteVersion, &kBlocks);
  registry.Add(kSPAccessSuite, kSPAccessSuiteVersion, &kAccess);
}

}  // namespace host::runtime
