#include "tools/circles/ToolCurvature.h"

#include <cmath>
#include <new>

#include "geometry/host/host_point.h"
#include "geometry/host/new_circle_path.h"
#include "geometry/host/path_access.h"
#include "hostcall/Error.h"
#include "hostcall/HostCall.h"

namespace Tools {

namespace {

using Tool = ToolCurvature;

}  // namespace

const StateEntry<Tool> Tool::kStates[3] = {
    {kIdle, &Tool::ClearPick, &Tool::FollowPick, nullptr},
    {kBlocked, nullptr, nullptr, nullptr},
    {kPressed, nullptr, &Tool::FollowPick, nullptr},
};

// A press and a release each decide the pick at their own point.
const TransitionEntry<Tool> Tool::kTransitions[5] = {
    {kIdle, kEventMouseDown, &Tool::PressOnPath, nullptr, kPressed},
    {kIdle, kEventMouseDown, nullptr, nullptr, kBlocked},
    {kBlocked, kEventMouseUp, nullptr, nullptr, kIdle},
    {kPressed, kEventMouseUp, &Tool::ReleaseOnPath, &Tool::CreateCircle, kIdle},
    {kPressed, kEventMouseUp, nullptr, nullptr, kIdle},
};

ToolCurvature::ToolCurvature(const ToolIdentity& identity) noexcept
    : Cataloged(identity, std::span<const StateEntry<Tool>>(kStates),
                std::span<const TransitionEntry<Tool>>(kTransitions)) {}

void ToolCurvature::ClearPick(ToolEvent&) {
  pick_ = {};
  fit_.reset();
}

// The circle is fitted once per pick, not on every pass of the feedback.
void ToolCurvature::FollowPick(ToolEvent& event) {
  pick_ = geom::hostpath::HitTestPaths(ai::Suites(), CursorPoint(event));
  fit_ = FitAtPick();
}

bool ToolCurvature::PressOnPath(ToolEvent& event) {
  FollowPick(event);
  return pick_.valid;
}

bool ToolCurvature::ReleaseOnPath(ToolEvent& event) { return PressOnPath(event); }

std::optional<ToolCurvature::Fit> ToolCurvature::FitAtPick() const {
  if (!pick_.valid) return std::nullopt;
  try {
    ai::SuiteSet& suites = ai::Suites();
    const geom::PieceRef at = geom::hostpath::PickToPieceRef(suites, pick_);
    const geom::Bezier piece = geom::hostpath::GetPiece(suites, pick_.art, at.piece);
    const std::optional<geom::FittedCircle> circle = geom::FittedCircleAt(piece, at.t);
    if (!circle) return std::nullopt;
    return Fit{piece.At(at.t), *circle};
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

// An ellipse spanned by the corners of the circle's square, from the radius's
// magnitude whichever side of the path the centre lies on.  The host places
// and paints it; the selection is left as it is.  Where nothing may be drawn
// (a locked or hidden layer) nothing is made.
void ToolCurvature::CreateCircle(ToolEvent&) {
  if (!fit_ || std::abs(fit_->circle.radius) > kMaxCurvatureRadius) return;
  ai::SuiteSet& suites = ai::Suites();
  if (!geom::hostpath::EditableInsertionPoint(suites)) return;
  const geom::SquareCorners corners = geom::CircleCorners(fit_->circle.centre, fit_->circle.radius);
  const AIRealPoint low = geom::hostpath::ToHost(corners.low), high = geom::hostpath::ToHost(corners.high);
  AIArtHandle oval = nullptr;
  ai::Check(suites.ShapeConstruction().NewPointPointOval(&low, &high, false, false, 0, &oval));
}

}  // namespace Tools
