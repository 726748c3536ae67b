#include "hostcall/ModuleSession.h"

namespace ai {

void ModuleSession::Forget() noexcept {
  basic_ = nullptr;
  // Later parts may hold on to earlier ones' objects; drop them first.
  for (auto part = parts_.rbegin(); part != parts_.rend(); ++part) part->forget(part->state);
}

void ModuleSession::Register(void* part, ForgetPart forget) { parts_.push_back({part, forget}); }

ModuleSession& Session() noexcept {
  // Never destroyed, for the same reason as its parts.
  static ModuleSession* const session = new ModuleSession();
  return *session;
}

}  // namespace ai
