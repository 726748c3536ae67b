// The two passes of a tool's feedback over the view: drawing it when the host
// asks the tool's annotator to draw, and invalidating the area it covers
// before and after every tool event so that the old feedback is erased and
// the new one drawn.
#pragma once

#include "sdk/AIMessages.h"

namespace Tools {

class BaseTool;

// Invalidated rectangles reach this far beyond the measured feedback, for
// line width and antialiasing.
constexpr int32_t kInvalidationMarginPx = 2;

// "AI Draw": the tool's feedback through the message's drawer on the current
// view, antialiased overlay drawing with the feedback line width; the colour
// is the drawer's until the tool sets one.  Runs inside a host call.
void DrawFeedbackPass(BaseTool& tool, AIAnnotatorMessage* message);

// Measures the tool's feedback and invalidates that box, grown by the margin;
// nothing when the tool draws nothing.  Works on a suite set of its own, so it
// also runs outside a host call.
void InvalidateFeedback(BaseTool& tool);

// Invalidates the whole current view, on a suite set of its own.
void InvalidateWholeView();

}  // namespace Tools
