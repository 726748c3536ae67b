// "AI Runtime Suite", "AI MdMemory Suite", "AI Context Suite", "AI User
// Suite" and "AI Transform Again Suite": what the host reports about itself
// and the small per-session tables plug-ins keep with it.
#include "host/core/SuiteCall.h"
#include "host/runtime/AppState.h"
#include "host/runtime/Suites.h"

namespace host::runtime {
namespace {

constexpr const char* kAppName = "Corvane Stand-in Host";

// --- AI Runtime Suite

AIErr GetAppName(const char** name) {
  return SuiteCall(kAIRuntimeSuite, "GetAppName", [&] {
    *Required(name, "name") = kAppName;
    return kNoErr;
  });
}

AIErr GetAppVersion(int32_t* major, int32_t* minor, int32_t* revision) {
  return SuiteCall(kAIRuntimeSuite, "GetAppVersion", [&] {
    AppState& app = App();
    *Required(major, "major") = app.appMajor;
    *Required(minor, "minor") = app.appMinor;
    if (revision) *revision = app.appRevision;
    return kNoErr;
  });
}

const AIRuntimeSuite kRuntime = {GetAppName, GetAppVersion};

// --- AI MdMemory Suite: relocatable memory that is pinned while locked.

AIErr MdMemoryNewHandle(size_t size, AIMdMemoryHandle* handle) {
  return SuiteCall(kAIMdMemorySuite, "MdMemoryNewHandle", [&] {
    *Required(handle, "handle") = nullptr;
    *handle = App().mdMemory.Add(MdMemoryBlock{std::vector<uint8_t>(size), 0});
    return kNoErr;
  });
}

AIErr MdMemoryDisposeHandle(AIMdMemoryHandle handle) {
  return SuiteCall(kAIMdMemorySuite, "MdMemoryDisposeHandle", [&] {
    AppState& app = App();
    // Freeing locked memory would leave the locker with a dangling pointer.
    if (app.mdMemory.Get(handle, "memory").locks > 0) throw HostError(kBadParameterErr, "memory is still locked");
    app.mdMemory.Remove(handle);
    return kNoErr;
  });
}

AIErr MdMemoryGetSize(AIMdMemoryHandle handle, size_t* size) {
  return SuiteCall(kAIMdMemorySuite, "MdMemoryGetSize", [&] {
    *Required(size, "size") = App().mdMemory.Get(handle, "memory").data.size();
    return kNoErr;
  });
}

AIErr MdMemoryLock(AIMdMemoryHandle handle, void** data) {
  return SuiteCall(kAIMdMemorySuite, "MdMemoryLock", [&] {
    MdMemoryBlock& block = App().mdMemory.Get(handle, "memory");
    *Required(data, "data") = block.data.data();
    ++block.locks;
    return kNoErr;
  });
}

AIErr MdMemoryUnLock(AIMdMemoryHandle handle) {
  return SuiteCall(kAIMdMemorySuite, "MdMemoryUnLock", [&] {
    MdMemoryBlock& block = App().mdMemory.Get(handle, "memory");
    if (block.locks <= 0) throw HostError(kBadParameterErr, "memory is not locked");
    --block.locks;
    return kNoErr;
  });
}

const AIMdMemorySuite kMdMemory = {MdMemoryNewHandle, MdMemoryDisposeHandle, MdMemoryGetSize, MdMemoryLock,
                                   MdMemoryUnLock};

// --- AI Context Suite: contexts are pushed and popped in stack order.

AIErr GetPlatformAppWindow(AIWindowRef* window) {
  return SuiteCall(kAIContextSuite, "GetPlatformAppWindow", [&] {
    *Required(window, "window") = reinterpret_cast<AIWindowRef>(&App().appWindowToken);
    return kNoErr;
  });
}

AIErr PushAppContext(SPPluginRef plugin, AIAppContextHandle* context) {
  return SuiteCall(kAIContextSuite, "PushAppContext", [&] {
    *Required(context, "context") = nullptr;
    RequirePlugin(plugin);
    AppState& app = App();
    const AIAppContextHandle handle = app.contexts.Add(plugin);
    app.contextStack.push_back(handle);
    *context = handle;
    return kNoErr;
  });
}

AIErr PopAppContext(AIAppContextHandle context) {
  return SuiteCall(kAIContextSuite, "PopAppContext", [&] {
    AppState& app = App();
    if (app.contextStack.empty() || app.contextStack.back() != context)
      throw HostError(kBadParameterErr, "not the innermost application context");
    app.contextStack.pop_back();
    app.contexts.Remove(context);
    return kNoErr;
  });
}

const AIContextSuite kContext = {GetPlatformAppWindow, PushAppContext, PopAppContext};

// --- AI User Suite

AIErr AcquirePluginHandle(SPPluginRef plugin, AIPluginUserHandle* handle) {
  return SuiteCall(kAIUserSuite, "AcquirePluginHandle", [&] {
    *Required(handle, "handle") = nullptr;
    RequirePlugin(plugin);
    *handle = App().userHandles.Add(plugin);
    return kNoErr;
  });
}

AIErr ReleasePluginHandle(AIPluginUserHandle handle) {
  return SuiteCall(kAIUserSuite, "ReleasePluginHandle", [&] {
    AppState& app = App();
    app.userHandles.Get(handle, "plug-in user");
    app.userHandles.Remove(handle);
    return kNoErr;
  });
}

const AIUserSuite kUser = {AcquirePluginHandle, ReleasePluginHandle};

// --- AI Transform Again Suite: the last plug-in to ask gets the command.

AIErr SetTransformAgain(SPPluginRef plugin) {
  return SuiteCall(kAITransformAgainSuite, "SetTransformAgain", [&] {
    RequirePlugin(plugin);
    App().transformAgainPlugin = plugin;
    return kNoErr;
  });
}

const AITransformAgainSuite kTransformAgain = {SetTransformAgain};

}  // namespace

void AddSessionSuites(SuiteRegistry& registry) {
  registry.Add(kAIRuntimeSuite, kAIRuntimeSuiteVersion, &kRuntime);
  registry.Add(kAIMdMemorySuite, kAIMdMemorySuiteVersion, &kMdMemory);
  registry.Add(kAIContextSuite, kAIContextSuiteVersion, &kContext);
  registry.Add(kAIUserSuite, kAIUserSuiteVersion, &kUser);
  registry.Add(kAITransformAgainSuite, kAITransformAgainSuiteVersion, &kTransformAgain);
}

}  // namespace host::runtime
