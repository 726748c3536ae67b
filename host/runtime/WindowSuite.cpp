// "Corvane Window Suite": windows and controls with real state, a modal loop
// run by the host's modal driver (the command-line host replays the script's
// next commands; tests run their own steps), and events back to the plug-in.
// Nothing is shown; the renderer draws open windows into snapshots.
#include <algorithm>
#include <cstring>

#include "host/Dialogs.h"
#include "host/core/SuiteCall.h"
#include "host/runtime/AppState.h"
#include "host/runtime/Suites.h"

namespace host::runtime {
namespace {

// Windows are on a screen; keep their sizes to what one could show.
constexpr int32_t kMaxWindowSidePx = 1 << 15;
constexpr const char* kSuite = kCorvaneWindowSuite;

WindowSystem& Ws() { return App().windowSystem; }
AIWindowRef AppWindow() { return reinterpret_cast<AIWindowRef>(&App().appWindowToken); }
WindowRecord& Window(AIWindowRef w) { return Ws().windows.Get(w, "window"); }
ControlRecord& Control(CorvaneControlRef c) { return Ws().controls.Get(c, "control"); }

AIRect CheckedRect(const AIRect* r, const char* what) {
  const AIRect rect = *Required(r, what);
  const int64_t w = int64_t{rect.right} - rect.left, h = int64_t{rect.bottom} - rect.top;
  if (w < 0 || h < 0 || w > kMaxWindowSidePx || h > kMaxWindowSidePx)
    throw HostError(kBadParameterErr, std::string(what) + " of " + std::to_string(w) + " x " + std::to_string(h));
  return rect;
}

void RemoveFromModalStack(AIWindowRef w) { std::erase(Ws().modalStack, w); }

// A shown window system mirrors each change.
void Shown(AIWindowRef w) {
  if (Ws().backend) Ws().backend->WindowChanged(w);
}
void Shown(CorvaneControlRef c) {
  if (Ws().backend) Ws().backend->ControlChanged(Control(c).window, c);
}

AIErr CreateWindow(int32_t kind, AIWindowRef owner, const char* name, const char* title, const AIRect* bounds,
                   CorvaneWindowEventProc proc, void* refcon, AIWindowRef* window) {
  return SuiteCall(kSuite, "CreateWindow", [&] {
    *Required(window, "window") = nullptr;
    if (kind < kCorvaneWindowCaptioned || kind > kCorvaneWindowPanel)
      throw HostError(kBadParameterErr, "window kind " + std::to_string(kind));
    if (owner && owner != AppWindow() && !Ws().windows.Find(owner))
      throw HostError(kBadHandleErr, "unknown owner window");
    WindowRecord r;
    r.kind = kind;
    r.owner = owner;
    r.name = name ? name : "";
    r.title = title ? title : "";
    r.bounds = CheckedRect(bounds, "window bounds");
    r.proc = proc;
    r.refcon = refcon;
    *window = Ws().windows.Add(std::move(r));
    Shown(*window);
    return kNoErr;
  });
}

AIErr DestroyWindow(AIWindowRef window) {
  return SuiteCall(kSuite, "DestroyWindow", [&] {
    WindowRecord& w = Window(window);
    if (Ws().backend) Ws().backend->WindowDestroyed(window);
    for (CorvaneControlRef c : w.controls) Ws().controls.Remove(c);
    RemoveFromModalStack(window);
    Ws().windows.Remove(window);
    return kNoErr;
  });
}

AIErr SetWindowBounds(AIWindowRef window, const AIRect* bounds) {
  return SuiteCall(kSuite, "SetWindowBounds", [&] {
    Window(window).bounds = CheckedRect(bounds, "window bounds");
    Shown(window);
    return kNoErr;
  });
}

AIErr GetWindowBounds(AIWindowRef window, AIRect* bounds) {
  return SuiteCall(kSuite, "GetWindowBounds", [&] {
    *Required(bounds, "bounds") = Window(window).bounds;
    return kNoErr;
  });
}

AIErr GetWorkArea(AIRect* area) {
  return SuiteCall(kSuite, "GetWorkArea", [&] {
    *Required(area, "area") = Ws().workArea;
    return kNoErr;
  });
}

AIErr ShowWindow(AIWindowRef window, AIBoolean show) {
  return SuiteCall(kSuite, "ShowWindow", [&] {
    Window(window).visible = show != 0;
    Shown(window);
    return kNoErr;
  });
}

AIErr SetWindowTitle(AIWindowRef window, const char* title) {
  return SuiteCall(kSuite, "SetWindowTitle", [&] {
    Window(window).title = Required(title, "title");
    Shown(window);
    return kNoErr;
  });
}

AIErr SetWindowColors(AIWindowRef window, const CorvaneWindowColors* colors) {
  return SuiteCall(kSuite, "SetWindowColors", [&] {
    WindowRecord& w = Window(window);
    w.colors = *Required(colors, "colors");
    w.hasColors = true;
    ++w.colorChanges;
    Shown(window);
    return kNoErr;
  });
}

// The application window first, then every window that is not a panel's.
std::vector<AIWindowRef> TopWindows() {
  std::vector<AIWindowRef> top{AppWindow()};
  Ws().windows.ForEach([&](const WindowRecord& r) {
    if (r.kind != kCorvaneWindowPanel) top.push_back(Ws().windows.HandleOf(r));
  });
  return top;
}

AIErr CountTopWindows(int32_t* count) {
  return SuiteCall(kSuite, "CountTopWindows", [&] {
    *Required(count, "count") = static_cast<int32_t>(TopWindows().size());
    return kNoErr;
  });
}

AIErr GetNthTopWindow(int32_t n, AIWindowRef* window) {
  return SuiteCall(kSuite, "GetNthTopWindow", [&] {
    *Required(window, "window") = nullptr;
    const std::vector<AIWindowRef> top = TopWindows();
    if (n < 0 || static_cast<std::size_t>(n) >= top.size())
      throw HostError(kIndexRangeErr, "window " + std::to_string(n) + " of " + std::to_string(top.size()));
    *window = top[static_cast<std::size_t>(n)];
    return kNoErr;
  });
}

AIErr IsWindowVisible(AIWindowRef window, AIBoolean* visible) {
  return SuiteCall(kSuite, "IsWindowVisible", [&] {
    *Required(visible, "visible") = window == AppWindow() ? true : Window(window).visible;
    return kNoErr;
  });
}

AIErr IsWindowEnabled(AIWindowRef window, AIBoolean* enabled) {
  return SuiteCall(kSuite, "IsWindowEnabled", [&] {
    *Required(enabled, "enabled") = window == AppWindow() ? Ws().appWindowEnabled : Window(window).enabled;
    return kNoErr;
  });
}

AIErr EnableWindow(AIWindowRef window, AIBoolean enable) {
  return SuiteCall(kSuite, "EnableWindow", [&] {
    if (window == AppWindow()) {
      Ws().appWindowEnabled = enable != 0;
      if (Ws().backend) Ws().backend->AppWindowEnabled(enable != 0);
    } else {
      Window(window).enabled = enable != 0;
      Shown(window);
    }
    return kNoErr;
  });
}

AIErr ActivateWindow(AIWindowRef window) {
  return SuiteCall(kSuite, "ActivateWindow", [&] {
    if (window != AppWindow()) Window(window);
    return kNoErr;
  });
}

AIErr CreateControl(AIWindowRef window, int32_t kind, int32_t id, const AIRect* bounds, CorvaneControlRef* control) {
  return SuiteCall(kSuite, "CreateControl", [&] {
    *Required(control, "control") = nullptr;
    WindowRecord& w = Window(window);
    if (kind < kCorvaneControlPushButton || kind > kCorvaneControlUserArea)
      throw HostError(kBadParameterErr, "control kind " + std::to_string(kind));
    ControlRecord r;
    r.window = window;
    r.kind = kind;
    r.id = id;
    r.bounds = CheckedRect(bounds, "control bounds");
    *control = Ws().controls.Add(std::move(r));
    w.controls.push_back(*control);
    Shown(*control);
    return kNoErr;
  });
}

AIErr SetControlBounds(CorvaneControlRef control, const AIRect* bounds) {
  return SuiteCall(kSuite, "SetControlBounds", [&] {
    Control(control).bounds = CheckedRect(bounds, "control bounds");
    Shown(control);
    return kNoErr;
  });
}

AIErr SetControlText(CorvaneControlRef control, const char* text) {
  return SuiteCall(kSuite, "SetControlText", [&] {
    Control(control).text = Required(text, "text");
    Shown(control);
    return kNoErr;
  });
}

AIErr GetControlText(CorvaneControlRef control, char* buffer, int32_t capacity, int32_t* length) {
  return SuiteCall(kSuite, "GetControlText", [&] {
    const std::string& text = Control(control).text;
    if (length) *length = static_cast<int32_t>(text.size());
    if (capacity > 0) {
      const std::size_t n = std::min(text.size(), static_cast<std::size_t>(capacity) - 1);
      std::memcpy(Required(buffer, "buffer"), text.data(), n);
      buffer[n] = '\0';
    }
    return kNoErr;
  });
}

AIErr SetControlValue(CorvaneControlRef control, int32_t value) {
  return SuiteCall(kSuite, "SetControlValue", [&] {
    Control(control).value = value;
    Shown(control);
    return kNoErr;
  });
}

AIErr GetControlValue(CorvaneControlRef control, int32_t* value) {
  return SuiteCall(kSuite, "GetControlValue", [&] {
    *Required(value, "value") = Control(control).value;
    return kNoErr;
  });
}

AIErr SetControlEnabled(CorvaneControlRef control, AIBoolean enabled) {
  return SuiteCall(kSuite, "SetControlEnabled", [&] {
    Control(control).enabled = enabled != 0;
    Shown(control);
    return kNoErr;
  });
}

AIErr SetControlVisible(CorvaneControlRef control, AIBoolean visible) {
  return SuiteCall(kSuite, "SetControlVisible", [&] {
    Control(control).visible = visible != 0;
    Shown(control);
    return kNoErr;
  });
}

bool TakesFocus(const ControlRecord& c) {
  return c.kind != kCorvaneControlLabel && c.kind != kCorvaneControlFrame && c.kind != kCorvaneControlPicture &&
         c.kind != kCorvaneControlUserArea;
}

AIErr SetFocus(CorvaneControlRef control) {
  return SuiteCall(kSuite, "SetFocus", [&] {
    ControlRecord& c = Control(control);
    if (!TakesFocus(c) || !c.enabled || !c.visible)
      throw HostError(kBadParameterErr, "control " + std::to_string(c.id) + " cannot take the focus");
    Window(c.window).focus = control;
    Shown(control);
    return kNoErr;
  });
}

AIErr GetFocus(AIWindowRef window, CorvaneControlRef* control) {
  return SuiteCall(kSuite, "GetFocus", [&] {
    *Required(control, "control") = Window(window).focus;
    return kNoErr;
  });
}

AIErr SetControlPixels(CorvaneControlRef control, const uint8_t* rgba, int32_t width, int32_t height) {
  return SuiteCall(kSuite, "SetControlPixels", [&] {
    ControlRecord& c = Control(control);
    if (width < 0 || height < 0 || width > kMaxWindowSidePx || height > kMaxWindowSidePx)
      throw HostError(kBadParameterErr, "pixels of " + std::to_string(width) + " x " + std::to_string(height));
    const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    if (bytes) Required(rgba, "rgba");
    c.width = width;
    c.height = height;
    c.rgba.assign(rgba, rgba + bytes);
    Shown(control);
    return kNoErr;
  });
}

AIErr SetControlTextColor(CorvaneControlRef control, const AIRGBColor* color) {
  return SuiteCall(kSuite, "SetControlTextColor", [&] {
    ControlRecord& c = Control(control);
    c.textColor = *Required(color, "color");
    c.hasTextColor = true;
    Shown(control);
    return kNoErr;
  });
}

bool InModalStack(AIWindowRef w) {
  const auto& stack = Ws().modalStack;
  return std::find(stack.begin(), stack.end(), w) != stack.end();
}

// A loop nobody ended is closed the way a person closes a window; a plug-in
// that ignores even that has its loop ended by the host.
void CloseUnended(AIWindowRef window) {
  if (!InModalStack(window)) return;
  Ws().closedUnended.push_back(Window(window).name);
  SendWindowEvent(window, CorvaneWindowEvent{kCorvaneEventClose, nullptr, 0, 0, {}});
  if (Ws().windows.Find(window)) Window(window).modal = false;
  RemoveFromModalStack(window);
}

AIErr RunModalLoop(AIWindowRef window) {
  return SuiteCall(kSuite, "RunModalLoop", [&] {
    WindowRecord& w = Window(window);
    if (w.modal) throw HostError(kBadParameterErr, "the window's modal loop runs already");
    w.modal = true;
    Ws().modalStack.push_back(window);
    if (Ws().backend) {
      Ws().backend->RunModalLoop(window);
    } else if (Ws().modalDriver) {
      // Copied: the driver may install another one for a nested loop.
      const std::function<void()> driver = Ws().modalDriver;
      driver();
    }
    CloseUnended(window);
    return kNoErr;
  });
}

AIErr EndModalLoop(AIWindowRef window) {
  return SuiteCall(kSuite, "EndModalLoop", [&] {
    WindowRecord& w = Window(window);
    if (!w.modal) throw HostError(kBadParameterErr, "the window runs no modal loop");
    w.modal = false;
    RemoveFromModalStack(window);
    if (Ws().backend) Ws().backend->EndModalLoop(window);
    return kNoErr;
  });
}

const CorvaneWindowSuite kWindow = {
    CreateWindow,    DestroyWindow,    SetWindowBounds,   GetWindowBounds,   GetWorkArea,     ShowWindow,
    SetWindowTitle,  SetWindowColors,  CountTopWindows,   GetNthTopWindow,   IsWindowVisible, IsWindowEnabled,
    EnableWindow,    ActivateWindow,   CreateControl,     SetControlBounds,  SetControlText,  GetControlText,
    SetControlValue, GetControlValue,  SetControlEnabled, SetControlVisible, SetFocus,        GetFocus,
    SetControlPixels, SetControlTextColor, RunModalLoop,    EndModalLoop};

}  // namespace

AIErr SendWindowEvent(AIWindowRef window, const CorvaneWindowEvent& event) {
  const WindowRecord* w = Ws().windows.Find(window);
  if (!w || !w->proc) return kNoErr;
  const AIErr err = w->proc(w->refcon, window, &event);
  if (err) Ws().eventFailures.push_back(err);
  return err;
}

void AddWindowSuite(SuiteRegistry& registry) { registry.Add(kCorvaneWindowSuite, kCorvaneWindowSuiteVersion, &kWindow); }

}  // namespace host::runtime
