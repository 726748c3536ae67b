#include "plugin/Dispatch.h"

#include "QMDM/ImplCommon/QMDMLayer.h"
#include "hostcall/Error.h"
#include "hostcall/FirstFailure.h"
#include "hostcall/HostCall.h"
#include "hostcall/ModuleSession.h"
#include "hostcall/Tokens.h"
#include "plugin/Lifecycle.h"
#include "plugin/PluginGlobals.h"
#include "plugin/Routing.h"
#include "sdk/AIMessages.h"
#include "tools/framework/Cursors.h"

namespace plugin {

namespace {

using ai::FirstFailure;
using ai::Tokens;

// Both the plug-in and its dialog layer keep this basic suite until "Unload".
void AcquireBasicSuite(const SPBasicSuite& hostBasic) {
  if (ai::PluginBasicSuite()) return;
  const void* table = nullptr;
  if (hostBasic.AcquireSuite(kSPBasicSuite, kSPBasicSuiteVersion, &table) != kNoErr || !table)
    ai::ThrowBadParameter();
  ai::SetPluginBasicSuite(static_cast<const SPBasicSuite*>(table));
}

void ReleaseBasicSuite() {
  const SPBasicSuite* basic = ai::PluginBasicSuite();
  ai::SetPluginBasicSuite(nullptr);
  if (basic) ai::Check(basic->ReleaseSuite(kSPBasicSuite, kSPBasicSuiteVersion));
}

// A "Reload" that brings no plug-in object back begins a new host session.
// Whatever an earlier session left behind (its host went away without the
// matching releases, and the module stayed mapped) names that host's objects,
// so the whole session is dropped without calling anyone.
void Reload(SPMessageData& message) {
  if (!message.globals) ai::Session().Forget();
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
    Tools::LoadImageTable(QMDM::ModuleHandle());
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
