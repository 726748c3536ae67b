// The three-point gesture the arc tools share.
#pragma once

#include "tools/framework/IdleFSMTool.h"

namespace Tools {

class ThreePointTool : public IdleFSMTool<ThreePointTool> {};

}  // namespace Tools
