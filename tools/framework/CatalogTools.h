// The fourteen tools as the host knows them: registered, selectable and
// routed to, each answering with its identity from the registration table and
// the framework's defaults for everything else.  Each class grows into its
// real tool (state table, feedback, cursor) in its own folder.
#pragma once

#include "tools/framework/BaseTool.h"
#include "tools/framework/ToolCatalog.h"

namespace Tools {

// A tool whose registration identity comes from the registration table.
class CatalogTool : public BaseTool {
 public:
  explicit CatalogTool(ToolId id) noexcept : identity_(IdentityOf(id)) {}

  bool WantsAnnotator() const override { return true; }
  int32_t IconResourceId() const override { return identity_.iconId; }
  const char* Title() const override { return identity_.title; }
  const char* Tooltip() const override { return identity_.tooltip; }
  int32_t GroupId() const override { return kToolGroup; }
  int32_t ToolsetId() const override { return identity_.toolsetId; }
  const char* SnapControl() const override { return identity_.snapControl; }

 private:
  const ToolIdentity& identity_;
};

class ToolCircle23 final : public CatalogTool {
 public:
  ToolCircle23() noexcept : CatalogTool(ToolId::Circle23) {}
};

class ToolCircleTTR final : public CatalogTool {
 public:
  ToolCircleTTR() noexcept : CatalogTool(ToolId::CircleTTR) {}
};

class ToolCurvature final : public CatalogTool {
 public:
  ToolCurvature() noexcept : CatalogTool(ToolId::Curvature) {}
};

class ToolArc3Pt final : public CatalogTool {
 public:
  ToolArc3Pt() noexcept : CatalogTool(ToolId::Arc3Pt) {}
};

class ToolArcSED final : public CatalogTool {
 public:
  ToolArcSED() noexcept : CatalogTool(ToolId::ArcSED) {}
};

class ToolLineTT final : public CatalogTool {
 public:
  ToolLineTT() noexcept : CatalogTool(ToolId::LineTT) {}
};

class ToolLinePP final : public CatalogTool {
 public:
  ToolLinePP() noexcept : CatalogTool(ToolId::LinePP) {}
};

class ToolTangentTo final : public CatalogTool {
 public:
  ToolTangentTo() noexcept : CatalogTool(ToolId::TangentTo) {}
};

class ToolPerpTo final : public CatalogTool {
 public:
  ToolPerpTo() noexcept : CatalogTool(ToolId::PerpTo) {}
};

// One class, registered twice: along the tangent and along the normal.
class ToolTanPerpFrom final : public CatalogTool {
 public:
  enum class Mode { Tangent, Perpendicular };
  explicit ToolTanPerpFrom(Mode mode) noexcept
      : CatalogTool(mode == Mode::Tangent ? ToolId::TangentFrom : ToolId::PerpFrom), mode_(mode) {}
  Mode mode() const noexcept { return mode_; }

 private:
  Mode mode_;
};

class ToolJoin final : public CatalogTool {
 public:
  ToolJoin() noexcept : CatalogTool(ToolId::Join) {}
};

class ToolStraighten final : public CatalogTool {
 public:
  ToolStraighten() noexcept : CatalogTool(ToolId::Straighten) {}
};

class ToolOrient2 final : public CatalogTool {
 public:
  ToolOrient2() noexcept : CatalogTool(ToolId::Orient) {}
};

}  // namespace Tools
