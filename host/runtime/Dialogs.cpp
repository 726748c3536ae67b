#include "host/Dialogs.h"

#include "host/runtime/AppState.h"

namespace host {
namespace {

using runtime::App;
using runtime::ControlRecord;
using runtime::WindowRecord;

ControlInfo InfoOf(const ControlRecord& c, CorvaneControlRef focus, CorvaneControlRef self) {
  return ControlInfo{self, c.id,    c.kind,   c.bounds, c.text, c.value,        c.enabled,  c.visible,
                     focus == self, c.width, c.height, c.rgba, c.hasTextColor, c.textColor};
}

WindowInfo InfoOf(const WindowRecord& w, AIWindowRef ref) {
  WindowInfo info{ref, w.kind, w.name, w.title, w.bounds, w.owner, w.visible, w.enabled, w.modal,
                  std::nullopt, w.colorChanges, {}};
  if (w.hasColors) info.colors = w.colors;
  for (CorvaneControlRef c : w.controls)
    if (const ControlRecord* r = App().windowSystem.controls.Find(c)) info.controls.push_back(InfoOf(*r, w.focus, c));
  return info;
}

AIWindowRef ActiveRef() {
  runtime::WindowSystem& ws = App().windowSystem;
  if (!ws.modalStack.empty()) return ws.modalStack.back();
  AIWindowRef found = nullptr;
  ws.windows.ForEach([&](const WindowRecord& r) {
    if (r.visible) found = ws.windows.HandleOf(r);
  });
  return found;
}

AIWindowRef RequireActive() {
  AIWindowRef w = ActiveRef();
  if (!w) throw HostError(kBadParameterErr, "no dialog is open");
  return w;
}

// The usable control of the active window with the id.
CorvaneControlRef RequireControl(AIWindowRef window, int32_t id) {
  runtime::WindowSystem& ws = App().windowSystem;
  const WindowRecord& w = ws.windows.Get(window, "window");
  for (CorvaneControlRef c : w.controls) {
    const ControlRecord& r = ws.controls.Get(c, "control");
    if (r.id != id) continue;
    if (!r.visible) throw HostError(kBadParameterErr, "item " + std::to_string(id) + " of \"" + w.name + "\" is hidden");
    if (!r.enabled) throw HostError(kBadParameterErr, "item " + std::to_string(id) + " of \"" + w.name + "\" is disabled");
    return c;
  }
  throw HostError(kBadParameterErr, "\"" + w.name + "\" has no item " + std::to_string(id));
}

CorvaneWindowEvent Event(int32_t kind, CorvaneControlRef control, int32_t id) {
  return CorvaneWindowEvent{kind, control, id, 0, {}};
}

}  // namespace

const ControlInfo* WindowInfo::Control(int32_t id) const {
  for (const ControlInfo& c : controls)
    if (c.id == id) return &c;
  return nullptr;
}

std::vector<WindowInfo> Windows(const Host&) {
  std::vector<WindowInfo> list;
  const auto& windows = App().windowSystem.windows;
  windows.ForEach([&](const WindowRecord& r) { list.push_back(InfoOf(r, windows.HandleOf(r))); });
  return list;
}

std::optional<WindowInfo> ActiveDialog(const Host&) {
  AIWindowRef w = ActiveRef();
  if (!w) return std::nullopt;
  return InfoOf(App().windowSystem.windows.Get(w, "window"), w);
}

AIWindowRef AppWindow(const Host&) { return reinterpret_cast<AIWindowRef>(&App().appWindowToken); }
bool AppWindowEnabled(const Host&) { return App().windowSystem.appWindowEnabled; }
int ModalDepth(const Host&) { return static_cast<int>(App().windowSystem.modalStack.size()); }
void SetModalDriver(Host&, std::function<void()> driver) { App().windowSystem.modalDriver = std::move(driver); }
std::vector<std::string> ClosedUnendedDialogs(const Host&) { return App().windowSystem.closedUnended; }
std::vector<AIErr> WindowEventFailures(const Host&) { return App().windowSystem.eventFailures; }

AIErr TypeText(Host&, int32_t id, std::string_view text) {
  const AIWindowRef w = RequireActive();
  const CorvaneControlRef c = RequireControl(w, id);
  ControlRecord& r = App().windowSystem.controls.Get(c, "control");
  if (r.kind != kCorvaneControlEdit) throw HostError(kBadParameterErr, "item " + std::to_string(id) + " is not a text field");
  App().windowSystem.windows.Get(w, "window").focus = c;
  r.text = text;
  if (AIErr err = runtime::SendWindowEvent(w, Event(kCorvaneEventTextChanged, c, id))) return err;
  if (!App().windowSystem.controls.Find(c)) return kNoErr;
  return runtime::SendWindowEvent(w, Event(kCorvaneEventTextCommitted, c, id));
}

AIErr Toggle(Host&, int32_t id) {
  const AIWindowRef w = RequireActive();
  const CorvaneControlRef c = RequireControl(w, id);
  ControlRecord& r = App().windowSystem.controls.Get(c, "control");
  if (r.kind == kCorvaneControlCheckBox)
    r.value = r.value ? 0 : 1;
  else if (r.kind == kCorvaneControlRadio)
    r.value = 1;
  else
    throw HostError(kBadParameterErr, "item " + std::to_string(id) + " is not a check box or radio button");
  return runtime::SendWindowEvent(w, Event(kCorvaneEventClick, c, id));
}

AIErr Press(Host&, int32_t id) {
  const AIWindowRef w = RequireActive();
  const CorvaneControlRef c = RequireControl(w, id);
  return runtime::SendWindowEvent(w, Event(kCorvaneEventClick, c, id));
}

AIErr PressKey(Host&, int32_t key) {
  const AIWindowRef w = RequireActive();
  CorvaneWindowEvent e = Event(kCorvaneEventKey, App().windowSystem.windows.Get(w, "window").focus, 0);
  e.key = key;
  return runtime::SendWindowEvent(w, e);
}

AIErr CloseDialog(Host&) {
  return runtime::SendWindowEvent(RequireActive(), Event(kCorvaneEventClose, nullptr, 0));
}

void SetWindowBackend(Host&, WindowBackend* backend) { App().windowSystem.backend = backend; }

std::optional<WindowInfo> WindowOf(const Host&, AIWindowRef window) {
  const WindowRecord* w = App().windowSystem.windows.Find(window);
  if (!w) return std::nullopt;
  return InfoOf(*w, window);
}

namespace {

ControlRecord& RecordOf(CorvaneControlRef control) { return App().windowSystem.controls.Get(control, "control"); }

}  // namespace

AIErr EditControlText(Host&, CorvaneControlRef control, std::string_view text) {
  ControlRecord& r = RecordOf(control);
  r.text = text;
  return runtime::SendWindowEvent(r.window, Event(kCorvaneEventTextChanged, control, r.id));
}

AIErr CommitControlText(Host&, CorvaneControlRef control) {
  const ControlRecord& r = RecordOf(control);
  return runtime::SendWindowEvent(r.window, Event(kCorvaneEventTextCommitted, control, r.id));
}

AIErr ClickControl(Host&, CorvaneControlRef control) {
  ControlRecord& r = RecordOf(control);
  if (r.kind == kCorvaneControlCheckBox) r.value = r.value ? 0 : 1;
  if (r.kind == kCorvaneControlRadio) r.value = 1;
  return runtime::SendWindowEvent(r.window, Event(kCorvaneEventClick, control, r.id));
}

AIErr PressWindowKey(Host&, AIWindowRef window, int32_t key) {
  CorvaneWindowEvent e = Event(kCorvaneEventKey, App().windowSystem.windows.Get(window, "window").focus, 0);
  e.key = key;
  return runtime::SendWindowEvent(window, e);
}

AIErr CloseWindow(Host&, AIWindowRef window) {
  App().windowSystem.windows.Get(window, "window");
  return runtime::SendWindowEvent(window, Event(kCorvaneEventClose, nullptr, 0));
}

}  // namespace host
