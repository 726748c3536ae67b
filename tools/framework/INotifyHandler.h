// A listener of a host notifier, held by a NotifierList.
#pragma once

#include "sdk/AIMessages.h"

class INotifyHandler {
 public:
  virtual void Notify(AINotifierMessage* message) = 0;

 protected:
  // Handlers live inside their owners and are never deleted through this.
  ~INotifyHandler() = default;
};
