// Writing a file so that a crash or a failure never leaves it half-written:
// the bytes go to a temporary file beside the target, reach the disk, and the
// temporary file is renamed over the target (the folder is flushed too, so the
// rename itself survives a crash).  The new file gets the permissions any new
// file of the user gets.  On failure the target is untouched and no temporary
// file is left behind.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace host {

// Empty on success; otherwise what failed ("cannot create a temporary file:
// Permission denied"), for the caller to put into its own message with the
// file's name.
std::string WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes);

}  // namespace host
