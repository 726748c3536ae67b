// The dialog layer's life inside the plug-in: its start at "Startup" (before
// the plug-in's own), its three host notifiers, and its stop at "Shutdown"
// (after the plug-in's own).
//
// While started the layer holds its own long-lived host suites (acquired
// through its own basic suite pointer, not the per-call suite set), an access
// reference on the plug-in, the plug-in's module handle (for resources), the
// pixel scale of its dialogs and the host's interface theme colours.  All of
// it is a part of the module session (hostcall/ModuleSession.h).
#pragma once

#include <cstdint>
#include <optional>

#include "QMDM/ImplCommon/PixelScale.h"
#include "hostcall/Images.h"
#include "sdk/Corvane.h"

namespace QMDM {

// Notifier names the layer registers, and the host notifiers they listen to.
constexpr const char* kUIUpdateNotifierName = "QMDMUIUpdate";                   // kAIUIBrightnessChangedNotifier
constexpr const char* kAppShutdownNotifierName = "QMDMAppShutdown";             // kAIApplicationShutdownNotifier
constexpr const char* kAllPluginsStartedNotifierName = "QMDMAllPluginsStarted";  // kAIAllPluginStartedNotifier

// Acquires the layer's suites (through the plug-in's basic suite, kept from
// "Reload" to "Unload"), registers its notifiers, takes an access reference
// on plugin and reads its module handle, and chooses the pixel scale.  Must
// run inside a host call.  A failure leaves what was done so far in
// place for Stop.  Nothing when already started.
void Start(SPPluginRef plugin);
// Drops the access reference, gives back the user-suite handle if the
// application-shutdown notification did not, releases the layer's suites.
// Every step runs; the first failure is thrown at the end.
void Stop();
bool Started() noexcept;
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
// Whether the host's interface is dark (brightness below one half), as of
// the last ReadThemeColors.
bool DarkAppearance() noexcept;

SPPluginRef PluginRef() noexcept;
// Null while the layer is stopped.
SPModuleHandle ModuleHandle() noexcept;
const PixelScale& CurrentPixelScale() noexcept;

// The image of id (the module's id table, its resources, the variant for the
// pixel scale), decoded through the platform suite.  Nothing when no source
// exists or its data does not decode.  Must run inside a host call.
std::optional<ai::Image> LoadImage(int32_t id);

}  // namespace QMDM
