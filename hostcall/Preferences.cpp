#include "hostcall/Preferences.h"

#include "hostcall/Error.h"
#include "hostcall/HostCall.h"
#include "hostcall/SuiteSet.h"

namespace ai {

namespace {

// The host's own keys live outside every plug-in section.
constexpr const char* kHostSection = nullptr;
constexpr const char* kRulerTypeKey = "rulerType";
constexpr const char* kConstrainAngleKey = "constrain/angle";
constexpr double kConstrainAngleUnreadable = 0;

// Runs call with the preference suite of a local set; the set releases the
// suite on every way out, a throw included.
template <class Call>
auto WithPreferenceSuite(Call&& call) {
  ai::SuiteSet local(ai::PluginBasicSuite());
  return call(local.Preference());
}

template <class Value, class Getter>
std::optional<Value> Read(const char* section, const char* key, Getter getter) {
  return WithPreferenceSuite([&](const AIPreferenceSuite& prefs) -> std::optional<Value> {
    Value value{};
    if ((prefs.*getter)(section, key, &value) != kNoErr) return std::nullopt;
    return value;
  });
}

template <class Value, class Putter>
void Write(const char* key, Value value, Putter putter) {
  WithPreferenceSuite([&](const AIPreferenceSuite& prefs) { Check((prefs.*putter)(kPreferenceSection, key, value)); });
}

}  // namespace

bool GetBooleanPreference(const char* key, bool defaultValue) {
  const std::optional<AIBoolean> stored =
      Read<AIBoolean>(kPreferenceSection, key, &AIPreferenceSuite::GetBooleanPreference);
  return stored ? *stored != 0 : defaultValue;
}

void PutBooleanPreference(const char* key, bool value) {
  Write<AIBoolean>(key, value ? 1 : 0, &AIPreferenceSuite::PutBooleanPreference);
}

int32_t GetIntegerPreference(const char* key, int32_t defaultValue) {
  return Read<int32_t>(kPreferenceSection, key, &AIPreferenceSuite::GetIntegerPreference).value_or(defaultValue);
}

void PutIntegerPreference(const char* key, int32_t value) {
  Write<int32_t>(key, value, &AIPreferenceSuite::PutIntegerPreference);
}

double GetRealPreference(const char* key, double defaultValue) {
  return Read<double>(kPreferenceSection, key, &AIPreferenceSuite::GetRealPreference).value_or(defaultValue);
}

void PutRealPreference(const char* key, double value) { Write<double>(key, value, &AIPreferenceSuite::PutRealPreference); }

std::optional<int32_t> HostRulerTypePreference() {
  return Read<int32_t>(kHostSection, kRulerTypeKey, &AIPreferenceSuite::GetIntegerPreference);
}

double HostConstrainAnglePreference() {
  return Read<double>(kHostSection, kConstrainAngleKey, &AIPreferenceSuite::GetRealPreference)
      .value_or(kConstrainAngleUnreadable);
}

}  // namespace ai
