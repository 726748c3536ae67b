// The plug-in's own resources, looked up by type and by name or id.
//
// Types and names compare without regard to ASCII case, the way the
// platform's resource loader treats them.
#pragma once

#include <cstdint>

#include "sdk/PIResources.h"

namespace ai {

// A resource of the directory, or null.  A resource named by name is never
// found by id and the other way round.
const PIResource* FindResource(const PIResourceDirectory& directory, const char* type, const char* name) noexcept;
const PIResource* FindResource(const PIResourceDirectory& directory, const char* type, int32_t id) noexcept;

}  // namespace ai
