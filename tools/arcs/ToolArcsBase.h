// What the two arc tools share on top of the three-point gesture.
#pragma once

#include "tools/arcs/ThreePointTool.h"

namespace Tools {

class ToolArcsBase : public ThreePointTool {};

}  // namespace Tools
