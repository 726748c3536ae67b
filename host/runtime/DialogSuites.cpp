// "AI Panel Suite", "AI User Interface Theme Suite", "AI Panel Flyout Menu
// Suite" and "AI Modal Parent Suite": the host tables the dialog layer works
// with.  Nothing is shown; the host keeps what would be.
#include "host/core/SuiteCall.h"
#include "host/runtime/AppState.h"
#include "host/runtime/Suites.h"

namespace host::runtime {
namespace {

// Panels are windows; keep their sizes to what a screen could show.
constexpr int32_t kMaxPanelSidePx = 1 << 15;
constexpr std::size_t kNumThemeSets = 2;

void CheckSize(int32_t width, int32_t height) {
  if (width < 0 || height < 0 || width > kMaxPanelSidePx || height > kMaxPanelSidePx)
    throw HostError(kBadParameterErr, "panel size " + std::to_string(width) + " x " + std::to_string(height));
}

// --- AI Panel Suite

AIErr PanelCreate(SPPluginRef plugin, const char* id, const char* title, int32_t width, int32_t height,
                  AIPanelRef* panel) {
  return SuiteCall(kAIPanelSuite, "Create", [&] {
    *Required(panel, "panel") = nullptr;
    RequirePlugin(plugin);
    CheckSize(width, height);
    *panel = App().panels.Add(PanelRecord{plugin, Required(id, "id"), title ? title : "", width, height, false, 0});
    return kNoErr;
  });
}

AIErr PanelDestroy(AIPanelRef panel) {
  return SuiteCall(kAIPanelSuite, "Destroy", [&] {
    AppState& app = App();
    app.panels.Get(panel, "panel");
    app.panels.Remove(panel);
    return kNoErr;
  });
}

AIErr PanelShow(AIPanelRef panel, AIBoolean show) {
  return SuiteCall(kAIPanelSuite, "Show", [&] {
    App().panels.Get(panel, "panel").shown = show != 0;
    return kNoErr;
  });
}

AIErr PanelIsShown(AIPanelRef panel, AIBoolean* shown) {
  return SuiteCall(kAIPanelSuite, "IsShown", [&] {
    *Required(shown, "shown") = App().panels.Get(panel, "panel").shown;
    return kNoErr;
  });
}

AIErr PanelSetSize(AIPanelRef panel, int32_t width, int32_t height) {
  return SuiteCall(kAIPanelSuite, "SetSize", [&] {
    PanelRecord& p = App().panels.Get(panel, "panel");
    CheckSize(width, height);
    p.width = width;
    p.height = height;
    return kNoErr;
  });
}

AIErr PanelGetPlatformWindow(AIPanelRef panel, AIWindowRef* window) {
  return SuiteCall(kAIPanelSuite, "GetPlatformWindow", [&] {
    *Required(window, "window") = reinterpret_cast<AIWindowRef>(&App().panels.Get(panel, "panel").windowToken);
    return kNoErr;
  });
}

const AIPanelSuite kPanel = {PanelCreate, PanelDestroy, PanelShow, PanelIsShown, PanelSetSize, PanelGetPlatformWindow};

// --- AI User Interface Theme Suite

AIErr GetUIThemeColorSet(int32_t set, AIUIThemeColorSet* colors) {
  return SuiteCall(kAIUserInterfaceThemeSuite, "GetUIThemeColorSet", [&] {
    Required(colors, "colors");
    if (set < 0 || static_cast<std::size_t>(set) >= kNumThemeSets)
      throw HostError(kBadParameterErr, "no theme colour set " + std::to_string(set));
    *colors = App().theme().sets[set];
    return kNoErr;
  });
}

AIErr GetUIBrightness(double* brightness) {
  return SuiteCall(kAIUserInterfaceThemeSuite, "GetUIBrightness", [&] {
    *Required(brightness, "brightness") = App().brightness;
    return kNoErr;
  });
}

const AIUserInterfaceThemeSuite kTheme = {GetUIThemeColorSet, GetUIBrightness};

// --- AI Panel Flyout Menu Suite

AIErr FlyoutCreate(AIPanelFlyoutMenuRef* menu) {
  return SuiteCall(kAIPanelFlyoutMenuSuite, "Create", [&] {
    *Required(menu, "menu") = App().flyoutMenus.Add(FlyoutMenuRecord{});
    return kNoErr;
  });
}

AIErr FlyoutDestroy(AIPanelFlyoutMenuRef menu) {
  return SuiteCall(kAIPanelFlyoutMenuSuite, "Destroy", [&] {
    AppState& app = App();
    app.flyoutMenus.Get(menu, "flyout menu");
    app.flyoutMenus.Remove(menu);
    return kNoErr;
  });
}

AIErr FlyoutAppendItem(AIPanelFlyoutMenuRef menu, int32_t id, const char* text) {
  return SuiteCall(kAIPanelFlyoutMenuSuite, "AppendItem", [&] {
    App().flyoutMenus.Get(menu, "flyout menu").items.emplace_back(id, Required(text, "text"));
    return kNoErr;
  });
}

AIErr FlyoutCountItems(AIPanelFlyoutMenuRef menu, int32_t* count) {
  return SuiteCall(kAIPanelFlyoutMenuSuite, "CountItems", [&] {
    *Required(count, "count") = static_cast<int32_t>(App().flyoutMenus.Get(menu, "flyout menu").items.size());
    return kNoErr;
  });
}

const AIPanelFlyoutMenuSuite kFlyout = {FlyoutCreate, FlyoutDestroy, FlyoutAppendItem, FlyoutCountItems};

// --- AI Modal Parent Suite: a stack; the innermost modal window is on top.

AIErr PushModalParent(AIWindowRef window) {
  return SuiteCall(kAIModalParentSuite, "PushModalParent", [&] {
    App().modalParents.push_back(Required(window, "window"));
    return kNoErr;
  });
}

AIErr PopModalParent() {
  return SuiteCall(kAIModalParentSuite, "PopModalParent", [&] {
    auto& stack = App().modalParents;
    if (stack.empty()) throw HostError(kBadParameterErr, "no modal parent to pop");
    stack.pop_back();
    return kNoErr;
  });
}

// With no modal window the application window is the parent.
AIErr GetModalParent(AIWindowRef* window) {
  return SuiteCall(kAIModalParentSuite, "GetModalParent", [&] {
    AppState& app = App();
    *Required(window, "window") = app.modalParents.empty() ? reinterpret_cast<AIWindowRef>(&app.appWindowToken)
                                                           : app.modalParents.back();
    return kNoErr;
  });
}

const AIModalParentSuite kModalParent = {PushModalParent, PopModalParent, GetModalParent};

}  // namespace

void AddDialogSuites(SuiteRegistry& registry) {
  registry.Add(kAIPanelSuite, kAIPanelSuiteVersion, &kPanel);
  registry.Add(kAIUserInterfaceThemeSuite, kAIUserInterfaceThemeSuiteVersion, &kTheme);
  registry.Add(kAIPanelFlyoutMenuSuite, kAIPanelFlyoutMenuSuiteVersion, &kFlyout);
  registry.Add(kAIModalParentSuite, kAIModalParentSuiteVersion, &kModalParent);
}

}  // namespace host::runtime
