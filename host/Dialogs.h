// The plug-in's windows in the stand-in host, seen and driven the way a
// person would: list the open dialogs with their controls, type into a
// field, press a button, toggle a box, press a key, close a window, switch
// the appearance.  One Host per process: these work on the running one.
//
// Actions go to the innermost window whose modal loop runs, or else to the
// topmost visible window; they throw HostError (kBadParameterErr) when there
// is no such window, no control with the id, or the control is disabled or
// hidden.  Each returns what the plug-in's window procedure returned.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/Host.h"

namespace host {

struct ControlInfo {
  CorvaneControlRef ref = nullptr;
  int32_t id = 0;
  int32_t kind = kCorvaneControlLabel;
  AIRect bounds{};  // client pixels
  std::string text;
  int32_t value = 0;
  bool enabled = true;
  bool visible = true;
  bool focused = false;
  int32_t width = 0;  // pixels of a picture or user area
  int32_t height = 0;
  std::vector<uint8_t> rgba;
  bool hasTextColor = false;  // labels: their own text colour
  AIRGBColor textColor{};
};

struct WindowInfo {
  AIWindowRef ref = nullptr;
  int32_t kind = kCorvaneWindowCaptioned;
  std::string name;
  std::string title;
  AIRect bounds{};  // client area, screen pixels
  AIWindowRef owner = nullptr;
  bool visible = false;
  bool enabled = true;
  bool modal = false;
  std::optional<CorvaneWindowColors> colors;
  int colorChanges = 0;
  std::vector<ControlInfo> controls;

  const ControlInfo* Control(int32_t id) const;
};

// Open windows in creation order.
std::vector<WindowInfo> Windows(const Host& host);
// The window actions go to; nothing when none is open and visible.
std::optional<WindowInfo> ActiveDialog(const Host& host);
AIWindowRef AppWindow(const Host& host);
bool AppWindowEnabled(const Host& host);
// Windows whose modal loop runs.
int ModalDepth(const Host& host);
// Runs while a modal loop runs (see WindowSystem); empty: loops are closed
// at once.
void SetModalDriver(Host& host, std::function<void()> driver);
// Dialogs the host closed because their loop was still running when the
// driver returned, in order.
std::vector<std::string> ClosedUnendedDialogs(const Host& host);
// Failures the plug-in returned from its window procedures, in order.
std::vector<AIErr> WindowEventFailures(const Host& host);

// Types text into an edit field as a person would: the text replaces the
// field's, a change notification follows, then the commit (Enter).
AIErr TypeText(Host& host, int32_t id, std::string_view text);
// A click on a check box (its value flips) or a radio button (it turns on).
AIErr Toggle(Host& host, int32_t id);
// A click on a push button (or any control).
AIErr Press(Host& host, int32_t id);
// kCorvaneKeyEscape, kCorvaneKeyEnter, ...
AIErr PressKey(Host& host, int32_t key);
// The close box.
AIErr CloseDialog(Host& host);

}  // namespace host

namespace host {

// A window system that shows the plug-in's windows on screen (the desktop
// host's).  The window suite keeps every window's and control's state as
// before and tells the backend after each change; the backend reads the state
// back (WindowOf) and mirrors it, and it runs the modal loops in place of the
// modal driver.  What a person does in a shown window comes back through
// the functions below, on the window and control it was done to.
class WindowBackend {
 public:
  virtual ~WindowBackend() = default;
  // Created, or its bounds, title, colours, visibility or enabled state changed.
  virtual void WindowChanged(AIWindowRef window) = 0;
  // About to go, with its controls.
  virtual void WindowDestroyed(AIWindowRef window) = 0;
  // Created, or its bounds, text, value, state, pixels or colour changed.
  virtual void ControlChanged(AIWindowRef window, CorvaneControlRef control) = 0;
  virtual void AppWindowEnabled(bool enabled) = 0;
  // Returns once EndModalLoop was called for the window or it was destroyed.
  virtual void RunModalLoop(AIWindowRef window) = 0;
  virtual void EndModalLoop(AIWindowRef window) = 0;
};

// nullptr: the headless window system (the modal driver runs the loops).
void SetWindowBackend(Host& host, WindowBackend* backend);
std::optional<WindowInfo> WindowOf(const Host& host, AIWindowRef window);

// The text of an edit field typed by a person: its text replaced, then a
// change notification.
AIErr EditControlText(Host& host, CorvaneControlRef control, std::string_view text);
// Enter in an edit field, or the focus leaving it after a change.
AIErr CommitControlText(Host& host, CorvaneControlRef control);
// A click on a control: a check box's value flips, a radio turns on.
AIErr ClickControl(Host& host, CorvaneControlRef control);
AIErr PressWindowKey(Host& host, AIWindowRef window, int32_t key);
AIErr CloseWindow(Host& host, AIWindowRef window);

}  // namespace host
