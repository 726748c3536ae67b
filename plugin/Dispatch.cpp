#include "plugin/Dispatch.h"

#include "QMDM/ImplCommon/QMDMLayer.h"
#include "plugin/Error.h"
#include "plugin/FirstFailure.h"
#include "plugin/HostCall.h"
#include "plugin/Lifecycle.h"
#include "plugin/PluginGlobals.h"
#include "plugin/Routing.h"
#include "plugin/Tokens.h"
#include "sdk/AIMessages.h"

namespace plugin {

namespace {

// Both the plug-in and its dialog layer keep this basic suite until "Unload".
void AcquireBasicSuite(const SPBasicSuite& hostBasic) {
  if (ai::PluginBasicSuite()) return;
  const void* table = nullptr;
  if (hostBasic.AcquireSuite(kSPBasicSuite, kSPBasicSuiteVersion, &table) != kNoErr || !table)
    ai::ThrowBadParameter();
  const auto* basic = static_cast<const SPBasicSuite*>(table);
  ai::SetPluginBasicSuite(basic);
  QMDM::SetLayerBasicSuite(basic);
}

void ReleaseBasicSuite() {
  const SPBasicSuite* basic = ai::PluginBasicSuite();
  ai::SetPluginBasicSuite(nullptr);
  QMDM::SetLayerBasicSuite(nullptr);
  if (basic) ai::Check(basic->ReleaseSuite(kSPBasicSuite, kSPBasicSuiteVersion));
}

// A "Reload" that brings no plug-in object back begins a new host session.
// Whatever an earlier session left behind (its host went away without the
// matching releases, and the module stayed mapped) names that host's objects,
// so it is dropped without calling anyone.
void ForgetLeftovers() noexcept {
  ForgetEarlierSession();
  QMDM::Forget();
  ai::SetPluginBasicSuite(nullptr);
  QMDM::SetLayerBasicSuite(nullptr);
}

void Reload(SPMessageData& message) {
  if (!message.globals) ForgetLeftovers();
  AcquireBasicSuite(*message.basic);
  ReloadPlugin(message);
}

void Unload(SPMessageData& message) {
  FirstFailure failure;
  failure.Run(ReleaseBasicSuite);
  // Without a plug-in object to keep (start-up failed before making it, or
  // it never ran) nothing will stop the dialog layer later: stop it now so
  // that its suites and references go back to the host that unloads it.
  if (!CurrentGlobals()) failure.Run(QMDM::Stop);
  failure.Run([&] { UnloadPlugin(message); });
  failure.Rethrow();
}

void HandleAccess(const Tokens& tokens, const char* selector, SPMessageData& message) {
  if (tokens.Is(selector, kSPAccessReloadSelector))
    Reload(message);
  else if (tokens.Is(selector, kSPAccessUnloadSelector))
    Unload(message);
}

void HandleInterface(const Tokens& tokens, const char* selector, SPMessageData& message) {
  if (tokens.Is(selector, kSPInterfaceStartupSelector)) {
    QMDM::Start(message.self);
    StartPlugin(message);
  } else if (tokens.Is(selector, kSPInterfaceShutdownSelector)) {
    FirstFailure failure;
    failure.Run([&] { StopPlugin(message); });
    failure.Run(QMDM::Stop);
    failure.Rethrow();
  }
}

template <class Record>
Record& As(SPMessageData& message) {
  return reinterpret_cast<Record&>(message);
}

}  // namespace

void Dispatch(const char* caller, const char* selector, SPMessageData& message) {
  const Tokens tokens(*message.basic);
  if (tokens.Is(caller, kSPAccessCaller)) {
    HandleAccess(tokens, selector, message);
  } else if (tokens.Is(caller, kSPInterfaceCaller)) {
    HandleInterface(tokens, selector, message);
  } else if (tokens.Is(caller, kCallerAITool)) {
    RouteToolMessage(tokens, selector, As<AIToolMessage>(message));
  } else if (tokens.Is(caller, kCallerAIAnnotation)) {
    RouteAnnotationMessage(tokens, selector, As<AIAnnotatorMessage>(message));
  } else if (tokens.Is(caller, kCallerAINotify)) {
    if (tokens.Is(selector, kSelectorAINotify)) RouteNotification(As<AINotifierMessage>(message));
  } else if (tokens.Is(caller, kCallerAIMenu)) {
    RouteMenuMessage(tokens, selector, As<AIMenuMessage>(message));
  } else if (tokens.Is(caller, kCallerAITransformAgain)) {
    PluginGlobals* globals = CurrentGlobals();
    if (globals && tokens.Is(selector, kSelectorAITransformAgainGo)) TransformAgain(globals->transformAgain);
  }
}

}  // namespace plugin
