// Registration of the tools and their annotators with the host, at start-up.
//
// For each tool in table order: add it under its title with the add-tool data
// (title, tooltip, icon ids, the host numbers of its group and toolset mates)
// and its options; a refused tool keeps an empty handle.  A tool's mate is
// the first earlier registered tool with the same group (toolset) id, or
// kNoTool when the id is kNoToolGroup or none matches.  The dark-interface
// icon is the light one's id plus ids::kDarkIconOffset.
// Then for each tool in the same order: add an annotator named
// AnnotatorName; a refused annotator keeps an empty handle, an accepted one
// is switched off until its tool is selected.
#pragma once

#include <span>

#include "sdk/SPBasic.h"
#include "tools/framework/ToolTables.h"

namespace Tools {

// header: the message header the plug-in built for itself (its own
// reference).  Each tool is also handed its annotator's handle.  Host
// failures other than refused additions propagate.
void RegisterTools(const SPMessageData& header, std::span<ToolEntry> tools, std::span<AnnotatorEntry> annotators);

}  // namespace Tools
