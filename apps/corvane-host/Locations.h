// Where corvane-host finds the files it was not given by path: the plug-in
// module and the bundled examples.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace app {

// The file name of the plug-in module.
inline constexpr const char* kModuleFileName = "Corvane.aip";

// The places a plug-in may come from, most specific first.
struct PluginSearch {
  std::optional<std::filesystem::path> option;  // --plugin
  std::optional<std::string> environment;       // $CORVANE_PLUGIN (unset or empty: nothing)
  std::filesystem::path executableDirectory;    // where corvane-host itself is
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

// The bundled examples: NAME.svg files, each with an optional script
// NAME.cvs beside it.
struct Example {
  std::filesystem::path document;
  std::optional<std::filesystem::path> script;
};
// Nothing when there is no NAME.svg in the directory.
std::optional<Example> FindExample(const std::filesystem::path& directory, const std::string& name);
// The names of the examples in the directory, sorted.
std::vector<std::string> ExampleNames(const std::filesystem::path& directory);

}  // namespace app
