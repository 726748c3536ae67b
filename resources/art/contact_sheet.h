// A review sheet of all cursors and tool icons on light and dark grounds, at
// 2x and as magnified 1x pixels, for judging the pictures by eye.
#pragma once

#include <filesystem>

namespace corvane::art {

void WriteContactSheet(const std::filesystem::path& file);

}  // namespace corvane::art
