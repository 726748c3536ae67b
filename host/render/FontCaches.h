// The font caches text drawing leaves behind.
//
// cairo finds fonts through fontconfig, and both keep what they found in
// process-wide caches for the life of the process.  fontconfig stores parts of
// them as offsets rather than pointers, so a leak checker at exit reports
// them as lost.  Releasing both at exit keeps every program that draws text
// (tests, the command-line host) clean under LeakSanitizer.
#pragma once

namespace host::render {

// Arranges, once per process, for the caches to be released at exit.  Call
// before drawing text.  Nothing that uses cairo may run after exit begins.
void ReleaseFontCachesAtExit();

}  // namespace host::render
