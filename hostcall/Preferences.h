// The plug-in's settings in the host's preference store, and the two host
// preferences it reads.
//
// Settings are read when needed and written when a dialog is confirmed;
// nothing is cached, so a value changed anywhere is seen at its next use.
//
// Every routine works on a suite set of its own, built on the basic suite the
// plug-in keeps from "Reload" to "Unload", so that it also runs outside a host
// call (a dialog's event handler).  Only a preference suite the host cannot
// provide raises (Error 'PARM'); reads turn every other host failure,
// a missing key included, into the default, and writes ignore the host's
// result.
#pragma once

#include <cstdint>
#include <optional>

namespace ai {

// The plug-in's own section of the store.
constexpr const char* kPreferenceSection = "Corvane";

// Keys of the plug-in's settings and their defaults.
constexpr const char* kCircleTTRRadiusKey = "CircleTTRRadius";  // real, points
constexpr double kCircleTTRRadiusDefault = 50.0;
constexpr const char* kCircleTTRAskKey = "CircleTTRAsk";  // boolean
constexpr bool kCircleTTRAskDefault = true;
constexpr const char* kCircleTTRPreviewKey = "CircleTTRPreview";  // boolean
constexpr bool kCircleTTRPreviewDefault = true;

// Values of the plug-in's section.  A stored boolean is true when non-zero.
// A value that cannot be read reads as the default; a write the host refuses
// throws Error with its code, so that nothing goes on as if it were stored.
bool GetBooleanPreference(const char* key, bool defaultValue);
void PutBooleanPreference(const char* key, bool value);
int32_t GetIntegerPreference(const char* key, int32_t defaultValue);
void PutIntegerPreference(const char* key, int32_t value);
double GetRealPreference(const char* key, double defaultValue);
void PutRealPreference(const char* key, double value);

// The host's own ruler-type preference ("rulerType", no section); nothing
// when it cannot be read.
std::optional<int32_t> HostRulerTypePreference();
// The host's constraint angle in degrees ("constrain/angle", no section); 0
// when it cannot be read.
double HostConstrainAnglePreference();

}  // namespace ai
