#include "host/render/FontCaches.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cstdlib>

namespace host::render {

namespace {

void Release() {
  // Text drawing leaves cairo's and fontconfig's caches behind; releasing them
  // at exit keeps leak checkers quiet about memory that is not a leak.
  cairo_debug_reset_static_data();
  FcFini();
}

}  // namespace

void ReleaseFontCachesAtExit() {
  static const bool registered = std::atexit(Release) == 0;
  static_cast<void>(registered);
}

}  // namespace host::render
