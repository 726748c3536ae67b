// What the module keeps for one host session, in one place.
//
// A host session runs from the "Reload" that hands the module a basic suite
// to the "Unload" that takes it away.  The module can outlive a session: a
// host may go away without the matching releases while the module stays
// mapped, and a new host may load the same mapping.  Everything the module
// keeps between calls names objects of the host it came from (suites,
// handles, references, the plug-in object, built cursors), so all of it lives
// here and is dropped together by Forget(), without calling that host.
//
// The session's own member is the plug-in's basic suite.  Each layer above
// keeps its state in a part of the session: a type whose default value is the
// state of a new session, reached with SessionPart<State>().  A part that
// holds something a plain reset would hand back to the host (a suite set)
// defines `void Forget() noexcept` to drop it instead.
//
// The host call in progress (HostCall.h) is not session state: Forget runs
// inside the very call ("Reload") that begins the new session.
//
// One thread only, like everything in the module.
#pragma once

#include <cstddef>
#include <type_traits>
#include <vector>

#include "sdk/SPBasic.h"

namespace ai {

class ModuleSession {
 public:
  ModuleSession() = default;
  ModuleSession(const ModuleSession&) = delete;
  ModuleSession& operator=(const ModuleSession&) = delete;

  // The basic suite the plug-in acquired for itself at "Reload" and keeps
  // until "Unload"; the plug-in and its dialog layer both work through it.
  const SPBasicSuite* basic() const noexcept { return basic_; }
  void SetBasic(const SPBasicSuite* basic) noexcept { basic_ = basic; }

  // Drops the basic suite and resets every part, calling no host.
  void Forget() noexcept;

  // How a part is reset; used by SessionPart.
  using ForgetPart = void (*)(void* part) noexcept;
  void Register(void* part, ForgetPart forget);

 private:
  struct Part {
    void* state;
    ForgetPart forget;
  };

  const SPBasicSuite* basic_ = nullptr;
  std::vector<Part> parts_;  // in the order first used
};

// The one session of the module.
ModuleSession& Session() noexcept;

namespace session_detail {

template <class State>
concept ForgetsItself = requires(State& s) {
  { s.Forget() } noexcept;
};

template <class State>
void Reset(void* part) noexcept {
  auto& state = *static_cast<State*>(part);
  if constexpr (ForgetsItself<State>) {
    state.Forget();
  } else {
    static_assert(std::is_nothrow_default_constructible_v<State> && std::is_nothrow_move_assignable_v<State>,
                  "a session part without Forget() must reset by assignment without throwing");
    state = State{};
  }
}

}  // namespace session_detail

// The session's part of type State, made (in its new-session state) on first
// use.  Parts are never destroyed: at program exit the host may already be
// gone, and a destructor that released anything would call into it.
template <class State>
State& SessionPart() {
  static State* const part = [] {
    auto* made = new State();
    Session().Register(made, &session_detail::Reset<State>);
    return made;
  }();
  return *part;
}

// The plug-in's basic suite (ModuleSession::basic); null outside "Reload" to
// "Unload".
inline const SPBasicSuite* PluginBasicSuite() noexcept { return Session().basic(); }
inline void SetPluginBasicSuite(const SPBasicSuite* basic) noexcept { Session().SetBasic(basic); }

}  // namespace ai
