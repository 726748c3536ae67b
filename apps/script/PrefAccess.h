// Typed access to the host's preference store by the section names a script
// uses ("-" for the host's own keys).
#pragma once

#include <optional>
#include <string>

#include "apps/script/Script.h"
#include "host/Host.h"

namespace cli {

// Stores the value; HostError when the store cannot be saved.
void PutPref(host::Host& host, const std::string& section, const std::string& key, const PrefValue& value);
// The stored value, read as the preferred type first and, when it is stored
// with another type, as that type; nothing when the key is not stored.
std::optional<PrefValue> GetPref(host::Host& host, const std::string& section, const std::string& key,
                                 PrefType preferred);
// "bool true", "int 3", "real 2.5", "bool 2" for a byte other than 0 and 1.
std::string Describe(const PrefValue& value);

}  // namespace cli
