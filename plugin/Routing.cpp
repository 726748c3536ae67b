#include "plugin/Routing.h"

#include "QMDM/ImplCommon/QMDMLayer.h"
#include "plugin/MenuCommands.h"
#include "plugin/PluginGlobals.h"
#include "hostcall/Tokens.h"
#include "tools/framework/BaseTool.h"

namespace plugin {

namespace {

using ToolOperation = void (Tools::BaseTool::*)(AIToolMessage*);

struct ToolSelector {
  const char* selector;
  ToolOperation operation;
};

constexpr ToolSelector kToolSelectors[] = {
    {kSelectorAITrackToolCursor, &Tools::BaseTool::TrackCursor},
    {kSelectorAIToolMouseDown, &Tools::BaseTool::MouseDown},
    {kSelectorAIToolMouseDrag, &Tools::BaseTool::MouseDrag},
    {kSelectorAIToolMouseUp, &Tools::BaseTool::MouseUp},
    {kSelectorAISelectTool, &Tools::BaseTool::Select},
    {kSelectorAIDeselectTool, &Tools::BaseTool::Deselect},
    {kSelectorAIReselectTool, &Tools::BaseTool::Reselect},
    {kSelectorAIEditToolOptions, &Tools::BaseTool::EditOptions},
};

}  // namespace

void RouteToolMessage(const Tokens& tokens, const char* selector, AIToolMessage& message) {
  PluginGlobals* globals = CurrentGlobals();
  if (!globals) return;
  const Tools::ToolEntry* entry = FindTool(*globals, message.tool);
  if (!entry || !entry->tool) return;
  for (const ToolSelector& known : kToolSelectors) {
    if (tokens.Is(selector, known.selector)) {
      (entry->tool->*known.operation)(&message);
      return;
    }
  }
}

void RouteAnnotationMessage(const Tokens& tokens, const char* selector, AIAnnotatorMessage& message) {
  PluginGlobals* globals = CurrentGlobals();
  if (!globals) return;
  const Tools::AnnotatorEntry* entry = FindAnnotator(*globals, message.annotator);
  if (!entry || !entry->tool) return;
  if (tokens.Is(selector, kSelectorAIDrawAnnotation))
    entry->tool->DrawAnnotation(&message);
  else if (tokens.Is(selector, kSelectorAIInvalAnnotation))
    entry->tool->InvalidateAnnotation(&message);
}

void RouteMenuMessage(const Tokens& tokens, const char* selector, AIMenuMessage& message) {
  PluginGlobals* globals = CurrentGlobals();
  if (!globals) return;
  if (tokens.Is(selector, kSelectorAIGoMenuItem) && RunTrainingItem(*globals, message.menuItem)) return;
  const MenuEntry* entry = FindMenuItem(*globals, message.menuItem);
  if (!entry || !entry->command) return;
  if (tokens.Is(selector, kSelectorAIGoMenuItem))
    entry->command->Run(&message);
  else if (tokens.Is(selector, kSelectorAIUpdateMenuItem))
    entry->command->Update(&message);
}

void RouteNotification(AINotifierMessage& message) {
  QMDM::HandleNotifier(message);
  PluginGlobals* globals = CurrentGlobals();
  if (!globals) return;
  globals->selectionList.Dispatch(&message);
  globals->modifiersList.Dispatch(&message);
}

}  // namespace plugin
