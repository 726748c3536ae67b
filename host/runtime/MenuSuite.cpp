// "AI Menu Suite": menu groups (the host's own and submenus that plug-ins
// make) and items with unique names.
#include "host/core/SuiteCall.h"
#include "host/runtime/AppState.h"
#include "host/runtime/Suites.h"

namespace host::runtime {
namespace {

// Names the host makes for items added without one.
constexpr const char* kGeneratedNamePrefix = "HostMenuItem";

MenuItemRecord* FindItemByName(std::string_view name) {
  MenuItemRecord* found = nullptr;
  App().menuItems.ForEach([&](MenuItemRecord& r) {
    if (!found && r.info.name == name) found = &r;
  });
  return found;
}

MenuGroupRecord* FindGroupByName(std::string_view name) {
  MenuGroupRecord* found = nullptr;
  App().menuGroups.ForEach([&](MenuGroupRecord& g) {
    if (!found && g.name == name) found = &g;
  });
  return found;
}

std::string UniqueName(const char* requested) {
  if (requested) {
    if (!*requested) throw HostError(kBadParameterErr, "empty menu item name");
    if (FindItemByName(requested))
      throw HostError(kBadParameterErr, std::string("a menu item named '") + requested + "' exists");
    return requested;
  }
  AppState& app = App();
  std::string name;
  do name = kGeneratedNamePrefix + std::to_string(++app.generatedMenuNames);
  while (FindItemByName(name));
  return name;
}

std::size_t Index(int32_t n, std::size_t size) {
  if (n < 0 || static_cast<std::size_t>(n) >= size)
    throw HostError(kIndexRangeErr, "index " + std::to_string(n) + " of " + std::to_string(size));
  return static_cast<std::size_t>(n);
}

AIErr AddMenuItem(SPPluginRef self, const char* itemName, const char* groupName, AIUnicodeStringHandle text,
                  int32_t options, AIMenuItemHandle* item) {
  return SuiteCall(kAIMenuSuite, "AddMenuItem", [&] {
    *Required(item, "item") = nullptr;
    RequirePlugin(self);
    AppState& app = App();
    if (!FindGroupByName(Required(groupName, "group name")))
      throw HostError(kBadParameterErr, std::string("no menu group '") + groupName + "'");
    MenuItemRecord r;
    r.info.text = app.strings.Get(text, "Unicode string");
    r.info.name = UniqueName(itemName);
    r.info.group = groupName;
    r.plugin = self;
    r.options = options;
    const AIMenuItemHandle handle = app.menuItems.Add(std::move(r));
    app.menuItems.Get(handle, "menu item").info.handle = handle;
    *item = handle;
    return kNoErr;
  });
}

// A group name is unique, and an item opens at most one submenu.
AIErr AddMenuGroupAsSubMenu(const char* groupName, int32_t options, AIMenuItemHandle parentItem, AIMenuGroup* group) {
  return SuiteCall(kAIMenuSuite, "AddMenuGroupAsSubMenu", [&] {
    *Required(group, "group") = nullptr;
    AppState& app = App();
    MenuItemRecord& parent = app.menuItems.Get(parentItem, "menu item");
    if (!Required(groupName, "group name")[0]) throw HostError(kBadParameterErr, "empty menu group name");
    if (FindGroupByName(groupName))
      throw HostError(kBadParameterErr, std::string("a menu group named '") + groupName + "' exists");
    if (!parent.info.submenu.empty())
      throw HostError(kBadParameterErr, "menu item '" + parent.info.name + "' already has a submenu");
    parent.info.submenu = groupName;
    *group = app.menuGroups.Add(MenuGroupRecord{groupName, parentItem, options});
    return kNoErr;
  });
}

AIErr CountMenuGroups(int32_t* count) {
  return SuiteCall(kAIMenuSuite, "CountMenuGroups", [&] {
    *Required(count, "count") = static_cast<int32_t>(App().menuGroups.size());
    return kNoErr;
  });
}

AIErr GetNthMenuGroup(int32_t n, AIMenuGroup* group) {
  return SuiteCall(kAIMenuSuite, "GetNthMenuGroup", [&] {
    *Required(group, "group") = nullptr;
    const auto& groups = App().menuGroups;
    *group = groups.HandleOf(groups.at(Index(n, groups.size())));
    return kNoErr;
  });
}

AIErr GetMenuGroupName(AIMenuGroup group, const char** name) {
  return SuiteCall(kAIMenuSuite, "GetMenuGroupName", [&] {
    *Required(name, "name") = App().menuGroups.Get(group, "menu group").name.c_str();
    return kNoErr;
  });
}

AIErr CountMenuItems(int32_t* count) {
  return SuiteCall(kAIMenuSuite, "CountMenuItems", [&] {
    *Required(count, "count") = static_cast<int32_t>(App().menuItems.size());
    return kNoErr;
  });
}

AIErr GetNthMenuItem(int32_t n, AIMenuItemHandle* item) {
  return SuiteCall(kAIMenuSuite, "GetNthMenuItem", [&] {
    *Required(item, "item") = nullptr;
    const auto& items = App().menuItems;
    *item = items.HandleOf(items.at(Index(n, items.size())));
    return kNoErr;
  });
}

AIErr GetItemName(AIMenuItemHandle item, const char** name) {
  return SuiteCall(kAIMenuSuite, "GetItemName", [&] {
    *Required(name, "name") = App().menuItems.Get(item, "menu item").info.name.c_str();
    return kNoErr;
  });
}

const AIMenuSuite kMenu = {AddMenuItem,    AddMenuGroupAsSubMenu, CountMenuGroups, GetNthMenuGroup,
                           GetMenuGroupName, CountMenuItems,      GetNthMenuItem,  GetItemName};

}  // namespace

void AddMenuSuite(SuiteRegistry& registry) { registry.Add(kAIMenuSuite, kAIMenuSuiteVersion, &kMenu); }

}  // namespace host::runtime
