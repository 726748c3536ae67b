// Writing a file so that a crash or a failure never leaves it half-written:
// the bytes go to a temporary file beside the target, reach the disk, and the
// temporary file is renamed over the target (the folder is flushed too, so the
// rename itself survives a crash).  On failure the target is untouched and no
// temporary file is left behind.
//
// The file is respected as it is: a symbolic link is written through to the
// file it names (the link stays), a file that exists keeps its permission bits
// (and its owner where the process may set it), and a new file gets the
// permissions any new file of the user gets.  Temporary files left by a writer
// that was killed mid-write are removed by the next successful write.
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
