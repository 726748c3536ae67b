#include "hostcall/Error.h"

#include <cstdio>

namespace ai {

namespace {

bool Printable(uint8_t c) { return c >= 0x20 && c < 0x7f; }

}  // namespace

Error::Error(SPErr code) noexcept : code_(code) {
  const auto bits = static_cast<uint32_t>(code);
  const uint8_t chars[4] = {static_cast<uint8_t>(bits >> 24), static_cast<uint8_t>(bits >> 16),
                            static_cast<uint8_t>(bits >> 8), static_cast<uint8_t>(bits)};
  if (Printable(chars[0]) && Printable(chars[1]) && Printable(chars[2]) && Printable(chars[3]))
    std::snprintf(text_, sizeof text_, "ai::Error '%c%c%c%c'", chars[0], chars[1], chars[2], chars[3]);
  else
    std::snprintf(text_, sizeof text_, "ai::Error 0x%08x", bits);
}

}  // namespace ai
