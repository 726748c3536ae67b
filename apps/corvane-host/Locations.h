// Where corvane-host finds the files it was not given by path: the plug-in
// module (host/PluginLocation.h) and the bundled examples.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "host/PluginLocation.h"

namespace app {

using host::ExecutableDirectory;
using host::kModuleFileName;
using host::kPluginEnvironmentVariable;
using host::LocatePlugin;
using host::PluginLocation;
using host::PluginSearch;

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
