#include "plugin/AboutDialog.h"

#include "plugin/Links.h"
#include "plugin/Scrambled.h"
#include "resources/ResourceIds.h"

namespace UI {
namespace {

constexpr auto kTitle = plugin::Scramble("About Corvane");
constexpr auto kVersion = plugin::Scramble("v1.2.9");
constexpr auto kMakerLine = plugin::Scramble("Quillmark Studio - geometry tools for illustrators");
constexpr auto kCloseText = plugin::Scramble("Close");
constexpr auto kManualText = plugin::Scramble("Manual");
constexpr auto kProductPageText = plugin::Scramble("Visit product page");

constexpr ADMRGBColor kBannerTextColor{0xD8, 0xD8, 0xD8};
constexpr int32_t kCentred = 1;

const ADMDialogSuite& Dlg() { return QMDM::DialogSuite(); }
const ADMItemSuite& Itm() { return QMDM::ItemSuite(); }

void BannerLine(ADMDialogRef dialog, int32_t id, int32_t top, int32_t bottom, const std::string& text) {
  const ADMRect bounds{2, top, 598, bottom};
  ADMItemRef item = Dlg().CreateItem(dialog, id, kADMTextStaticType, &bounds, nullptr, nullptr, 0);
  Itm().SetText(item, text.c_str());
  Itm().SetForeColor(item, kBannerTextColor);
  Itm().SetJustify(item, kCentred);
}

void Button(ADMDialogRef dialog, int32_t id, int32_t left, int32_t right, const std::string& text) {
  const ADMRect bounds{left, 579, right, 601};
  ADMItemRef item = Dlg().CreateItem(dialog, id, kADMTextPushButtonType, &bounds, nullptr, nullptr, 0);
  Itm().SetText(item, text.c_str());
}

// A one-pixel line across the dialog in the theme's frame colour.
void DrawSeparator(ADMItemRef, ADMDrawerRef drawer) {
  const ADMDrawerSuite& draw = QMDM::DrawerSuite();
  ADMRect bounds;
  draw.GetBoundsRect(drawer, &bounds);
  draw.SetRGBColor(drawer, ADMRGBColor{0x80, 0x80, 0x80});
  draw.FillRect(drawer, &bounds);
}

bool IsButtonEvent(ADMNotifierRef notifier) {
  const ADMNotifierSuite& n = QMDM::NotifierSuite();
  return n.IsNotifierType(notifier, kADMUserChangedNotifier) || n.IsNotifierType(notifier, kADMIntermediateChangedNotifier);
}

}  // namespace

void AboutDialog::Show(SPPluginRef plugin) {
  plugin_ = plugin;
  Modal(plugin, "About", kDialogID);
}

void AboutDialog::Init(ADMDialogRef dialog) {
  Dlg().SetText(dialog, plugin::Unscramble(kTitle).c_str());
  Dlg().Size(dialog, kWidth, kHeight);
  const ADMRect banner{0, 0, 600, 468};
  ADMItemRef picture = Dlg().CreateItem(dialog, kBannerItem, kADMPictureStaticType, &banner, nullptr, nullptr, 0);
  Itm().SetPictureID(picture, corvane::ids::kPictureAboutBanner, "AboutBanner");
  BannerLine(dialog, kAddressItem, 413, 430, plugin::MakerWebAddress());
  BannerLine(dialog, kVersionItem, 430, 447, plugin::Unscramble(kVersion));
  BannerLine(dialog, kMakerItem, 447, 464, plugin::Unscramble(kMakerLine));
  const ADMRect line{0, 468, 600, 469};
  ADMItemRef separator = Dlg().CreateItem(dialog, kSeparatorItem, kADMUserType, &line, nullptr, nullptr, 0);
  Itm().SetDrawProc(separator, DrawSeparator);
  Button(dialog, kCloseButton, 32, 122, plugin::Unscramble(kCloseText));
  Button(dialog, kManualButton, 154, 244, plugin::Unscramble(kManualText));
  Button(dialog, kProductPageButton, 408, 568, plugin::Unscramble(kProductPageText));
}

void AboutDialog::Notify(ADMDialogRef dialog, ADMNotifierRef notifier) {
  ADMItemRef item = QMDM::NotifierSuite().GetItem(notifier);
  if (!item || !IsButtonEvent(notifier)) return BaseDialog::Notify(dialog, notifier);
  switch (Itm().GetID(item)) {
    case kCloseButton: return Dlg().EndModal(dialog, kCloseButton, false);
    case kManualButton: return plugin::OpenUserManual(plugin_);
    case kProductPageButton: return plugin::OpenWithShell(plugin::MakerPageAddress("about", "productpage"));
    default: return BaseDialog::Notify(dialog, notifier);
  }
}

}  // namespace UI
