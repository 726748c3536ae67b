// A started host with "QM Circle by 2 or 3 points" chosen.
#pragma once

#include "tests/plugin/ToolHost.h"

namespace plugin_test {

constexpr const char* kCircleToolTitle = "QM Circle by 2 or 3 points";

class CircleToolHost : public ToolHost {
 public:
  CircleToolHost() : ToolHost(kCircleToolTitle) {}
};

}  // namespace plugin_test
