// The platform calls the module makes itself when the host offers no
// platform suite (the real host offers none; the stand-in hosts answer them so
// that they can be observed): the same table, on the system's own functions.
// Windows build only; elsewhere the suite must come from the host.
#pragma once

#include "sdk/Corvane.h"

namespace ai {

// PNG decoding with GDI+, cursors from RGBA with their hot spot
// (CreateIconIndirect), the shell's "open" (targets in UTF-8), the display's
// resolution (GetDeviceCaps) and the module's file name (in UTF-8).
const CorvanePlatformSuite& NativePlatformSuite() noexcept;

}  // namespace ai
