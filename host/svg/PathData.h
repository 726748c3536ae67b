// The SVG path-data mini-language (the d attribute) read into outlines.
//
// All commands are understood, absolute and relative: M L H V C S Q T A Z.
// Arguments repeat implicitly ("L 1 2 3 4" is two lines; extra pairs after a
// moveto are lines), separators are optional where the grammar allows
// ("M1-2", "-.5.5", arc flags "00"), and S / T reflect the previous control
// point only after a command of their own family.  After Z a drawing command
// starts a new subpath at the closed subpath's start.  A lone moveto gives a
// subpath without pieces.
//
// Errors throw SyntaxError with the offset of the offending character:
// text before the first moveto, an unknown command, a missing or malformed
// number or flag, arguments after Z, a dangling comma.
#pragma once

#include <string_view>
#include <vector>

#include "host/svg/Outline.h"

namespace host::svg {

// Empty (or all-space) data gives no subpaths.
std::vector<Subpath> ParsePathData(std::string_view d);

}  // namespace host::svg
