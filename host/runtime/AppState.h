// The application side of the host as the suites see it: everything the
// plug-in has registered, created or set, and what the host reports back.
//
// Suite functions are plain C functions without a context argument, so they
// reach this state through App(): the state of the one Host that is running.
// The Host owns it and installs it for its lifetime.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "host/Host.h"
#include "host/runtime/HandleTable.h"
#include "host/runtime/WindowSystem.h"
#include "sdk/Corvane.h"

namespace host::runtime {

// A drawer handed to one "AI Draw" message: it records instead of painting.
// Its state starts as documented on Host::DrawAnnotations.
struct DrawRecorder {
  std::vector<DrawCall>* calls = nullptr;
  AIRGBColor color{0, 0, 0};
  double width = 1;
  bool antialiased = false;
  bool overlay = false;
};

struct MenuGroupRecord {
  std::string name;
  AIMenuItemHandle parentItem = nullptr;  // none for the host's own groups
  int32_t options = 0;
};

struct MenuItemRecord {
  MenuItemInfo info;
  SPPluginRef plugin = nullptr;  // none for the host's own items
  int32_t options = 0;
};

struct MdMemoryBlock {
  std::vector<uint8_t> data;
  int locks = 0;
};

struct PanelRecord {
  SPPluginRef plugin = nullptr;
  std::string id;
  std::string title;
  int32_t width = 0;
  int32_t height = 0;
  bool shown = false;
  char windowToken = 0;  // its address is the panel's platform window
};

struct FlyoutMenuRecord {
  std::vector<std::pair<int32_t, std::string>> items;  // id, UTF-8 text
};

// Two colour sets (dialogs, controls) of five colours each.
struct ThemeTable {
  AIUIThemeColorSet sets[2];
};

struct AppState {
  // The suites of the running host, for the basic suite's acquisitions.
  SuiteRegistry* registry = nullptr;

  // --- what the host reports
  int appMajor = 0;
  int appMinor = 0;
  int appRevision = 0;
  int displayDpi = 96;
  double brightness = 0;  // 0 darkest .. 1 lightest

  // --- the loaded plug-in: the reference and module handle are addresses of
  // the tokens below while a module is loaded, nullptr otherwise.
  SPPluginRef plugin = nullptr;
  SPModuleHandle module = nullptr;
  std::filesystem::path modulePath;
  int accessRefs = 0;
  char pluginToken = 0;
  char moduleToken = 0;

  // --- memory
  std::map<void*, std::size_t> blocks;  // live "SP Blocks Suite" blocks
  HandleTable<AIMdMemoryHandle, MdMemoryBlock> mdMemory;

  // --- registrations
  HandleTable<AIToolHandle, ToolInfo> tools;  // tool number = index
  AIToolHandle selectedTool = nullptr;
  HandleTable<AIAnnotatorHandle, AnnotatorInfo> annotators;
  std::vector<AIRect> invalidatedRects;
  // The handle of the open document's view (nullptr without a document).
  std::function<AIDocumentViewHandle()> currentView;
  DrawRecorder* drawer = nullptr;  // the drawer of the "AI Draw" in progress
  HandleTable<AINotifierHandle, NotifierInfo> notifiers;
  HandleTable<AIMenuGroup, MenuGroupRecord> menuGroups;
  HandleTable<AIMenuItemHandle, MenuItemRecord> menuItems;
  int generatedMenuNames = 0;
  SPPluginRef transformAgainPlugin = nullptr;

  // --- strings and preferences
  HandleTable<AIUnicodeStringHandle, std::string> strings;  // UTF-8
  Preferences* preferences = nullptr;

  // --- the dialog layer's tables
  char appWindowToken = 0;  // its address is the application window
  HandleTable<AIAppContextHandle, SPPluginRef> contexts;
  std::vector<AIAppContextHandle> contextStack;
  HandleTable<AIPluginUserHandle, SPPluginRef> userHandles;
  HandleTable<AIPanelRef, PanelRecord> panels;
  HandleTable<AIPanelFlyoutMenuRef, FlyoutMenuRecord> flyoutMenus;
  std::vector<AIWindowRef> modalParents;
  ThemeTable lightTheme{};
  ThemeTable darkTheme{};
  // Brightness at or above this shows the light theme.
  static constexpr double kLightThemeThreshold = 0.5;
  const ThemeTable& theme() const { return brightness >= kLightThemeThreshold ? lightTheme : darkTheme; }
  // Windows and controls of the window suite.
  WindowSystem windowSystem;

  // --- the platform
  HandleTable<PlatformCursorRef, CursorState> cursors;
  CursorState cursor;
  std::vector<std::string> shellRequests;
  std::function<void(const std::string&)> shellHandler;  // unset: nothing is launched
  std::map<uint8_t*, std::size_t> images;  // decoded RGBA buffers still held by the plug-in

  // The host's own menu groups and theme tables.
  AppState();
  ~AppState();
  AppState(const AppState&) = delete;
  AppState& operator=(const AppState&) = delete;
};

// The running host's state.  HostError(kBadParameterErr) when no host runs.
AppState& App();
void SetApp(AppState* state);

// kBadParameterErr unless plugin is the loaded plug-in's reference.
void RequirePlugin(SPPluginRef plugin);
// kBadParameterErr for a null out-pointer or input.
template <class T>
T* Required(T* p, const char* what) {
  if (!p) throw HostError(kBadParameterErr, std::string(what) + " is NULL");
  return p;
}

}  // namespace host::runtime
