// What the lines to paths draw at a contact.
#pragma once

#include <cstdint>

namespace Tools {

// The marker at a contact: a dot of this radius (view pixels) with a stroke along the path's
// tangent and one across it (half-lengths in artwork units).
constexpr int32_t kContactDotPx = 4;
constexpr double kContactAlong = 16;
constexpr double kContactAcross = 8;

}  // namespace Tools
