// The one way paths reach cairo.
//
// cairo keeps coordinates as 24.8 fixed-point numbers and silently drops
// geometry beyond about 8 million pixels, while a view point can be anywhere
// up to 2^31 (the host saturates far off-screen points there) and a zoomed-in
// construction circle can be larger still.  SetPath therefore hands cairo
// only coordinates inside a guard rectangle around the surface: a subpath
// already inside goes as it is; any other is flattened and clipped in double
// precision first, so that everything inside the guard - and so everything
// the picture shows - is unchanged.
#pragma once

#include <cairo.h>

#include "host/render/DevicePath.h"

namespace host::render {

enum class PathUse { Fill, Stroke };

// Replaces cairo's current path (taken in device space: the context's matrix
// must be the identity) with `path`, clipped to the guard around a surface of
// width x height pixels.  For a fill every subpath counts as closed and the
// winding number of every point inside the guard is kept; for a stroke the
// parts of open subpaths and of closed ones inside the guard are kept.
// Subpaths with a coordinate that is not finite are left out.
void SetPath(cairo_t* cr, const DevicePath& path, PathUse use, int width, int height);

}  // namespace host::render
