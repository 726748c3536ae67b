// What a Host holds, shared by the files that implement its methods:
// Host.cpp (the module, messages, documents, undo, observation) and
// HostEvents.cpp (tools, mouse, annotations, menus, notifiers).
#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "host/Host.h"
#include "host/model/Changes.h"
#include "host/model/Workspace.h"
#include "host/runtime/AppState.h"
#include "host/runtime/PluginModule.h"
#include "host/runtime/Preferences.h"
#include "host/runtime/UndoHistory.h"

namespace host {

struct Host::Impl {
  explicit Impl(HostOptions opts);
  ~Impl();

  // Sends without checking that a plug-in is attached (LoadPlugin and
  // ReloadPlugin send "Reload" through it).
  AIErr Dispatch(const char* caller, const char* selector, void* message);
  // Sends a tool message about `tool` with an event of kind `what`.
  AIErr SendTool(const char* selector, AIToolHandle tool, AIRealPoint cursor, uint16_t what, uint16_t modifiers);
  // A mouse event for the selected tool (see Host::MouseDown).
  AIErr Mouse(const char* selector, uint16_t what, AIRealPoint p, uint16_t modifiers);
  // "AI Menu" with the item of that name; HostError when there is none.
  AIErr SendMenu(std::string_view name, const char* selector);
  // Closes the module when the plug-in holds no access reference on itself.
  void DetachAfterUnload();
  void CloseModule();
  void OpenModule(const std::filesystem::path& file);
  // The open document's view, asked of the document suites without counting
  // the call or letting a planned failure hit it.
  AIDocumentViewHandle CurrentView();
  uint32_t NowMs() const;

  HostOptions options;
  FaultInjector faults;
  SuiteRegistry suites{faults};
  // The host's own calls into the document suites go through these, so that
  // faults planned for the plug-in's calls are not used up by the host.
  FaultInjector hostFaults;
  SuiteRegistry hostSuites{hostFaults};
  runtime::AppState app;
  Workspace workspace;
  std::unique_ptr<Preferences> preferences;

  std::unique_ptr<runtime::PluginModule> module;
  std::filesystem::path modulePath;
  void* globals = nullptr;  // the plug-in's globals slot, kept between messages
  bool attached = false;    // "Reload" sent and no "Unload" since
  bool started = false;     // "Startup" succeeded and no "Shutdown" since
  int depth = 0;            // PIMain calls in progress

  runtime::UndoHistory undo;
  // A tool gesture is one undo step, as a user expects: the changes of a
  // press, its drags and its release (and of cursor moves before it, such as
  // a shape that follows the cursor between two clicks) are held as one step
  // from the document before the first of them, which the release records.
  // Any other message, undo and redo close the held step first.  The step
  // is the record of the changes made while its messages ran (the document
  // records into it only then).
  std::optional<model::Changes> heldStep;
  bool mouseEvent = false;  // the message being sent joins the held step
  bool holdStep = false;    // and keeps it open (every mouse event but the release)
  // Records the held step, if any.
  void CloseHeldStep();
  // Records the step, unless it changed nothing.
  void RecordStep(model::Changes step);
  uint16_t modifiers = 0;
  std::vector<DrawCall> drawing;
  std::chrono::steady_clock::time_point startTime = std::chrono::steady_clock::now();
};

}  // namespace host
