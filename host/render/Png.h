// Pictures as PNG files.
#pragma once

#include <filesystem>

#include "host/render/Picture.h"

namespace host::render {

// Writes the picture as a PNG with alpha.  The bytes go to a temporary file
// beside the target, which is renamed over the target only once complete, so
// a reader never sees half a file and a failure leaves the target as it was
// and no temporary behind.  HostError(kFileErr) naming the file on failure.
void WritePng(const Picture& picture, const std::filesystem::path& file);

// Reads a PNG of any colour type into a picture.  HostError(kFileErr) naming
// the file when it cannot be opened or is not a PNG.
Picture ReadPng(const std::filesystem::path& file);

}  // namespace host::render
