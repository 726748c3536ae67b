#include "QMDM/ImplCommon/QMDMLayer.h"

#include "plugin/Error.h"
#include "plugin/FirstFailure.h"
#include "plugin/HostCall.h"
#include "tools/framework/Cursors.h"
#include "tools/framework/IdTable.h"

namespace QMDM {

namespace {

struct LayerState {
  bool started = false;
  SPPluginRef plugin = nullptr;
  AINotifierHandle uiUpdate = nullptr;
  AINotifierHandle appShutdown = nullptr;
  AINotifierHandle allPluginsStarted = nullptr;
  SPAccessRef access = nullptr;
  SPModuleHandle module = nullptr;
  AIPluginUserHandle user = nullptr;
  PixelScale scale;
  ThemeColors colors;
};

LayerState gState;
const SPBasicSuite* gBasic = nullptr;

// Never destroyed: if the host exits without a "Shutdown", releasing at
// program exit would call into a host that no longer exists.
ai::SuiteSet& LayerSuites() {
  static ai::SuiteSet* const suites = new ai::SuiteSet();
  return *suites;
}

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
  ai::Check(LayerSuites().Notifier().AddNotifier(gState.plugin, name, type, &handle));
  return handle;
}

void AddNotifiers() {
  gState.uiUpdate = AddNotifier(kUIUpdateNotifierName, kAIUIBrightnessChangedNotifier);
  gState.appShutdown = AddNotifier(kAppShutdownNotifierName, kAIApplicationShutdownNotifier);
  gState.allPluginsStarted = AddNotifier(kAllPluginsStartedNotifierName, kAIAllPluginStartedNotifier);
}

void TakeAccessAndModule() {
  const SPAccessSuite& access = LayerSuites().Access();
  ai::Check(access.AcquirePluginAccess(gState.plugin, &gState.access));
  ai::Check(access.GetPluginModule(gState.plugin, &gState.module));
}

void ChooseScale() {
  int32_t major = 0, minor = 0, revision = 0;
  ai::Check(LayerSuites().Runtime().GetAppVersion(&major, &minor, &revision));
  int32_t dpiX = 0, dpiY = 0;
  ai::Check(ai::Suites().Platform().GetDisplayResolution(&dpiX, &dpiY));
  gState.scale = ChoosePixelScale(major, minor, dpiX);
}

// Cursors are cached with the table they are built from.  Any still cached
// may come from an earlier host session, whose cursors no longer exist; at
// worst a few cursors of this session are built twice.
void LoadIdTable() {
  Tools::ForgetToolCursors();
  Tools::LoadModuleIdTable(gState.module);
}

void AcquireUserHandle() {
  if (gState.user) return;
  ai::Check(LayerSuites().User().AcquirePluginHandle(gState.plugin, &gState.user));
}

void GiveBackUserHandle() {
  const AIPluginUserHandle user = gState.user;
  if (!user) return;
  gState.user = nullptr;
  ai::Check(LayerSuites().User().ReleasePluginHandle(user));
}

void DropAccess() {
  const SPAccessRef access = gState.access;
  if (!access) return;
  gState.access = nullptr;
  ai::Check(LayerSuites().Access().ReleasePluginAccess(access));
}

}  // namespace

const SPBasicSuite* LayerBasicSuite() noexcept { return gBasic; }
void SetLayerBasicSuite(const SPBasicSuite* basic) noexcept { gBasic = basic; }

void Start(SPPluginRef plugin) {
  if (gState.started) return;
  gState = LayerState{};
  gState.started = true;
  gState.plugin = plugin;
  ai::SuiteSet& suites = LayerSuites();
  suites.Rebind(gBasic);
  AcquireLongLivedSuites(suites);
  AddNotifiers();
  TakeAccessAndModule();
  ChooseScale();
  LoadIdTable();
}

void Stop() {
  if (!gState.started) return;
  plugin::FirstFailure failure;
  failure.Run(DropAccess);
  // Normally given back at the application-shutdown notification; a host that
  // stops the plug-in without sending it still gets its handle back.
  failure.Run(GiveBackUserHandle);
  LayerSuites().Rebind(nullptr);
  gState = LayerState{};
  failure.Rethrow();
}

bool Started() noexcept { return gState.started; }

void Forget() noexcept {
  LayerSuites().Abandon();
  gState = LayerState{};
}

void HandleNotifier(const AINotifierMessage& message) {
  if (!gState.started || !message.notifier) return;
  if (message.notifier == gState.uiUpdate)
    ReadThemeColors();
  else if (message.notifier == gState.appShutdown)
    GiveBackUserHandle();
  else if (message.notifier == gState.allPluginsStarted)
    AcquireUserHandle();
}

void ReadThemeColors() {
  const AIUserInterfaceThemeSuite& theme = LayerSuites().UserInterfaceTheme();
  ThemeColors colors;
  for (int32_t set = 0; set < 2; ++set) ai::Check(theme.GetUIThemeColorSet(set, &colors.sets[set]));
  gState.colors = colors;
}

const ThemeColors& CurrentThemeColors() noexcept { return gState.colors; }
SPPluginRef PluginRef() noexcept { return gState.plugin; }
SPModuleHandle ModuleHandle() noexcept { return gState.module; }
const PixelScale& CurrentPixelScale() noexcept { return gState.scale; }

}  // namespace QMDM
