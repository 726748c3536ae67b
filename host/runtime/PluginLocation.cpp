#include "host/PluginLocation.h"

#include <system_error>
#ifdef _WIN32
#include <windows.h>

#include <vector>
#endif

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
#ifdef _WIN32
  // The path may be longer than MAX_PATH; grow until it fits.
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return std::filesystem::path(std::wstring(buffer.data(), n)).parent_path();
    buffer.resize(buffer.size() * 2);
  }
#else
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path{} : self.parent_path();
#endif
}

}  // namespace host
