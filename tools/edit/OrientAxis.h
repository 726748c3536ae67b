// The Orient tool's reference axis, kept in the current document's
// dictionary as four real entries so that it stays with the document (saved
// and reopened with it, and taken back by the host's undo).
//
// Nothing is cached: every call gets the document's dictionary afresh and
// releases it before returning, on every path.
#pragma once

#include <optional>

#include "hostcall/SuiteSet.h"
#include "tools/edit/OrientGeometry.h"

namespace Tools::orient {

inline constexpr const char* kAxisStartXKey = "Tessory_Orient_Axis_Start_X";
inline constexpr const char* kAxisStartYKey = "Tessory_Orient_Axis_Start_Y";
inline constexpr const char* kAxisEndXKey = "Tessory_Orient_Axis_End_X";
inline constexpr const char* kAxisEndYKey = "Tessory_Orient_Axis_End_Y";

// The stored axis; nothing unless all four entries are present.
std::optional<Axis> ReadAxis(ai::SuiteSet& suites);

// Stores the axis, each coordinate rounded to single precision, and returns
// what was stored.  Should a write fail, the axis that was stored before (or
// none) is put back before the failure propagates, so a half-written axis is
// never left behind.
Axis WriteAxis(ai::SuiteSet& suites, const Axis& axis);

// Removes the four entries; nothing when there are none.
void DeleteAxis(ai::SuiteSet& suites);

}  // namespace Tools::orient
