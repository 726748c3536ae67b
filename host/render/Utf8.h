// Text made safe for cairo, which refuses malformed UTF-8 by failing the
// whole drawing context, while a recorded text may hold any bytes.
#pragma once

#include <string>
#include <string_view>

namespace host::render {

// The text with every byte that does not belong to a well-formed UTF-8
// sequence (shortest form, no surrogates, at most U+10FFFF) replaced by '?'.
std::string WellFormedUtf8(std::string_view text);

}  // namespace host::render
