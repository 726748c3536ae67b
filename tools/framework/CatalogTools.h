// The tools that are registered, selectable and routed to, but whose gesture
// is not built yet: each runs its state machine on a one-state table that does
// nothing, draws nothing and shows the plain crosshair.  Each class grows into
// its real tool (state table, feedback, cursor) in its own folder, keeping its
// place in the class tree.
#pragma once

#include "tools/framework/Cataloged.h"
#include "tools/framework/FSMTool.h"

namespace Tools {

// The idle table of a tool whose gesture is still to come: one state, no
// actions, no transitions.
template <class T>
class IdleTables {
 protected:
  static constexpr StateEntry<T> kIdleStates[] = {{0, nullptr, nullptr, nullptr}};
  static constexpr std::span<const TransitionEntry<T>> kNoTransitions{};
};

// A state-machine tool on the idle table.
template <class T>
class IdleFSMTool : public FSMTool<T>, private IdleTables<T> {
 protected:
  IdleFSMTool() noexcept : FSMTool<T>(IdleTables<T>::kIdleStates, IdleTables<T>::kNoTransitions) {}
};

// The tangent circle drives its state machine with handlers of its own,
// without snapping; until then it is a plain tool.
class ToolCircleTTR final : public Cataloged<BaseTool> {
 public:
  ToolCircleTTR() noexcept : Cataloged(ToolId::CircleTTR) {}
};

class ToolCurvature final : public Cataloged<IdleFSMTool<ToolCurvature>> {
 public:
  ToolCurvature() noexcept : Cataloged(ToolId::Curvature) {}
};

// The three-point gesture shared by the arc tools.
class ThreePointTool : public IdleFSMTool<ThreePointTool> {};
class ToolArcsBase : public ThreePointTool {};

class ToolArc3Pt final : public Cataloged<ToolArcsBase> {
 public:
  ToolArc3Pt() noexcept : Cataloged(ToolId::Arc3Pt) {}
};

class ToolArcSED final : public Cataloged<ToolArcsBase> {
 public:
  ToolArcSED() noexcept : Cataloged(ToolId::ArcSED) {}
};

// Lines tangent or perpendicular to two paths.
class ToolLineTPBase : public IdleFSMTool<ToolLineTPBase> {};

class ToolLineTT final : public Cataloged<ToolLineTPBase> {
 public:
  ToolLineTT() noexcept : Cataloged(ToolId::LineTT) {}
};

class ToolLinePP final : public Cataloged<ToolLineTPBase> {
 public:
  ToolLinePP() noexcept : Cataloged(ToolId::LinePP) {}
};

// Lines from a point tangent or perpendicular to a path.
class ToolTPLineToBase : public IdleFSMTool<ToolTPLineToBase> {};

class ToolTangentTo final : public Cataloged<ToolTPLineToBase> {
 public:
  ToolTangentTo() noexcept : Cataloged(ToolId::TangentTo) {}
};

class ToolPerpTo final : public Cataloged<ToolTPLineToBase> {
 public:
  ToolPerpTo() noexcept : Cataloged(ToolId::PerpTo) {}
};

// One class, registered twice: along the tangent and along the normal.
class ToolTanPerpFrom final : public Cataloged<IdleFSMTool<ToolTanPerpFrom>> {
 public:
  enum class Mode { Tangent, Perpendicular };
  explicit ToolTanPerpFrom(Mode mode) noexcept
      : Cataloged(mode == Mode::Tangent ? ToolId::TangentFrom : ToolId::PerpFrom), mode_(mode) {}
  Mode mode() const noexcept { return mode_; }

 private:
  Mode mode_;
};

class ToolJoin final : public Cataloged<IdleFSMTool<ToolJoin>> {
 public:
  ToolJoin() noexcept : Cataloged(ToolId::Join) {}
};

class ToolStraighten final : public Cataloged<IdleFSMTool<ToolStraighten>> {
 public:
  ToolStraighten() noexcept : Cataloged(ToolId::Straighten) {}
  // Anchors only while idle; the full set while dragging a piece or turning
  // about an anchor; no snapping in any other state, nor before the first
  // event (there is no state to say what the cursor is doing).
  const char* SnapControl() const override;
};

class ToolOrient2 final : public Cataloged<IdleFSMTool<ToolOrient2>> {
 public:
  ToolOrient2() noexcept : Cataloged(ToolId::Orient) {}
};

}  // namespace Tools
