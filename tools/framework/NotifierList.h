// The listeners of one host notifier, in the order they joined.
//
// Invariant: the host notifier is active exactly while the list has members.
// Join activates it when the first member arrives, Leave deactivates it when
// the last one goes; when the host refuses either call the list is left as it
// was, so the invariant still holds.
//
// Storage comes from the host's block memory and grows by half again when
// full.  A list whose notifier handle is empty (its registration failed)
// keeps members but makes no host calls.
#pragma once

#include <cstdint>

#include "tools/framework/INotifyHandler.h"

namespace Tools {

class NotifierList {
 public:
  NotifierList() = default;
  ~NotifierList() { FreeStorage(); }
  NotifierList(const NotifierList&) = delete;
  NotifierList& operator=(const NotifierList&) = delete;

  AINotifierHandle handle() const noexcept { return handle_; }
  void SetHandle(AINotifierHandle handle) noexcept { handle_ = handle; }

  // Appends handler unless it is already a member.
  void Join(INotifyHandler* handler);
  // Removes handler; nothing when it is not a member.
  void Leave(INotifyHandler* handler);
  // Calls Notify on each member in order when the message is for this list's
  // notifier; otherwise nothing.  A member may leave while being notified.
  void Dispatch(AINotifierMessage* message);
  // Drops every member (their owners are about to be destroyed) and then
  // deactivates the notifier.  Members are dropped even when the host refuses
  // the deactivation: a stale member would point into a destroyed object.
  void Clear();
  // Gives the storage back to the host; the list is empty afterwards.
  void FreeStorage() noexcept;

  uint32_t size() const noexcept { return count_; }
  bool Contains(const INotifyHandler* handler) const noexcept;

 private:
  void Reserve(uint32_t needed);
  void SetActive(bool active);

  INotifyHandler** items_ = nullptr;
  uint32_t count_ = 0;
  uint32_t capacity_ = 0;
  AINotifierHandle handle_ = nullptr;
};

}  // namespace Tools
