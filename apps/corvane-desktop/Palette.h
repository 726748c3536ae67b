// What the desktop host's tool palette shows, worked out from the tools the
// plug-in registered, without any toolkit: the tools in their groups and
// toolsets, and which icon image each button shows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/Host.h"

namespace desktop {

// A toolset: tools shown side by side, in registration order.
struct Toolset {
  std::vector<std::size_t> tools;  // indices into the registered tools
};

// A group: toolsets shown one under the other, set apart from other groups.
struct ToolGroup {
  std::vector<Toolset> toolsets;
};

// A tool registered with no group mate starts a group; one with a group mate
// joins the group of that tool.  Within its group, a tool with no toolset
// mate starts a toolset and one with a toolset mate joins that tool's
// toolset (a toolset mate in another group counts as none).  Groups and
// toolsets keep the order of their first tools.
std::vector<ToolGroup> LayoutPalette(const std::vector<host::ToolInfo>& tools);

// The image density class of a screen's scale factor: 10 at 1x, 15 at 1.5x,
// 20 at 2x and above.
int DensityClass(double scaleFactor);

// Brightness at or above this shows the light interface.
inline constexpr double kLightBrightness = 0.5;

// The image a tool's button shows: its light icon in the light interface, its
// dark icon in the dark one (the light one when it registered no dark icon).
int32_t IconId(const host::ToolInfo& tool, double brightness);

}  // namespace desktop
