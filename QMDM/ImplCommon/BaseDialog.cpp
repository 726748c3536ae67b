#include "QMDM/BaseDialog.h"

#include "hostcall/ErrorBoundary.h"
#include "hostcall/HostCall.h"

namespace QMDM {

int32_t BaseDialog::Modal(SPPluginRef plugin, const char* name, int32_t dialogID, ADMDialogStyle style,
                          int32_t options) {
  struct Closed {
    ADMDialogRef& dialog;
    ~Closed() { dialog = nullptr; }
  } closed{dialog_};
  return DialogSuite().Modal(plugin, name, dialogID, style, InitProc, this, options);
}

void BaseDialog::Notify(ADMDialogRef dialog, ADMNotifierRef notifier) { DialogSuite().DefaultNotify(dialog, notifier); }

ADMErr BaseDialog::InitProc(ADMDialogRef dialog) {
  auto* self = static_cast<BaseDialog*>(DialogSuite().GetUserData(dialog));
  ai::HostCallScope scope(ai::PluginBasicSuite());
  return ai::RunGuarded([&] {
    self->dialog_ = dialog;
    DialogSuite().SetNotifyProc(dialog, NotifyProc);
    self->Init(dialog);
  });
}

void BaseDialog::NotifyProc(ADMDialogRef dialog, ADMNotifierRef notifier) {
  auto* self = static_cast<BaseDialog*>(DialogSuite().GetUserData(dialog));
  ai::HostCallScope scope(ai::PluginBasicSuite());
  self->Notify(dialog, notifier);
}

}  // namespace QMDM
