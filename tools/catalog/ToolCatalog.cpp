#include "tools/catalog/ToolCatalog.h"

#include <iterator>
#include <type_traits>

namespace Tools {

namespace {

using Factory = BaseTool* (*)(const ToolIdentity& identity, const ToolServices& services);

// Makes a T from its row, with the extra constructor arguments of the row's
// factory, and lends it the services when its constructor takes them.
template <class T, auto... Args>
BaseTool* MakeTool(const ToolIdentity& identity, const ToolServices& services) {
  if constexpr (std::is_constructible_v<T, const ToolIdentity&, const ToolServices&, decltype(Args)...>)
    return new T(identity, services, Args...);
  else
    return new T(identity, Args...);
}

constexpr ToolIdentity kIdentities[] = {
#define CORVANE_TOOL_IDENTITY(Id, Title, Tooltip, Icon, Options, Group, Toolset, Snap, Make) \
  {Title, Tooltip, Icon, Options, Group, Toolset, Snap},
    CORVANE_TOOLS(CORVANE_TOOL_IDENTITY)
#undef CORVANE_TOOL_IDENTITY
};
static_assert(std::size(kIdentities) == kToolCount);

constexpr Factory kFactories[] = {
#define CORVANE_TOOL_FACTORY(Id, Title, Tooltip, Icon, Options, Group, Toolset, Snap, Make) Make,
    CORVANE_TOOLS(CORVANE_TOOL_FACTORY)
#undef CORVANE_TOOL_FACTORY
};
static_assert(std::size(kFactories) == kToolCount);

}  // namespace

const ToolIdentity& IdentityOf(ToolId id) { return kIdentities[static_cast<std::size_t>(id)]; }

void CreateTools(ToolTable& tools, AnnotatorTable& annotators, const ToolServices& services) {
  try {
    for (std::size_t i = 0; i < kToolCount; ++i) {
      BaseTool* tool = kFactories[i](kIdentities[i], services);
      tools[i].tool = tool;
      annotators[i].tool = tool;
      tool->SetAnnotatorHandle(annotators[i].handle);
    }
  } catch (...) {
    DestroyTools(tools, annotators);
    throw;
  }
}

void DestroyTools(ToolTable& tools, AnnotatorTable& annotators) noexcept {
  for (std::size_t i = 0; i < kToolCount; ++i) {
    delete tools[i].tool;
    tools[i].tool = nullptr;
    annotators[i].tool = nullptr;
  }
}

}  // namespace Tools
