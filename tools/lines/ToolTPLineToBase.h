// Lines from a point tangent or perpendicular to a path: what the two tools
// share.
#pragma once

#include "tools/framework/IdleFSMTool.h"

namespace Tools {

class ToolTPLineToBase : public IdleFSMTool<ToolTPLineToBase> {};

}  // namespace Tools
