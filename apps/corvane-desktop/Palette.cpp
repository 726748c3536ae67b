#include "apps/corvane-desktop/Palette.h"

#include <map>

namespace desktop {

std::vector<ToolGroup> LayoutPalette(const std::vector<host::ToolInfo>& tools) {
  std::vector<ToolGroup> groups;
  // Tool index -> (group, toolset) it was placed in.
  std::map<std::size_t, std::pair<std::size_t, std::size_t>> placed;
  for (std::size_t i = 0; i < tools.size(); ++i) {
    const host::ToolInfo& t = tools[i];
    const auto mate = [&](int16_t number) -> const std::pair<std::size_t, std::size_t>* {
      if (number == kNoTool || number < 0) return nullptr;
      const auto it = placed.find(static_cast<std::size_t>(number));
      return it == placed.end() ? nullptr : &it->second;
    };
    const auto* groupMate = mate(t.sameGroupAs);
    const auto* toolsetMate = mate(t.sameToolsetAs);
    std::size_t group;
    if (groupMate) {
      group = groupMate->first;
    } else if (toolsetMate) {
      group = toolsetMate->first;  // a toolset lies within one group
    } else {
      group = groups.size();
      groups.emplace_back();
    }
    std::vector<Toolset>& sets = groups[group].toolsets;
    std::size_t set;
    if (toolsetMate && toolsetMate->first == group) {
      set = toolsetMate->second;
    } else {
      set = sets.size();
      sets.emplace_back();
    }
    sets[set].tools.push_back(i);
    placed[i] = {group, set};
  }
  return groups;
}

int DensityClass(double scaleFactor) {
  if (scaleFactor >= 2) return 20;
  if (scaleFactor >= 1.5) return 15;
  return 10;
}

int32_t IconId(const host::ToolInfo& tool, double brightness) {
  if (brightness >= kLightBrightness || tool.darkIconId == 0) return tool.iconId;
  return tool.darkIconId;
}

}  // namespace desktop
