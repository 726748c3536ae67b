#include "host/core/HostError.h"

#include <cctype>
#include <cstdint>

namespace host {

std::string FourCC(AIErr code) {
  const auto u = static_cast<uint32_t>(code);
  std::string s;
  for (int shift = 24; shift >= 0; shift -= 8) {
    const char c = static_cast<char>((u >> shift) & 0xff);
    if (!std::isprint(static_cast<unsigned char>(c))) return std::to_string(code);
    s += c;
  }
  return s;
}

}  // namespace host
