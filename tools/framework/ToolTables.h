// The routing tables of the tools: which host handle belongs to which tool
// object.  Both tables have one entry per tool, in registration order, and
// hold the same objects.  An empty handle means the host refused the
// registration: such an entry never matches a message.
#pragma once

#include <array>
#include <cstddef>

#include "sdk/SPTypes.h"

namespace Tools {

class BaseTool;

constexpr std::size_t kToolCount = 14;

struct ToolEntry {
  BaseTool* tool = nullptr;  // owned by the plug-in object
  AIToolHandle handle = nullptr;
};

struct AnnotatorEntry {
  BaseTool* tool = nullptr;  // the same object as the tool table's entry
  AIAnnotatorHandle handle = nullptr;
};

using ToolTable = std::array<ToolEntry, kToolCount>;
using AnnotatorTable = std::array<AnnotatorEntry, kToolCount>;

}  // namespace Tools
