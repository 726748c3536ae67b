#include "QMDM/ImplCommon/QMDMLayer.h"

#include "QMDM/ImplCommon/CoADM.h"
#include "QMDM/ImplCommon/WindowSystem.h"
#include "hostcall/Error.h"
#include "hostcall/FirstFailure.h"
#include "hostcall/HostCall.h"
#include "hostcall/IdTable.h"
#include "hostcall/ModuleResources.h"
#include "hostcall/ModuleSession.h"

#ifdef _WIN32
#include "QMDM/ImplWin/Win32WindowSystem.h"
#endif

namespace QMDM {

namespace {

// The layer's part of the module session.
struct LayerState {
  bool started = false;
  SPPluginRef plugin = nullptr;
  AINotifierHandle uiUpdate = nullptr;
  AINotifierHandle appShutdown = nullptr;
  AINotifierHandle allPluginsStarted = nullptr;
  SPAccessRef access = nullptr;
  SPModuleHandle module = nullptr;
  AIPluginUserHandle user = nullptr;
  // The window system the dialogs are built on, chosen at Start.
  IWindowSystem* windows = nullptr;
  PixelScale scale;
  ThemeColors colors;
  bool dark = false;
  // The layer's long-lived suites, acquired at Start and released at Stop.
  ai::SuiteSet suites;

