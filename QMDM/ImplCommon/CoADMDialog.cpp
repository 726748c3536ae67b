#include <algorithm>
#include <cstring>

#include "QMDM/ImplCommon/CoADM.h"
#include "QMDM/ImplCommon/QMDMExceptions.h"
#include "QMDM/ImplCommon/QMDMLayer.h"
#include "QMDM/ImplCommon/WindowSystem.h"
#include "hostcall/Error.h"
#include "hostcall/ErrorBoundary.h"
#include "hostcall/FirstFailure.h"
#include "hostcall/HostCall.h"

namespace QMDM {

namespace {

IWindowSystem& Win() { return Windows(); }

// Every window is first made at this size, then sized to the dialog's own.
constexpr AIRect kFirstWindowBounds{0, 0, 400, 300};

std::vector<CoADMDialog*>& Open() {
  static std::vector<CoADMDialog*> open;
  return open;
}

int32_t WindowKind(int32_t style) {
  switch (style) {
    case kADMFloatingDialogStyle:
    case kADMTabbedFloatingDialogStyle:
    case kADMResizingFloatingDialogStyle:
    case kADMTabbedResizingFloatingDialogStyle: return kCorvaneWindowPanel;
    case kADMPopupDialogStyle:
    case kADMPopupControlDialogStyle: return kCorvaneWindowPopup;
    default: return kCorvaneWindowCaptioned;
  }
}

// Window events arrive from the host while the modal loop runs; everything a
// routine throws stays on this side and comes back from Modal.
AIErr AIAPI DialogEvents(void* refcon, AIWindowRef, const CorvaneWindowEvent* event) {
  auto* dialog = static_cast<CoADMDialog*>(refcon);
  ai::HostCallScope scope(ai::PluginBasicSuite());
  const SPErr failed = ai::RunGuarded([&] { dialog->HandleEvent(*event); });
  if (failed) dialog->Fail(failed);
  return kNoErr;
}

// The windows a modal dialog disables while it runs, enabled again after.
class DisabledWindows {
 public:
  explicit DisabledWindows(AIWindowRef except) {
    const int32_t count = Win().CountTopWindows();
    for (int32_t n = 0; n < count; ++n) {
      const AIWindowRef w = Win().NthTopWindow(n);
      if (w == except || !Win().IsWindowVisible(w) || !Win().IsWindowEnabled(w)) continue;
      Win().EnableWindow(w, false);
      disabled_.push_back(w);
    }
  }
  void EnableAgain() {
    ai::FirstFailure failure;
    for (AIWindowRef w : disabled_) failure.Run([&] { Win().EnableWindow(w, true); });
    disabled_.clear();
    failure.Rethrow();
  }

 private:
  std::vector<AIWindowRef> disabled_;
};

}  // namespace

CoADMDialog::CoADMDialog(SPPluginRef plugin, std::string name, int32_t id, int32_t style, ADMDialogInitProc init,
                         ADMUserData data, int32_t options)
    : plugin_(plugin), name_(std::move(name)), id_(id), style_(style), options_(options), init_(init), userData_(data) {}

CoADMDialog::~CoADMDialog() {
  std::erase(Open(), this);
  items_.clear();
  if (window_) ai::RunGuarded([&] { Win().DestroyWindow(window_); });
}

const std::vector<CoADMDialog*>& CoADMDialog::OpenDialogs() { return Open(); }

void CoADMDialog::RefreshOpenDialogs() {
  for (CoADMDialog* dialog : Open()) dialog->ApplyTheme();
}

bool CoADMDialog::Dark() const { return DarkAppearance(); }

AIRect CoADMDialog::Scaled(const ADMRect& r) const {
  const PixelScale& s = CurrentPixelScale();
  return {s.Apply(r.left), s.Apply(r.top), s.Apply(r.right), s.Apply(r.bottom)};
}

void CoADMDialog::SetText(const std::string& title) { Win().SetWindowTitle(window_, title.c_str()); }

void CoADMDialog::SetSize(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) throw QMDMParameterException("QMDM: dialog size");
  width_ = width;
  height_ = height;
  PlaceCentred();
}

// The client area at the dialog's scaled size, in the middle of the work area.
void CoADMDialog::PlaceCentred() {
  const AIRect area = Win().WorkArea();
  const AIRect size = Scaled(LocalRect());
  const int32_t w = size.right, h = size.bottom;
  const int32_t left = area.left + (area.right - area.left - w) / 2;
  const int32_t top = area.top + (area.bottom - area.top - h) / 2;
  Win().SetWindowBounds(window_, {left, top, left + w, top + h});
}

CoADMItem* CoADMDialog::CreateItem(int32_t id, const char* type, const ADMRect& bounds, ADMItemInitProc init,
                                   ADMUserData data) {
  items_.push_back(MakeItem(*this, id, type, bounds));
  CoADMItem* item = items_.back().get();
  item->SetUserData(data);
  if (init) ai::Check(init(item));
  return item;
}

