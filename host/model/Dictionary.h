// A dictionary of an art or of the document: named entries that are either
// reals (kept as 32-bit floats, as the host stores them) or strings.
#pragma once

#include <map>
#include <string>
#include <variant>

namespace host::model {

using DictionaryEntry = std::variant<float, std::string>;

// Ordered by name so that two equal dictionaries compare equal and are
// written to files in a stable order.
using Dictionary = std::map<std::string, DictionaryEntry, std::less<>>;

}  // namespace host::model