  // Everything back to a stopped layer.  The suites are given back by Stop;
  // when a session is forgotten instead, they belong to a host that no longer
  // counts them and are dropped without a release.
  void Forget() noexcept {
    suites.Abandon();
    Clear();
  }
  void Clear() noexcept {
    started = false;
    plugin = nullptr;
    uiUpdate = appShutdown = allPluginsStarted = nullptr;
    access = nullptr;
    module = nullptr;
    user = nullptr;
    windows = nullptr;
    scale = {};
    colors = {};
    dark = false;
  }
};

// The host reports brightness from 0 (darkest) to 1 (lightest).
constexpr double kDarkBelowBrightness = 0.5;

LayerState& State() { return ai::SessionPart<LayerState>(); }
ai::SuiteSet& LayerSuites() { return State().suites; }

void AcquireLongLivedSuites(ai::SuiteSet& suites) {
  suites.User();
  suites.Panel();
  suites.Runtime();
  suites.UserInterfaceTheme();
  suites.PanelFlyoutMenu();
  suites.Access();
  suites.Notifier();
  suites.Context();
  suites.ModalParent();
}

AINotifierHandle AddNotifier(const char* name, const char* type) {
  AINotifierHandle handle = nullptr;
  ai::Check(LayerSuites().Notifier().AddNotifier(State().plugin, name, type, &handle));
  return handle;
}

void AddNotifiers() {
  State().uiUpdate = AddNotifier(kUIUpdateNotifierName, kAIUIBrightnessChangedNotifier);
  State().appShutdown = AddNotifier(kAppShutdownNotifierName, kAIApplicationShutdownNotifier);
  State().allPluginsStarted = AddNotifier(kAllPluginsStartedNotifierName, kAIAllPluginStartedNotifier);
}

void TakeAccessAndModule() {
  const SPAccessSuite& access = LayerSuites().Access();
  ai::Check(access.AcquirePluginAccess(State().plugin, &State().access));
  ai::Check(access.GetPluginModule(State().plugin, &State().module));
}

// The host's window suite when it offers one (the stand-in hosts do); the
// real host has none, and on Windows the layer then makes its own windows.
// Only a host that answers that it has no such suite gets them: a host that
// refuses it for another reason keeps its own, whose calls it then answers.
// Elsewhere there is nothing else to choose, and nothing is asked.
IWindowSystem& ChooseWindows() {
#ifdef _WIN32
  if (const SPBasicSuite* basic = ai::PluginBasicSuite()) {
    const void* table = nullptr;
    const SPErr failed = basic->AcquireSuite(kCorvaneWindowSuite, kCorvaneWindowSuiteVersion, &table);
    if (failed == kNoErr) basic->ReleaseSuite(kCorvaneWindowSuite, kCorvaneWindowSuiteVersion);
    if (failed == kSPSuiteNotFoundError) return Win32WindowSystem();
  }
#endif
  return HostWindowSystem();
}

void OpenWindows() {
  State().windows = &ChooseWindows();
  State().windows->Open();
}

void CloseWindows() noexcept {
  if (State().windows) State().windows->Close();
}

// The display's resolution as the chosen window system sees it.
void ChooseScale() {
  int32_t major = 0, minor = 0, revision = 0;
  ai::Check(LayerSuites().Runtime().GetAppVersion(&major, &minor, &revision));
  State().scale = ChoosePixelScale(major, minor, Windows().DisplayDpi());
}

void AcquireUserHandle() {
  if (State().user) return;
  ai::Check(LayerSuites().User().AcquirePluginHandle(State().plugin, &State().user));
}

void GiveBackUserHandle() {
  const AIPluginUserHandle user = State().user;
  if (!user) return;
  State().user = nullptr;
  ai::Check(LayerSuites().User().ReleasePluginHandle(user));
}

void DropAccess() {
  const SPAccessRef access = State().access;
  if (!access) return;
  State().access = nullptr;
  ai::Check(LayerSuites().Access().ReleasePluginAccess(access));
}

}  // namespace

void Start(SPPluginRef plugin) {
  LayerState& state = State();
  if (state.started) return;
  state.Clear();
  state.started = true;
  state.plugin = plugin;
  state.suites.Rebind(ai::PluginBasicSuite());
  AcquireLongLivedSuites(state.suites);
  OpenWindows();
  AddNotifiers();
  TakeAccessAndModule();
  ChooseScale();
}

void Stop() {
  if (!State().started) return;
  ai::FirstFailure failure;
  failure.Run(DropAccess);
  // Normally given back at the application-shutdown notification; a host that
  // stops the plug-in without sending it still gets its handle back.
  failure.Run(GiveBackUserHandle);
  LayerSuites().Rebind(nullptr);
  CloseWindows();
  State().Clear();
  failure.Rethrow();
}

bool Started() noexcept { return State().started; }

IWindowSystem& Windows() { return State().windows ? *State().windows : HostWindowSystem(); }

void HandleNotifier(const AINotifierMessage& message) {
  if (!State().started || !message.notifier) return;
  if (message.notifier == State().uiUpdate) {
    ReadThemeColors();
    CoADMDialog::RefreshOpenDialogs();
  }
  else if (message.notifier == State().appShutdown)
    GiveBackUserHandle();
  else if (message.notifier == State().allPluginsStarted)
    AcquireUserHandle();
}

void ReadThemeColors() {
  const AIUserInterfaceThemeSuite& theme = LayerSuites().UserInterfaceTheme();
  ThemeColors colors;
  for (int32_t set = 0; set < 2; ++set) ai::Check(theme.GetUIThemeColorSet(set, &colors.sets[set]));
  double brightness = 1;
  ai::Check(theme.GetUIBrightness(&brightness));
  State().colors = colors;
  State().dark = brightness < kDarkBelowBrightness;
}

const ThemeColors& CurrentThemeColors() noexcept { return State().colors; }
bool DarkAppearance() noexcept { return State().dark; }
SPPluginRef PluginRef() noexcept { return State().plugin; }
SPModuleHandle ModuleHandle() noexcept { return State().module; }
const PixelScale& CurrentPixelScale() noexcept { return State().scale; }

std::optional<ai::Image> LoadImage(int32_t id) {
  const std::optional<ai::ImageSource> source =
      ai::FindModuleImageSource(ai::ModuleIdTable(), ModuleHandle(), id, DensityClass(CurrentPixelScale()));
  if (!source) return std::nullopt;
  return ai::Decode(ai::Suites().Platform(), *source);
}

}  // namespace QMDM
