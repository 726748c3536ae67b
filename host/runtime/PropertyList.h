// The plug-in property list: what a module declares about itself before the
// host calls anything in it.
//
// The bytes come from the module (layout in sdk/PIResources.h) and are not
// trusted: every read is bounds-checked, and the walk goes by the data's size,
// never by the stored property count (shipped modules store a count smaller
// than the number of properties that follow).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace host::runtime {

// The interface version this host speaks ("ivrs").
inline constexpr int32_t kSupportedInterfaceVersion = 2;

struct ExportedSuite {
  std::string name;
  int32_t version = 0;
};

struct PropertyList {
  std::string kind;              // "kind": kPIPLKindHostAPI
  int32_t interfaceVersion = 0;  // "ivrs"
  std::string entryName;         // "8664": the entry point to resolve
  std::vector<ExportedSuite> exports;  // "expt", in stored order
  int32_t storedCount = 0;       // the header's count, kept for diagnostics only
  int propertyCount = 0;         // properties actually present
};

// Parses and validates a property list.  Throws HostError(kBadParameterErr)
// whose message starts with `module` and names the problem: data shorter than
// the header, a property cut off by the end of the data (header, body or
// padding), a vendor other than "ADBE", a repeated key, a kind other than
// "SPEA", an interface version other than 2, an entry name that is empty or
// not NUL-terminated inside its property, a malformed export list, or a list
// without kind, version or entry.  Unknown keys are skipped.
PropertyList ParsePropertyList(std::span<const uint8_t> data, const std::string& module);

}  // namespace host::runtime
