#include "tools/circles/ToolCircleTTR.h"

#include <cmath>
#include <new>

#include "geometry/arc.h"
#include "geometry/host/art_piece_source.h"
#include "geometry/host/new_circle_path.h"
#include "geometry/host/path_access.h"
#include "hostcall/HostCall.h"
#include "hostcall/Preferences.h"
#include "tools/circles/TTRFilletOptions.h"
#include "tools/framework/DocumentQueries.h"
#include "tools/framework/FeedbackPasses.h"
#include "tools/framework/ToolView.h"

namespace Tools {

namespace {

using Tool = ToolCircleTTR;
using geom::hostpath::PathPick;

// Whether a completion opens the options dialog: the stored choice, inverted
// by Ctrl.
bool AskOnCompletion(const ToolEvent& event) {
  const bool ask = ai::GetBooleanPreference(ai::kCircleTTRAskKey, ai::kCircleTTRAskDefault);
  return Held(event, aiEventModifiers_cmdKey) ? !ask : ask;
}

}  // namespace

// Listed in state order: the first row is where a gesture starts.
const StateEntry<Tool> Tool::kStates[8] = {
    {kIdle, &Tool::EnterIdle, &Tool::FollowFirst, nullptr},
    {kBlocked, nullptr, nullptr, nullptr},
    {kFirstPressed, &Tool::PressFirst, nullptr, nullptr},
    {kFirstClicked, nullptr, &Tool::FollowSecond, nullptr},
    {kDraggingToSecond, nullptr, &Tool::FollowSecond, nullptr},
    {kBlockedSecond, nullptr, nullptr, nullptr},
    {kSecondPressed, &Tool::PressSecond, nullptr, nullptr},
    {kDraggingRadius, nullptr, &Tool::FollowRadius, nullptr},
};

// A press decides its pick at its own point: the guards of the two presses
// hit-test there, so a press no cursor move preceded never uses a stale pick.
const TransitionEntry<Tool> Tool::kTransitions[13] = {
    {kIdle, kEventMouseDown, &Tool::PressOnFirst, nullptr, kFirstPressed},
    {kIdle, kEventMouseDown, nullptr, nullptr, kBlocked},
    {kBlocked, kEventMouseUp, nullptr, nullptr, kIdle},
    {kFirstPressed, kEventMouseDrag, &Tool::MovedFromFirst, nullptr, kDraggingToSecond},
    {kFirstPressed, kEventMouseUp, nullptr, nullptr, kFirstClicked},
    {kDraggingToSecond, kEventMouseUp, nullptr, &Tool::ReleaseOnSecond, kIdle},
    {kFirstClicked, kEventMouseUp, nullptr, nullptr, kIdle},
    {kFirstClicked, kEventMouseDown, &Tool::PressOnSecond, nullptr, kSecondPressed},
    {kFirstClicked, kEventMouseDown, nullptr, nullptr, kBlockedSecond},
    {kBlockedSecond, kEventMouseUp, nullptr, nullptr, kFirstClicked},
    {kSecondPressed, kEventMouseDrag, &Tool::MovedFromSecond, nullptr, kDraggingRadius},
    {kSecondPressed, kEventMouseUp, nullptr, &Tool::Complete, kIdle},
    {kDraggingRadius, kEventMouseUp, nullptr, &Tool::CreateDragged, kIdle},
};

ToolCircleTTR::ToolCircleTTR(const ToolIdentity& identity) noexcept
    : Cataloged(identity, std::span<const StateEntry<Tool>>(kStates),
                std::span<const TransitionEntry<Tool>>(kTransitions)) {}

// A pick whose path was deleted (or belongs to a document no longer current)
// can neither be drawn nor solved on: the gesture starts again from idle.
void ToolCircleTTR::Select(AIToolMessage* message) {
  BaseTool::Select(message);
  if (!PicksStillExist()) RestartGesture();
}

void ToolCircleTTR::Deselect(AIToolMessage* message) {
  BaseTool::Deselect(message);
  InvalidateFeedback(*this);
}

void ToolCircleTTR::EditOptions(AIToolMessage* message) {
  if (!message) ai::ThrowBadParameter();
  TTRFilletOptions(nullptr).Run(message->d.self, kCircleOptionsTitle);
}

bool ToolCircleTTR::PicksStillExist() {
  ai::SuiteSet& suites = ai::Suites();
  for (const PathPick* pick : {&first_, &second_}) {
    if (!pick->valid) continue;
    AIBoolean valid = false;
    if (suites.Art().ValidArt(pick->art, &valid) != kNoErr || !valid) return false;
  }
  return true;
}

void ToolCircleTTR::EnterIdle(ToolEvent&) {
  DisposePreview();
  first_ = {};
  second_ = {};
  firstFrame_.reset();
  secondFrame_.reset();
  solution_.valid = false;
}

// Each pick's frame is read once, when the pick is made, not on every pass of
// the feedback.
void ToolCircleTTR::FollowFirst(ToolEvent& event) {
  ai::SuiteSet& suites = ai::Suites();
  first_ = geom::hostpath::HitTestPaths(suites, CursorPoint(event));
  firstFrame_ = geom::hostpath::PickFrame(suites, first_);
}

void ToolCircleTTR::PressFirst(ToolEvent& event) { firstPressView_ = CurrentViewPoint(event.message->cursor); }

// The second pick is never the first pick's segment of the same path.
void ToolCircleTTR::FollowSecond(ToolEvent& event) {
  cursor_ = CursorPoint(event);
  ai::SuiteSet& suites = ai::Suites();
  second_ = geom::hostpath::HitTestPaths(suites, cursor_, first_);
  secondFrame_ = geom::hostpath::PickFrame(suites, second_);
  solution_.valid = false;
  if (second_.valid) SolveWithStoredRadius();
}

void ToolCircleTTR::PressSecond(ToolEvent& event) {
  secondPress_ = CursorPoint(event);
  secondPressView_ = CurrentViewPoint(event.message->cursor);
}

// The radius is the distance from the second press; the circle shown is the
// one of that radius whose centre is nearest the cursor.
void ToolCircleTTR::FollowRadius(ToolEvent& event) {
  dragCursor_ = CursorPoint(event);
  double r = geom::Distance(dragCursor_, secondPress_);
  if (Held(event, aiEventModifiers_shiftKey)) {
    ai::SuiteSet& suites = ai::Suites();
    r = geom::SnapLength(r, CurrentViewZoom(suites), CurrentUnitCode(suites));
  }
  dragRadius_ = r;
  Solve(r, dragCursor_);
}

bool ToolCircleTTR::PressOnFirst(ToolEvent& event) {
  FollowFirst(event);
  return first_.valid;
}

bool ToolCircleTTR::PressOnSecond(ToolEvent& event) {
  FollowSecond(event);
  return second_.valid;
}

bool ToolCircleTTR::MovedFromFirst(ToolEvent& event) {
  return MovedBeyond(firstPressView_, CurrentViewPoint(event.message->cursor));
}

bool ToolCircleTTR::MovedFromSecond(ToolEvent& event) {
  return MovedBeyond(secondPressView_, CurrentViewPoint(event.message->cursor));
}

// A drag from the first path completes where it is released.
void ToolCircleTTR::ReleaseOnSecond(ToolEvent& event) {
  FollowSecond(event);
  Complete(event);
}

// With Ask (inverted by Ctrl) the options dialog runs first, previewing the
// circle; confirming it solves again with the radius it stored, around the
// middle of the two picks.  Cancelling creates nothing.
void ToolCircleTTR::Complete(ToolEvent& event) {
  try {
    if (AskOnCompletion(event)) {
      struct DialogOpen {
        bool& open;
        explicit DialogOpen(bool& o) : open(o) { open = true; }
        ~DialogOpen() { open = false; }
      } scope(dialogOpen_);
      if (TTRFilletOptions(this).Run(event.message->d.self, kCircleOptionsTitle) != TTRFilletOptions::kOK) return;
      // The preview goes before the circle is made, so that the document
      // never holds both.
      DisposePreview();
      SolveWithStoredRadius();
    }
    AddSolution();
  } catch (...) {
    DisposePreviewQuietly();
    throw;
  }
}

// The radius drag creates at once, at the release point.
void ToolCircleTTR::CreateDragged(ToolEvent& event) {
  try {
    FollowRadius(event);
    AddSolution();
  } catch (...) {
    DisposePreviewQuietly();
    throw;
  }
}

geom::Point ToolCircleTTR::PicksMiddle() const { return (first_.hitPoint + second_.hitPoint) / 2; }

void ToolCircleTTR::SolveWithStoredRadius() { Solve(StoredCircleRadius(), PicksMiddle()); }

// A failure to read the picked paths (a path deleted under the tool, a
// refused host call) means no circle, as the engine's own failures do.
void ToolCircleTTR::Solve(double r, geom::Point guess) {
  solution_.valid = false;
  if (!first_.valid || !second_.valid || !(r > 0) || !std::isfinite(r)) return;
  try {
    ai::SuiteSet& suites = ai::Suites();
    const geom::hostpath::ArtPieceSource path1(suites, first_.art), path2(suites, second_.art);
    const geom::PieceRef pick1 = geom::hostpath::PickToPieceRef(suites, first_);
    const geom::PieceRef pick2 = geom::hostpath::PickToPieceRef(suites, second_);
    geom::TangentCircle found;
    if (!geom::FindTangentCircle(path1, pick1, path2, pick2, r, guess, found)) return;
    solution_ = found;
    solution_.radius = r;
    solution_.valid = true;
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception&) {
    solution_.valid = false;
  }
}

// The circle's anchors include the two touching points; its radius is the
// distance of the first one from the centre.
AIArtHandle ToolCircleTTR::AddSolution() {
  if (!solution_.valid) return nullptr;
  ai::SuiteSet& suites = ai::Suites();
  const geom::Point t1 = geom::hostpath::GetPiece(suites, first_.art, solution_.piece1).At(solution_.t1);
  const geom::Point t2 = geom::hostpath::GetPiece(suites, second_.art, solution_.piece2).At(solution_.t2);
  const geom::SegmentList circle = geom::CircleThroughPoints(solution_.centre, {t1, t2}, false);
  return geom::hostpath::NewCirclePath(suites, circle, false);
}

// The dialog's live preview: the circle of the typed radius as temporary art,
// replaced on every change and removed when the tool returns to idle.
void ToolCircleTTR::UpdatePreview(double radius, bool preview) {
  InvalidateFeedback(*this);
  DisposePreview();
  if (preview) {
    Solve(radius, PicksMiddle());
    previewArt_ = AddSolution();
  }
  InvalidateFeedback(*this);
  // Only the picture depends on it: a refused redraw leaves the preview to
  // the host's next one.
  (void)ai::Suites().Document().RedrawDocument();
}

// A preview the host refuses to remove is kept, and removing it is tried
// again on the next return to idle.
void ToolCircleTTR::DisposePreview() {
  if (!previewArt_) return;
  ai::Check(ai::Suites().Art().DisposeArt(previewArt_));
  previewArt_ = nullptr;
}

void ToolCircleTTR::DisposePreviewQuietly() noexcept {
  try {
    DisposePreview();
  } catch (...) {
  }
}

}  // namespace Tools
