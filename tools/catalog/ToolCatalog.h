// The tools of the plug-in: their routing tables, sized by the catalog, and
// the creation and destruction of the tool objects in registration order.
//
// The catalog sits above the tools and below the plug-in shell: it is the one
// place that names every tool (ToolList.h).
#pragma once

#include <array>
#include <cstddef>

#include "tools/catalog/ToolList.h"
#include "tools/framework/ToolIdentity.h"
#include "tools/framework/ToolServices.h"
#include "tools/framework/ToolTables.h"

namespace Tools {

// The rows of ToolList.h by name, in registration order.
enum class ToolId {
#define CORVANE_TOOL_ID(Id, ...) Id,
  CORVANE_TOOLS(CORVANE_TOOL_ID)
#undef CORVANE_TOOL_ID
      Count
};

constexpr std::size_t kToolCount = static_cast<std::size_t>(ToolId::Count);

using ToolTable = std::array<ToolEntry, kToolCount>;
using AnnotatorTable = std::array<AnnotatorEntry, kToolCount>;

// The registration row of a tool.
const ToolIdentity& IdentityOf(ToolId id);

// Creates the tool objects in registration order into both tables (same
// object per row), each lent the services and handed the annotator handle
// its row already holds; tool handles are left alone.  All or nothing: when a
// creation fails the objects already made are destroyed, the entries are
// empty again and the failure propagates.
void CreateTools(ToolTable& tools, AnnotatorTable& annotators, const ToolServices& services);
// Destroys the objects and empties both tables' object columns; handles stay.
void DestroyTools(ToolTable& tools, AnnotatorTable& annotators) noexcept;

}  // namespace Tools
