// The gesture script parser on any bytes: it returns lines or diagnostics and
// never raises; every line it returns has a line number inside the text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "apps/script/Parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const cli::ParseResult result = cli::ParseScript(text, "fuzz.cvs");
  const long lines = static_cast<long>(std::count(text.begin(), text.end(), '\n')) + 1;
  for (const cli::Line& line : result.script.lines)
    if (line.number < 1 || line.number > lines) std::abort();
  return 0;
}
