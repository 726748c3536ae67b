// The one narrow window-system interface the dialogs are built on: windows
// with an owner, native controls of a few kinds, their states, pixels for
// pictures and user-drawn areas, a modal loop, and events back.
//
// Two implementations: HostWindowSystem goes through the host's window suite
// (the stand-in hosts offer it, so their dialogs can be scripted and
// pictured), and on Windows Win32WindowSystem (QMDM/ImplWin/) makes real
// native windows and controls for a host that offers no such suite.  The
// layer chooses one when it starts (Windows()).  Rectangles are pixels, y
// down: a window's bounds are its client area on the screen, a control's are
// in its window's client area.  Texts given to the windows are in the
// platform encoding.  Every call throws ai::Error with the failing code.
#pragma once

#include <cstdint>
#include <string>

#include "sdk/Corvane.h"

namespace QMDM {

class IWindowSystem {
 public:
  virtual ~IWindowSystem() = default;

  // Around the layer's life: what the window system needs while dialogs may
  // open (window classes, the drawing library), and its release.
  virtual void Open() {}
  virtual void Close() noexcept {}
  // Dots per inch of the display the windows are shown on, for the pixel
  // scale.
  virtual int32_t DisplayDpi() = 0;

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

// The window system the layer chose when it started: the host's window suite
// when the host offers it, else the platform's own windows where the build has
// them (Windows), else the host's (whose calls then fail, and dialogs report
// that they could not be created).  Chosen again at each start.
IWindowSystem& Windows();

}  // namespace QMDM
