// The annotation overlay: drawer calls replayed in view pixels.
//
// Every drawing call carries the colour, line width and drawing mode in force
// when it was made, so the state-setting calls themselves draw nothing and
// the calls can be replayed in order without tracking state.  A call whose
// point count does not fit its kind (a line without two points, a Bezier
// without four, a text without one, a polygon of fewer than two) draws
// nothing.
#pragma once

#include <span>

#include "host/Host.h"
#include "host/render/Cairo.h"

namespace host::render {

void PaintOverlay(const Canvas& canvas, std::span<const DrawCall> calls);

}  // namespace host::render
