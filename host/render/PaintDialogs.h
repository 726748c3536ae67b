// Open windows of the window suite drawn over the view, the way a person
// would see them: a frame with a caption bar (title, close box), the client
// area in the dialog colours the plug-in set (a neutral light set when it set
// none), and each visible control in creation order: push buttons, check
// boxes and radios with their texts and states, edit fields (the focused one
// outlined in the highlight colour), labels (their own text colour and
// alignment), frames, and pictures and user areas from their pixels scaled to
// their rectangles.  Disabled controls use the disabled text colour.
// Windows are drawn in creation order, so a nested dialog lies over its owner.
#pragma once

#include <vector>

#include "host/Dialogs.h"
#include "host/render/Cairo.h"

namespace host::render {

// Height of the caption bar drawn above a captioned window's client area.
constexpr int kCaptionHeightPx = 26;

void PaintDialogs(const Canvas& canvas, const std::vector<WindowInfo>& windows);

}  // namespace host::render
