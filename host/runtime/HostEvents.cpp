// The Host's user-facing events: tool choice, mouse and modifier keys,
// annotation drawing, menus, notifiers and Transform Again.
#include "host/Host.h"
#include "host/runtime/HostImpl.h"

namespace host {
namespace {

// The first record whose field matches, or nullptr.
template <class Table, class Match>
auto FindIn(const Table& table, Match&& match) -> decltype(&table.at(0)) {
  for (std::size_t i = 0; i < table.size(); ++i)
    if (match(table.at(i))) return &table.at(i);
  return nullptr;
}

void Keep(AIErr& first, AIErr e) {
  if (first == kNoErr) first = e;
}

}  // namespace

// --- tools

std::vector<ToolInfo> Host::Tools() const {
  std::vector<ToolInfo> out;
  impl_->app.tools.ForEach([&](const ToolInfo& t) { out.push_back(t); });
  return out;
}

AIErr Host::SelectTool(std::string_view title) {
  runtime::AppState& app = impl_->app;
  const ToolInfo* tool = FindIn(app.tools, [&](const ToolInfo& t) { return t.title == title; });
  if (!tool) throw HostError(kBadParameterErr, "no tool titled '" + std::string(title) + "'");
  const uint16_t mods = impl_->modifiers;
  if (app.selectedTool == tool->handle)
    return impl_->SendTool(kSelectorAIReselectTool, tool->handle, {0, 0}, aiEventNull, mods);
  AIErr first = kNoErr;
  if (app.selectedTool) Keep(first, impl_->SendTool(kSelectorAIDeselectTool, app.selectedTool, {0, 0}, aiEventNull, mods));
  app.selectedTool = tool->handle;
  Keep(first, impl_->SendTool(kSelectorAISelectTool, tool->handle, {0, 0}, aiEventNull, mods));
  return first;
}

AIErr Host::EditToolOptions(std::string_view title) {
  const ToolInfo* tool = FindIn(impl_->app.tools, [&](const ToolInfo& t) { return t.title == title; });
  if (!tool) throw HostError(kBadParameterErr, "no tool titled '" + std::string(title) + "'");
  return impl_->SendTool(kSelectorAIEditToolOptions, tool->handle, {0, 0}, aiEventNull, impl_->modifiers);
}

AIToolHandle Host::SelectedTool() const { return impl_->app.selectedTool; }

// --- mouse and modifier keys

// Every mouse event but the release joins the held undo step; the release
// records it (HostImpl.h).
AIErr Host::Impl::Mouse(const char* selector, uint16_t what, AIRealPoint p, uint16_t eventModifiers) {
  if (!app.selectedTool) return kNoErr;
  if (!workspace.HasDocument()) return kNoDocumentErr;
  mouseEvent = true;
  holdStep = what != aiEventMouseUp;
  struct Unhold {
    Impl& impl;
    ~Unhold() { impl.mouseEvent = impl.holdStep = false; }
  } unhold{*this};
  return SendTool(selector, app.selectedTool, p, what, static_cast<uint16_t>(eventModifiers | modifiers));
}

AIErr Host::TrackCursor(AIRealPoint p, uint16_t m) { return impl_->Mouse(kSelectorAITrackToolCursor, aiEventMouseMove, p, m); }
AIErr Host::MouseDown(AIRealPoint p, uint16_t m) { return impl_->Mouse(kSelectorAIToolMouseDown, aiEventMouseDown, p, m); }
AIErr Host::MouseDrag(AIRealPoint p, uint16_t m) { return impl_->Mouse(kSelectorAIToolMouseDrag, aiEventMouseMove, p, m); }
AIErr Host::MouseUp(AIRealPoint p, uint16_t m) { return impl_->Mouse(kSelectorAIToolMouseUp, aiEventMouseUp, p, m); }

AIErr Host::SetModifiers(uint16_t modifiers) {
  if (modifiers == impl_->modifiers) return kNoErr;
  impl_->modifiers = modifiers;
  return Notify(kAIToolModifiersChangedNotifier);
}

uint16_t Host::Modifiers() const { return impl_->modifiers; }

// --- annotations

AIErr Host::DrawAnnotations() {
  auto& impl = *impl_;
  impl.drawing.clear();
  if (!impl.attached) return kNoErr;
  std::vector<AIAnnotatorHandle> active;
  impl.app.annotators.ForEach([&](const AnnotatorInfo& a) {
    if (a.active) active.push_back(a.handle);
  });
  const AIDocumentViewHandle view = impl.CurrentView();
  AIErr first = kNoErr;
  for (AIAnnotatorHandle annotator : active) {
    runtime::DrawRecorder recorder;
    recorder.calls = &impl.drawing;
    runtime::DrawRecorder* outer = impl.app.drawer;
    impl.app.drawer = &recorder;
    AIAnnotatorMessage msg{};
    msg.annotator = annotator;
    msg.view = view;
    msg.drawer = reinterpret_cast<AIAnnotatorDrawer*>(&recorder);
    AIErr e = kNoErr;
    try {
      e = impl.Dispatch(kCallerAIAnnotation, kSelectorAIDrawAnnotation, &msg);
    } catch (...) {
      impl.app.drawer = outer;
      throw;
    }
    impl.app.drawer = outer;
    Keep(first, e);
  }
  return first;
}

const std::vector<DrawCall>& Host::Drawing() const { return impl_->drawing; }

std::vector<AnnotatorInfo> Host::Annotators() const {
  std::vector<AnnotatorInfo> out;
  impl_->app.annotators.ForEach([&](const AnnotatorInfo& a) { out.push_back(a); });
  return out;
}

const std::vector<AIRect>& Host::InvalidatedRects() const { return impl_->app.invalidatedRects; }
void Host::ClearInvalidatedRects() { impl_->app.invalidatedRects.clear(); }

// --- menus

std::vector<MenuItemInfo> Host::MenuItems() const {
  std::vector<MenuItemInfo> out;
  impl_->app.menuItems.ForEach([&](const runtime::MenuItemRecord& r) { out.push_back(r.info); });
  return out;
}

std::vector<std::string> Host::MenuGroups() const {
  std::vector<std::string> out;
  impl_->app.menuGroups.ForEach([&](const runtime::MenuGroupRecord& g) { out.push_back(g.name); });
  return out;
}

AIErr Host::Impl::SendMenu(std::string_view name, const char* selector) {
  const runtime::MenuItemRecord* item =
      FindIn(app.menuItems, [&](const runtime::MenuItemRecord& r) { return r.info.name == name; });
  if (!item) throw HostError(kBadParameterErr, "no menu item named '" + std::string(name) + "'");
  if (!attached) throw HostError(kBadParameterErr, "no plug-in is loaded");
  AIMenuMessage msg{};
  msg.menuItem = item->info.handle;
  return Dispatch(kCallerAIMenu, selector, &msg);
}

AIErr Host::RunMenuItem(std::string_view name) { return impl_->SendMenu(name, kSelectorAIGoMenuItem); }
AIErr Host::UpdateMenuItem(std::string_view name) { return impl_->SendMenu(name, kSelectorAIUpdateMenuItem); }

// --- notifiers and Transform Again

std::vector<NotifierInfo> Host::Notifiers() const {
  std::vector<NotifierInfo> out;
  impl_->app.notifiers.ForEach([&](const NotifierInfo& n) { out.push_back(n); });
  return out;
}

AIErr Host::Notify(std::string_view type) {
  auto& impl = *impl_;
  if (!impl.attached) return kNoErr;
  // Listeners may register or switch notifiers while being told; the set
  // told is the one active when the notification starts.
  std::vector<AINotifierHandle> targets;
  impl.app.notifiers.ForEach([&](const NotifierInfo& n) {
    if (n.active && n.type == type) targets.push_back(n.handle);
  });
  AIErr first = kNoErr;
  for (AINotifierHandle handle : targets) {
    AINotifierMessage msg{};
    msg.notifier = handle;
    msg.type = impl.app.notifiers.Get(handle, "notifier").type.c_str();
    // A change of the modifier keys announces the keys now held.
    if (type == kAIToolModifiersChangedNotifier) msg.notifyData = &impl.modifiers;
    Keep(first, impl.Dispatch(kCallerAINotify, kSelectorAINotify, &msg));
  }
  return first;
}

AIErr Host::TransformAgain() {
  if (!impl_->app.transformAgainPlugin || !impl_->attached) return kNoErr;
  AITransformAgainMessage msg{};
  return impl_->Dispatch(kCallerAITransformAgain, kSelectorAITransformAgainGo, &msg);
}

}  // namespace host
