#include "tools/edit/ToolOrient2.h"

#include <cmath>

#include "geometry/host/host_point.h"
#include "hostcall/FirstFailure.h"
#include "hostcall/HostCall.h"
#include "hostcall/Preferences.h"
#include "tools/edit/OrientArt.h"
#include "tools/edit/OrientAxis.h"
#include "tools/framework/ToolView.h"

namespace Tools {

namespace {

using Tool = ToolOrient2;
using geom::hostpath::ToHost;
using orient::Axis;

// A press this close to an axis end (document units) grabs that end.
constexpr double kGrabDistance = 6;

constexpr uint16_t kCtrl = aiEventModifiers_cmdKey;
constexpr uint16_t kShift = aiEventModifiers_shiftKey;
constexpr uint16_t kAlt = aiEventModifiers_optionKey;

// One edit of the Orient tool: objects and the matrix each is transformed by
// (rounded to single precision on the way to the host).  With copy each
// object's duplicate is transformed instead; with reselect the transformed
// objects (or copies) end up selected alone.
struct Edit {
  std::vector<AIArtHandle> objects;
  std::vector<AIRealMatrix> matrices;
  bool copy = false;
  bool reselect = true;
};

// All or nothing: when the host fails any call, the duplicates made are
// disposed of and the objects get back their geometry, rotation entries and
// selection before the failure propagates.  self, when given, is registered
// for the host's Transform Again as the last step of the edit.
void RunEdit(ai::SuiteSet& suites, const Edit& edit, SPPluginRef self) {
  orient::ArtMemo memo(suites, edit.objects);
  orient::Duplicates copies(suites);
  try {
    if (edit.reselect) ai::Check(suites.MatchingArt().DeselectAll());
    copies.OpenScope();
    for (std::size_t i = 0; i < edit.objects.size(); ++i) {
      const AIArtHandle target = edit.copy ? copies.Above(edit.objects[i]) : edit.objects[i];
      orient::TransformSelected(suites, target, orient::RoundToSingle(edit.matrices[i]), orient::kEditTransform);
      if (edit.reselect) orient::SelectWithLeaves(suites, target);
    }
    copies.CloseScope();
    if (self) ai::Check(suites.TransformAgain().SetTransformAgain(self));
  } catch (...) {
    copies.DisposeAll();
    memo.Restore();
    throw;
  }
  copies.Release();
}

Edit SameMatrix(std::vector<AIArtHandle> objects, const AIRealMatrix& m, bool copy) {
  Edit edit{std::move(objects), {}, copy, true};
  edit.matrices.assign(edit.objects.size(), m);
  return edit;
}

geom::Point Centre(const AIRealRect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

AIRealRect Union(const AIRealRect& a, const AIRealRect& b) {
  return {std::min(a.left, b.left), std::max(a.top, b.top), std::max(a.right, b.right), std::min(a.bottom, b.bottom)};
}

bool IsAxisLong(const Axis& axis) { return orient::Length(axis) > orient::kMinAxisLength; }

}  // namespace

// Listed in state order: the first row is where a gesture starts.
const StateEntry<Tool> Tool::kStates[7] = {
    {kIdle, &Tool::EnterIdle, &Tool::SnapToAxisEnds, nullptr},
    {kPressedOnEnd, &Tool::Backup, nullptr, nullptr},
    {kDraggingEnd, nullptr, &Tool::Swing, nullptr},
    {kPressedElsewhere, &Tool::Backup, nullptr, nullptr},
    {kClicked, &Tool::Backup, &Tool::DrawNewAxis, nullptr},
    {kPressedAgain, &Tool::Backup, nullptr, nullptr},
    {kDraggingNewAxis, nullptr, &Tool::DrawNewAxis, nullptr},
};

const TransitionEntry<Tool> Tool::kTransitions[11] = {
    {kIdle, kEventMouseDown, &Tool::NearAxisEnd, nullptr, kPressedOnEnd},
    {kIdle, kEventMouseDown, nullptr, nullptr, kPressedElsewhere},
    {kPressedOnEnd, kEventMouseDrag, &Tool::Moved, &Tool::BeginDrag, kDraggingEnd},
    {kPressedOnEnd, kEventMouseUp, nullptr, nullptr, kIdle},
    {kDraggingEnd, kEventMouseUp, nullptr, &Tool::ApplyTransform, kIdle},
    {kPressedElsewhere, kEventMouseDrag, &Tool::Moved, &Tool::BeginDrag, kDraggingNewAxis},
    {kPressedElsewhere, kEventMouseUp, nullptr, nullptr, kClicked},
    {kClicked, kEventMouseDown, nullptr, nullptr, kPressedAgain},
    {kPressedAgain, kEventMouseDrag, &Tool::Moved, nullptr, kDraggingNewAxis},
    {kPressedAgain, kEventMouseUp, nullptr, nullptr, kIdle},
    {kDraggingNewAxis, kEventMouseUp, nullptr, &Tool::ApplyCopies, kIdle},
};

ToolOrient2::ToolOrient2(const ToolIdentity& identity, const ToolServices& services) noexcept
    : Cataloged(identity, std::span<const StateEntry<Tool>>(kStates),
                std::span<const TransitionEntry<Tool>>(kTransitions)),
      modifiersHandler_(*this, &Tool::OnModifiersChanged),
      modifiersList_(services.modifiersChanged),
      again_(services.transformAgain) {}

// --- selection of the tool

void ToolOrient2::Select(AIToolMessage* message) {
  FSMTool::Select(message);
  modifiersList_.Join(&modifiersHandler_);
  Forget();
}

// Also takes away what only this tool's gesture needs: preview copies left by
// a drag the tool was taken from, and the axis ends offered for snapping.
void ToolOrient2::Deselect(AIToolMessage* message) {
  ai::FirstFailure steps;
  steps.Run([&] { FSMTool::Deselect(message); });
  steps.Run([&] { modifiersList_.Leave(&modifiersHandler_); });
  steps.Run([&] { Forget(); });
  steps.Run([&] { ai::Check(ai::Suites().CursorSnap().ClearCustom()); });
  steps.Rethrow();
}

void ToolOrient2::Reselect(AIToolMessage*) { Forget(); }

void ToolOrient2::OnModifiersChanged(AINotifierMessage*) { InvalidateWholeView(); }

// --- every event

void ToolOrient2::BeforeEvent(AIToolMessage*) { DisposePreview(); }

void ToolOrient2::OnEvent(ToolEvent& event) {
  axis_ = orient::ReadAxis(ai::Suites());
  alt_ = Held(event, kAlt);
  const geom::Point q = CursorPoint(event);
  nearEnd_ = axis_ && (geom::Distance(q, axis_->start) <= kGrabDistance || geom::Distance(q, axis_->end) <= kGrabDistance);
  const bool doubleClick = Held(event, aiEventModifiers_doubleClick);
  if (event.kind != kEventMouseDown || !doubleClick || !InState({kIdle, kPressedOnEnd, kPressedElsewhere, kClicked, kPressedAgain}))
    return;
  HandleDoubleClick(event);
  event.kind = kEventMouseUp;
  RestartGesture();
}

// Without Alt the axis goes.  With Alt the selection turns back and the axis
// is put back as it was before the click that began the double-click (which
// had already started a new one).
void ToolOrient2::HandleDoubleClick(ToolEvent& event) {
  ai::SuiteSet& suites = ai::Suites();
  if (!Held(event, kAlt)) {
    InvalidateFeedback(*this);
    orient::DeleteAxis(suites);
    axis_.reset();
    InvalidateFeedback(*this);
    return;
  }
  UndoRotation(event);
  orient::DeleteAxis(suites);
  axis_.reset();
  InvalidateFeedback(*this);
  if (backup_) axis_ = orient::WriteAxis(suites, *backup_);
}

// --- entry and do actions

void ToolOrient2::EnterIdle(ToolEvent&) { Forget(); }

void ToolOrient2::SnapToAxisEnds(ToolEvent&) {
  const AICursorSnapSuite& snap = ai::Suites().CursorSnap();
  ai::Check(snap.ClearCustom());
  if (!axis_) return;
  static constexpr char kLabel[] = "axis point";
  const AICursorConstraint ends[2] = {
      {kPointConstraint, 0, ToHost(geom::RoundToSingle(axis_->start)), 0, kLabel},
      {kPointConstraint, 0, ToHost(geom::RoundToSingle(axis_->end)), 0, kLabel},
  };
  ai::Check(snap.SetCustom(2, ends));
}

void ToolOrient2::Backup(ToolEvent& event) {
  backup_ = axis_;
  press_ = CursorPoint(event);
}

// The dragged end swings about the fixed one; without Ctrl the axis keeps its
// length.  An axis that would have no length is not stored and turns nothing.
void ToolOrient2::Swing(ToolEvent& event) {
  valid_ = false;
  if (!oldAxis_) return;
  const Axis old = *oldAxis_;
  const geom::Point fixed = grabbedStart_ ? old.end : old.start;
  geom::Point q = CursorPoint(event);
  if (Held(event, kShift)) q = orient::ConstrainToSteps(fixed, q, ai::HostConstrainAnglePreference());
  const double length = geom::Distance(grabbedStart_ ? old.start : old.end, fixed);
  const geom::Point moving = Held(event, kCtrl) ? q : fixed + geom::Unit(q - fixed) * length;
  const Axis swung = grabbedStart_ ? Axis{moving, old.end} : Axis{old.start, moving};
  if (!IsAxisLong(Axis{geom::RoundToSingle(swung.start), geom::RoundToSingle(swung.end)})) return;
  axis_ = orient::WriteAxis(ai::Suites(), swung);
  const std::optional<AIRealMatrix> m = orient::AxisToAxis(old, *axis_, Held(event, kCtrl));
  if (!m) return;
  m_ = *m;
  valid_ = true;
  copy_ = Held(event, kAlt);
  Preview();
}

// The new axis runs from the press to the cursor.  With Alt, and a selection
// taken when the drag began from an existing axis, copies go from the old
// axis onto the new one; letting go of Alt drops that transform.
void ToolOrient2::DrawNewAxis(ToolEvent& event) {
  valid_ = false;
  geom::Point q = CursorPoint(event);
  if (Held(event, kShift)) q = orient::ConstrainToSteps(press_, q, ai::HostConstrainAnglePreference());
  const Axis drawn{press_, q};
  if (!IsAxisLong(Axis{geom::RoundToSingle(drawn.start), geom::RoundToSingle(drawn.end)})) return;
  axis_ = orient::WriteAxis(ai::Suites(), drawn);
  if (!Held(event, kAlt) || selection_.empty() || !oldAxis_) return;
  const std::optional<AIRealMatrix> m = orient::AxisToAxis(*oldAxis_, *axis_, Held(event, kCtrl));
  if (!m) return;
  m_ = *m;
  valid_ = true;
  copy_ = true;
  Preview();
}

// --- guards

bool ToolOrient2::NearAxisEnd(ToolEvent&) { return nearEnd_; }

bool ToolOrient2::Moved(ToolEvent& event) {
  return MovedBeyond(CurrentViewPoint(ToHost(press_)), CurrentViewPoint(event.message->cursor));
}

// --- transition actions

void ToolOrient2::BeginDrag(ToolEvent&) {
  selection_ = orient::CollectSelection(ai::Suites());
  oldAxis_ = axis_;
  if (oldAxis_) grabbedStart_ = geom::Distance(press_, oldAxis_->start) < geom::Distance(press_, oldAxis_->end);
}

// A transform the host fails leaves nothing of the gesture behind: the
// objects are as they were (RunEdit) and so is the axis.
void ToolOrient2::ApplyTransform(ToolEvent& event) {
  if (!valid_) return;
  ai::SuiteSet& suites = ai::Suites();
  try {
    RunEdit(suites, SameMatrix(selection_, m_, copy_), event.message->d.self);
  } catch (...) {
    try {
      if (oldAxis_) axis_ = orient::WriteAxis(suites, *oldAxis_);
    } catch (...) {
      // The first failure is the one reported.
    }
    throw;
  }
  Record(m_, copy_);
}

// A drag the host fails part-way leaves the axis where the drag found it, as
// a failed release does (ApplyTransform): nothing turned with the axis.
// Preview copies the failure left go as well.
void ToolOrient2::AbandonEdits() noexcept {
  try {
    DisposePreview();
  } catch (...) {
    // The next event's BeforeEvent tries again.
  }
  if (!InState({kDraggingEnd, kDraggingNewAxis}) || !oldAxis_) return;
  try {
    axis_ = orient::WriteAxis(ai::Suites(), *oldAxis_);
  } catch (...) {
    // The error being handled is the one reported.
  }
}

void ToolOrient2::ApplyCopies(ToolEvent& event) {
  if (copy_) ApplyTransform(event);
}

// Objects turned by one common rotation turn back together about the centre
// of their joint bounds; otherwise each turns back about its own centre.
void ToolOrient2::UndoRotation(ToolEvent& event) {
  ai::SuiteSet& suites = ai::Suites();
  const std::vector<AIArtHandle> objects = orient::CollectSelection(suites);
  if (objects.empty()) return;
  std::optional<double> common;
  bool mixed = false;
  std::optional<AIRealRect> bounds;
  for (AIArtHandle object : objects) {
    for (AIArtHandle leaf : orient::Leaves(suites, object)) {
      const double r = orient::AccumulatedRotation(suites, leaf);
      if (!common) common = r;
      else if (std::abs(r - *common) > 1e-4) mixed = true;
    }
    if (const std::optional<AIRealRect> b = orient::BoundsOf(suites, object)) bounds = bounds ? Union(*bounds, *b) : *b;
  }
  const SPPluginRef self = event.message->d.self;
  if (common && !mixed && std::abs(*common) > orient::kNoRotation && bounds) {
    const AIRealMatrix back = orient::RotationAbout(Centre(*bounds), -*common);
    RunEdit(suites, Edit{objects, std::vector<AIRealMatrix>(objects.size(), back), false, false}, self);
    return Record(back, false);
  }
  Edit each{{}, {}, false, false};
  for (AIArtHandle object : objects) {
    const double r = orient::AccumulatedRotation(suites, object);
    const std::optional<AIRealRect> own = orient::BoundsOf(suites, object);
    if (std::abs(r) <= orient::kNoRotation || !own) continue;
    each.objects.push_back(object);
    each.matrices.push_back(orient::RotationAbout(Centre(*own), -r));
  }
  RunEdit(suites, each, self);
  Record({1, 0, 0, 1, 0, 0}, false);
}

// --- preview copies

// Exactly one set of copies exists at a time: the previous set went at the
// start of the event.  Should the host fail, the copies made so far go too.
void ToolOrient2::Preview() {
  if (!valid_) return;
  ai::SuiteSet& suites = ai::Suites();
  const AIRealMatrix m = orient::RoundToSingle(m_);
  orient::Duplicates copies(suites);
  try {
    copies.OpenScope();
    for (AIArtHandle object : selection_) orient::TransformLeaves(suites, copies.Above(object), m, orient::kPreviewTransform);
    copies.CloseScope();
  } catch (...) {
    copies.DisposeAll();
    throw;
  }
  preview_ = copies.Release();
}

void ToolOrient2::DisposePreview() {
  if (!preview_.empty()) orient::DisposeArt(ai::Suites(), preview_);
}

void ToolOrient2::Forget() {
  DisposePreview();
  selection_.clear();
  valid_ = false;
}

// --- Transform Again

void ToolOrient2::Record(const AIRealMatrix& m, bool copy) {
  again_.recorded = true;
  again_.matrix = m;
  again_.copy = copy;
  again_.repeat = &Tool::Repeat;
}

void ToolOrient2::Repeat(const TransformAgainRecord& record) {
  ai::SuiteSet& suites = ai::Suites();
  RunEdit(suites, SameMatrix(orient::CollectSelection(suites), record.matrix, record.copy), nullptr);
}

}  // namespace Tools
