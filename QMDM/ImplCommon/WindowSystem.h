// The one narrow window-system interface the dialogs are built on: windows
// with an owner, native controls of a few kinds, their states, pixels for
// pictures and user-drawn areas, a modal loop, and events back.
//
// HostWindowSystem goes through the host's window suite, so the module links
// no toolkit; a native implementation can sit beside it without the dialogs
// noticing.  Every call throws ai::Error with the failing code.
#pragma once

#include <cstdint>
#include <string>

#include "sdk/Corvane.h"

namespace QMDM {

class IWindowSystem {
 public:
  virtual ~IWindowSystem() = default;

  virtual AIWindowRef CreateWindow(int32_t kind, AIWindowRef owner, const char* name, const char* title,
                                   const AIRect& bounds, CorvaneWindowEventProc proc, void* refcon) = 0;
  virtual void DestroyWindow(AIWindowRef window) = 0;
  virtual void SetWindowBounds(AIWindowRef window, const AIRect& bounds) = 0;
  virtual AIRect WorkArea() = 0;
  virtual void ShowWindow(AIWindowRef window, bool show) = 0;
  virtual void SetWindowTitle(AIWindowRef window, const char* title) = 0;
  virtual void SetWindowColors(AIWindowRef window, const CorvaneWindowColors& colors) = 0;
  virtual int32_t CountTopWindows() = 0;
  virtual AIWindowRef NthTopWindow(int32_t n) = 0;
  virtual bool IsWindowVisible(AIWindowRef window) = 0;
  virtual bool IsWindowEnabled(AIWindowRef window) = 0;
  virtual void EnableWindow(AIWindowRef window, bool enable) = 0;
  virtual void ActivateWindow(AIWindowRef window) = 0;

  virtual CorvaneControlRef CreateControl(AIWindowRef window, int32_t kind, int32_t id, const AIRect& bounds) = 0;
  virtual void SetControlBounds(CorvaneControlRef control, const AIRect& bounds) = 0;
  virtual void SetText(CorvaneControlRef control, const std::string& text) = 0;
  virtual std::string Text(CorvaneControlRef control) = 0;
  virtual void SetValue(CorvaneControlRef control, int32_t value) = 0;
  virtual int32_t Value(CorvaneControlRef control) = 0;
  virtual void SetEnabled(CorvaneControlRef control, bool enabled) = 0;
  virtual void SetVisible(CorvaneControlRef control, bool visible) = 0;
  virtual void SetFocus(CorvaneControlRef control) = 0;
  virtual void SetPixels(CorvaneControlRef control, const uint8_t* rgba, int32_t width, int32_t height) = 0;
  virtual void SetTextColor(CorvaneControlRef control, const AIRGBColor& color) = 0;

  virtual void RunModalLoop(AIWindowRef window) = 0;
  virtual void EndModalLoop(AIWindowRef window) = 0;
};

// The host's window suite, through the suite set of the host call in
// progress.
IWindowSystem& HostWindowSystem();

}  // namespace QMDM
