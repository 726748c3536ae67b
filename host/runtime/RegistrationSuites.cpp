// "AI Tool Suite", "AI Annotator Suite" and "AI Notifier Suite": what a
// plug-in registers with the host, kept in registration order.
#include <limits>

#include "host/core/SuiteCall.h"
#include "host/runtime/AppState.h"
#include "host/runtime/Suites.h"
#include "host/runtime/TextEncoding.h"

namespace host::runtime {
namespace {

std::string Text(const char* s, const char* what) { return Required(s, what); }

// A mate must be kNoTool or the number of a tool registered before.
int16_t Mate(int16_t number, const char* what) {
  if (number == kNoTool) return number;
  if (number < 0 || static_cast<std::size_t>(number) >= App().tools.size())
    throw HostError(kBadParameterErr, std::string(what) + " names no registered tool");
  return number;
}

// --- AI Tool Suite

AIErr AddTool(SPPluginRef self, const char* name, const AIAddToolData* data, int32_t options, AIToolHandle* tool) {
  return SuiteCall(kAIToolSuite, "AddTool", [&] {
    *Required(tool, "tool") = nullptr;
    RequirePlugin(self);
    Required(data, "add-tool data");
    AppState& app = App();
    if (app.tools.size() > static_cast<std::size_t>(std::numeric_limits<int16_t>::max()))
      throw HostError(kBadParameterErr, "too many tools");
    ToolInfo info;
    info.plugin = self;
    info.name = Text(name, "tool name");
    info.title = Text(data->title, "tool title");
    info.tooltip = data->tooltip ? PlatformToUtf8(data->tooltip) : std::string();
    info.iconId = data->normalIconResID;
    info.darkIconId = data->darkIconResID;
    info.sameGroupAs = Mate(data->sameGroupAs, "group mate");
    info.sameToolsetAs = Mate(data->sameToolsetAs, "toolset mate");
    info.options = options;
    info.number = static_cast<int16_t>(app.tools.size());
    const AIToolHandle handle = app.tools.Add(std::move(info));
    app.tools.Get(handle, "tool").handle = handle;
    *tool = handle;
    return kNoErr;
  });
}

AIErr GetToolNumberFromHandle(AIToolHandle tool, int16_t* number) {
  return SuiteCall(kAIToolSuite, "GetToolNumberFromHandle", [&] {
    *Required(number, "number") = App().tools.Get(tool, "tool").number;
    return kNoErr;
  });
}

AIErr GetToolHandleFromNumber(int16_t number, AIToolHandle* tool) {
  return SuiteCall(kAIToolSuite, "GetToolHandleFromNumber", [&] {
    *Required(tool, "tool") = nullptr;
    AppState& app = App();
    if (number < 0 || static_cast<std::size_t>(number) >= app.tools.size())
      throw HostError(kBadParameterErr, "no tool has number " + std::to_string(number));
    *tool = app.tools.at(static_cast<std::size_t>(number)).handle;
    return kNoErr;
  });
}

AIErr GetToolName(AIToolHandle tool, const char** name) {
  return SuiteCall(kAIToolSuite, "GetToolName", [&] {
    *Required(name, "name") = App().tools.Get(tool, "tool").name.c_str();
    return kNoErr;
  });
}

AIErr GetSelectedTool(AIToolHandle* tool) {
  return SuiteCall(kAIToolSuite, "GetSelectedTool", [&] {
    *Required(tool, "tool") = App().selectedTool;
    return kNoErr;
  });
}

const AIToolSuite kTool = {AddTool, GetToolNumberFromHandle, GetToolHandleFromNumber, GetToolName, GetSelectedTool};

// --- AI Annotator Suite: new annotators are active until the plug-in says
// otherwise.

AIErr AddAnnotator(SPPluginRef self, const char* name, AIAnnotatorHandle* annotator) {
  return SuiteCall(kAIAnnotatorSuite, "AddAnnotator", [&] {
    *Required(annotator, "annotator") = nullptr;
    RequirePlugin(self);
    AppState& app = App();
    const AIAnnotatorHandle handle = app.annotators.Add(AnnotatorInfo{nullptr, Text(name, "annotator name"), true});
    app.annotators.Get(handle, "annotator").handle = handle;
    *annotator = handle;
    return kNoErr;
  });
}

AIErr GetAnnotatorName(AIAnnotatorHandle annotator, const char** name) {
  return SuiteCall(kAIAnnotatorSuite, "GetAnnotatorName", [&] {
    *Required(name, "name") = App().annotators.Get(annotator, "annotator").name.c_str();
    return kNoErr;
  });
}

AIErr SetAnnotatorActive(AIAnnotatorHandle annotator, AIBoolean active) {
  return SuiteCall(kAIAnnotatorSuite, "SetAnnotatorActive", [&] {
    App().annotators.Get(annotator, "annotator").active = active != 0;
    return kNoErr;
  });
}

AIErr GetAnnotatorActive(AIAnnotatorHandle annotator, AIBoolean* active) {
  return SuiteCall(kAIAnnotatorSuite, "GetAnnotatorActive", [&] {
    *Required(active, "active") = App().annotators.Get(annotator, "annotator").active;
    return kNoErr;
  });
}

// The host has one view; the rectangles are kept for the caller to read back.
AIErr InvalAnnotationRect(AIDocumentViewHandle view, const AIRect* rect) {
  return SuiteCall(kAIAnnotatorSuite, "InvalAnnotationRect", [&] {
    AppState& app = App();
    if (!view || !app.currentView || view != app.currentView())
      throw HostError(kBadHandleErr, "not the view of the open document");
    app.invalidatedRects.push_back(*Required(rect, "rect"));
    return kNoErr;
  });
}

const AIAnnotatorSuite kAnnotator = {AddAnnotator, GetAnnotatorName, SetAnnotatorActive, GetAnnotatorActive,
                                     InvalAnnotationRect};

// --- AI Notifier Suite: new notifiers are active until the plug-in says
// otherwise.

AIErr AddNotifier(SPPluginRef self, const char* name, const char* type, AINotifierHandle* notifier) {
  return SuiteCall(kAINotifierSuite, "AddNotifier", [&] {
    *Required(notifier, "notifier") = nullptr;
    RequirePlugin(self);
    AppState& app = App();
    const AINotifierHandle handle =
        app.notifiers.Add(NotifierInfo{nullptr, Text(name, "notifier name"), Text(type, "notifier type"), true});
    app.notifiers.Get(handle, "notifier").handle = handle;
    *notifier = handle;
    return kNoErr;
  });
}

AIErr SetNotifierActive(AINotifierHandle notifier, AIBoolean active) {
  return SuiteCall(kAINotifierSuite, "SetNotifierActive", [&] {
    App().notifiers.Get(notifier, "notifier").active = active != 0;
    return kNoErr;
  });
}

AIErr GetNotifierActive(AINotifierHandle notifier, AIBoolean* active) {
  return SuiteCall(kAINotifierSuite, "GetNotifierActive", [&] {
    *Required(active, "active") = App().notifiers.Get(notifier, "notifier").active;
    return kNoErr;
  });
}

const AINotifierSuite kNotifier = {AddNotifier, SetNotifierActive, GetNotifierActive};

}  // namespace

void AddRegistrationSuites(SuiteRegistry& registry) {
  registry.Add(kAIToolSuite, kAIToolSuiteVersion, &kTool);
  registry.Add(kAIAnnotatorSuite, kAIAnnotatorSuiteVersion, &kAnnotator);
  registry.Add(kAINotifierSuite, kAINotifierSuiteVersion, &kNotifier);
}

}  // namespace host::runtime
