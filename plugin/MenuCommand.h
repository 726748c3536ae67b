// A command behind one of the plug-in's menu items.  PIMain routes "AI Menu"
// messages to it by item handle: "AI Go" runs it, "AI Update" lets it update
// its item.  Commands live on the ordinary heap, owned by the plug-in object.
#pragma once

#include <cstdint>

#include "sdk/AIMessages.h"

namespace MenuCommands {

class MenuCommand {
 public:
  MenuCommand() = default;
  MenuCommand(const MenuCommand&) = delete;
  MenuCommand& operator=(const MenuCommand&) = delete;

  // The item's text, UTF-8.
  virtual const char* MenuText() const = 0;
  // The unique item name given to the host.
  virtual const char* ItemName() const = 0;
  // The host menu group the item goes into.
  virtual const char* GroupName() const = 0;
  // Whether the item has a keyboard equivalent, and which.
  virtual bool HasCommandKey(char* /*key*/, int32_t* /*modifiers*/) const { return false; }
  // "AI Update".
  virtual void Update(AIMenuMessage*) {}
  // "AI Go": the command's action.
  virtual void Run(AIMenuMessage* message) = 0;

  virtual ~MenuCommand() = default;
};

}  // namespace MenuCommands
