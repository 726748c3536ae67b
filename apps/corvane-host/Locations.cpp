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
