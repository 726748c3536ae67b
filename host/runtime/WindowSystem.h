// The host's windows and controls as the window suite sees them: what the
// plug-in created, where, with which texts, values and states, which window
// runs a modal loop, and who drives that loop.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "host/runtime/HandleTable.h"
#include "sdk/Corvane.h"

namespace host {
class WindowBackend;  // host/Dialogs.h
}

namespace host::runtime {

struct ControlRecord {
  AIWindowRef window = nullptr;
  int32_t kind = kCorvaneControlLabel;
  int32_t id = 0;
  AIRect bounds{};
  std::string text;
  int32_t value = 0;
  bool enabled = true;
  bool visible = true;
  int32_t width = 0;  // pixels of a picture or user area
  int32_t height = 0;
  std::vector<uint8_t> rgba;
  bool hasTextColor = false;
  AIRGBColor textColor{};
};

struct WindowRecord {
  int32_t kind = kCorvaneWindowCaptioned;
  AIWindowRef owner = nullptr;
  std::string name;
  std::string title;
  AIRect bounds{};
  CorvaneWindowEventProc proc = nullptr;
  void* refcon = nullptr;
  bool visible = false;
  bool enabled = true;
  bool hasColors = false;
  CorvaneWindowColors colors{};
  int colorChanges = 0;  // how often the plug-in repainted it with new colours
  std::vector<CorvaneControlRef> controls;  // in creation order
  CorvaneControlRef focus = nullptr;
  bool modal = false;  // its modal loop runs
};

struct WindowSystem {
  HandleTable<AIWindowRef, WindowRecord> windows;
  HandleTable<CorvaneControlRef, ControlRecord> controls;
  // Windows whose modal loop runs, innermost last.
  std::vector<AIWindowRef> modalStack;
  bool appWindowEnabled = true;
  // The screen's part that windows may cover: the document view's size.
  AIRect workArea{0, 0, 1024, 768};
  // Runs the "user" while a modal loop runs; returns when it has nothing more
  // to do.  Unset: the loop ends at once by a close of its window.
  std::function<void()> modalDriver;
  // Names of the dialogs the host closed because nobody ended their loop.
  std::vector<std::string> closedUnended;
  // Failures the plug-in returned from its window procedures.
  std::vector<AIErr> eventFailures;
  // Shows the windows and runs their modal loops; nullptr: headless.
  WindowBackend* backend = nullptr;
};

// Sends an event to a window's procedure (nothing for a window without one)
// and records a failure it returns.
AIErr SendWindowEvent(AIWindowRef window, const CorvaneWindowEvent& event);

}  // namespace host::runtime
