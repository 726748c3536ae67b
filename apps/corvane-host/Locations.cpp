#include "apps/corvane-host/Locations.h"

#include <algorithm>
#include <system_error>

namespace app {
namespace {

constexpr const char* kDocumentExtension = ".svg";
constexpr const char* kScriptExtension = ".cvs";

bool IsFile(const std::filesystem::path& p) {
  std::error_code ec;
  return std::filesystem::is_regular_file(p, ec);
}

}  // namespace

PluginLocation LocatePlugin(const PluginSearch& search) {
  if (search.option) return {search.option, {*search.option}};
  if (search.environment && !search.environment->empty()) {
    const std::filesystem::path named(*search.environment);
    return {named, {named}};
  }
  PluginLocation location;
  for (const std::filesystem::path& candidate : {search.executableDirectory / kModuleFileName, search.builtModule}) {
    if (candidate.empty() || candidate == kModuleFileName) continue;
    location.tried.push_back(candidate);
    if (IsFile(candidate)) {
      location.found = candidate;
      break;
    }
  }
  return location;
}

std::filesystem::path ExecutableDirectory() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path{} : self.parent_path();
}

std::optional<Example> FindExample(const std::filesystem::path& directory, const std::string& name) {
  // A name is a plain file stem: nothing that could climb out of the directory.
  if (name.empty() || name.find('/') != std::string::npos || name == "." || name == "..") return std::nullopt;
  Example example{directory / (name + kDocumentExtension), std::nullopt};
  if (!IsFile(example.document)) return std::nullopt;
  const std::filesystem::path script = directory / (name + kScriptExtension);
  if (IsFile(script)) example.script = script;
  return example;
}

std::vector<std::string> ExampleNames(const std::filesystem::path& directory) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(directory, ec)) {
    if (entry.path().extension() == kDocumentExtension && IsFile(entry.path())) {
      names.push_back(entry.path().stem().string());
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace app
