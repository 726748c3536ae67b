#include <algorithm>
#include <cstring>

#include "QMDM/ADMSuites.h"
#include "QMDM/ImplCommon/CoADM.h"
#include "QMDM/ImplCommon/QMDMExceptions.h"

namespace QMDM {
namespace {

CoADMItem& I(ADMItemRef item) {
  if (!item) throw QMDMParameterException("QMDM: no item");
  return *item;
}

void CopyText(const std::string& text, char* out, int32_t capacity) {
  if (!out || capacity <= 0) return;
  const std::size_t n = std::min(text.size(), static_cast<std::size_t>(capacity) - 1);
  std::memcpy(out, text.data(), n);
  out[n] = '\0';
}

const ADMItemSuite kItem = {
    [](ADMItemRef i) -> ADMDialogRef { return &I(i).Dialog(); },
    [](ADMItemRef i) { return I(i).ID(); },
    [](ADMItemRef i, const char* text) { I(i).SetText(text ? text : ""); },
    [](ADMItemRef i, char* text, int32_t capacity) { CopyText(I(i).Text(), text, capacity); },
    [](ADMItemRef i, float v) { I(i).SetFloatValue(v); },
    [](ADMItemRef i) { return I(i).FloatValue(); },
    [](ADMItemRef i, int32_t v) { I(i).SetIntValue(v); },
    [](ADMItemRef i) { return I(i).IntValue(); },
    [](ADMItemRef i, ADMBoolean v) { I(i).SetBooleanValue(v); },
    [](ADMItemRef i) -> ADMBoolean { return I(i).BooleanValue(); },
    [](ADMItemRef i, ADMUnits units) { I(i).SetUnits(units); },
    [](ADMItemRef i, int32_t precision) { I(i).SetPrecision(precision); },
    [](ADMItemRef i, int32_t id, const char*) { I(i).SetPicture(id); },
    [](ADMItemRef i, ADMRGBColor color) { I(i).SetForeColor(color); },
    [](ADMItemRef i, int32_t justify) { I(i).SetIntValue(justify); },
    [](ADMItemRef i, ADMBoolean enable) { I(i).Enable(enable); },
    [](ADMItemRef i) -> ADMBoolean { return I(i).IsEnabled(); },
    [](ADMItemRef i, ADMBoolean show) { I(i).Show(show); },
    [](ADMItemRef i) -> ADMBoolean { return I(i).IsVisible(); },
    [](ADMItemRef i, ADMItemNotifyProc proc) { I(i).SetNotifyProc(proc); },
    [](ADMItemRef i, ADMNotifierRef n) { I(i).DefaultNotify(n); },
    [](ADMItemRef i, ADMItemDrawProc proc) { I(i).SetDrawProc(proc); },
    [](ADMItemRef i, ADMDrawerRef drawer) {
      if (drawer) I(i).DefaultDraw(drawer);
    },
    [](ADMItemRef i) { I(i).Refresh(); },
    [](ADMItemRef i) { return I(i).UserData(); },
    [](ADMItemRef i, ADMUserData data) { I(i).SetUserData(data); },
    [](ADMItemRef, const char*) { QMDM_NOT_IMPLEMENTED("SetTipString"); },
    [](ADMItemRef, void*) { QMDM_NOT_IMPLEMENTED("SetTrackProc"); },
    [](ADMItemRef, float) { QMDM_NOT_IMPLEMENTED("SetSmallIncrement"); },
};

}  // namespace

const ADMItemSuite& ItemSuite() { return kItem; }

}  // namespace QMDM
