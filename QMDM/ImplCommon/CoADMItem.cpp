#include <algorithm>
#include <cstring>
#include <functional>
#include <map>

#include "QMDM/ImplCommon/CoADM.h"
#include "QMDM/ImplCommon/QMDMExceptions.h"
#include "QMDM/ImplCommon/QMDMLayer.h"
#include "QMDM/ImplCommon/UnitText.h"
#include "QMDM/ImplCommon/WindowSystem.h"
#include "geometry/units.h"
#include "hostcall/HostCall.h"

namespace QMDM {

namespace {

IWindowSystem& Win() { return Windows(); }

ADMRGBColor ToADM(const AIRGBColor& c) {
  return {static_cast<uint8_t>(c.red >> 8), static_cast<uint8_t>(c.green >> 8), static_cast<uint8_t>(c.blue >> 8)};
}

AIRGBColor ToAI(const ADMRGBColor& c) {
  return {static_cast<uint16_t>(c.red * 257), static_cast<uint16_t>(c.green * 257), static_cast<uint16_t>(c.blue * 257)};
}

}  // namespace

// --- CoADMDrawer

CoADMDrawer::CoADMDrawer(int32_t width, int32_t height, const ADMRect& localBounds)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      local_(localBounds),
      rgba_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4, 0) {}

void CoADMDrawer::FillPixels(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  left = std::clamp(left, 0, width_), right = std::clamp(right, 0, width_);
  top = std::clamp(top, 0, height_), bottom = std::clamp(bottom, 0, height_);
  for (int32_t y = top; y < bottom; ++y)
    for (int32_t x = left; x < right; ++x) {
      uint8_t* p = &rgba_[(static_cast<std::size_t>(y) * width_ + x) * 4];
      p[0] = color_.red, p[1] = color_.green, p[2] = color_.blue, p[3] = 255;
    }
}

// Dialog units to pixels of this canvas: the item's size in pixels over its
// size in units, so a one-unit line stays at least one pixel.
void CoADMDrawer::FillRect(const ADMRect& r) {
  const int32_t w = std::max(local_.right - local_.left, 1), h = std::max(local_.bottom - local_.top, 1);
  const auto sx = [&](int32_t v) { return static_cast<int32_t>(static_cast<int64_t>(v) * width_ / w); };
  const auto sy = [&](int32_t v) { return static_cast<int32_t>(static_cast<int64_t>(v) * height_ / h); };
  FillPixels(sx(r.left), sy(r.top), std::max(sx(r.right), sx(r.left) + 1), std::max(sy(r.bottom), sy(r.top) + 1));
}

// Horizontal and vertical lines, one unit wide; others by their bounding box
// steps.
void CoADMDrawer::DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  const int32_t steps = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
  for (int32_t i = 0; i <= steps; ++i) {
    const int32_t x = steps ? x1 + (x2 - x1) * i / steps : x1;
    const int32_t y = steps ? y1 + (y2 - y1) * i / steps : y1;
    FillRect({x, y, x + 1, y + 1});
  }
}

// --- CoADMItem

CoADMItem::CoADMItem(CoADMDialog& dialog, int32_t id, std::string type, const ADMRect& bounds, int32_t controlKind)
    : dialog_(dialog), id_(id), type_(std::move(type)), bounds_(bounds), controlKind_(controlKind) {}

void CoADMItem::Create() { control_ = Win().CreateControl(dialog_.Window(), controlKind_, id_, dialog_.Scaled(bounds_)); }

void CoADMItem::SetText(const std::string& text) {
  text_ = text;
  Win().SetText(control_, text);
}

std::string CoADMItem::Text() const { return Win().Text(control_); }

void CoADMItem::SetFloatValue(float value) {
  value_ = value;
  Win().SetValue(control_, static_cast<int32_t>(value));
}

float CoADMItem::FloatValue() const { return value_; }
void CoADMItem::SetUnits(ADMUnits) {}
void CoADMItem::SetPrecision(int32_t) {}
void CoADMItem::SetPicture(int32_t) { QMDM_NOT_IMPLEMENTED("SetPictureID (item without a picture)"); }
void CoADMItem::SetForeColor(const ADMRGBColor& color) { Win().SetTextColor(control_, ToAI(color)); }

void CoADMItem::Enable(bool enable) {
  enabled_ = enable;
  Win().SetEnabled(control_, enable);
}

void CoADMItem::Show(bool show) {
  visible_ = show;
  Win().SetVisible(control_, show);
}

void CoADMItem::SetDrawProc(ADMItemDrawProc proc) {
  draw_ = proc;
  Refresh();
}

void CoADMItem::Notify(const char* type) {
  CoADMNotifier notifier{this, &dialog_, type};
  if (notify_)
    notify_(this, &notifier);
  else
    DefaultNotify(&notifier);
}

