// The layer's objects behind the classic references: a dialog with its
// window and items, the items by kind, the drawer handed to draw routines and
// the notifier handed to notification routines.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "QMDM/ADMTypes.h"
#include "sdk/Corvane.h"

namespace QMDM {

class CoADMDialog;

struct CoADMNotifier {
  CoADMItem* item = nullptr;  // null for the dialog's own notifications
  CoADMDialog* dialog = nullptr;
  const char* type = nullptr;
};

// An RGBA canvas of an item's size in screen pixels; coordinates given to it
// are the item's own, in dialog units, scaled on the way in.
class CoADMDrawer {
 public:
  CoADMDrawer(int32_t width, int32_t height, const ADMRect& localBounds);
  ADMRect BoundsRect() const { return local_; }
  void SetRGBColor(const ADMRGBColor& color) { color_ = color; }
  void FillRect(const ADMRect& rect);
  void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  const std::vector<uint8_t>& Pixels() const { return rgba_; }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }

 private:
  void FillPixels(int32_t left, int32_t top, int32_t right, int32_t bottom);
  int32_t width_, height_;
  ADMRect local_;
  ADMRGBColor color_{};
  std::vector<uint8_t> rgba_;
};

class CoADMItem {
 public:
  CoADMItem(CoADMDialog& dialog, int32_t id, std::string type, const ADMRect& bounds, int32_t controlKind);
  virtual ~CoADMItem() = default;
  CoADMItem(const CoADMItem&) = delete;
  CoADMItem& operator=(const CoADMItem&) = delete;

  // Makes the native control; called once, right after construction.
  virtual void Create();

  CoADMDialog& Dialog() const { return dialog_; }
  int32_t ID() const { return id_; }
  const std::string& Type() const { return type_; }
  ADMRect Bounds() const { return bounds_; }
  CorvaneControlRef Control() const { return control_; }

  virtual void SetText(const std::string& text);
  virtual std::string Text() const;
  virtual void SetFloatValue(float value);
  virtual float FloatValue() const;
  void SetIntValue(int32_t value) { SetFloatValue(static_cast<float>(value)); }
  int32_t IntValue() const { return static_cast<int32_t>(FloatValue()); }
  void SetBooleanValue(bool value) { SetFloatValue(value ? 1.0f : 0.0f); }
  bool BooleanValue() const { return FloatValue() != 0; }
  virtual void SetUnits(ADMUnits units);
  virtual void SetPrecision(int32_t precision);
  virtual void SetPicture(int32_t id);
  void SetForeColor(const ADMRGBColor& color);

  void Enable(bool enable);
  bool IsEnabled() const { return enabled_; }
  void Show(bool show);
  bool IsVisible() const { return visible_; }
  // Accepts the keyboard focus (when visible and enabled).
  virtual bool TakesFocus() const { return false; }

  void SetNotifyProc(ADMItemNotifyProc proc) { notify_ = proc; }
  void SetDrawProc(ADMItemDrawProc proc);
  ADMItemDrawProc DrawProc() const { return draw_; }
  void SetUserData(ADMUserData data) { userData_ = data; }
  ADMUserData UserData() const { return userData_; }

  // A notification of the item: its routine, or the default one.
  void Notify(const char* type);
  // Passes the notification on to the dialog.
  void DefaultNotify(ADMNotifierRef notifier);
  // The draw routine's default: the item's area in the dialog's background.
  void DefaultDraw(ADMDrawerRef drawer);

  // A window event for this item's control.
  virtual void OnEvent(const CorvaneWindowEvent& event);
  // Repaints what the layer paints itself (pictures, user areas) in the
  // current colours.
  virtual void Refresh() {}

 protected:
  CoADMDialog& dialog_;
  const int32_t id_;
  const std::string type_;
  ADMRect bounds_;
  const int32_t controlKind_;
  CorvaneControlRef control_ = nullptr;
  std::string text_;
  float value_ = 0;
  bool enabled_ = true;
  bool visible_ = true;
  ADMItemNotifyProc notify_ = nullptr;
  ADMItemDrawProc draw_ = nullptr;
  ADMUserData userData_ = nullptr;
};

