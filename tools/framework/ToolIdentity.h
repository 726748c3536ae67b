// What a tool is registered with: its row of the tool catalog.
//
// The catalog (tools/catalog/ToolList.h) holds one row per tool; the
// framework only sees the row it is handed when the tool is made.
#pragma once

#include <cstdint>

namespace Tools {

// The host's cursor snapping with anchors, handle ends, outlines, midpoints,
// the custom constraints and the host's own letters; what a tool snaps with
// unless its row or its state says otherwise.
inline constexpr const char* kDefaultSnapControl = "ATFPLM v i o";

// "No group" / "no toolset" for GroupId and ToolsetId.
inline constexpr int32_t kNoToolGroup = -1;

struct ToolIdentity {
  const char* title;        // ASCII; also the annotator's name
  const char* tooltip;      // Simplified Chinese as GBK (code page 936) bytes
  int32_t iconId;           // light interface; the dark one is kDarkIconOffset higher
  int32_t options;          // the host's tool options
  int32_t groupId;          // tools of one group share a palette slot
  int32_t toolsetId;        // ... and of one toolset a fly-out
  const char* snapControl;  // the host's snapping control string; null: no snapping
};

}  // namespace Tools
