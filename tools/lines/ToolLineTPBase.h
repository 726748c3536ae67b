// Lines tangent or perpendicular to two paths: what the two tools share.
#pragma once

#include "tools/framework/IdleFSMTool.h"

namespace Tools {

class ToolLineTPBase : public IdleFSMTool<ToolLineTPBase> {};

}  // namespace Tools
