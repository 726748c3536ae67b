// The fourteen tools and their annotators as the host sees them after
// start-up.
#include <string>

#include "tests/plugin/PluginHost.h"

namespace plugin_test {
namespace {

constexpr AIErr kInjected = SP_FOURCC('X', 'Y', 'Z', 'W');

constexpr int16_t kNoMate = kNoTool;

struct ExpectedTool {
  const char* title;
  const char* tooltip;  // UTF-8: the host decodes the plug-in's GBK bytes
  int32_t icon;
  int toolsetMate;  // row of the first tool of the same toolset; -1: itself first
};

constexpr ExpectedTool kExpectedTools[] = {
    {"QM Circle by 2 or 3 points", "圆形通过2到3个点", 16052, -1},
    {"QM Tangent Circle", "切线圆", 16051, 0},
    {"QM Curvature circle", "弧度圆形", 16054, 0},
    {"QM Arc by three points", "弧形通过三点", 16061, 0},
    {"QM Arc start-end-direction", "弧形起点-终点-方向", 16062, 0},
    {"QM Tangent Line", "线相切的两条路径", 16065, -1},
    {"QM Perpendicular Line", "垂直的两个路径线", 16066, 5},
    {"QM Tangent to", "切线路径", 16067, 5},
    {"QM Perpendicular to", "垂直的路径线", 16068, 5},
    {"QM tangent line from", "从路径切线", 16069, 5},
    {"QM perpendicular line from", "从路径垂直线", 16070, 5},
    {"QM Connect", "连接", 16058, -1},
    {"QM Straighten", "拉直", 16064, 11},
    {"QM Orient", "定向", 16063, -1},
};

TEST(Registration, FourteenToolsInTableOrderWithTheirIdentity) {
  StartedHost h;
  const std::vector<host::ToolInfo> tools = h->Tools();
  ASSERT_EQ(tools.size(), std::size(kExpectedTools));
  for (std::size_t i = 0; i < tools.size(); ++i) {
    const ExpectedTool& expected = kExpectedTools[i];
    const host::ToolInfo& tool = tools[i];
    SCOPED_TRACE(expected.title);
    EXPECT_EQ(tool.title, expected.title);
    EXPECT_EQ(tool.name, expected.title);
    EXPECT_EQ(tool.tooltip, expected.tooltip);
    EXPECT_EQ(tool.iconId, expected.icon);
    EXPECT_EQ(tool.darkIconId, expected.icon + 1000);
    EXPECT_EQ(tool.options, 1);
    // Every tool is in group 1: all join the first tool's group.
    EXPECT_EQ(tool.sameGroupAs, i == 0 ? kNoMate : tools[0].number);
    EXPECT_EQ(tool.sameToolsetAs, expected.toolsetMate < 0 ? kNoMate : tools[expected.toolsetMate].number);
  }
}

TEST(Registration, OneInactiveAnnotatorPerToolNamedByItsTitle) {
  StartedHost h;
  const std::vector<host::AnnotatorInfo> annotators = h->Annotators();
  ASSERT_EQ(annotators.size(), std::size(kExpectedTools));
  for (std::size_t i = 0; i < annotators.size(); ++i) {
    SCOPED_TRACE(kExpectedTools[i].title);
    EXPECT_EQ(annotators[i].name, kExpectedTools[i].title);
    EXPECT_FALSE(annotators[i].active);
  }
}

// A refused tool is skipped as a mate: the next earlier tool of the same set
// takes its place.
TEST(Registration, RefusedToolIsSkippedAsAMate) {
  LoadedHost h;
  h->faults().Fail(kAIToolSuite, "AddTool", kInjected, 1);
  ASSERT_EQ(h->Startup(), kNoErr);
  const std::vector<host::ToolInfo> tools = h->Tools();
  ASSERT_EQ(tools.size(), 13u);
  EXPECT_EQ(tools[0].title, "QM Tangent Circle");
  EXPECT_EQ(tools[0].sameGroupAs, kNoTool);
  EXPECT_EQ(tools[0].sameToolsetAs, kNoTool);
  EXPECT_EQ(tools[1].title, "QM Curvature circle");
  EXPECT_EQ(tools[1].sameGroupAs, tools[0].number);
  EXPECT_EQ(tools[1].sameToolsetAs, tools[0].number);
  // Its annotator is still registered.
  EXPECT_EQ(h->Annotators().size(), 14u);
}

// A refused annotator leaves its tool selectable, with nothing to switch on.
TEST(Registration, RefusedAnnotatorLeavesTheToolWorking) {
  LoadedHost h;
  h->faults().Fail(kAIAnnotatorSuite, "AddAnnotator", kInjected, 1);
  ASSERT_EQ(h->Startup(), kNoErr);
  ASSERT_EQ(h->Annotators().size(), 13u);
  EXPECT_FALSE(AnnotatorNamed(*h, "QM Circle by 2 or 3 points").has_value());
  const int switches = h->faults().CallCount(kAIAnnotatorSuite, "SetAnnotatorActive");
  EXPECT_EQ(h->SelectTool("QM Circle by 2 or 3 points"), kNoErr);
  EXPECT_EQ(h->faults().CallCount(kAIAnnotatorSuite, "SetAnnotatorActive"), switches);
  EXPECT_EQ(AnnotatorStates(*h), std::vector<bool>(13, false));
}

}  // namespace
}  // namespace plugin_test
