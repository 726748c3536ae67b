#include "hostcall/ModuleResources.h"

namespace ai {

namespace module_resources {
// Defined by the module's generated resource source; a namespace keeps the
// C symbol's name apart from the type of the same name.
extern "C" const ::PIResourceDirectory PIResourceDirectory;
}  // namespace module_resources

const PIResource* FindModuleResource(SPModuleHandle module, const char* type, const char* name) noexcept {
  return module ? FindResource(module_resources::PIResourceDirectory, type, name) : nullptr;
}

const PIResource* FindModuleResource(SPModuleHandle module, const char* type, int32_t id) noexcept {
  return module ? FindResource(module_resources::PIResourceDirectory, type, id) : nullptr;
}

}  // namespace ai
