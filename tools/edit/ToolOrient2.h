// "QM Orient": swings and scales the selection about a reference axis kept in the document.
#pragma once

#include "tools/framework/Cataloged.h"
#include "tools/framework/IdleFSMTool.h"

namespace Tools {

class ToolOrient2 final : public Cataloged<IdleFSMTool<ToolOrient2>> {
 public:
  explicit ToolOrient2(const ToolIdentity& identity) noexcept : Cataloged(identity) {}
};

}  // namespace Tools
