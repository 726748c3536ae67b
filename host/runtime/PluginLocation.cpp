#include "host/PluginLocation.h"

#include <system_error>

namespace host {

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
    std::error_code ec;
    if (std::filesystem::is_regular_file(candidate, ec)) {
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

}  // namespace host
