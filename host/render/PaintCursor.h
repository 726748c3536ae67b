// The mouse cursor over the view.
#pragma once

#include "host/Host.h"
#include "host/render/Cairo.h"

namespace host::render {

// Draws the cursor with its hot spot on view pixel `at`: an image cursor's
// pixel (hotX, hotY) lands exactly on `at`, blended over what is below by its
// alpha; a system cursor (and a cursor never set, shown as the arrow) is
// drawn as a simple black shape with a white rim so that it shows on any
// background.  kBadParameterErr (HostError) for an image cursor whose pixels
// do not match its size.
void PaintCursor(const Canvas& canvas, const CursorState& cursor, AIPoint at);

}  // namespace host::render
