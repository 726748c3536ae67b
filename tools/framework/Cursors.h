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
// The cache is a part of the module session (hostcall/ModuleSession.h): the
// module can outlive its host in one process, and the cursors of an earlier
// host no longer exist.  It is also emptied whenever the plug-in starts.
#pragma once

#include <cstdint>

#include "sdk/SPTypes.h"

#include "resources/ResourceIds.h"

namespace Tools {

// The tools' cursors are the cursor ids of the shared id table
// (ids::kCursorFirstPoint and so on); system cursors are the platform's
// negative ids (kPlatformCursorCrosshair and so on, sdk/CorvanePlatform.h).
namespace ids = ::corvane::ids;

// Sets the cursor through the platform suite.  Must run inside a host call.
void SetToolCursor(int32_t id);

// Empties the cache without releasing anything, for a new host session.
void ForgetToolCursors() noexcept;

// At start-up: reads the module's image id table (which names every cursor
// and picture) and forgets the cursors built from an earlier one (at worst a
// few are built twice).  Throws ai::Error('PARM') when the table is missing
// or does not parse, which fails the start-up.
void LoadImageTable(SPModuleHandle module);

}  // namespace Tools
