#include "plugin/PluginGlobals.h"

#include "hostcall/BlockMemory.h"
#include "hostcall/FirstFailure.h"
#include "hostcall/ModuleSession.h"
#include "plugin/MenuCommands.h"

namespace {

void DestroyMenuCommands(plugin::MenuTable& menus) noexcept {
  for (plugin::MenuEntry& entry : menus) {
    delete entry.command;
    entry.command = nullptr;
  }
}

}  // namespace

void* PluginGlobals::operator new(std::size_t size) { return ai::AllocateBlock(size, "PluginGlobals"); }

void PluginGlobals::operator delete(void* block) noexcept { ai::FreeBlock(block); }

PluginGlobals::PluginGlobals(SPPluginRef self) : self(self) { CreateObjects(); }

PluginGlobals::~PluginGlobals() {
  Tools::DestroyTools(tools, annotators);
  DestroyMenuCommands(menus);
}

void PluginGlobals::CreateObjects() {
  Tools::CreateTools(tools, annotators, Services());
  try {
    plugin::CreateMenuCommands(menus);
  } catch (...) {
    Tools::DestroyTools(tools, annotators);
    throw;
  }
}

void PluginGlobals::DestroyObjects() {
  ai::FirstFailure failure;
  failure.Run([&] { selectionList.Clear(); });
  failure.Run([&] { modifiersList.Clear(); });
  failure.Run([&] { documentList.Clear(); });
  Tools::DestroyTools(tools, annotators);
  DestroyMenuCommands(menus);
  failure.Rethrow();
}

namespace plugin {

namespace {

// The shell's part of the module session.
struct ShellState {
  PluginGlobals* current = nullptr;
};

PluginGlobals*& Current() { return ai::SessionPart<ShellState>().current; }

template <class Table, class Handle>
auto* FindByHandle(Table& table, Handle handle) noexcept {
  for (auto& entry : table)
    if (handle && entry.handle == handle) return &entry;
  return static_cast<typename Table::value_type*>(nullptr);
}

}  // namespace

PluginGlobals* CurrentGlobals() noexcept { return Current(); }
void SetCurrentGlobals(PluginGlobals* globals) noexcept { Current() = globals; }

Tools::ToolEntry* FindTool(PluginGlobals& globals, AIToolHandle handle) noexcept {
  return FindByHandle(globals.tools, handle);
}

Tools::AnnotatorEntry* FindAnnotator(PluginGlobals& globals, AIAnnotatorHandle handle) noexcept {
  return FindByHandle(globals.annotators, handle);
}

MenuEntry* FindMenuItem(PluginGlobals& globals, AIMenuItemHandle handle) noexcept {
  return FindByHandle(globals.menus, handle);
}

}  // namespace plugin
