// The classic dialog-manager function tables as the layer offers them, in
// process: the plug-in reaches them through these accessors, never from the
// host.  Operations a table lists but the layer does not offer print
// "未实现： <operation> in <source>" and throw QMDM::QMDMNotImpl.
#pragma once

#include "QMDM/ADMTypes.h"

struct ADMBasicSuite {
  void (*Beep)();
  // A length in points as text in the units with the precision ("25.4 mm").
  void (*ValueToString)(float points, char* text, int32_t capacity, ADMUnits units, int32_t precision);
  // Text typed in the units to points; false when it is not a length.
  bool (*StringToValue)(const char* text, float* points, ADMUnits units);
  // System cursors by negative id (the platform suite's).
  void (*SetPlatformCursor)(int32_t cursorId);
  // Not offered: file and colour pickers, tool tips.
  bool (*StandardGetFileDialog)(const char* message, char* path, int32_t capacity);
  bool (*ChooseColor)(ADMRGBColor* color);
  void (*SetToolTipDelays)(int32_t popDelay, int32_t popupDelay);
  void (*ShowToolTip)(ADMBoolean show);
};

struct ADMDialogSuite {
  // Runs a dialog modally; its result, or kADMModalNotCreated.
  int32_t (*Modal)(SPPluginRef plugin, const char* name, int32_t dialogID, ADMDialogStyle style,
                   ADMDialogInitProc init, ADMUserData data, int32_t options);
  void (*EndModal)(ADMDialogRef dialog, int32_t result, ADMBoolean cancelling);
  ADMItemRef (*CreateItem)(ADMDialogRef dialog, int32_t itemID, ADMItemType type, const ADMRect* bounds,
                           ADMItemInitProc init, ADMUserData data, int32_t options);
  ADMItemRef (*GetItem)(ADMDialogRef dialog, int32_t itemID);
  void (*SetNotifyProc)(ADMDialogRef dialog, ADMDialogNotifyProc proc);
  void (*DefaultNotify)(ADMDialogRef dialog, ADMNotifierRef notifier);
  ADMUserData (*GetUserData)(ADMDialogRef dialog);
  void (*SetUserData)(ADMDialogRef dialog, ADMUserData data);
  void (*SetText)(ADMDialogRef dialog, const char* title);
  void (*Size)(ADMDialogRef dialog, int32_t width, int32_t height);
  void (*GetLocalRect)(ADMDialogRef dialog, ADMRect* rect);
  int32_t (*GetID)(ADMDialogRef dialog);
  const char* (*GetDialogName)(ADMDialogRef dialog);
  void (*SetDefaultItemID)(ADMDialogRef dialog, int32_t itemID);
  int32_t (*GetDefaultItemID)(ADMDialogRef dialog);
  void (*SetCancelItemID)(ADMDialogRef dialog, int32_t itemID);
  int32_t (*GetCancelItemID)(ADMDialogRef dialog);
  // Not offered: modeless dialogs, timers, size limits and increments.
  ADMDialogRef (*Create)(SPPluginRef plugin, const char* name, int32_t dialogID, ADMDialogStyle style,
                         ADMDialogInitProc init, ADMUserData data, int32_t options);
  int32_t (*CreateTimer)(ADMDialogRef dialog, int32_t milliseconds);
  void (*AbortTimer)(ADMDialogRef dialog, int32_t timer);
  void (*SetMinWidth)(ADMDialogRef dialog, int32_t width);
  void (*SetMinHeight)(ADMDialogRef dialog, int32_t height);
  void (*SetHorizontalIncrement)(ADMDialogRef dialog, int32_t increment);
  void (*SetVerticalIncrement)(ADMDialogRef dialog, int32_t increment);
};

