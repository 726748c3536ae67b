// The tangent circle's options dialog "TTRFilletOptions": the radius (a length
// in the document's ruler unit), whether the dialog opens on each completion
// (Ask) and whether the circle is previewed while it is open.
//
// OK stores the three settings and ends the dialog with 1; Cancel stores
// nothing.  With a preview target, the circle is shown at once with the stored
// radius (when Preview is on) and follows each edit of the radius and of the
// Preview box.  A radius that is not above zero is refused on OK: nothing is
// stored, the field shows the stored radius again and the dialog says why.
#pragma once

#include <cstdint>

#include "QMDM/BaseDialog.h"
#include "tools/circles/TTRCallbackPreview.h"

namespace Tools {

class TTRFilletOptions final : public UI::BaseDialog {
 public:
  static constexpr int32_t kDialogID = 16200;
  static constexpr int32_t kWidth = 280;
  static constexpr int32_t kHeight = 116;

  enum Item : int32_t {
    kOK = 1,
    kCancel = 2,
    kRadius = 4,
    kAsk = 5,
    kPreview = 6,
    kProblem = 7,
    kRadiusFrame = 100,
  };

  // previewTarget may be null: the dialog then previews nothing.
  explicit TTRFilletOptions(TTRCallbackPreview* previewTarget) noexcept : preview_(previewTarget) {}

  // Runs the dialog modally under this title (platform encoding); 1 when
  // confirmed, anything else when cancelled.
  int32_t Run(SPPluginRef plugin, const char* title);

 private:
  void Init(ADMDialogRef dialog) override;
  void Notify(ADMDialogRef dialog, ADMNotifierRef notifier) override;

  void Preview();
  // Stores the three settings; false, storing nothing, for a radius that is
  // not above zero.
  bool Store();

  TTRCallbackPreview* preview_;
  const char* title_ = "";
  ADMItemRef radius_ = nullptr;
  ADMItemRef ask_ = nullptr;
  ADMItemRef previewBox_ = nullptr;
  ADMItemRef ok_ = nullptr;
  ADMItemRef problem_ = nullptr;
};

// The radius the tool solves with and the dialog opens with: the stored
// "CircleTTRRadius" (points), 50 when none is stored.
double StoredCircleRadius();

// The dialog's title, "圆形选项" in the platform encoding (GBK).
inline constexpr const char* kCircleOptionsTitle = "\xd4\xb2\xd0\xce\xd1\xa1\xcf\xee";

}  // namespace Tools
