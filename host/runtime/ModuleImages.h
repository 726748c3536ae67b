// The images a plug-in module carries, as the host reads them to show what
// the plug-in registered (tool icons): the module's id table ("IDToFile", type
// "txt") names the image of an id, and the screen's density picks among its
// variants ("_at_2x", "_at_3to2x", plain).
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/runtime/PngDecode.h"
#include "sdk/PIResources.h"

namespace host::runtime {

// (id, extension) -> file base name.  Lines: blanks, then "ID.EXT NAME.EXT"
// with an optional "//" comment after; "//" lines are comments.  The first
// entry of a key wins; lines that do not read so are skipped.
std::map<std::pair<int32_t, std::string>, std::string> ParseIdTable(std::string_view text);

// The variant suffixes to try for a density class (10, 15 or 20 for 1x,
// 1.5x, 2x screens), best first.
std::vector<std::string> ImageVariants(int densityClass);

// The image of an id in the module's resources at the density, or nothing
// when the table names none or no variant exists.  A resource that is not a
// readable PNG gives nothing too.
std::optional<RgbaImage> ModuleImage(const PIResourceDirectory& resources, int32_t id, int densityClass);

}  // namespace host::runtime
