// A listener that forwards notifications to a member operation of its owner,
// so a tool can listen without deriving from INotifyHandler itself.
#pragma once

#include "tools/framework/INotifyHandler.h"

namespace Tools {

template <class T>
class NotifyHandler final : public INotifyHandler {
 public:
  using Operation = void (T::*)(AINotifierMessage* message);

  NotifyHandler(T& owner, Operation operation) noexcept : owner_(owner), operation_(operation) {}
  NotifyHandler(const NotifyHandler&) = delete;
  NotifyHandler& operator=(const NotifyHandler&) = delete;

  void Notify(AINotifierMessage* message) override { (owner_.*operation_)(message); }

 private:
  T& owner_;
  Operation operation_;
};

}  // namespace Tools
