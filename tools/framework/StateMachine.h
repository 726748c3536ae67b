// The table-driven state machine a tool's gesture runs on.
//
// A tool T describes its gesture with two constant tables: its states (each
// with optional entry, do and exit actions) and its transitions (from a state
// on an event code, with an optional guard and an optional action, to a
// state).  Actions and guards are member operations of T taking the event
// record.  The record here holds the tables, the owner and the current state,
// which is none until the first event.
//
// Transition lookup: the entries whose from-state is the current state and
// whose event is the event's code are considered in table order.  A guarded
// entry is taken when its guard passes; an unguarded entry is a fallback,
// taken only when no later entry is taken, so the first passing guarded entry
// wins and, of several unguarded ones, the last.  Guards after the entry
// taken are not asked.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "tools/framework/ToolEvent.h"

namespace Tools {

template <class T>
struct StateEntry {
  using Action = void (T::*)(ToolEvent& event);
  int32_t id = 0;
  Action entry = nullptr;
  Action doAction = nullptr;  // after every event while the state is current
  Action exit = nullptr;
};

template <class T>
struct TransitionEntry {
  using Guard = bool (T::*)(ToolEvent& event);
  using Action = void (T::*)(ToolEvent& event);
  int32_t from = 0;
  int32_t event = 0;
  Guard guard = nullptr;
  Action action = nullptr;
  int32_t to = 0;
};

// The event code of an event; every tool here classifies by the event's kind.
using EventClassifier = int32_t (*)(const ToolEvent& event);
inline int32_t ClassifyByKind(const ToolEvent& event) { return event.kind; }

template <class T>
class StateMachine {
 public:
  StateMachine(std::span<const StateEntry<T>> states, std::span<const TransitionEntry<T>> transitions,
               EventClassifier classify = &ClassifyByKind) noexcept
      : classify_(classify), states_(states), transitions_(transitions) {}
  StateMachine(const StateMachine&) = delete;
  StateMachine& operator=(const StateMachine&) = delete;

  const StateEntry<T>* current() const noexcept { return current_; }
  // Back to no state: the next event starts again from the first state.
  void Reset() noexcept { current_ = nullptr; }

  // Makes the first state current and runs its entry, when there is no
  // current state (and the table has a state).
  void EnterFirstStateIfNone(T& owner, ToolEvent& event) {
    if (current_ || states_.empty()) return;
    current_ = &states_.front();
    Run(owner, current_->entry, event);
  }

  // Looks the event up and takes the transition found, unless its target is
  // not in the state table: exit, transition action, new state, entry.
  void Step(T& owner, ToolEvent& event) {
    if (!current_) return;
    const TransitionEntry<T>* transition = Find(owner, classify_(event), event);
    const StateEntry<T>* target = transition ? StateWithId(transition->to) : nullptr;
    if (!target) return;
    Run(owner, current_->exit, event);
    Run(owner, transition->action, event);
    current_ = target;
    Run(owner, current_->entry, event);
  }

  void RunDoAction(T& owner, ToolEvent& event) {
    if (current_) Run(owner, current_->doAction, event);
  }

 private:
  const TransitionEntry<T>* Find(T& owner, int32_t code, ToolEvent& event) {
    const TransitionEntry<T>* fallback = nullptr;
    for (const TransitionEntry<T>& t : transitions_) {
      if (t.from != current_->id || t.event != code) continue;
      if (!t.guard) {
        fallback = &t;
      } else if ((owner.*t.guard)(event)) {
        return &t;
      }
    }
    return fallback;
  }

  const StateEntry<T>* StateWithId(int32_t id) const noexcept {
    for (const StateEntry<T>& s : states_)
      if (s.id == id) return &s;
    return nullptr;
  }

  static void Run(T& owner, typename StateEntry<T>::Action action, ToolEvent& event) {
    if (action) (owner.*action)(event);
  }

  EventClassifier classify_;
  std::span<const StateEntry<T>> states_;
  std::span<const TransitionEntry<T>> transitions_;
  const StateEntry<T>* current_ = nullptr;
};

}  // namespace Tools