struct ADMItemSuite {
  ADMDialogRef (*GetDialog)(ADMItemRef item);
  int32_t (*GetID)(ADMItemRef item);
  void (*SetText)(ADMItemRef item, const char* text);
  // Copies the text (NUL-terminated, cut to capacity).
  void (*GetText)(ADMItemRef item, char* text, int32_t capacity);
  void (*SetFloatValue)(ADMItemRef item, float value);
  float (*GetFloatValue)(ADMItemRef item);
  void (*SetIntValue)(ADMItemRef item, int32_t value);
  int32_t (*GetIntValue)(ADMItemRef item);
  void (*SetBooleanValue)(ADMItemRef item, ADMBoolean value);
  ADMBoolean (*GetBooleanValue)(ADMItemRef item);
  void (*SetUnits)(ADMItemRef item, ADMUnits units);
  void (*SetPrecision)(ADMItemRef item, int32_t precision);
  void (*SetPictureID)(ADMItemRef item, int32_t pictureID, const char* name);
  void (*SetForeColor)(ADMItemRef item, ADMRGBColor color);
  // Text alignment of a label: 0 left, 1 centre, 2 right.
  void (*SetJustify)(ADMItemRef item, int32_t justify);
  void (*Enable)(ADMItemRef item, ADMBoolean enable);
  ADMBoolean (*IsEnabled)(ADMItemRef item);
  void (*Show)(ADMItemRef item, ADMBoolean show);
  ADMBoolean (*IsVisible)(ADMItemRef item);
  void (*SetNotifyProc)(ADMItemRef item, ADMItemNotifyProc proc);
  void (*DefaultNotify)(ADMItemRef item, ADMNotifierRef notifier);
  void (*SetDrawProc)(ADMItemRef item, ADMItemDrawProc proc);
  void (*DefaultDraw)(ADMItemRef item, ADMDrawerRef drawer);
  void (*Invalidate)(ADMItemRef item);
  ADMUserData (*GetUserData)(ADMItemRef item);
  void (*SetUserData)(ADMItemRef item, ADMUserData data);
  // Not offered: tool tips, track routines, value limits by spinning.
  void (*SetTipString)(ADMItemRef item, const char* tip);
  void (*SetTrackProc)(ADMItemRef item, void* proc);
  void (*SetSmallIncrement)(ADMItemRef item, float increment);
};

struct ADMNotifierSuite {
  ADMItemRef (*GetItem)(ADMNotifierRef notifier);
  ADMDialogRef (*GetDialog)(ADMNotifierRef notifier);
  ADMBoolean (*IsNotifierType)(ADMNotifierRef notifier, const char* type);
  const char* (*GetNotifierType)(ADMNotifierRef notifier);
};

struct ADMDrawerSuite {
  void (*GetBoundsRect)(ADMDrawerRef drawer, ADMRect* rect);
  void (*SetRGBColor)(ADMDrawerRef drawer, ADMRGBColor color);
  void (*FillRect)(ADMDrawerRef drawer, const ADMRect* rect);
  void (*DrawLine)(ADMDrawerRef drawer, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  // Not offered: text and pictures drawn by routines.
  void (*DrawText)(ADMDrawerRef drawer, const char* text, int32_t x, int32_t y);
  void (*DrawADMImage)(ADMDrawerRef drawer, void* image, int32_t x, int32_t y);
};

// Tables the dialogs here do not use; every operation raises the
// not-implemented error.
struct ADMEntrySuite {
  void* (*Create)(void* list);
  void (*SetText)(void* entry, const char* text);
};
struct ADMIconSuite {
  void* (*GetFromResource)(SPPluginRef plugin, const char* name, int32_t id, int32_t count);
  void (*Destroy)(void* icon);
};
struct ADMImageSuite {
  void* (*Create)(int32_t width, int32_t height, int32_t options);
  void (*Destroy)(void* image);
};
struct ADMListSuite {
  void* (*InsertEntry)(void* list, int32_t index);
  int32_t (*NumberOfEntries)(void* list);
};
struct ADMTrackerSuite {
  void (*GetPoint)(void* tracker, int32_t* x, int32_t* y);
  void (*Abort)(void* tracker);
};
struct ADMWinHostSuite {
  void (*SetWindowsMessageHook)(void* hook);
  void (*RemoveWindowsMessageHook)(void* hook);
};

namespace QMDM {

const ADMBasicSuite& BasicSuite();
const ADMDialogSuite& DialogSuite();
const ADMItemSuite& ItemSuite();
const ADMNotifierSuite& NotifierSuite();
const ADMDrawerSuite& DrawerSuite();
const ADMEntrySuite& EntrySuite();
const ADMIconSuite& IconSuite();
const ADMImageSuite& ImageSuite();
const ADMListSuite& ListSuite();
const ADMTrackerSuite& TrackerSuite();
const ADMWinHostSuite& WinHostSuite();

}  // namespace QMDM
