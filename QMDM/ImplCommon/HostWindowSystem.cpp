#include <vector>

#include "QMDM/ImplCommon/WindowSystem.h"
#include "hostcall/Error.h"
#include "hostcall/HostCall.h"
#include "hostcall/HostText.h"

namespace QMDM {
namespace {

using ai::Check;

const CorvaneWindowSuite& W() { return ai::Suites().Window(); }

class HostWindows final : public IWindowSystem {
 public:
  int32_t DisplayDpi() override {
    int32_t dpiX = 0, dpiY = 0;
    Check(ai::Suites().Platform().GetDisplayResolution(&dpiX, &dpiY));
    return dpiX;
  }
  AIWindowRef CreateWindow(int32_t kind, AIWindowRef owner, const char* name, const char* title, const AIRect& bounds,
                           CorvaneWindowEventProc proc, void* refcon) override {
    AIWindowRef window = nullptr;
    Check(W().CreateWindow(kind, owner, name, ai::PlatformToUtf8(title).c_str(), &bounds, proc, refcon, &window));
    return window;
  }
  void DestroyWindow(AIWindowRef window) override { Check(W().DestroyWindow(window)); }
  void SetWindowBounds(AIWindowRef window, const AIRect& bounds) override {
    Check(W().SetWindowBounds(window, &bounds));
  }
  AIRect WorkArea() override {
    AIRect area{};
    Check(W().GetWorkArea(&area));
    return area;
  }
  void ShowWindow(AIWindowRef window, bool show) override { Check(W().ShowWindow(window, show)); }
  void SetWindowTitle(AIWindowRef window, const char* title) override {
    Check(W().SetWindowTitle(window, ai::PlatformToUtf8(title).c_str()));
  }
  void SetWindowColors(AIWindowRef window, const CorvaneWindowColors& colors) override {
    Check(W().SetWindowColors(window, &colors));
  }
  int32_t CountTopWindows() override {
    int32_t count = 0;
    Check(W().CountTopWindows(&count));
    return count;
  }
  AIWindowRef NthTopWindow(int32_t n) override {
    AIWindowRef window = nullptr;
    Check(W().GetNthTopWindow(n, &window));
    return window;
  }
  bool IsWindowVisible(AIWindowRef window) override {
    AIBoolean visible = false;
    Check(W().IsWindowVisible(window, &visible));
    return visible;
  }
  bool IsWindowEnabled(AIWindowRef window) override {
    AIBoolean enabled = false;
    Check(W().IsWindowEnabled(window, &enabled));
    return enabled;
  }
  void EnableWindow(AIWindowRef window, bool enable) override { Check(W().EnableWindow(window, enable)); }
  void ActivateWindow(AIWindowRef window) override { Check(W().ActivateWindow(window)); }

  CorvaneControlRef CreateControl(AIWindowRef window, int32_t kind, int32_t id, const AIRect& bounds) override {
    CorvaneControlRef control = nullptr;
    Check(W().CreateControl(window, kind, id, &bounds, &control));
    return control;
  }
  void SetControlBounds(CorvaneControlRef control, const AIRect& bounds) override {
    Check(W().SetControlBounds(control, &bounds));
  }
  // The dialogs' texts are in the platform encoding; the host's windows take UTF-8.
  void SetText(CorvaneControlRef control, const std::string& text) override {
    Check(W().SetControlText(control, ai::PlatformToUtf8(text.c_str()).c_str()));
  }
  std::string Text(CorvaneControlRef control) override {
    int32_t length = 0;
    Check(W().GetControlText(control, nullptr, 0, &length));
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    Check(W().GetControlText(control, buffer.data(), length + 1, &length));
    return std::string(buffer.data());
  }
  void SetValue(CorvaneControlRef control, int32_t value) override { Check(W().SetControlValue(control, value)); }
  int32_t Value(CorvaneControlRef control) override {
    int32_t value = 0;
    Check(W().GetControlValue(control, &value));
    return value;
  }
  void SetEnabled(CorvaneControlRef control, bool enabled) override { Check(W().SetControlEnabled(control, enabled)); }
  void SetVisible(CorvaneControlRef control, bool visible) override { Check(W().SetControlVisible(control, visible)); }
  void SetFocus(CorvaneControlRef control) override { Check(W().SetFocus(control)); }
  void SetPixels(CorvaneControlRef control, const uint8_t* rgba, int32_t width, int32_t height) override {
    Check(W().SetControlPixels(control, rgba, width, height));
  }
  void SetTextColor(CorvaneControlRef control, const AIRGBColor& color) override {
    Check(W().SetControlTextColor(control, &color));
  }
  void RunModalLoop(AIWindowRef window) override { Check(W().RunModalLoop(window)); }
  void EndModalLoop(AIWindowRef window) override { Check(W().EndModalLoop(window)); }
};

}  // namespace

IWindowSystem& HostWindowSystem() {
  static HostWindows windows;
  return windows;
}

}  // namespace QMDM
