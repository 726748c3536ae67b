#include "apps/script/PrefAccess.h"

#include <array>
#include <string_view>

#include "apps/script/Diagnostics.h"

namespace cli {
namespace {

using Type = PrefType;

std::string_view StoreSection(const std::string& section) {
  return section == kHostPrefSection ? host::Preferences::kHostSection : std::string_view(section);
}

std::optional<PrefValue> Read(const host::Preferences& prefs, std::string_view section, const std::string& key,
                              Type type) {
  try {
    switch (type) {
      case Type::Boolean: return PrefValue{.type = type, .integer = prefs.GetBoolean(section, key), .real = 0};
      case Type::Integer: return PrefValue{.type = type, .integer = prefs.GetInteger(section, key), .real = 0};
      case Type::Real: return PrefValue{.type = type, .integer = 0, .real = prefs.GetReal(section, key)};
    }
  } catch (const host::HostError&) {
  }
  return std::nullopt;
}

}  // namespace

void PutPref(host::Host& host, const std::string& section, const std::string& key, const PrefValue& value) {
  host::Preferences& prefs = host.preferences();
  const std::string_view where = StoreSection(section);
  switch (value.type) {
    case Type::Boolean: prefs.PutBoolean(where, key, static_cast<AIBoolean>(value.integer)); break;
    case Type::Integer: prefs.PutInteger(where, key, static_cast<int32_t>(value.integer)); break;
    case Type::Real: prefs.PutReal(where, key, value.real); break;
  }
}

std::optional<PrefValue> GetPref(host::Host& host, const std::string& section, const std::string& key,
                                 Type preferred) {
  const host::Preferences& prefs = host.preferences();
  const std::string_view where = StoreSection(section);
  if (!prefs.Has(where, key)) return std::nullopt;
  for (Type type : std::array{preferred, Type::Boolean, Type::Integer, Type::Real}) {
    if (std::optional<PrefValue> value = Read(prefs, where, key, type)) return value;
  }
  return std::nullopt;
}

std::string Describe(const PrefValue& value) {
  switch (value.type) {
    case Type::Boolean:
      if (value.integer == 0 || value.integer == 1) return value.integer ? "bool true" : "bool false";
      return "bool " + std::to_string(value.integer);
    case Type::Integer: return "int " + std::to_string(value.integer);
    case Type::Real: return "real " + FormatNumber(value.real);
  }
  return "";
}

}  // namespace cli
