#include "tools/lines/ToolLineTPBase.h"

#include <new>
#include <utility>

#include "geometry/host/art_piece_source.h"
#include "geometry/host/path_access.h"
#include "geometry/host/path_split.h"
#include "hostcall/Error.h"
#include "hostcall/HostCall.h"
#include "tools/framework/ToolView.h"
#include "tools/lines/ContactLine.h"

namespace Tools {

namespace {

using Tool = ToolLineTPBase;
using geom::hostpath::PathContact;

// Parameters this close to a piece's end address its anchor: the line ends there and no
// anchor is inserted.
double SnapToPieceEnds(double t) {
  if (t <= geom::tol::kAnchorSnapLow) return 0;
  if (t >= geom::tol::kAnchorSnapHigh) return 1;
  return t;
}

// Whether b lies before a along their common path.
bool Before(const geom::PieceRef& b, const geom::PieceRef& a) {
  return b.piece < a.piece || (b.piece == a.piece && b.t < a.t);
}

// A new line goes directly above the first path, or above the compound path it belongs to:
// inside a compound path it would become one more hole of it.
AIArtHandle PlaceAboveOf(ai::SuiteSet& suites, AIArtHandle path) {
  AIArtHandle parent = nullptr;
  ai::Check(suites.Art().GetArtParent(path, &parent));
  if (!parent) return path;
  int16_t type = 0;
  ai::Check(suites.Art().GetArtType(parent, &type));
  return type == kCompoundPathArt ? parent : path;
}

}  // namespace

// Listed in state order: the first row is where a gesture starts.
const StateEntry<Tool> Tool::kStates[7] = {
    {kIdle, &Tool::ClearPicks, &Tool::FollowFirst, nullptr},
    {kPressedOnNothing, nullptr, nullptr, nullptr},
    {kPressedOnNothingSecond, nullptr, nullptr, nullptr},
    {kPressedOnFirst, &Tool::RecordPress, nullptr, nullptr},
    {kDragging, nullptr, &Tool::FollowSecond, nullptr},
    {kFirstChosen, nullptr, &Tool::FollowSecond, nullptr},
    {kPressedOnSecond, &Tool::RecordPress, nullptr, nullptr},
};

// A press decides its pick at its own point: the guards of the two presses hit-test there.
const TransitionEntry<Tool> Tool::kTransitions[11] = {
    {kIdle, kEventMouseDown, &Tool::PressOnFirst, nullptr, kPressedOnFirst},
    {kIdle, kEventMouseDown, nullptr, nullptr, kPressedOnNothing},
    {kPressedOnNothing, kEventMouseUp, nullptr, nullptr, kIdle},
    {kPressedOnFirst, kEventMouseDrag, &Tool::MovedFromPress, nullptr, kDragging},
    {kPressedOnFirst, kEventMouseUp, nullptr, nullptr, kFirstChosen},
    {kFirstChosen, kEventMouseDown, &Tool::PressOnSecond, nullptr, kPressedOnSecond},
    {kFirstChosen, kEventMouseDown, nullptr, nullptr, kPressedOnNothingSecond},
    {kPressedOnNothingSecond, kEventMouseUp, nullptr, nullptr, kFirstChosen},
    {kPressedOnSecond, kEventMouseUp, nullptr, &Tool::CreateLine, kIdle},
    {kPressedOnSecond, kEventMouseDrag, &Tool::MovedFromPress, nullptr, kDragging},
    {kDragging, kEventMouseUp, nullptr, &Tool::CreateLine, kIdle},
};

ToolLineTPBase::ToolLineTPBase() noexcept
    : FSMTool(std::span<const StateEntry<Tool>>(kStates), std::span<const TransitionEntry<Tool>>(kTransitions)) {}

void ToolLineTPBase::ClearPicks(ToolEvent&) {
  first_ = {};
  second_ = {};
  contact1_.reset();
  contact2_.reset();
  if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

void ToolLineTPBase::FollowFirst(ToolEvent& event) {
  first_ = geom::hostpath::HitTestPaths(ai::Suites(), CursorPoint(event));
  keepPaths_ = Held(event, aiEventModifiers_optionKey);
}

void ToolLineTPBase::RecordPress(ToolEvent& event) { press_ = CurrentViewPoint(event.message->cursor); }

void ToolLineTPBase::FollowSecond(ToolEvent& event) {
  cursor_ = CursorPoint(event);
  keepPaths_ = Held(event, aiEventModifiers_optionKey);
  second_ = geom::hostpath::HitTestPaths(ai::Suites(), cursor_, first_);
  UpdateContact();
}

bool ToolLineTPBase::PressOnFirst(ToolEvent& event) {
  FollowFirst(event);
  return first_.valid;
}

bool ToolLineTPBase::PressOnSecond(ToolEvent& event) {
  FollowSecond(event);
  return second_.valid;
}

bool ToolLineTPBase::MovedFromPress(ToolEvent& event) {
  return MovedBeyond(press_, CurrentViewPoint(event.message->cursor));
}

void ToolLineTPBase::UpdateContact() {
  try {
    ComputeContact();
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception&) {
    contact1_.reset();
    contact2_.reset();
  }
}

void ToolLineTPBase::SearchContact(geom::LineKind kind) {
  contact1_.reset();
  contact2_.reset();
  if (!first_.valid || !second_.valid) return;
  ai::SuiteSet& suites = ai::Suites();
  const geom::hostpath::ArtPieceSource path1(suites, first_.art), path2(suites, second_.art);
  geom::hostpath::RequirePath(suites, first_.art);
  geom::hostpath::RequirePath(suites, second_.art);
  const geom::PieceRef pick1 = geom::hostpath::PickToPieceRef(suites, first_);
  const geom::PieceRef pick2 = geom::hostpath::PickToPieceRef(suites, second_);
  const std::optional<geom::LineContact> found = geom::FindLineContact(path1, pick1, path2, pick2, kind);
  if (!found) return;
  const geom::Bezier piece1 = path1.GetPiece(found->first.piece), piece2 = path2.GetPiece(found->second.piece);
  const double t1 = found->first.t, t2 = found->second.t;
  contact1_ = Contact{first_.art, found->first, piece1.At(t1), piece1.Derivative(t1)};
  contact2_ = Contact{second_.art, found->second, piece2.At(t2), piece2.Derivative(t2)};
}

// The gesture ends whatever happens: a failure is kept and raised by the idle state's entry,
// after the machine is back in it, so that its code still comes back from the event and the
// next press starts a new gesture.
void ToolLineTPBase::CreateLine(ToolEvent&) {
  try {
    MakeLine();
  } catch (...) {
    failure_ = std::current_exception();
  }
}

// Both end points are computed (and rounded) before any anchor goes in, and serve both the
// line and the insertion, so the line ends exactly on the new anchors.
void ToolLineTPBase::MakeLine() {
  if (!contact1_ || !contact2_) return;
  PathContact c1{contact1_->art, contact1_->at, {}}, c2{contact2_->art, contact2_->at, {}};
  contact1_.reset();
  contact2_.reset();
  ai::SuiteSet& suites = ai::Suites();
  for (PathContact* c : {&c1, &c2}) {
    c->at.t = SnapToPieceEnds(c->at.t);
    c->point = geom::RoundToSingle(geom::hostpath::GetPiece(suites, c->art, c->at.piece).At(c->at.t));
  }
  const AIArtHandle above = PlaceAboveOf(suites, c1.art);
  // Along one path the earlier contact is cut first (and the line starts there).
  if (!keepPaths_ && c1.art == c2.art && Before(c2.at, c1.at)) std::swap(c1, c2);
  GestureEdits edits(suites);
  const AIArtHandle line = NewTwoAnchorLine(suites, kPlaceAbove, above, c1.point, c2.point, edits);
  if (!keepPaths_) {
    edits.WillRewrite(c1.art);
    edits.WillRewrite(c2.art);
    geom::hostpath::InsertAnchorsAtContacts(suites, c1, c2);
  }
  ai::Check(suites.Art().TransferAttributes(c1.art, line, kTransferAll));
  SelectOnly(suites, line);
  edits.Commit();
}

}  // namespace Tools
