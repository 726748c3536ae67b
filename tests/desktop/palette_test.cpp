// The desktop palette's layout from registered tools and its icon choice.
#include "apps/corvane-desktop/Palette.h"

#include <gtest/gtest.h>

namespace desktop {
namespace {

host::ToolInfo Tool(int16_t group, int16_t toolset, int32_t icon = 0, int32_t dark = 0) {
  host::ToolInfo t;
  t.sameGroupAs = group;
  t.sameToolsetAs = toolset;
  t.iconId = icon;
  t.darkIconId = dark;
  return t;
}

std::vector<std::vector<std::vector<std::size_t>>> Shape(const std::vector<ToolGroup>& groups) {
  std::vector<std::vector<std::vector<std::size_t>>> out;
  for (const ToolGroup& g : groups) {
    out.emplace_back();
    for (const Toolset& s : g.toolsets) out.back().push_back(s.tools);
  }
  return out;
}

TEST(PaletteLayout, GroupsAndToolsetsFollowTheMates) {
  struct Case {
    const char* name;
    std::vector<host::ToolInfo> tools;
    std::vector<std::vector<std::vector<std::size_t>>> expected;
  };
  const Case cases[] = {
      {"no tools", {}, {}},
      {"each alone", {Tool(kNoTool, kNoTool), Tool(kNoTool, kNoTool)}, {{{0}}, {{1}}}},
      // The plug-in's circles: one group, the first two in a toolset, the
      // third in a toolset of its own.
      {"group with two toolsets",
       {Tool(kNoTool, kNoTool), Tool(0, 0), Tool(0, kNoTool), Tool(kNoTool, kNoTool), Tool(3, 3)},
       {{{0, 1}, {2}}, {{3, 4}}}},
      {"toolset mate alone brings its group", {Tool(kNoTool, kNoTool), Tool(kNoTool, 0)}, {{{0, 1}}}},
      {"group mate of a later group member", {Tool(kNoTool, kNoTool), Tool(kNoTool, kNoTool), Tool(1, kNoTool), Tool(2, 0)},
       {{{0}}, {{1}, {2}, {3}}}},
  };
  for (const Case& c : cases) EXPECT_EQ(Shape(LayoutPalette(c.tools)), c.expected) << c.name;
}

TEST(PaletteIcons, VariantFollowsAppearanceAndDensityTheScale) {
  const host::ToolInfo tool = Tool(kNoTool, kNoTool, 16052, 17052);
  EXPECT_EQ(IconId(tool, 1.0), 16052);
  EXPECT_EQ(IconId(tool, 0.5), 16052);
  EXPECT_EQ(IconId(tool, 0.0), 17052);
  EXPECT_EQ(IconId(Tool(kNoTool, kNoTool, 16052, 0), 0.0), 16052) << "no dark icon registered";
  EXPECT_EQ(DensityClass(1), 10);
  EXPECT_EQ(DensityClass(1.5), 15);
  EXPECT_EQ(DensityClass(2), 20);
  EXPECT_EQ(DensityClass(3), 20);
}

}  // namespace
}  // namespace desktop
