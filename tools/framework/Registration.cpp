#include "tools/framework/Registration.h"

#include "plugin/Error.h"
#include "plugin/HostCall.h"
#include "tools/framework/BaseTool.h"

namespace Tools {

namespace {

// The dark-interface icon of a tool has this offset from its light one.
constexpr int32_t kDarkIconOffset = 1000;

using IdOf = int32_t (BaseTool::*)() const;

// The host number of the first earlier tool sharing this tool's id.
int16_t MateNumber(const ToolTable& tools, std::size_t index, IdOf idOf) {
  const int32_t id = (tools[index].tool->*idOf)();
  if (id == kNoToolGroup) return kNoTool;
  const AIToolSuite& toolSuite = ai::Suites().Tool();
  for (std::size_t i = 0; i < index; ++i) {
    const ToolEntry& earlier = tools[i];
    if (!earlier.tool || !earlier.handle || (earlier.tool->*idOf)() != id) continue;
    int16_t number = kNoTool;
    if (toolSuite.GetToolNumberFromHandle(earlier.handle, &number) == kNoErr) return number;
  }
  return kNoTool;
}

void RegisterTool(SPPluginRef self, ToolTable& tools, std::size_t index) {
  ToolEntry& entry = tools[index];
  const BaseTool& tool = *entry.tool;
  const int32_t icon = tool.IconResourceId();
  const AIAddToolData data{tool.Title(),
                           tool.Tooltip(),
                           0,
                           icon,
                           icon + kDarkIconOffset,
                           MateNumber(tools, index, &BaseTool::GroupId),
                           MateNumber(tools, index, &BaseTool::ToolsetId)};
  AIToolHandle handle = nullptr;
  if (ai::Suites().Tool().AddTool(self, tool.Title(), &data, tool.ToolOptions(), &handle) != kNoErr) handle = nullptr;
  entry.handle = handle;
}

void RegisterAnnotator(SPPluginRef self, AnnotatorEntry& entry) {
  const AIAnnotatorSuite& annotators = ai::Suites().Annotator();
  AIAnnotatorHandle handle = nullptr;
  if (annotators.AddAnnotator(self, entry.tool->AnnotatorName(), &handle) != kNoErr || !handle) {
    entry.handle = nullptr;
    return;
  }
  entry.handle = handle;
  ai::Check(annotators.SetAnnotatorActive(handle, false));
}

}  // namespace

void RegisterTools(const SPMessageData& header, ToolTable& tools, AnnotatorTable& annotators) {
  for (std::size_t i = 0; i < tools.size(); ++i)
    if (tools[i].tool) RegisterTool(header.self, tools, i);
  for (AnnotatorEntry& entry : annotators)
    if (entry.tool) RegisterAnnotator(header.self, entry);
}

}  // namespace Tools
