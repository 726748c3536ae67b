// The registration table: every tool's identity, in registration order, and
// the creation of the tool objects in that order.
//
// Every tool is in tool group 1 and registers with options 1.  Toolsets:
// 1 circles and arcs, 2 lines, 3 path editing, 4 orient.
#pragma once

#include <cstdint>

#include "tools/framework/ToolTables.h"

namespace Tools {

enum class ToolId {
  Circle23,
  CircleTTR,
  Curvature,
  Arc3Pt,
  ArcSED,
  LineTT,
  LinePP,
  TangentTo,
  PerpTo,
  TangentFrom,
  PerpFrom,
  Join,
  Straighten,
  Orient
};

constexpr int32_t kToolGroup = 1;

struct ToolIdentity {
  const char* title;        // ASCII
  const char* tooltip;      // Simplified Chinese as GBK (code page 936) bytes
  int32_t iconId;           // light interface; the dark one is iconId + 1000
  int32_t toolsetId;
  const char* snapControl;  // the host's snapping control string; null: no snapping
};

// Indexed by ToolId, in registration order.
const ToolIdentity& IdentityOf(ToolId id);

// Creates the fourteen tool objects in registration order into both tables
// (same object per row), leaving the handles alone.  All or nothing: when a
// creation fails the objects already made are destroyed, the entries are
// empty again and the failure propagates.
void CreateTools(ToolTable& tools, AnnotatorTable& annotators);
// Destroys the objects and empties both tables' object columns; handles stay.
void DestroyTools(ToolTable& tools, AnnotatorTable& annotators) noexcept;

}  // namespace Tools
