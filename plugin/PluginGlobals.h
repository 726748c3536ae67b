// The plug-in object: everything the plug-in keeps from "Startup" to
// "Shutdown", and what PIMain routes messages through.
//
// It lives in the host's block memory.  Across an "Unload"/"Reload" pair it
// waits in the host's globals slot with its handles intact while its tool and
// menu command objects are destroyed and rebuilt into the same entries.
#pragma once

#include <array>
#include <cstddef>

#include "plugin/MenuCommand.h"
#include "tools/catalog/ToolCatalog.h"
#include "tools/framework/NotifierList.h"
#include "tools/framework/ToolServices.h"
#include "tools/framework/TransformAgain.h"

namespace plugin {

constexpr std::size_t kMenuCommandCount = 8;

struct MenuEntry {
  MenuCommands::MenuCommand* command = nullptr;  // owned
  AIMenuItemHandle handle = nullptr;
};

using MenuTable = std::array<MenuEntry, kMenuCommandCount>;

}  // namespace plugin

class PluginGlobals {
 public:
  static void* operator new(std::size_t size);
  static void operator delete(void* block) noexcept;

  // Creates the tool and menu command objects; throws (with nothing
  // created) when memory runs out.
  explicit PluginGlobals(SPPluginRef self);
  // Destroys the tool and menu command objects and frees the lists' storage.
  ~PluginGlobals();
  PluginGlobals(const PluginGlobals&) = delete;
  PluginGlobals& operator=(const PluginGlobals&) = delete;

  // Builds the tool and menu command objects into their entries, at start-up
  // and after a "Reload" (all or nothing).
  void CreateObjects();
  // Destroys the objects at "Unload", first dropping the listeners that live
  // inside them; every handle stays.
  void DestroyObjects();

  SPPluginRef self;
  Tools::ToolTable tools;
  Tools::AnnotatorTable annotators;
  plugin::MenuTable menus;
  // The shared training-site item, when this plug-in added it.
  AIMenuItemHandle trainingItem = nullptr;
  Tools::NotifierList selectionList;  // "AI Art Selection Changed Notifier"
  Tools::NotifierList modifiersList;  // "AI Tool Modifiers Changed Notifier"
  Tools::NotifierList documentList;   // "AI Document Changed Notifier"
  Tools::TransformAgainRecord transformAgain;

  // What the tools are lent: the lists and the record above.
  Tools::ToolServices Services() noexcept {
    return {selectionList, modifiersList, documentList, transformAgain};
  }
};

namespace plugin {

// The current plug-in object (kept in the module session); null outside
// "Startup" to "Shutdown" and while unloaded.
PluginGlobals* CurrentGlobals() noexcept;
void SetCurrentGlobals(PluginGlobals* globals) noexcept;

// Lookups take the first entry whose handle equals the given one; a null
// handle never matches (it marks a refused registration).  Null when absent.
Tools::ToolEntry* FindTool(PluginGlobals& globals, AIToolHandle handle) noexcept;
Tools::AnnotatorEntry* FindAnnotator(PluginGlobals& globals, AIAnnotatorHandle handle) noexcept;
MenuEntry* FindMenuItem(PluginGlobals& globals, AIMenuItemHandle handle) noexcept;

}  // namespace plugin
