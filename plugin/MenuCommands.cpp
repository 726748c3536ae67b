#include "plugin/MenuCommands.h"

#include <memory>

#include "hostcall/Error.h"
#include "hostcall/ErrorBoundary.h"
#include "hostcall/HostCall.h"
#include "hostcall/HostText.h"
#include "plugin/AboutDialog.h"
#include "plugin/Links.h"

namespace MenuCommands {

const char* AboutMenuCommand::MenuText() const { return "关于Corvane..."; }
void AboutMenuCommand::Run(AIMenuMessage* message) { UI::AboutDialog().Show(message->d.self); }

const char* HelpMenuCommand::MenuText() const { return "帮助"; }
void HelpMenuCommand::Run(AIMenuMessage* message) { plugin::OpenUserManual(message->d.self); }

void LinkMenuCommand::Run(AIMenuMessage*) { plugin::OpenWithShell(plugin::MakerPageAddress("menu", linkKey_)); }

}  // namespace MenuCommands

namespace plugin {
namespace {

using namespace MenuCommands;

// Texts the host shows in its own encoding.
constexpr const char* kMakerItemText = "Quillmark";
constexpr const char* kPluginItemText = "Corvane";
constexpr const char* kTrainingItemText = "Vectorcraft Academy Training...";
constexpr const char* kHelpMenuGroup = "Help Menu";

// The item's handle, or none when anything on the way fails.
AIMenuItemHandle AddItem(SPPluginRef self, const char* name, const char* group, const char* text, int32_t encoding) {
  AIMenuItemHandle item = nullptr;
  const SPErr failed = ai::RunGuarded([&] {
    const ai::HostText host(text, encoding);
    if (ai::Suites().Menu().AddMenuItem(self, name, group, host.get(), 0, &item) != kNoErr) item = nullptr;
  });
  return failed ? nullptr : item;
}

// An item in parentGroup whose submenu is the group; the result of making
// the submenu is not needed.
void AddSubmenu(SPPluginRef self, const char* parentGroup, const char* text, const char* group) {
  const AIMenuItemHandle item = AddItem(self, nullptr, parentGroup, text, kAIPlatformCharacterEncoding);
  if (!item) return;
  AIMenuGroup made = nullptr;
  ai::RunGuarded([&] { ai::Suites().Menu().AddMenuGroupAsSubMenu(group, 0, item, &made); });
}

bool GroupExists(const char* name) {
  bool found = false;
  ai::RunGuarded([&] {
    const AIMenuSuite& menu = ai::Suites().Menu();
    int32_t count = 0;
    ai::Check(menu.CountMenuGroups(&count));
    for (int32_t n = 0; n < count && !found; ++n) {
      AIMenuGroup group = nullptr;
      const char* groupName = nullptr;
      if (menu.GetNthMenuGroup(n, &group) == kNoErr && menu.GetMenuGroupName(group, &groupName) == kNoErr)
        found = groupName && std::string_view(groupName) == name;
    }
  });
  return found;
}

// Whether an item with the name exists; a walk that fails counts as found,
// so that no second shared item is ever added.
bool ItemExists(const char* name) {
  bool found = false;
  const SPErr failed = ai::RunGuarded([&] {
    const AIMenuSuite& menu = ai::Suites().Menu();
    int32_t count = 0;
    ai::Check(menu.CountMenuItems(&count));
    for (int32_t n = 0; n < count && !found; ++n) {
      AIMenuItemHandle item = nullptr;
      const char* itemName = nullptr;
      if (menu.GetNthMenuItem(n, &item) == kNoErr && menu.GetItemName(item, &itemName) == kNoErr)
        found = itemName && std::string_view(itemName) == name;
    }
  });
  return found || failed;
}

}  // namespace

void CreateMenuCommands(MenuTable& menus) {
  auto visit = std::make_unique<LinkMenuCommand>("访问" + MakerWebAddress(), "MVisitQMCom", "visitqmcom");
  auto tutorials = std::make_unique<LinkMenuCommand>("视频教程...", "MTutorialMovies", "tutorialmovies");
  auto updates = std::make_unique<LinkMenuCommand>("检查更新\u3000...", "MCheckUpdates", "checkforupdates");
  auto about = std::make_unique<AboutMenuCommand>();
  auto help = std::make_unique<HelpMenuCommand>();
  menus[0].command = about.release();
  menus[1].command = visit.release();
  menus[2].command = help.release();
  menus[3].command = tutorials.release();
  menus[4].command = updates.release();
}

void BuildHelpMenus(PluginGlobals& globals) {
  if (!GroupExists(kMakerGroup)) AddSubmenu(globals.self, kHelpMenuGroup, kMakerItemText, kMakerGroup);
  AddSubmenu(globals.self, kMakerGroup, kPluginItemText, kPluginGroup);
  for (MenuEntry& entry : globals.menus) {
    if (!entry.command) continue;
    entry.handle = AddItem(globals.self, entry.command->ItemName(), entry.command->GroupName(),
                           entry.command->MenuText(), kAIUTF8CharacterEncoding);
  }
  if (!ItemExists(kTrainingItemName))
    globals.trainingItem =
        AddItem(globals.self, kTrainingItemName, kHelpMenuGroup, kTrainingItemText, kAIPlatformCharacterEncoding);
}

bool RunTrainingItem(PluginGlobals& globals, AIMenuItemHandle item) {
  if (!item || item != globals.trainingItem) return false;
  OpenWithShell(TrainingSiteAddress());
  return true;
}

}  // namespace plugin
