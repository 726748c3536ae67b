// The plug-in's windows as GTK windows: captioned windows with an owner,
// their controls as GTK widgets placed at the plug-in's pixel rectangles, in
// the colours the plug-in gives them, and modal loops as nested main loops.
#pragma once

#include <gtk/gtk.h>

#include <map>

#include "host/Dialogs.h"

namespace desktop {

class GtkWindowBackend final : public host::WindowBackend {
 public:
  // appWindow: the application's window, the owner of windows owned by the
  // host's application window and disabled while a modal dialog runs.
  GtkWindowBackend(host::Host& host, GtkWindow* appWindow);
  ~GtkWindowBackend() override;

  void WindowChanged(AIWindowRef window) override;
  void WindowDestroyed(AIWindowRef window) override;
  void ControlChanged(AIWindowRef window, CorvaneControlRef control) override;
  void AppWindowEnabled(bool enabled) override;
  void RunModalLoop(AIWindowRef window) override;
  void EndModalLoop(AIWindowRef window) override;

  struct Shown {
    GtkWindow* window = nullptr;
    GtkWidget* fixed = nullptr;
    GtkCssProvider* css = nullptr;
    std::string cssClass;
    std::string cssRules;  // what `css` holds: reloaded only when it changes
    std::map<CorvaneControlRef, GtkWidget*> controls;
    GMainLoop* loop = nullptr;
  };

 private:
  Shown& Make(const host::WindowInfo& info);
  void Sync(Shown& shown, const host::WindowInfo& info);

  host::Host& host_;
  GtkWindow* appWindow_;
  std::map<AIWindowRef, Shown> shown_;
  int next_ = 0;
};

}  // namespace desktop
