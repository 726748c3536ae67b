#include "tools/circles/TTRFilletOptions.h"

#include "hostcall/Preferences.h"

namespace Tools {
namespace {

// Texts in the platform encoding (GBK).
constexpr const char* kAskText = "Ask";
constexpr const char* kPreviewText = "\xd4\xa4\xc0\xc0";          // 预览
constexpr const char* kOKText = "OK";
constexpr const char* kCancelText = "\xc8\xa1\xcf\xfb";           // 取消
constexpr const char* kRadiusFrameText = "\xb0\xeb\xbe\xb6:";     // 半径:
constexpr const char* kRadiusNotPositive = "\xb0\xeb\xbe\xb6\xb1\xd8\xd0\xeb\xb4\xf3\xd3\xda 0";  // 半径必须大于 0

// The field shows lengths with this many decimals.
constexpr int32_t kRadiusPrecision = 4;

const ADMDialogSuite& Dlg() { return QMDM::DialogSuite(); }
const ADMItemSuite& Itm() { return QMDM::ItemSuite(); }

ADMItemRef NewItem(ADMDialogRef dialog, int32_t id, ADMItemType type, ADMRect bounds, const char* text) {
  ADMItemRef item = Dlg().CreateItem(dialog, id, type, &bounds, nullptr, nullptr, 0);
  if (text) Itm().SetText(item, text);
  return item;
}

bool IsOneOf(ADMNotifierRef notifier, const char* a, const char* b) {
  const ADMNotifierSuite& n = QMDM::NotifierSuite();
  return n.IsNotifierType(notifier, a) || n.IsNotifierType(notifier, b);
}

}  // namespace

double StoredCircleRadius() {
  return ai::GetRealPreference(ai::kCircleTTRRadiusKey, ai::kCircleTTRRadiusDefault);
}

int32_t TTRFilletOptions::Run(SPPluginRef plugin, const char* title) {
  title_ = title ? title : "";
  return Modal(plugin, "TTRFilletOptions", kDialogID);
}

void TTRFilletOptions::Init(ADMDialogRef dialog) {
  Dlg().SetText(dialog, title_);
  Dlg().Size(dialog, kWidth, kHeight);
  // The radius field comes first: the first item that takes the focus gets it.
  radius_ = NewItem(dialog, kRadius, kADMTextEditType, {26, 34, 162, 56}, nullptr);
  Itm().SetUnits(radius_, kADMDocumentUnits);
  Itm().SetPrecision(radius_, kRadiusPrecision);
  Itm().SetFloatValue(radius_, static_cast<float>(StoredCircleRadius()));
  ask_ = NewItem(dialog, kAsk, kADMTextCheckBoxType, {28, 58, 128, 80}, kAskText);
  Itm().SetBooleanValue(ask_, ai::GetBooleanPreference(ai::kCircleTTRAskKey, ai::kCircleTTRAskDefault));
  previewBox_ = NewItem(dialog, kPreview, kADMTextCheckBoxType, {28, 76, 128, 98}, kPreviewText);
  Itm().SetBooleanValue(previewBox_,
                        ai::GetBooleanPreference(ai::kCircleTTRPreviewKey, ai::kCircleTTRPreviewDefault));
  ok_ = NewItem(dialog, kOK, kADMTextPushButtonType, {190, 16, 273, 38}, kOKText);
  NewItem(dialog, kCancel, kADMTextPushButtonType, {190, 44, 273, 66}, kCancelText);
  NewItem(dialog, kRadiusFrame, kADMFrameType, {16, 16, 174, 104}, kRadiusFrameText);
  // Why OK was refused; shown only then.
  problem_ = NewItem(dialog, kProblem, kADMTextStaticMultiLineType, {180, 72, 276, 110}, kRadiusNotPositive);
  Itm().Show(problem_, false);
  Preview();
}

void TTRFilletOptions::Notify(ADMDialogRef dialog, ADMNotifierRef notifier) {
  ADMItemRef item = QMDM::NotifierSuite().GetItem(notifier);
  if (item == ok_ && QMDM::NotifierSuite().IsNotifierType(notifier, kADMUserChangedNotifier)) {
    if (Store()) return BaseDialog::Notify(dialog, notifier);
    return;
  }
  if ((item == radius_ || item == previewBox_) &&
      IsOneOf(notifier, kADMUserChangedNotifier, kADMTextSelectionChangedNotifier)) {
    Itm().Show(problem_, false);
    return Preview();
  }
  BaseDialog::Notify(dialog, notifier);
}

void TTRFilletOptions::Preview() {
  if (!preview_) return;
  preview_->UpdatePreview(Itm().GetFloatValue(radius_), Itm().GetBooleanValue(previewBox_) != 0);
}

// A circle needs a radius above zero; storing zero or less would leave the
// tool silently finding no circle at all.
bool TTRFilletOptions::Store() {
  const float radius = Itm().GetFloatValue(radius_);
  if (!(radius > 0)) {
    Itm().SetFloatValue(radius_, static_cast<float>(StoredCircleRadius()));
    Itm().Show(problem_, true);
    Preview();
    return false;
  }
  ai::PutRealPreference(ai::kCircleTTRRadiusKey, radius);
  ai::PutBooleanPreference(ai::kCircleTTRAskKey, Itm().GetBooleanValue(ask_) != 0);
  ai::PutBooleanPreference(ai::kCircleTTRPreviewKey, Itm().GetBooleanValue(previewBox_) != 0);
  return true;
}

}  // namespace Tools
