#include "QMDM/ADMSuites.h"
#include "QMDM/ImplCommon/CoADM.h"
#include "QMDM/ImplCommon/QMDMExceptions.h"

namespace QMDM {
namespace {

CoADMDialog& D(ADMDialogRef dialog) {
  if (!dialog) throw QMDMParameterException("QMDM: no dialog");
  return *dialog;
}

const ADMDialogSuite kDialog = {
    [](SPPluginRef plugin, const char* name, int32_t id, ADMDialogStyle style, ADMDialogInitProc init,
       ADMUserData data, int32_t options) { return CoADMDialog::Modal(plugin, name, id, style, init, data, options); },
    [](ADMDialogRef d, int32_t result, ADMBoolean) { D(d).EndModal(result); },
    [](ADMDialogRef d, int32_t id, ADMItemType type, const ADMRect* bounds, ADMItemInitProc init, ADMUserData data,
       int32_t) -> ADMItemRef {
      if (!bounds) throw QMDMParameterException("QMDM: no item bounds");
      return D(d).CreateItem(id, type, *bounds, init, data);
    },
    [](ADMDialogRef d, int32_t id) -> ADMItemRef { return D(d).Item(id); },
    [](ADMDialogRef d, ADMDialogNotifyProc proc) { D(d).SetNotifyProc(proc); },
    [](ADMDialogRef d, ADMNotifierRef n) { D(d).DefaultNotify(n); },
    [](ADMDialogRef d) { return D(d).UserData(); },
    [](ADMDialogRef d, ADMUserData data) { D(d).SetUserData(data); },
    [](ADMDialogRef d, const char* title) { D(d).SetText(title ? title : ""); },
    [](ADMDialogRef d, int32_t width, int32_t height) { D(d).SetSize(width, height); },
    [](ADMDialogRef d, ADMRect* rect) {
      if (rect) *rect = D(d).LocalRect();
    },
    [](ADMDialogRef d) { return D(d).ID(); },
    [](ADMDialogRef d) { return D(d).Name().c_str(); },
    [](ADMDialogRef d, int32_t id) { D(d).SetDefaultItemID(id); },
    [](ADMDialogRef d) { return D(d).DefaultItemID(); },
    [](ADMDialogRef d, int32_t id) { D(d).SetCancelItemID(id); },
    [](ADMDialogRef d) { return D(d).CancelItemID(); },
    [](SPPluginRef, const char*, int32_t, ADMDialogStyle, ADMDialogInitProc, ADMUserData, int32_t) -> ADMDialogRef {
      QMDM_NOT_IMPLEMENTED("Create");
    },
    [](ADMDialogRef, int32_t) -> int32_t { QMDM_NOT_IMPLEMENTED("CreateTimer"); },
    [](ADMDialogRef, int32_t) { QMDM_NOT_IMPLEMENTED("AbortTimer"); },
    [](ADMDialogRef, int32_t) { QMDM_NOT_IMPLEMENTED("SetMinWidth"); },
    [](ADMDialogRef, int32_t) { QMDM_NOT_IMPLEMENTED("SetMinHeight"); },
    [](ADMDialogRef, int32_t) { QMDM_NOT_IMPLEMENTED("SetHorizontalIncrement"); },
    [](ADMDialogRef, int32_t) { QMDM_NOT_IMPLEMENTED("SetVerticalIncrement"); },
};

}  // namespace

const ADMDialogSuite& DialogSuite() { return kDialog; }

}  // namespace QMDM
