// The help menu's commands: About, the user manual and the maker's web
// links, and the construction of the menus at start-up.
#pragma once

#include <string>

#include "plugin/MenuCommand.h"
#include "plugin/PluginGlobals.h"

namespace MenuCommands {

class AboutMenuCommand final : public MenuCommand {
 public:
  const char* MenuText() const override;
  const char* ItemName() const override { return "HelpAboutCorvane"; }
  const char* GroupName() const override { return "About"; }
  void Run(AIMenuMessage* message) override;
};

class HelpMenuCommand final : public MenuCommand {
 public:
  const char* MenuText() const override;
  const char* ItemName() const override { return "MHelpCorvane"; }
  const char* GroupName() const override { return "HelpCorvane"; }
  void Run(AIMenuMessage* message) override;
};

// Opens a page of the maker's site chosen by its link key.
class LinkMenuCommand final : public MenuCommand {
 public:
  LinkMenuCommand(std::string text, std::string itemName, std::string linkKey)
      : text_(std::move(text)), itemName_(std::move(itemName)), linkKey_(std::move(linkKey)) {}
  const char* MenuText() const override { return text_.c_str(); }
  const char* ItemName() const override { return itemName_.c_str(); }
  const char* GroupName() const override { return "HelpCorvane"; }
  void Run(AIMenuMessage* message) override;

 private:
  std::string text_, itemName_, linkKey_;
};

// The maker's group shared by its plug-ins, under the host's help menu, and
// this plug-in's submenu in it.
constexpr const char* kMakerGroup = "com.quillmark";
constexpr const char* kPluginGroup = "HelpCorvane";
// The unique name the maker's plug-ins share for the training-site item.
constexpr const char* kTrainingItemName = "QuillmarkTrainingSite";

}  // namespace MenuCommands

namespace plugin {

// Fills entries 0 to 4 of the menu command table with new command objects.
void CreateMenuCommands(MenuTable& menus);
// Adds the help menus and the commands' items to the host's menus; every
// failure is passed over, leaving that item's handle empty.
void BuildHelpMenus(PluginGlobals& globals);
// "AI Go" on the training-site item: opens its page.  False for other items.
bool RunTrainingItem(PluginGlobals& globals, AIMenuItemHandle item);

}  // namespace plugin