CoADMItem* CoADMDialog::Item(int32_t id) const {
  for (const auto& item : items_)
    if (item->ID() == id) return item.get();
  return nullptr;
}

void CoADMDialog::Notify(ADMNotifierRef notifier) {
  if (notify_)
    notify_(this, notifier);
  else
    DefaultNotify(notifier);
}

void CoADMDialog::DefaultNotify(ADMNotifierRef notifier) {
  if (!notifier || !notifier->item || !modal_) return;
  if (std::strcmp(notifier->type, kADMUserChangedNotifier) != 0) return;
  const int32_t id = notifier->item->ID();
  if (id == defaultItem_ || id == cancelItem_) EndModal(id);
}

void CoADMDialog::EndModal(int32_t result) {
  modalResult_ = result;
  if (!modal_) return;
  modal_ = false;
  Win().EndModalLoop(window_);
}

void CoADMDialog::Fail(SPErr code) {
  if (!failure_) failure_ = code;
  ai::RunGuarded([&] { EndModal(cancelItem_); });
}

// A simulated click on an item; a disabled one ignores it unless the press
// stands for closing the window.
void CoADMDialog::PressItem(int32_t id, bool evenWhenDisabled) {
  CoADMItem* item = Item(id);
  if (!item || (!evenWhenDisabled && (!item->IsEnabled() || !item->IsVisible()))) return;
  item->OnEvent(CorvaneWindowEvent{kCorvaneEventClick, item->Control(), id, 0, {}});
}

void CoADMDialog::HandleEvent(const CorvaneWindowEvent& event) {
  switch (event.kind) {
    case kCorvaneEventKey:
      if (event.key == kCorvaneKeyEscape) PressItem(cancelItem_, false);
      if (event.key == kCorvaneKeyEnter) PressItem(defaultItem_, false);
      return;
    case kCorvaneEventClose:
      // Closing the window is a press of the cancel item, and always ends
      // the loop, whatever the item or the routines do.
      PressItem(cancelItem_, true);
      EndModal(cancelItem_);
      return;
    case kCorvaneEventBoundsChanged: {
      CoADMNotifier notifier{nullptr, this, kADMBoundsChangedNotifier};
      Notify(&notifier);
      return;
    }
    default:
      for (const auto& item : items_)
        if (item->Control() == event.control) return item->OnEvent(event);
  }
}

void CoADMDialog::ApplyTheme() {
  const ThemeColors& theme = CurrentThemeColors();
  for (int i = 0; i < 5; ++i) {
    colors_.dialog[i] = theme.sets[0].colors[i];
    colors_.control[i] = theme.sets[1].colors[i];
  }
  Win().SetWindowColors(window_, colors_);
  for (const auto& item : items_) item->Refresh();
}

void CoADMDialog::FocusFirstItem() {
  for (const auto& item : items_)
    if (item->TakesFocus() && item->IsVisible() && item->IsEnabled()) return Win().SetFocus(item->Control());
}

void CoADMDialog::CreateWindow(AIWindowRef owner) {
  window_ = Win().CreateWindow(WindowKind(style_), owner, name_.c_str(), name_.c_str(), kFirstWindowBounds,
                               DialogEvents, this);
  Open().push_back(this);
  if (!CurrentThemeColors().sets[0].valid) ReadThemeColors();
  ApplyTheme();
}

int32_t CoADMDialog::RunModal(AIWindowRef owner) {
  if (init_) ai::Check(init_(this));
  PlaceCentred();
  DisabledWindows disabled(window_);
  const AIModalParentSuite& parents = ai::Suites().ModalParent();
  ai::Check(parents.PushModalParent(window_));
  ai::FirstFailure failure;
  failure.Run([&] {
    Win().ShowWindow(window_, true);
    FocusFirstItem();
    modal_ = true;
    Win().RunModalLoop(window_);
  });
  modal_ = false;
  failure.Run([&] { ai::Check(parents.PopModalParent()); });
  failure.Run([&] { disabled.EnableAgain(); });
  failure.Run([&] { Win().ActivateWindow(owner); });
  failure.Rethrow();
  if (failure_) throw ai::Error(*failure_);
  return modalResult_;
}

int32_t CoADMDialog::Modal(SPPluginRef plugin, const char* name, int32_t id, int32_t style, ADMDialogInitProc init,
                           ADMUserData data, int32_t options) {
  if (!ModuleHandle()) throw QMDMParameterException("QMDM: no module handle for the dialog");
  // The innermost dialog running modally owns the new one, else the host's
  // application window.
  AIWindowRef owner = nullptr;
  for (CoADMDialog* open : Open())
    if (open->IsModal()) owner = open->Window();
  if (!owner) ai::Check(ai::Suites().Context().GetPlatformAppWindow(&owner));
  CoADMDialog dialog(plugin, name ? name : "", id, style, init, data, options);
  try {
    dialog.CreateWindow(owner);
  } catch (const ai::Error&) {
    return kADMModalNotCreated;
  }
  return dialog.RunModal(owner);
}

}  // namespace QMDM
