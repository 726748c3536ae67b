#include "plugin/Lifecycle.h"

#include "hostcall/Error.h"
#include "hostcall/FirstFailure.h"
#include "hostcall/HostCall.h"
#include "hostcall/ModuleSession.h"
#include "plugin/MenuCommands.h"
#include "plugin/PluginGlobals.h"
#include "tools/framework/Registration.h"

namespace plugin {

namespace {

// The access reference the plug-in holds on itself from "Startup" to
// "Shutdown", so that the host keeps it loaded; a part of the module session.
struct OwnAccess {
  SPAccessRef ref = nullptr;
};

SPAccessRef& OwnAccessRef() { return ai::SessionPart<OwnAccess>().ref; }

struct ListenerNotifier {
  Tools::NotifierList PluginGlobals::*list;
  const char* name;
  const char* type;
};

constexpr ListenerNotifier kListenerNotifiers[] = {
    {&PluginGlobals::selectionList, "CorvaneSelChanged", kAIArtSelectionChangedNotifier},
    {&PluginGlobals::modifiersList, "CorvaneModifierChanged", kAIToolModifiersChangedNotifier},
    {&PluginGlobals::documentList, "CorvaneChangedNotifier", kAIDocumentChangedNotifier},
};

// Registered inactive: a list's notifier runs only while the list has members.
void RegisterListenerNotifiers(PluginGlobals& globals) {
  const AINotifierSuite& notifiers = ai::Suites().Notifier();
  for (const ListenerNotifier& notifier : kListenerNotifiers) {
    Tools::NotifierList& list = globals.*notifier.list;
    AINotifierHandle handle = nullptr;
    const SPErr added = notifiers.AddNotifier(globals.self, notifier.name, notifier.type, &handle);
    if (added != kNoErr) {
      list.SetHandle(nullptr);
      throw ai::Error(added);
    }
    list.SetHandle(handle);
    ai::Check(notifiers.SetNotifierActive(handle, false));
  }
}

// The header of the plug-in's own registration calls: a valid check word, its
// own reference and the basic suite it holds.
SPMessageData OwnHeader(const PluginGlobals& globals, const SPMessageData& message) {
  const SPBasicSuite* basic = ai::PluginBasicSuite() ? ai::PluginBasicSuite() : message.basic;
  return SPMessageData{kSPValidSPMessageData, globals.self, nullptr, basic, nullptr};
}

void TakeOwnAccess(SPPluginRef self) {
  SPAccessRef& own = OwnAccessRef();
  if (own) return;
  ai::Check(ai::Suites().Access().AcquirePluginAccess(self, &own));
}

void DropOwnAccess() {
  const SPAccessRef access = OwnAccessRef();
  if (!access) return;
  OwnAccessRef() = nullptr;
  ai::Check(ai::Suites().Access().ReleasePluginAccess(access));
}

}  // namespace

void StartPlugin(SPMessageData& header) {
  if (CurrentGlobals()) return;
  PluginGlobals* globals = new PluginGlobals(header.self);
  SetCurrentGlobals(globals);
  header.globals = globals;
  BuildHelpMenus(*globals);
  RegisterListenerNotifiers(*globals);
  Tools::RegisterTools(OwnHeader(*globals, header), globals->tools, globals->annotators);
  TakeOwnAccess(globals->self);
}

void StopPlugin(SPMessageData& header) {
  ai::FirstFailure failure;
  failure.Run(DropOwnAccess);
  PluginGlobals* globals = CurrentGlobals();
  SetCurrentGlobals(nullptr);
  // The slot would otherwise keep a freed object for a later "Reload" to use.
  if (header.globals == globals) header.globals = nullptr;
  delete globals;
  failure.Rethrow();
}

void UnloadPlugin(SPMessageData& header) {
  PluginGlobals* globals = CurrentGlobals();
  if (!globals) return;
  header.globals = globals;
  SetCurrentGlobals(nullptr);
  globals->DestroyObjects();
}

void ReloadPlugin(SPMessageData& header) {
  if (CurrentGlobals() || !header.globals) return;
  auto* globals = static_cast<PluginGlobals*>(header.globals);
  SetCurrentGlobals(globals);
  globals->CreateObjects();
}

}  // namespace plugin