// Makes the item that implements the type name; QMDMNotImpl for the types
// the layer knows but does not offer, QMDMParameterException for others.
std::unique_ptr<CoADMItem> MakeItem(CoADMDialog& dialog, int32_t id, const char* type, const ADMRect& bounds);

class CoADMDialog {
 public:
  CoADMDialog(SPPluginRef plugin, std::string name, int32_t id, int32_t style, ADMDialogInitProc init,
              ADMUserData data, int32_t options);
  ~CoADMDialog();
  CoADMDialog(const CoADMDialog&) = delete;
  CoADMDialog& operator=(const CoADMDialog&) = delete;

  // Creates the dialog, runs it modally and returns its result;
  // kADMModalNotCreated when it cannot be created.
  static int32_t Modal(SPPluginRef plugin, const char* name, int32_t id, int32_t style, ADMDialogInitProc init,
                       ADMUserData data, int32_t options);
  // Every dialog open now, in opening order.
  static const std::vector<CoADMDialog*>& OpenDialogs();
  // The open dialogs repaint in the current theme colours.
  static void RefreshOpenDialogs();

  const std::string& Name() const { return name_; }
  int32_t ID() const { return id_; }
  AIWindowRef Window() const { return window_; }
  ADMUserData UserData() const { return userData_; }
  void SetUserData(ADMUserData data) { userData_ = data; }
  void SetNotifyProc(ADMDialogNotifyProc proc) { notify_ = proc; }
  void SetText(const std::string& title);
  // The dialog's size in dialog units.
  void SetSize(int32_t width, int32_t height);
  ADMRect LocalRect() const { return {0, 0, width_, height_}; }

  CoADMItem* CreateItem(int32_t id, const char* type, const ADMRect& bounds, ADMItemInitProc init, ADMUserData data);
  CoADMItem* Item(int32_t id) const;
  void SetDefaultItemID(int32_t id) { defaultItem_ = id; }
  int32_t DefaultItemID() const { return defaultItem_; }
  void SetCancelItemID(int32_t id) { cancelItem_ = id; }
  int32_t CancelItemID() const { return cancelItem_; }
  bool IsModal() const { return modal_; }

  // A notification reaching the dialog: its routine, or the default one.
  void Notify(ADMNotifierRef notifier);
  // Ends the modal loop on the default or cancel item's user change.
  void DefaultNotify(ADMNotifierRef notifier);
  void EndModal(int32_t result);

  // Screen pixels of a rectangle in dialog units.
  AIRect Scaled(const ADMRect& rect) const;
  const CorvaneWindowColors& Colors() const { return colors_; }
  bool Dark() const;

  void HandleEvent(const CorvaneWindowEvent& event);
  // A failure inside a routine: the loop ends and Modal throws the code.
  void Fail(SPErr code);

 private:
  void CreateWindow(AIWindowRef owner);
  void ApplyTheme();
  void PlaceCentred();
  void FocusFirstItem();
  void PressItem(int32_t id, bool evenWhenDisabled);
  int32_t RunModal(AIWindowRef owner);

  SPPluginRef plugin_;
  std::string name_;
  int32_t id_;
  int32_t style_;
  int32_t options_;
  ADMDialogInitProc init_;
  ADMUserData userData_;
  ADMDialogNotifyProc notify_ = nullptr;
  AIWindowRef window_ = nullptr;
  std::vector<std::unique_ptr<CoADMItem>> items_;
  int32_t width_ = 400;
  int32_t height_ = 300;
  int32_t defaultItem_ = kADMDefaultItemID;
  int32_t cancelItem_ = kADMCancelItemID;
  int32_t modalResult_ = 0;
  bool modal_ = false;
  std::optional<SPErr> failure_;
  CorvaneWindowColors colors_{};
};

}  // namespace QMDM
