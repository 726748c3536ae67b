// The tools' mouse cursors: ids of the module's image table, or negative
// system cursor ids.
//
// SetToolCursor builds a cursor from its image (at the screen's density) and
// its hot-spot record the first time an id is asked for, and caches the
// result for the life of the process (also a failed build, so a missing
// cursor is looked for once).  Cursors are never destroyed: the host keeps
// them until it exits.  An id that gives no cursor leaves the cursor on
// screen as it was; so does a negative id without a system cursor.
//
// The module can outlive its host in one process (a host that goes away and
// a new one that loads the same mapped module); the dialog layer forgets the
// cache when it starts, since cursors of an earlier host no longer exist.
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

// Empties the cache without releasing anything, for a new host session.
void ForgetToolCursors() noexcept;

}  // namespace Tools