void CoADMItem::DefaultNotify(ADMNotifierRef notifier) { dialog_.Notify(notifier); }

void CoADMItem::DefaultDraw(ADMDrawerRef drawer) {
  drawer->SetRGBColor(ToADM(dialog_.Colors().dialog[0]));
  drawer->FillRect(drawer->BoundsRect());
}

void CoADMItem::OnEvent(const CorvaneWindowEvent& event) {
  if (event.kind == kCorvaneEventClick) Notify(kADMUserChangedNotifier);
}

namespace {

// --- the item classes

class QMDMButton final : public CoADMItem {
 public:
  QMDMButton(CoADMDialog& d, int32_t id, const char* type, const ADMRect& b)
      : CoADMItem(d, id, type, b, kCorvaneControlPushButton) {}
  bool TakesFocus() const override { return true; }
};

class QMDMToggleButton final : public CoADMItem {
 public:
  QMDMToggleButton(CoADMDialog& d, int32_t id, const char* type, const ADMRect& b, int32_t kind)
      : CoADMItem(d, id, type, b, kind) {}
  bool TakesFocus() const override { return true; }
  float FloatValue() const override { return static_cast<float>(Win().Value(control_)); }
  void OnEvent(const CorvaneWindowEvent& event) override {
    if (event.kind != kCorvaneEventClick) return;
    value_ = static_cast<float>(Win().Value(control_));
    Notify(kADMUserChangedNotifier);
  }
};

// A text field; numeric once it is given a value or units: it then holds a
// 32-bit float in points and shows it in its unit with its precision.
class QMDMEditText final : public CoADMItem {
 public:
  QMDMEditText(CoADMDialog& d, int32_t id, const char* type, const ADMRect& b)
      : CoADMItem(d, id, type, b, kCorvaneControlEdit) {}
  bool TakesFocus() const override { return true; }

  void SetFloatValue(float value) override {
    numeric_ = true;
    value_ = value;
    ShowValue();
  }
  float FloatValue() const override { return value_; }
  void SetUnits(ADMUnits units) override {
    numeric_ = true;
    units_ = units;
    ShowValue();
  }
  void SetPrecision(int32_t precision) override {
    precision_ = precision;
    if (numeric_) ShowValue();
  }
  void OnEvent(const CorvaneWindowEvent& event) override {
    if (event.kind == kCorvaneEventTextChanged) {
      Notify(kADMIntermediateChangedNotifier);
    } else if (event.kind == kCorvaneEventSelectionChanged) {
      Notify(kADMTextSelectionChangedNotifier);
    } else if (event.kind == kCorvaneEventTextCommitted) {
      if (numeric_) ReadValue();
      Notify(kADMUserChangedNotifier);
    }
  }

 private:
  ADMUnits ShownUnits() const { return units_ == kADMDocumentUnits ? DocumentUnits() : units_; }
  void ShowValue() { SetText(FormatLength(value_, ShownUnits(), precision_)); }
  // Typed text that is not a length leaves the last good value (shown again).
  void ReadValue() {
    if (const std::optional<double> points = ParseLength(Text(), ShownUnits())) value_ = static_cast<float>(*points);
    ShowValue();
  }
  static ADMUnits DocumentUnits();

  bool numeric_ = false;
  ADMUnits units_ = kADMPointUnits;
  int32_t precision_ = 4;
};

ADMUnits QMDMEditText::DocumentUnits() {
  int16_t ruler = kPointsUnits;
  // Without a document (or a host that cannot say) lengths are in points.
  if (ai::Suites().Document().GetDocumentRulerUnits(&ruler) != kNoErr) return kADMPointUnits;
  const geom::UnitCode unit = geom::UnitCodeFromRulerUnits(ruler);
  return unit == geom::UnitCode::None ? kADMPointUnits : static_cast<ADMUnits>(unit);
}

// Text, or a picture by id (its dark-interface variant id + 10000 in a dark
// appearance, when the module has one).
class QMDMLabel final : public CoADMItem {
 public:
  QMDMLabel(CoADMDialog& d, int32_t id, const char* type, const ADMRect& b, bool picture)
      : CoADMItem(d, id, type, b, picture ? kCorvaneControlPicture : kCorvaneControlLabel) {}
  void SetPicture(int32_t id) override {
    if (controlKind_ != kCorvaneControlPicture) CoADMItem::SetPicture(id);
    picture_ = id;
    Refresh();
  }
  void Refresh() override {
    if (!picture_) return;
    std::optional<ai::Image> image;
    if (dialog_.Dark()) image = LoadImage(picture_ + kDarkPictureOffset);
    if (!image) image = LoadImage(picture_);
    if (!image) return Win().SetPixels(control_, nullptr, 0, 0);
    Win().SetPixels(control_, image->rgba(), image->width(), image->height());
  }

