#include "host/runtime/ModuleImages.h"

#include <strings.h>

#include <cctype>
#include <cstring>
#include <sstream>

#include "host/core/HostError.h"

namespace host::runtime {
namespace {

constexpr const char* kIdTableType = "txt";
constexpr const char* kIdTableName = "IDToFile";
constexpr const char* kImageType = "PNG";
constexpr const char* kImageExtension = "png";

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

const PIResource* FindNamed(const PIResourceDirectory& dir, const char* type, const std::string& name) {
  for (int32_t i = 0; i < dir.count; ++i) {
    const PIResource& r = dir.resources[i];
    if (r.type && r.name && std::strcmp(r.type, type) == 0 && strcasecmp(r.name, name.c_str()) == 0) return &r;
  }
  return nullptr;
}

}  // namespace

std::map<std::pair<int32_t, std::string>, std::string> ParseIdTable(std::string_view text) {
  std::map<std::pair<int32_t, std::string>, std::string> table;
  std::istringstream lines{std::string(text)};
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string key, file;
    if (!(words >> key) || key.rfind("//", 0) == 0 || !(words >> file)) continue;
    const std::size_t keyDot = key.find('.'), fileDot = file.rfind('.');
    if (keyDot == 0 || keyDot == std::string::npos || fileDot == std::string::npos || fileDot == 0) continue;
    const std::string digits = key.substr(0, keyDot);
    if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 9) continue;
    table.try_emplace({std::stoi(digits), Lower(key.substr(keyDot + 1))}, file.substr(0, fileDot));
  }
  return table;
}

std::vector<std::string> ImageVariants(int densityClass) {
  if (densityClass >= 20) return {"_at_2x", "_at_3to2x", ""};
  if (densityClass >= 15) return {"_at_3to2x", "_at_2x", ""};
  return {"", "_at_3to2x", "_at_2x"};
}

std::optional<RgbaImage> ModuleImage(const PIResourceDirectory& resources, int32_t id, int densityClass) {
  const PIResource* tableResource = FindNamed(resources, kIdTableType, kIdTableName);
  if (!tableResource || !tableResource->data) return std::nullopt;
  const auto table = ParseIdTable({reinterpret_cast<const char*>(tableResource->data), tableResource->size});
  const auto entry = table.find({id, kImageExtension});
  if (entry == table.end()) return std::nullopt;
  for (const std::string& suffix : ImageVariants(densityClass)) {
    const PIResource* image = FindNamed(resources, kImageType, entry->second + suffix);
    if (!image || !image->data) continue;
    try {
      return DecodePng({image->data, image->size});
    } catch (const HostError&) {
      return std::nullopt;
    }
  }
  return std::nullopt;
}

}  // namespace host::runtime
