// The module's resource readers on any bytes: the id table either parses or
// is left empty, and a found entry is one of its own; a hot-spot record gives
// a point or nothing, and scaling it for any screen never overflows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "hostcall/IdTable.h"
#include "tools/framework/HotSpot.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  ai::IdTable table;
  const bool parsed = table.Parse(text);
  if (!parsed && !table.empty()) std::abort();
  for (const int32_t id : {0, 1, 16000, -1})
    if (table.Find(id, "png") && table.empty()) std::abort();
  if (const std::optional<Tools::HotSpot> spot = Tools::ParseHotSpot(text))
    for (const int32_t dpi : {72, 96, 144, 192, 288}) Tools::ScaleHotSpot(*spot, dpi);
  return 0;
}
