// The tools' mouse cursors: ids of the module's image table, or negative
// system cursor ids.
//
// SetToolCursor builds a cursor from its image and hot-spot record the first
// time an id is asked for and caches the result for the life of the process
// (also a failed build, so a missing cursor is looked for once).  An id that
// gives no cursor leaves the cursor on screen as it was.
#pragma once

#include <cstdint>

namespace Tools {

// System cursors.
constexpr int32_t kCursorTextBeam = -1;
constexpr int32_t kCursorCrosshair = -2;
constexpr int32_t kCursorWait = -3;
constexpr int32_t kCursorNo = -5;

// Sets the cursor through the platform suite.  Must run inside a host call.
void SetToolCursor(int32_t id);

// Empties the cache without releasing anything (the host owns the cursors it
// made until it exits).  For a new host session: cursors of an earlier one
// name that host's objects.
void ForgetToolCursors() noexcept;

}  // namespace Tools
