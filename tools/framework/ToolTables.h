// The entries of the tools' routing tables: which host handle belongs to
// which tool object.  The catalog sizes the tables (one entry per tool, in
// registration order; both hold the same objects).  An empty handle means the
// host refused the registration: such an entry never matches a message.
#pragma once


#include "sdk/SPTypes.h"

namespace Tools {

class BaseTool;

struct ToolEntry {
  BaseTool* tool = nullptr;  // owned by the plug-in object
  AIToolHandle handle = nullptr;
};

struct AnnotatorEntry {
  BaseTool* tool = nullptr;  // the same object as the tool table's entry
  AIAnnotatorHandle handle = nullptr;
};

}  // namespace Tools
