// The base of the plug-in's own dialogs: binds an object to a dialog of the
// layer.  The layer calls Init when the dialog's window exists and before it
// shows, and Notify for each notification that reaches the dialog; both run
// inside a host call (one is made when none is in progress).
//
//   class MyDialog : public UI::BaseDialog {
//     void Init(ADMDialogRef d) override { ... CreateItem ... }
//     void Notify(ADMDialogRef d, ADMNotifierRef n) override { ...; BaseDialog::Notify(d, n); }
//   };
//   const int32_t result = MyDialog().Modal(plugin, "Name", 16100);  // 1: OK; anything else: cancelled
#pragma once

#include "QMDM/ADMSuites.h"

namespace QMDM {

class BaseDialog {
 public:
  BaseDialog() = default;
  virtual ~BaseDialog() = default;
  BaseDialog(const BaseDialog&) = delete;
  BaseDialog& operator=(const BaseDialog&) = delete;

  // Runs the dialog modally: its result, or kADMModalNotCreated.  Failures
  // inside Init or Notify end the dialog and are thrown from here.
  int32_t Modal(SPPluginRef plugin, const char* name, int32_t dialogID, ADMDialogStyle style = kADMModalDialogStyle,
                int32_t options = 0);

 protected:
  virtual void Init(ADMDialogRef dialog) = 0;
  // Default: the layer's default notification (the default and cancel items
  // end the modal loop).
  virtual void Notify(ADMDialogRef dialog, ADMNotifierRef notifier);
  // The dialog while it is open; null otherwise.
  ADMDialogRef Dialog() const { return dialog_; }

 private:
  static ADMErr InitProc(ADMDialogRef dialog);
  static void NotifyProc(ADMDialogRef dialog, ADMNotifierRef notifier);

  ADMDialogRef dialog_ = nullptr;
};

}  // namespace QMDM

namespace UI {
using QMDM::BaseDialog;
}
