// The dialog layer's life inside the plug-in: its start at "Startup" (before
// the plug-in's own), its three host notifiers, and its stop at "Shutdown"
// (after the plug-in's own).
//
// While started the layer holds its own long-lived host suites (acquired
// through its own basic suite pointer, not the per-call suite set), an access
// reference on the plug-in, the plug-in's module handle (for resources), the
// pixel scale of its dialogs, the image id table and the host's interface
// theme colours.
#pragma once

#include "QMDM/ImplCommon/PixelScale.h"
#include "sdk/Corvane.h"

namespace QMDM {

// Notifier names the layer registers, and the host notifiers they listen to.
constexpr const char* kUIUpdateNotifierName = "QMDMUIUpdate";                   // kAIUIBrightnessChangedNotifier
constexpr const char* kAppShutdownNotifierName = "QMDMAppShutdown";             // kAIApplicationShutdownNotifier
constexpr const char* kAllPluginsStartedNotifierName = "QMDMAllPluginsStarted";  // kAIAllPluginStartedNotifier

// The layer's basic suite: from "Reload" until "Unload".
const SPBasicSuite* LayerBasicSuite() noexcept;
void SetLayerBasicSuite(const SPBasicSuite* basic) noexcept;

// Acquires the layer's suites, registers its notifiers, takes an access
// reference on plugin and reads its module handle, chooses the pixel scale,
// loads the image id table (a table that is missing or does not parse fails
// the start).  Must run inside a host call.  A failure leaves what was done so far in
// place for Stop.  Nothing when already started.
void Start(SPPluginRef plugin);
// Drops the access reference, gives back the user-suite handle if the
// application-shutdown notification did not, releases the layer's suites.
// Every step runs; the first failure is thrown at the end.
void Stop();
bool Started() noexcept;
// Drops, without calling the host, a started state left by an earlier host
// session: the module can stay mapped after its host is gone, and what the
// layer held names objects of that host.
void Forget() noexcept;

// Handles the message when it is for one of the layer's notifiers.
void HandleNotifier(const AINotifierMessage& message);

// Two sets of five interface colours (dialogs, controls) of the host's
// current light or dark theme.
struct ThemeColors {
  AIUIThemeColorSet sets[2]{};
};

// Reads the theme colours from the host again.
void ReadThemeColors();
const ThemeColors& CurrentThemeColors() noexcept;

SPPluginRef PluginRef() noexcept;
// Null while the layer is stopped.
SPModuleHandle ModuleHandle() noexcept;
const PixelScale& CurrentPixelScale() noexcept;

}  // namespace QMDM
