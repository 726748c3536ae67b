#include "tools/framework/NotifierList.h"

#include <algorithm>
#include <cstring>

#include "hostcall/BlockMemory.h"
#include "hostcall/Error.h"
#include "hostcall/HostCall.h"

namespace Tools {

namespace {

// Few tools listen to any one notifier (at most the arc tools and the Orient
// tool), so a small first block rarely needs to grow.
constexpr uint32_t kInitialCapacity = 4;

uint32_t GrownCapacity(uint32_t capacity) {
  return capacity == 0 ? kInitialCapacity : capacity + std::max<uint32_t>(capacity / 2, 1);
}

}  // namespace

bool NotifierList::Contains(const INotifyHandler* handler) const noexcept {
  return std::find(items_, items_ + count_, handler) != items_ + count_;
}

void NotifierList::Join(INotifyHandler* handler) {
  if (!handler || Contains(handler)) return;
  Reserve(count_ + 1);
  if (count_ == 0) SetActive(true);
  items_[count_++] = handler;
}

void NotifierList::Leave(INotifyHandler* handler) {
  INotifyHandler** end = items_ + count_;
  INotifyHandler** found = std::find(items_, end, handler);
  if (found == end) return;
  if (count_ == 1) SetActive(false);
  std::copy(found + 1, end, found);
  --count_;
}

void NotifierList::Dispatch(AINotifierMessage* message) {
  if (!message || !handle_ || message->notifier != handle_) return;
  for (uint32_t i = 0; i < count_;) {
    INotifyHandler* handler = items_[i];
    handler->Notify(message);
    // A handler that left moved the next one into its place.
    if (i < count_ && items_[i] == handler) ++i;
  }
}

void NotifierList::Clear() {
  const bool hadMembers = count_ > 0;
  count_ = 0;
  if (hadMembers) SetActive(false);
}

void NotifierList::FreeStorage() noexcept {
  ai::FreeBlock(items_);
  items_ = nullptr;
  count_ = 0;
  capacity_ = 0;
}

void NotifierList::Reserve(uint32_t needed) {
  if (needed <= capacity_) return;
  const uint32_t capacity = std::max(needed, GrownCapacity(capacity_));
  auto* items = static_cast<INotifyHandler**>(ai::AllocateBlock(capacity * sizeof(INotifyHandler*), "NotifierList"));
  if (count_ > 0) std::memcpy(items, items_, count_ * sizeof(INotifyHandler*));
  ai::FreeBlock(items_);
  items_ = items;
  capacity_ = capacity;
}

void NotifierList::SetActive(bool active) {
  if (!handle_) return;
  ai::Check(ai::Suites().Notifier().SetNotifierActive(handle_, active));
}

}  // namespace Tools
