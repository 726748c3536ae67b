// "AI Preference Suite" over the host's Preferences.  A NULL prefix is the
// host's own section.
#include "host/core/SuiteCall.h"
#include "host/runtime/AppState.h"
#include "host/runtime/Preferences.h"
#include "host/runtime/Suites.h"

namespace host::runtime {
namespace {

std::string_view Section(const char* prefix) { return prefix ? std::string_view(prefix) : Preferences::kHostSection; }

Preferences& Store() { return *Required(App().preferences, "preference store"); }

template <class Body>
AIErr Call(const char* function, const char* suffix, Body&& body) {
  return SuiteCall(kAIPreferenceSuite, function, [&] {
    Required(suffix, "key");
    body(Store());
    return kNoErr;
  });
}

AIErr GetBooleanPreference(const char* prefix, const char* suffix, AIBoolean* value) {
  return Call("GetBooleanPreference", suffix,
              [&](Preferences& p) { *Required(value, "value") = p.GetBoolean(Section(prefix), suffix); });
}

AIErr PutBooleanPreference(const char* prefix, const char* suffix, AIBoolean value) {
  return Call("PutBooleanPreference", suffix, [&](Preferences& p) { p.PutBoolean(Section(prefix), suffix, value); });
}

AIErr GetIntegerPreference(const char* prefix, const char* suffix, int32_t* value) {
  return Call("GetIntegerPreference", suffix,
              [&](Preferences& p) { *Required(value, "value") = p.GetInteger(Section(prefix), suffix); });
}

AIErr PutIntegerPreference(const char* prefix, const char* suffix, int32_t value) {
  return Call("PutIntegerPreference", suffix, [&](Preferences& p) { p.PutInteger(Section(prefix), suffix, value); });
}

AIErr GetRealPreference(const char* prefix, const char* suffix, double* value) {
  return Call("GetRealPreference", suffix,
              [&](Preferences& p) { *Required(value, "value") = p.GetReal(Section(prefix), suffix); });
}

AIErr PutRealPreference(const char* prefix, const char* suffix, double value) {
  return Call("PutRealPreference", suffix, [&](Preferences& p) { p.PutReal(Section(prefix), suffix, value); });
}

const AIPreferenceSuite kPreference = {GetBooleanPreference, PutBooleanPreference, GetIntegerPreference,
                                       PutIntegerPreference, GetRealPreference,    PutRealPreference};

}  // namespace

void AddPreferenceSuite(SuiteRegistry& registry) {
  registry.Add(kAIPreferenceSuite, kAIPreferenceSuiteVersion, &kPreference);
}

}  // namespace host::runtime
