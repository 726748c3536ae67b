#include "tools/lines/ToolTPLineToBase.h"

#include <utility>

#include "geometry/host/art_piece_source.h"
#include "geometry/host/new_circle_path.h"
#include "geometry/host/path_access.h"
#include "geometry/host/path_split.h"
#include "geometry/point_line_contact.h"
#include "hostcall/Error.h"
#include "hostcall/HostCall.h"
#include "tools/framework/ToolView.h"
#include "tools/lines/ContactLine.h"

namespace Tools {

namespace {

using Tool = ToolTPLineToBase;

}  // namespace

// Listed in state order: the first row is where a gesture starts.
const StateEntry<Tool> Tool::kStates[5] = {
    {kIdle, &Tool::Reset, &Tool::FollowAlt, nullptr},
    {kBlocked, nullptr, nullptr, nullptr},
    {kPressedAtStart, &Tool::PressStart, &Tool::FollowAlt, nullptr},
    {kDragging, nullptr, &Tool::FollowTarget, nullptr},
    {kStartPlaced, nullptr, &Tool::FollowTarget, nullptr},
};

// In the click gesture the line is made on the second press; its release then arrives in
// state 0 and is ignored.
const TransitionEntry<Tool> Tool::kTransitions[7] = {
    {kIdle, kEventMouseDown, &Tool::CanCreate, nullptr, kPressedAtStart},
    {kIdle, kEventMouseDown, nullptr, nullptr, kBlocked},
    {kBlocked, kEventMouseUp, nullptr, nullptr, kIdle},
    {kPressedAtStart, kEventMouseDrag, &Tool::MovedFromPress, nullptr, kDragging},
    {kPressedAtStart, kEventMouseUp, nullptr, nullptr, kStartPlaced},
    {kDragging, kEventMouseUp, nullptr, &Tool::CreateLine, kIdle},
    {kStartPlaced, kEventMouseDown, nullptr, &Tool::CreateLineAtPress, kIdle},
};

ToolTPLineToBase::ToolTPLineToBase() noexcept
    : FSMTool(std::span<const StateEntry<Tool>>(kStates), std::span<const TransitionEntry<Tool>>(kTransitions)) {}

void ToolTPLineToBase::Reset(ToolEvent&) {
  pick_ = {};
  contactArt_ = nullptr;
  keepPath_ = false;
  if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

void ToolTPLineToBase::FollowAlt(ToolEvent& event) { keepPath_ = Held(event, aiEventModifiers_optionKey); }

void ToolTPLineToBase::PressStart(ToolEvent& event) {
  start_ = CursorPoint(event);
  cursor_ = start_;
  press_ = CurrentViewPoint(event.message->cursor);
}

void ToolTPLineToBase::FollowTarget(ToolEvent& event) {
  keepPath_ = Held(event, aiEventModifiers_optionKey);
  cursor_ = CursorPoint(event);
  pick_ = geom::hostpath::HitTestPaths(ai::Suites(), cursor_);
  ComputeContact();
}

bool ToolTPLineToBase::MovedFromPress(ToolEvent& event) {
  return MovedBeyond(press_, CurrentViewPoint(event.message->cursor));
}

void ToolTPLineToBase::SearchContact(geom::LineKind kind) {
  contactArt_ = nullptr;
  if (!pick_.valid) return;
  ai::SuiteSet& suites = ai::Suites();
  int16_t type = 0;
  ai::Check(suites.Art().GetArtType(pick_.art, &type));
  if (type != kPathArt) return;
  const geom::hostpath::ArtPieceSource path(suites, pick_.art);
  const geom::PieceRef pick = geom::hostpath::PickToPieceRef(suites, pick_);
  const std::optional<geom::PointContact> found = geom::FindLineFromPointContact(path, pick, start_, cursor_, kind);
  if (!found) return;
  contactArt_ = pick_.art;
  contactAt_ = found->at;
  contactPoint_ = found->point;
  contactTangent_ = path.GetPiece(found->at.piece).Derivative(found->at.t);
}

// The press that ends the click gesture decides the contact at its own point.
void ToolTPLineToBase::CreateLineAtPress(ToolEvent& event) {
  FollowTarget(event);
  CreateLine(event);
}

// The gesture ends whatever happens: a failure is kept and raised by the idle state's entry,
// after the machine is back in it, so that its code still comes back from the event and the
// next press starts a new gesture.
void ToolTPLineToBase::CreateLine(ToolEvent&) {
  try {
    MakeLine();
  } catch (...) {
    failure_ = std::current_exception();
  }
}

void ToolTPLineToBase::MakeLine() {
  if (!contactArt_) return;
  const AIArtHandle art = contactArt_;
  contactArt_ = nullptr;
  ai::SuiteSet& suites = ai::Suites();
  int16_t type = 0;
  ai::Check(suites.Art().GetArtType(art, &type));
  if (type != kPathArt) return;
  const std::optional<geom::hostpath::InsertionPoint> at = geom::hostpath::EditableInsertionPoint(suites);
  if (!at) return;
  const geom::Point q = geom::RoundToSingle(contactPoint_);
  GestureEdits edits(suites);
  const AIArtHandle line = NewTwoAnchorLine(suites, at->paintOrder, at->prep, geom::RoundToSingle(start_), q, edits);
  SelectOnly(suites, line);
  if (!keepPath_) {
    edits.WillRewrite(art);
    geom::hostpath::InsertAnchorAt(suites, art, contactAt_.piece, contactAt_.t, q);
  }
  edits.Commit();
}

}  // namespace Tools
