// A tool whose gesture is a StateMachine over T's tables.
//
// Every mouse message runs, in this order: BeforeEvent; cursor snapping with
// SnapControl (the snapped point replaces the message's cursor); the event
// record and OnEvent (which may change the cursor point again); invalidation
// of the old feedback; entry into the first state when there is none; the
// transition; the current state's do action; the cursor T asks for; and
// invalidation of the new feedback.  Every later step sees the point the
// earlier ones left in the message.
//
// When any step raises, the gesture is abandoned before the error goes back to
// the host: the old feedback is invalidated, T's AbandonEdits takes back what
// the unfinished gesture wrote into the document on the way, and the machine
// returns to no state, so the next event starts a fresh gesture rather than
// finishing one whose points the user no longer sees.
//
// T provides the tables (passed to the constructor) and may hide CursorId,
// which is asked after every event (the plain crosshair by default), and
// AbandonEdits, called in the state the failure left (nothing by default).
#pragma once

#include <algorithm>
#include <initializer_list>
#include <optional>

#include "hostcall/Error.h"
#include "tools/framework/BaseTool.h"
#include "tools/framework/Cursors.h"
#include "tools/framework/FeedbackPasses.h"
#include "tools/framework/StateMachine.h"

namespace Tools {

// Replaces the message's cursor by the host's snapped point for the control
// string; nothing without one.
void SnapCursor(const char* control, AIToolMessage* message);

// Whether new art can be created now (CanCreateArt on the call's suites).
bool CanCreateArtNow();

template <class T>
class FSMTool : public BaseTool {
 public:
  bool WantsAnnotator() const override { return true; }

  void MouseDown(AIToolMessage* message) override { HandleEvent(message, kEventMouseDown); }
  void MouseDrag(AIToolMessage* message) override { HandleEvent(message, kEventMouseDrag); }
  void MouseUp(AIToolMessage* message) override { HandleEvent(message, kEventMouseUp); }
  void TrackCursor(AIToolMessage* message) override { HandleEvent(message, kEventCursorMove); }

  // The annotator goes off, the feedback is erased and the gesture is
  // forgotten: the next event starts again from the first state.
  void Deselect(AIToolMessage* message) override {
    BaseTool::Deselect(message);
    InvalidateFeedback(*this);
    machine_.Reset();
  }

  int32_t CursorId() const { return ids::kCursorClear; }
  void AbandonEdits() noexcept {}

  // The id of the current state; nothing before the first event.
  std::optional<int32_t> CurrentState() const noexcept {
    if (const StateEntry<T>* state = machine_.current()) return state->id;
    return std::nullopt;
  }

  // Whether the current state is one of these; never before the first event.
  bool InState(std::initializer_list<int32_t> states) const noexcept {
    const std::optional<int32_t> state = CurrentState();
    return state && std::find(states.begin(), states.end(), *state) != states.end();
  }

 protected:
  // The guard of a transition that leads to creating art: the host has an
  // editable insertion point.
  bool CanCreate(ToolEvent&) { return CanCreateArtNow(); }

  FSMTool(std::span<const StateEntry<T>> states, std::span<const TransitionEntry<T>> transitions) noexcept
      : machine_(states, transitions) {}

  // Forgets the gesture in progress: the next step enters the first state
  // afresh (its entry action runs).  From OnEvent, this very event is then
  // looked up from the first state; from a transition action whose work
  // failed and is about to rethrow, the machine stays in no state rather than
  // in the one the failed gesture left.
  void RestartGesture() noexcept { machine_.Reset(); }

 private:
  void HandleEvent(AIToolMessage* message, int32_t kind) {
    if (!message) ai::ThrowBadParameter();
    try {
      RunEvent(message, kind);
    } catch (...) {
      AbandonGesture();
      throw;
    }
  }

  // Erases what the unfinished gesture showed and takes back what it wrote
  // (as far as the host lets it), and forgets the gesture; the error being
  // handled is the one reported.
  void AbandonGesture() noexcept {
    try {
      InvalidateFeedback(*this);
    } catch (...) {
    }
    static_cast<T&>(*this).AbandonEdits();
    machine_.Reset();
  }

  void RunEvent(AIToolMessage* message, int32_t kind) {
    BeforeEvent(message);
    SnapCursor(SnapControl(), message);
    ToolEvent event{kind, message};
    OnEvent(event);
    InvalidateFeedback(*this);
    T& self = static_cast<T&>(*this);
    machine_.EnterFirstStateIfNone(self, event);
    machine_.Step(self, event);
    machine_.RunDoAction(self, event);
    SetToolCursor(self.CursorId());
    InvalidateFeedback(*this);
  }

  StateMachine<T> machine_;
};

}  // namespace Tools