 private:
  static constexpr int32_t kDarkPictureOffset = 10000;
  int32_t picture_ = 0;
};

class QMDMFrame final : public CoADMItem {
 public:
  QMDMFrame(CoADMDialog& d, int32_t id, const char* type, const ADMRect& b)
      : CoADMItem(d, id, type, b, kCorvaneControlFrame) {}
};

// An area the dialog draws itself through its draw routine.
class QMDMUserType final : public CoADMItem {
 public:
  QMDMUserType(CoADMDialog& d, int32_t id, const char* type, const ADMRect& b)
      : CoADMItem(d, id, type, b, kCorvaneControlUserArea) {}
  void Create() override {
    CoADMItem::Create();
    Refresh();
  }
  void Refresh() override {
    const AIRect px = dialog_.Scaled(bounds_);
    CoADMDrawer drawer(px.right - px.left, px.bottom - px.top,
                       {0, 0, bounds_.right - bounds_.left, bounds_.bottom - bounds_.top});
    if (draw_)
      draw_(this, &drawer);
    else
      DefaultDraw(&drawer);
    Win().SetPixels(control_, drawer.Pixels().data(), drawer.Width(), drawer.Height());
  }
};

using Factory = std::function<std::unique_ptr<CoADMItem>(CoADMDialog&, int32_t, const char*, const ADMRect&)>;

template <class Item, class... Extra>
Factory Make(Extra... extra) {
  return [=](CoADMDialog& d, int32_t id, const char* type, const ADMRect& b) {
    return std::unique_ptr<CoADMItem>(new Item(d, id, type, b, extra...));
  };
}

// Types the classic interface has and this layer does not offer.
Factory Unsupported(const char* what) {
  return [=](CoADMDialog&, int32_t, const char*, const ADMRect&) -> std::unique_ptr<CoADMItem> {
    QMDM_NOT_IMPLEMENTED(what);
  };
}

struct TypeLess {
  bool operator()(const char* a, const char* b) const { return std::strcmp(a, b) < 0; }
};

const std::map<const char*, Factory, TypeLess>& Registry() {
  static const std::map<const char*, Factory, TypeLess> registry = {
      {kADMTextPushButtonType, Make<QMDMButton>()},
      {kADMPicturePushButtonType, Make<QMDMButton>()},
      {kADMUserType, Make<QMDMUserType>()},
      {kADMTextStaticType, Make<QMDMLabel>(false)},
      {kADMTextStaticMultiLineType, Make<QMDMLabel>(false)},
      {kADMPictureStaticType, Make<QMDMLabel>(true)},
      {kADMTextEditType, Make<QMDMEditText>()},
      {kADMSpinEditType, Make<QMDMEditText>()},
      {kADMPopupControlType, Make<QMDMEditText>()},
      {kADMPopupSpinEditControlType, Make<QMDMEditText>()},
      {kADMTextEditPopupType, Make<QMDMEditText>()},
      {kADMSpinEditPopupType, Make<QMDMEditText>()},
      {kADMTextCheckBoxType, Make<QMDMToggleButton>(int32_t{kCorvaneControlCheckBox})},
      {kADMPictureCheckBoxType, Make<QMDMToggleButton>(int32_t{kCorvaneControlCheckBox})},
      {kADMTextRadioButtonType, Make<QMDMToggleButton>(int32_t{kCorvaneControlRadio})},
      {kADMPictureRadioButtonType, Make<QMDMToggleButton>(int32_t{kCorvaneControlRadio})},
      {kADMFrameType, Make<QMDMFrame>()},
      {kADMSliderType, Unsupported("CreateItem(ADM Slider Type)")},
      {kADMListBoxType, Unsupported("CreateItem(ADM List Box Type)")},
      {kADMPopupListType, Unsupported("CreateItem(ADM Popup List Type)")},
      {kADMScrollingPopupListType, Unsupported("CreateItem(ADM Scrolling Popup List Type)")},
      {kADMPopupMenuType, Unsupported("CreateItem(ADM Popup Menu Type)")},
      {kADMItemGroupType, Unsupported("CreateItem(ADM Item Group Type)")},
  };
  return registry;
}

}  // namespace

std::unique_ptr<CoADMItem> MakeItem(CoADMDialog& dialog, int32_t id, const char* type, const ADMRect& bounds) {
  if (!type) throw QMDMParameterException("QMDM: no item type");
  const auto found = Registry().find(type);
  if (found == Registry().end()) throw QMDMParameterException("QMDM: unknown item type");
  std::unique_ptr<CoADMItem> item = found->second(dialog, id, type, bounds);
  item->Create();
  return item;
}

}  // namespace QMDM
