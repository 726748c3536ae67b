// The About dialog: the banner with the maker's address, the version and
// the maker's name over its lower part, a separator, and three buttons
// (close; the user manual; the product page).  Only the close button (or
// Escape, or closing the window) ends it.
#pragma once

#include "QMDM/BaseDialog.h"

namespace UI {

class AboutDialog final : public BaseDialog {
 public:
  static constexpr int32_t kDialogID = 16100;
  static constexpr int32_t kWidth = 600;
  static constexpr int32_t kHeight = 615;
  static constexpr int32_t kBannerItem = 100;
  static constexpr int32_t kAddressItem = 101;
  static constexpr int32_t kVersionItem = 102;
  static constexpr int32_t kMakerItem = 103;
  static constexpr int32_t kSeparatorItem = 120;
  static constexpr int32_t kProductPageButton = 1;
  static constexpr int32_t kCloseButton = 2;
  static constexpr int32_t kManualButton = 3;

  // Runs the dialog modally for the plug-in.
  void Show(SPPluginRef plugin);

 private:
  void Init(ADMDialogRef dialog) override;
  void Notify(ADMDialogRef dialog, ADMNotifierRef notifier) override;

  SPPluginRef plugin_ = nullptr;
};

}  // namespace UI
