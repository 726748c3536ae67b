// The state machine of a tool whose gesture is still to come: one state, no
// actions, no transitions.  Such a tool is registered, selectable and routed
// to; it draws nothing and shows the plain crosshair.  A tool leaves it by
// deriving from FSMTool<T> with tables of its own.
#pragma once

#include <span>

#include "tools/framework/FSMTool.h"

namespace Tools {

template <class T>
class IdleTables {
 protected:
  static constexpr StateEntry<T> kIdleStates[] = {{0, nullptr, nullptr, nullptr}};
  static constexpr std::span<const TransitionEntry<T>> kNoTransitions{};
};

template <class T>
class IdleFSMTool : public FSMTool<T>, private IdleTables<T> {
 protected:
  IdleFSMTool() noexcept : FSMTool<T>(IdleTables<T>::kIdleStates, IdleTables<T>::kNoTransitions) {}
};

}  // namespace Tools
