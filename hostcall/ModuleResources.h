// The resources embedded in this module.
//
// A module can read only its own resource directory, so the module handle
// the host gave for this plug-in ("SP Access Suite", taken by the dialog
// layer at start-up) serves as the key: before it is known nothing is found,
// as with the platform's loader and an unknown module.
#pragma once

#include "hostcall/Resources.h"

namespace ai {

const PIResource* FindModuleResource(SPModuleHandle module, const char* type, const char* name) noexcept;
const PIResource* FindModuleResource(SPModuleHandle module, const char* type, int32_t id) noexcept;

}  // namespace ai
