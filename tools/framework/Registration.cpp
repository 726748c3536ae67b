#include "tools/framework/Registration.h"

#include "hostcall/Error.h"
#include "hostcall/HostCall.h"
#include "resources/ResourceIds.h"
#include "tools/framework/BaseTool.h"

namespace Tools {

namespace {

using IdOf = int32_t (BaseTool::*)() const;

// The host number of the first earlier tool sharing this tool's id.
int16_t MateNumber(std::span<const ToolEntry> tools, std::size_t index, IdOf idOf) {
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

void RegisterTool(SPPluginRef self, std::span<ToolEntry> tools, std::size_t index) {
  ToolEntry& entry = tools[index];
  const BaseTool& tool = *entry.tool;
  const int32_t icon = tool.IconResourceId();
  const AIAddToolData data{tool.Title(),
                           tool.Tooltip(),
                           0,
                           icon,
                           icon + corvane::ids::kDarkIconOffset,
                           MateNumber(tools, index, &BaseTool::GroupId),
                           MateNumber(tools, index, &BaseTool::ToolsetId)};
  AIToolHandle handle = nullptr;
  if (ai::Suites().Tool().AddTool(self, tool.Title(), &data, tool.ToolOptions(), &handle) != kNoErr) handle = nullptr;
  entry.handle = handle;
}

void RegisterAnnotator(SPPluginRef self, AnnotatorEntry& entry) {
  const AIAnnotatorSuite& annotators = ai::Suites().Annotator();
  AIAnnotatorHandle handle = nullptr;
  if (annotators.AddAnnotator(self, entry.tool->AnnotatorName(), &handle) != kNoErr || !handle) handle = nullptr;
  entry.handle = handle;
  entry.tool->SetAnnotatorHandle(handle);
  if (!handle) return;
  ai::Check(annotators.SetAnnotatorActive(handle, false));
}

}  // namespace

void RegisterTools(const SPMessageData& header, std::span<ToolEntry> tools, std::span<AnnotatorEntry> annotators) {
  for (std::size_t i = 0; i < tools.size(); ++i)
    if (tools[i].tool) RegisterTool(header.self, tools, i);
  for (AnnotatorEntry& entry : annotators)
    if (entry.tool) RegisterAnnotator(header.self, entry);
}

}  // namespace Tools
