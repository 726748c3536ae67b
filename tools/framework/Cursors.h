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

// The tools' cursors: a crosshair with the sign of what the next click does.
constexpr int32_t kCursorClear = 16001;            // no sign
constexpr int32_t kCursorMarked = 16002;           // a path is under the cursor
constexpr int32_t kCursorRadiusDrag = 16003;       // dragging a radius
constexpr int32_t kCursorPlus = 16004;
constexpr int32_t kCursorStraight = 16005;
constexpr int32_t kCursorFirstPoint = 16011;       // "1"
constexpr int32_t kCursorSecondPoint = 16012;      // "2"
constexpr int32_t kCursorThirdPoint = 16013;       // "3"
constexpr int32_t kCursorThirdPointPie = 16014;    // "3" with a sector
constexpr int32_t kCursorStraightNoHit = 16020;
constexpr int32_t kCursorStraightHorizontal = 16021;
constexpr int32_t kCursorStraightVertical = 16022;
constexpr int32_t kCursorStraightDirection = 16023;
constexpr int32_t kCursorDot = 16024;
constexpr int32_t kCursorMarkedDot = 16025;
constexpr int32_t kCursorRotate = 16030;
constexpr int32_t kCursorRotatePlus = 16031;
constexpr int32_t kCursorCannotDraw = 16500;

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
