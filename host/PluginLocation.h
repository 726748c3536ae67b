// Where a host finds the plug-in module it was not given by path.  Shared by
// the command-line host and the desktop host, so both look in the same places
// in the same order.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace host {

// The file name of the plug-in module.
inline constexpr const char* kModuleFileName = "Corvane.aip";
// The environment variable that names the plug-in module when --plugin does
// not.
inline constexpr const char* kPluginEnvironmentVariable = "CORVANE_PLUGIN";

// The places a plug-in may come from, most specific first.
struct PluginSearch {
  std::optional<std::filesystem::path> option;  // --plugin
  std::optional<std::string> environment;       // $CORVANE_PLUGIN (unset or empty: nothing)
  std::filesystem::path executableDirectory;    // where the host program itself is
  std::filesystem::path builtModule;            // the module built with this program
};

struct PluginLocation {
  std::optional<std::filesystem::path> found;
  std::vector<std::filesystem::path> tried;  // in order, for the message when nothing is found
};

// --plugin, then $CORVANE_PLUGIN, are taken as given, existing or not, so
// that loading reports the very file the user named.  Otherwise the first of
// Corvane.aip beside the executable and the built module that exists.
PluginLocation LocatePlugin(const PluginSearch& search);

// The directory of the running executable; empty when it cannot be told.
std::filesystem::path ExecutableDirectory();

}  // namespace host
