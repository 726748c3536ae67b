// The one way the SVG code reports a problem with a file.
//
// HostError(kFileErr) with the message "<file>:<line>:<offset>: <problem>",
// "<file>:<line>: <problem>" or "<file>: <problem>" as far as the position is
// known.  Lines count from 1; the offset counts characters from 0 inside the
// attribute value the problem names.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace host::svg {

[[noreturn]] void ThrowFileError(std::string_view file, int line, std::optional<std::size_t> offset,
                                 std::string_view problem);
[[noreturn]] void ThrowFileError(std::string_view file, std::string_view problem);

}  // namespace host::svg
