// The classic dialog-manager interface as the plug-in's dialogs see it:
// opaque dialog, item and notifier references, item types and notifier
// kinds by name, dialog styles, units, and the routines a dialog installs.
// The function tables over them are in QMDM/ADMSuites.h.
#pragma once

#include <cstdint>

#include "sdk/SPTypes.h"

namespace QMDM {
class CoADMDialog;
class CoADMItem;
class CoADMDrawer;
struct CoADMNotifier;
}  // namespace QMDM

using ADMDialogRef = QMDM::CoADMDialog*;
using ADMItemRef = QMDM::CoADMItem*;
using ADMDrawerRef = QMDM::CoADMDrawer*;
using ADMNotifierRef = QMDM::CoADMNotifier*;
using ADMUserData = void*;
using ADMErr = SPErr;
using ADMBoolean = bool;
using ADMInt32 = int32_t;
using ADMFloat = float;
using ADMItemType = const char*;

// Dialog coordinates: pixels at 96 dots per inch, scaled to the screen by
// the layer.
struct ADMRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

struct ADMRGBColor {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
};

// Item types by name.
constexpr ADMItemType kADMTextPushButtonType = "ADM Text Push Button Type";
constexpr ADMItemType kADMPicturePushButtonType = "ADM Picture Push Button Type";
constexpr ADMItemType kADMUserType = "ADM User Type";
constexpr ADMItemType kADMTextStaticType = "ADM Text Static Type";
constexpr ADMItemType kADMTextStaticMultiLineType = "ADM Text Static Multi Line Type";
constexpr ADMItemType kADMPictureStaticType = "ADM Picture Static Type";
constexpr ADMItemType kADMTextEditType = "ADM Text Edit Type";
constexpr ADMItemType kADMSpinEditType = "ADM Spin Edit Type";
constexpr ADMItemType kADMPopupControlType = "ADM Popup Control Type";
constexpr ADMItemType kADMPopupSpinEditControlType = "ADM Popup Spin Edit Control Type";
constexpr ADMItemType kADMTextEditPopupType = "ADM Text Edit Popup Type";
constexpr ADMItemType kADMSpinEditPopupType = "ADM Spin Edit Popup Type";
constexpr ADMItemType kADMTextCheckBoxType = "ADM Text Check Box Type";
constexpr ADMItemType kADMPictureCheckBoxType = "ADM Picture Check Box Button Type";
constexpr ADMItemType kADMTextRadioButtonType = "ADM Text Radio Button Type";
constexpr ADMItemType kADMPictureRadioButtonType = "ADM Picture Radio Button Type";
constexpr ADMItemType kADMFrameType = "ADM Frame Type";
constexpr ADMItemType kADMSliderType = "ADM Slider Type";
constexpr ADMItemType kADMListBoxType = "ADM List Box Type";
constexpr ADMItemType kADMPopupListType = "ADM Popup List Type";
constexpr ADMItemType kADMScrollingPopupListType = "ADM Scrolling Popup List Type";
constexpr ADMItemType kADMPopupMenuType = "ADM Popup Menu Type";
constexpr ADMItemType kADMItemGroupType = "ADM Item Group Type";

// Notifier kinds.
constexpr const char* kADMUserChangedNotifier = "ADM User Changed Notifier";
constexpr const char* kADMIntermediateChangedNotifier = "ADM Intermediate Changed Notifier";
constexpr const char* kADMTextSelectionChangedNotifier = "ADM Text Selection Change Notification";
constexpr const char* kADMBoundsChangedNotifier = "ADM Bounds Changed Notifier";
constexpr const char* kADMCycleNotifier = "ADM Cycle Notifier";

// Dialog styles (the classic codes).  Floating and tabbed palettes live in a
// host panel, pop-ups are borderless, everything else is captioned.
enum ADMDialogStyle : int32_t {
  kADMModalDialogStyle = 0,
  kADMAlertDialogStyle = 1,
  kADMFloatingDialogStyle = 3,
  kADMTabbedFloatingDialogStyle = 5,
  kADMPopupDialogStyle = 6,
  kADMNoCloseModalDialogStyle = 8,
  kADMPopupControlDialogStyle = 9,
  kADMResizingFloatingDialogStyle = 14,
  kADMTabbedResizingFloatingDialogStyle = 15,
};

// Units of numeric edit items: the plug-in's unit codes (geom::UnitCode), so
// that a field and a label agree on what a code means.  kADMDocumentUnits is
// no unit of its own: the document's ruler unit at the time the value is
// shown or typed.
enum ADMUnits : int32_t {
  kADMDocumentUnits = -1,
  kADMNoUnits = 0,
  kADMPointUnits = 1,
  kADMInchUnits = 2,
  kADMMillimeterUnits = 3,
  kADMCentimeterUnits = 4,
  kADMPicaUnits = 5,
  kADMQUnits = 8,
  kADMPixelUnits = 10,
};

// Dialog ids and item ids of the standard buttons.
constexpr int32_t kADMDefaultItemID = 1;
constexpr int32_t kADMCancelItemID = 2;
// The result of a modal run whose dialog could not be made.
constexpr int32_t kADMModalNotCreated = -1;

using ADMDialogInitProc = ADMErr (*)(ADMDialogRef dialog);
using ADMDialogNotifyProc = void (*)(ADMDialogRef dialog, ADMNotifierRef notifier);
using ADMItemInitProc = ADMErr (*)(ADMItemRef item);
using ADMItemNotifyProc = void (*)(ADMItemRef item, ADMNotifierRef notifier);
using ADMItemDrawProc = void (*)(ADMItemRef item, ADMDrawerRef drawer);
